// A preview of one document as it will print: the sheets that the page
// ranges, the orientation and the pages per sheet (in their order on the
// sheet) make of its pages, one sheet at a time, in the order they come out.
#pragma once

#include "DocumentPages.h"

#include <QWidget>

#include <memory>
#include <string>

class QLabel;
class QPushButton;

class DocumentPreview : public QWidget
{
    Q_OBJECT
  public:
    explicit DocumentPreview(QWidget *parent = nullptr);
    ~DocumentPreview() override;

    // The document shown; "" for none.
    void setDocument(const std::string &path);
    // What the host page chose: page ranges ("" all), pages per sheet,
    // whether the sheet lies in landscape, "odd" or "even" pages only
    // (anything else: all), the order of the pages on a sheet
    // (number-up-layout: lrtb, rltb, tblr, ...) and whether the sheets come
    // out last first (outputorder reverse).
    void setLayout(const std::string &ranges, int numberUp, bool landscape,
                   const std::string &pageSet = "all", const std::string &pageOrder = "lrtb",
                   bool reverse = false);

    int sheetCount() const { return sheets_; }
    int sheet() const { return sheet_; }
    // The pages of the document shown on the current sheet (from 1), place
    // by place: rows top to bottom, each left to right, 0 for an empty place
    // before the last page.
    std::vector<int> pagesOnSheet() const;

  private slots:
    void previous();
    void next();

  private:
    void redraw();

    std::unique_ptr<DocumentPages> document_;
    std::string ranges_;
    int numberUp_ = 1;
    bool landscape_ = false;
    std::string pageSet_ = "all";
    std::string pageOrder_ = "lrtb";
    bool reverse_ = false;
    // The place (row-major) of the sheet's i-th page on a grid.
    int placeOf(int i, QSize grid) const;
    // Columns and rows of the sheet's pages.
    QSize grid() const;
    // The pages printed, in order.
    std::vector<int> printedPages() const;
    int sheets_ = 0;
    int sheet_ = 0;
    QLabel *picture_ = nullptr;
    QLabel *where_ = nullptr;
    QPushButton *previous_ = nullptr;
    QPushButton *next_ = nullptr;
};
