// The pages of a document to print: how many it has and how each looks.
// PDF is read with Poppler, PostScript through Ghostscript (libspectre);
// an image is one page; other documents (text) have no page count before
// the printer's filters lay them out.
#pragma once

#include <QImage>
#include <QSize>

#include <memory>
#include <string>
#include <vector>

class DocumentPages
{
  public:
    // Opens path; pageCount() is -1 when the kind of document has no count
    // here or it cannot be read (error() says why).
    explicit DocumentPages(const std::string &path);
    ~DocumentPages();
    DocumentPages(const DocumentPages &) = delete;
    DocumentPages &operator=(const DocumentPages &) = delete;

    int pageCount() const { return pageCount_; }
    const std::string &error() const { return error_; }
    // Page index (from 0) drawn to fit within box; a null image when it
    // cannot be drawn.
    QImage render(int index, QSize box) const;

  private:
    struct Backend;
    std::unique_ptr<Backend> backend_;
    int pageCount_ = -1;
    std::string error_;
};

// The pages that ranges ("1-3,5,8-"; empty: all) select of a document of
// pageCount pages, in order, counted from 1.
std::vector<int> DocumentPagesSelected(const std::string &ranges, int pageCount);

// Whether ranges stay within each document's pages; false with a one-line
// *error naming the document and its page count. Documents without a page
// count (standard input, text) are not checked.
bool DocumentPagesCheckRanges(const std::vector<std::string> &files, const std::string &ranges,
                              std::string *error);
