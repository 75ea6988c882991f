#include "DocumentPages.h"
#include "TintDialogTranslation.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <libspectre/spectre.h>
#include <poppler-qt6.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

// The first bytes of the file: the kind of document, as the printer's
// filters tell it, not its name.
std::string Head(const std::string &path)
{
    char buffer[8] = {};
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f)
        return {};
    const size_t n = std::fread(buffer, 1, sizeof buffer, f);
    std::fclose(f);
    return std::string(buffer, n);
}

// The largest page number ranges name (an open range "N-" names N), or 0.
int HighestPage(const std::string &ranges)
{
    int highest = 0;
    for (const char *p = ranges.c_str(); *p;) {
        if (*p < '0' || *p > '9') {
            ++p;
            continue;
        }
        char *end = nullptr;
        const long n = std::strtol(p, &end, 10);
        highest = std::max<long>(highest, n);
        p = end;
    }
    return highest;
}

} // namespace

struct DocumentPages::Backend {
    std::unique_ptr<Poppler::Document> pdf;
    SpectreDocument *ps = nullptr;
    QImage image;
    ~Backend()
    {
        if (ps)
            spectre_document_free(ps);
    }
};

DocumentPages::DocumentPages(const std::string &path) : backend_(std::make_unique<Backend>())
{
    const std::string head = Head(path);
    if (head.compare(0, 5, "%PDF-") == 0) {
        backend_->pdf = Poppler::Document::load(QString::fromStdString(path));
        if (!backend_->pdf || backend_->pdf->isLocked()) {
            error_ = Tr("%1 cannot be read as PDF").arg(QString::fromStdString(path)).toStdString();
            backend_->pdf.reset();
            return;
        }
        pageCount_ = backend_->pdf->numPages();
    } else if (head.compare(0, 2, "%!") == 0) {
        backend_->ps = spectre_document_new();
        spectre_document_load(backend_->ps, path.c_str());
        if (spectre_document_status(backend_->ps) != SPECTRE_STATUS_SUCCESS) {
            error_ = Tr("%1 cannot be read as PostScript").arg(QString::fromStdString(path)).toStdString();
            return;
        }
        pageCount_ = static_cast<int>(spectre_document_get_n_pages(backend_->ps));
    } else if (QImageReader reader(QString::fromStdString(path)); reader.canRead()) {
        backend_->image = reader.read();
        pageCount_ = backend_->image.isNull() ? -1 : 1;
    }
}

DocumentPages::~DocumentPages() = default;

QImage DocumentPages::render(int index, QSize box) const
{
    if (index < 0 || index >= pageCount_ || box.isEmpty())
        return {};
    QImage page;
    if (backend_->pdf) {
        std::unique_ptr<Poppler::Page> p(backend_->pdf->page(index));
        if (!p)
            return {};
        const QSizeF points = p->pageSizeF();
        const double scale = std::min(box.width() / points.width(), box.height() / points.height());
        page = p->renderToImage(72.0 * scale, 72.0 * scale);
    } else if (backend_->ps) {
        SpectrePage *p = spectre_document_get_page(backend_->ps, static_cast<unsigned>(index));
        if (!p)
            return {};
        int width = 0, height = 0;
        spectre_page_get_size(p, &width, &height);
        const double scale = width > 0 && height > 0
                                 ? std::min(double(box.width()) / width, double(box.height()) / height)
                                 : 1.0;
        SpectreRenderContext *rc = spectre_render_context_new();
        spectre_render_context_set_scale(rc, scale, scale);
        unsigned char *data = nullptr;
        int stride = 0;
        spectre_page_render(p, rc, &data, &stride);
        if (data && spectre_page_status(p) == SPECTRE_STATUS_SUCCESS) {
            const int w = static_cast<int>(width * scale), h = static_cast<int>(height * scale);
            page = QImage(data, w, h, stride, QImage::Format_RGB32).copy();
        }
        std::free(data);
        spectre_render_context_free(rc);
        spectre_page_free(p);
    } else {
        page = backend_->image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return page;
}

std::vector<int> DocumentPagesSelected(const std::string &ranges, int pageCount)
{
    std::vector<int> pages;
    if (ranges.empty()) {
        for (int i = 1; i <= pageCount; ++i)
            pages.push_back(i);
        return pages;
    }
    size_t start = 0;
    while (start <= ranges.size()) {
        size_t comma = ranges.find(',', start);
        const std::string part =
            ranges.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const size_t dash = part.find('-');
        const int from = std::atoi(part.c_str());
        const int to = dash == std::string::npos ? from
                       : dash + 1 == part.size() ? pageCount
                                                 : std::atoi(part.c_str() + dash + 1);
        for (int i = std::max(from, 1); i <= std::min(to, pageCount); ++i)
            pages.push_back(i);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return pages;
}

bool DocumentPagesCheckRanges(const std::vector<std::string> &files, const std::string &ranges,
                              std::string *error)
{
    const int highest = HighestPage(ranges);
    if (highest == 0)
        return true;
    for (const std::string &file : files) {
        if (file == "-")
            continue;
        DocumentPages document(file);
        if (document.pageCount() < 0 || highest <= document.pageCount())
            continue;
        *error = Tr("page range %1 goes beyond the %2 page(s) of %3")
                     .arg(QString::fromStdString(ranges))
                     .arg(document.pageCount())
                     .arg(QFileInfo(QString::fromStdString(file)).fileName())
                     .toStdString();
        return false;
    }
    return true;
}
