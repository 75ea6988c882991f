#include "DocumentPreview.h"
#include "TintDialogTranslation.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace
{

// The sheet drawn, portrait, in pixels (A4's proportions).
constexpr int kSheetWidth = 210;
constexpr int kSheetHeight = 297;

// Columns and rows of number-up pages on a sheet.
QSize Grid(int numberUp, bool landscape)
{
    static const struct {
        int numberUp, columns, rows;
    } kGrids[] = {{2, 1, 2}, {4, 2, 2}, {6, 2, 3}, {9, 3, 3}, {16, 4, 4}};
    QSize grid(1, 1);
    for (const auto &g : kGrids) {
        if (g.numberUp == numberUp)
            grid = QSize(g.columns, g.rows);
    }
    return landscape ? grid.transposed() : grid;
}

} // namespace

DocumentPreview::DocumentPreview(QWidget *parent) : QWidget(parent)
{
    setObjectName("preview");
    auto *layout = new QVBoxLayout(this);
    picture_ = new QLabel;
    picture_->setObjectName("previewPicture");
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setMinimumSize(kSheetHeight + 8, kSheetHeight + 8);
    layout->addWidget(picture_, 1);
    auto *row = new QHBoxLayout;
    previous_ = new QPushButton(Tr("Previous Sheet"));
    previous_->setObjectName("previousSheet");
    next_ = new QPushButton(Tr("Next Sheet"));
    next_->setObjectName("nextSheet");
    where_ = new QLabel;
    where_->setObjectName("previewSheet");
    where_->setAlignment(Qt::AlignCenter);
    row->addWidget(previous_);
    row->addWidget(where_, 1);
    row->addWidget(next_);
    layout->addLayout(row);
    connect(previous_, &QPushButton::clicked, this, &DocumentPreview::previous);
    connect(next_, &QPushButton::clicked, this, &DocumentPreview::next);
    redraw();
}

DocumentPreview::~DocumentPreview() = default;

void DocumentPreview::setDocument(const std::string &path)
{
    document_ = path.empty() ? nullptr : std::make_unique<DocumentPages>(path);
    sheet_ = 0;
    redraw();
}

void DocumentPreview::setLayout(const std::string &ranges, int numberUp, bool landscape,
                                const std::string &pageSet, const std::string &pageOrder, bool reverse)
{
    ranges_ = ranges;
    pageSet_ = pageSet;
    pageOrder_ = pageOrder.size() == 4 ? pageOrder : std::string("lrtb");
    reverse_ = reverse;
    numberUp_ = std::max(1, numberUp);
    landscape_ = landscape;
    redraw();
}

std::vector<int> DocumentPreview::printedPages() const
{
    if (!document_ || document_->pageCount() <= 0)
        return {};
    std::vector<int> pages = DocumentPagesSelected(ranges_, document_->pageCount());
    // Odd and even are the document's page numbers.
    if (pageSet_ == "odd" || pageSet_ == "even") {
        std::vector<int> kept;
        for (int page : pages) {
            if ((page % 2 == 1) == (pageSet_ == "odd"))
                kept.push_back(page);
        }
        pages = kept;
    }
    return pages;
}

QSize DocumentPreview::grid() const
{
    // Two or six pages share a sheet side by side: the printer turns the
    // sheet for them, as the preview does.
    const bool turned = (numberUp_ == 2 || numberUp_ == 6) != landscape_;
    return Grid(numberUp_, turned);
}

int DocumentPreview::placeOf(int i, QSize grid) const
{
    // The first pair of letters is the direction pages fill first.
    const bool across = pageOrder_[0] == 'l' || pageOrder_[0] == 'r';
    const bool rightToLeft = pageOrder_.find("rl") != std::string::npos;
    const bool bottomUp = pageOrder_.find("bt") != std::string::npos;
    int column = across ? i % grid.width() : i / grid.height();
    int row = across ? i / grid.width() : i % grid.height();
    if (rightToLeft)
        column = grid.width() - 1 - column;
    if (bottomUp)
        row = grid.height() - 1 - row;
    return row * grid.width() + column;
}

std::vector<int> DocumentPreview::pagesOnSheet() const
{
    const std::vector<int> pages = printedPages();
    const int sheets = (static_cast<int>(pages.size()) + numberUp_ - 1) / numberUp_;
    // In reverse order the last sheet comes out first.
    const int printed = reverse_ ? sheets - 1 - sheet_ : sheet_;
    const QSize places = grid();
    std::vector<int> out(static_cast<size_t>(places.width() * places.height()), 0);
    for (int i = 0; i < numberUp_ && printed * numberUp_ + i < static_cast<int>(pages.size()); ++i)
        out[static_cast<size_t>(placeOf(i, places))] = pages[static_cast<size_t>(printed * numberUp_ + i)];
    while (!out.empty() && out.back() == 0)
        out.pop_back();
    return out;
}

void DocumentPreview::previous()
{
    if (sheet_ > 0) {
        --sheet_;
        redraw();
    }
}

void DocumentPreview::next()
{
    if (sheet_ + 1 < sheets_) {
        ++sheet_;
        redraw();
    }
}

void DocumentPreview::redraw()
{
    const int pageCount = document_ ? document_->pageCount() : -1;
    const std::vector<int> pages = printedPages();
    sheets_ = (static_cast<int>(pages.size()) + numberUp_ - 1) / numberUp_;
    sheet_ = std::clamp(sheet_, 0, std::max(0, sheets_ - 1));
    previous_->setEnabled(sheet_ > 0);
    next_->setEnabled(sheet_ + 1 < sheets_);
    if (!document_) {
        picture_->setPixmap(QPixmap());
        picture_->setText(Tr("No document"));
        where_->clear();
        return;
    }
    if (pageCount < 0) {
        picture_->setPixmap(QPixmap());
        picture_->setText(document_->error().empty() ? Tr("No preview for this kind of document")
                                                     : QString::fromStdString(document_->error()));
        where_->clear();
        return;
    }
    if (pages.empty()) {
        picture_->setPixmap(QPixmap());
        picture_->setText(Tr("The page ranges select no page of this document"));
        where_->clear();
        return;
    }
    const bool turned = (numberUp_ == 2 || numberUp_ == 6) != landscape_;
    const QSize sheetSize = turned ? QSize(kSheetHeight, kSheetWidth) : QSize(kSheetWidth, kSheetHeight);
    QImage sheet(sheetSize, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    const QSize places = grid();
    const QSize cell(sheetSize.width() / places.width(), sheetSize.height() / places.height());
    const std::vector<int> shown = pagesOnSheet();
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == 0)
            continue;
        const QRect box(QPoint(static_cast<int>(i) % places.width() * cell.width(),
                               static_cast<int>(i) / places.width() * cell.height()),
                        cell);
        const QImage page = document_->render(shown[i] - 1, box.size() - QSize(6, 6));
        const QRect at(box.center() - QPoint(page.width() / 2, page.height() / 2), page.size());
        painter.drawImage(at, page);
        painter.setPen(Qt::lightGray);
        painter.drawRect(at.adjusted(0, 0, -1, -1));
    }
    painter.setPen(Qt::darkGray);
    painter.drawRect(sheet.rect().adjusted(0, 0, -1, -1));
    painter.end();
    picture_->setPixmap(QPixmap::fromImage(sheet));
    where_->setText(Tr("Sheet %1 of %2").arg(sheet_ + 1).arg(sheets_));
}
