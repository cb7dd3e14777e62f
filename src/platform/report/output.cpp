#include "platform/report/output.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>

namespace report {

PageSetup PageSetup::Letter(QPageLayout::Orientation o)
{
    PageSetup s;
    s.Orientation = o;
    return s;
}

PageSetup PageSetup::Custom(double widthInches, double heightInches, QPageLayout::Orientation o)
{
    PageSetup s;
    s.Size = QPageSize(QSizeF(widthInches, heightInches), QPageSize::Inch, QString(),
                       QPageSize::ExactMatch);
    s.Orientation = o;
    return s;
}

QSizeF PageSetup::PaperInches() const
{
    // As the paper is defined for portrait (8.5 by 6 stays 8.5 wide), turned for landscape.
    const QSizeF s = Size.size(QPageSize::Inch);
    return Orientation == QPageLayout::Landscape ? s.transposed() : s;
}

QPageLayout PageSetup::Layout() const
{
    // Our pages place their own margins; the device gets the whole paper.
    return QPageLayout(Size, Orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
}

bool PageSetup::operator==(const PageSetup& o) const
{
    return Size.isEquivalentTo(o.Size) && Orientation == o.Orientation && LeftMargin == o.LeftMargin
           && TopMargin == o.TopMargin && RightMargin == o.RightMargin && BottomMargin == o.BottomMargin;
}

QStringList Dump::Texts() const
{
    QStringList t;
    for (const auto& l : lines)
        t << l.text;
    return t;
}

QStringList Dump::Texts(int page) const
{
    QStringList t;
    for (const auto& l : lines)
        if (l.page == page)
            t << l.text;
    return t;
}

QStringList Dump::TextsOf(const QString& control) const
{
    QStringList t;
    for (const auto& l : lines)
        if (l.control == control)
            t << l.text;
    return t;
}

QStringList Dump::Bands(int page) const
{
    QStringList b;
    for (const auto& l : lines)
        if (l.page == page && (b.isEmpty() || b.back() != l.band))
            b << l.band;
    return b;
}

int Dump::PageOf(const QString& text) const
{
    for (const auto& l : lines)
        if (l.text == text)
            return l.page;
    return 0;
}

std::vector<DumpItem> Dump::ItemsOf(const QString& control) const
{
    std::vector<DumpItem> out;
    for (const auto& i : items)
        if (i.control == control)
            out.push_back(i);
    return out;
}

QString Dump::ToText() const
{
    QString out;
    size_t li = 0;
    size_t ii = 0;
    for (const auto& p : pages) {
        out += QStringLiteral("page %1 (%2 x %3 in, %4) %5\n")
                   .arg(p.number)
                   .arg(p.paperInches.width())
                   .arg(p.paperInches.height())
                   .arg(p.landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"))
                   .arg(p.report);
        for (; li < lines.size() && lines[li].page == p.number; ++li)
            out += lines[li].band + QLatin1Char('\t') + lines[li].control + QLatin1Char('\t')
                   + lines[li].text + QLatin1Char('\n');
        for (; ii < items.size() && items[ii].page == p.number; ++ii) {
            const QRectF& b = items[ii].box;
            out += QStringLiteral("@ %1\t%2\t%3 %4 %5 %6\n")
                       .arg(items[ii].band, items[ii].control)
                       .arg(b.left(), 0, 'f', 3)
                       .arg(b.top(), 0, 'f', 3)
                       .arg(b.width(), 0, 'f', 3)
                       .arg(b.height(), 0, 'f', 3);
        }
    }
    return out;
}

// ---------------------------------------------------------------------------

PdfTarget::PdfTarget(const QString& file, const QString& title)
    : writer_(std::make_unique<QPdfWriter>(file))
{
    writer_->setResolution(1200);
    writer_->setCreator(QStringLiteral("Mersol"));
    if (!title.isEmpty())
        writer_->setTitle(title);
}

PdfTarget::~PdfTarget()
{
    Finish();
}

QPainter* PdfTarget::BeginPage(const PageSetup& page)
{
    writer_->setPageLayout(page.Layout());
    if (!painter_) {
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(writer_.get())) {
            ok_ = false;
            painter_.reset();
            return nullptr;
        }
    } else {
        writer_->newPage();
    }
    return painter_.get();
}

void PdfTarget::Finish()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    } else if (ok_ && writer_) {
        // A document without pages still leaves a valid (empty) file.
        QPainter p;
        ok_ = p.begin(writer_.get());
        p.end();
    }
    writer_.reset();
}

double PdfTarget::Dpi() const
{
    return writer_ ? writer_->resolution() : 1200;
}

// ---------------------------------------------------------------------------

PrinterTarget::PrinterTarget(QPrinter& printer) : printer_(printer)
{
    printer_.setFullPage(true);
}

PrinterTarget::~PrinterTarget()
{
    Finish();
}

QPainter* PrinterTarget::BeginPage(const PageSetup& page)
{
    if (!painter_) {
        printer_.setPageLayout(page.Layout());
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(&printer_)) {
            painter_.reset();
            return nullptr;
        }
    } else {
        // Only a PDF printer changes paper in the middle of a job.
        if (printer_.paintEngine() && printer_.paintEngine()->type() == QPaintEngine::Pdf)
            printer_.setPageLayout(page.Layout());
        printer_.newPage();
    }
    painter_->resetTransform();
    const double dpi = Dpi();
    const QSizeF want = page.PaperInches() * dpi;
    const QSizeF have = printer_.pageLayout().fullRectPoints().size() * (dpi / 72.0);
    const double tol = dpi / 100;
    auto fits = [&](const QSizeF& s) {
        return s.width() <= have.width() + tol && s.height() <= have.height() + tol;
    };
    if (fits(want)) {
        // Placed at the corner as it is.
    } else if (fits(want.transposed())) {
        painter_->translate(have.width(), 0);
        painter_->rotate(90);
    } else {
        const double f = std::min(have.width() / want.width(), have.height() / want.height());
        painter_->scale(f, f);
    }
    return painter_.get();
}

void PrinterTarget::Finish()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

double PrinterTarget::Dpi() const
{
    return printer_.resolution();
}

// ---------------------------------------------------------------------------

ImageTarget::~ImageTarget()
{
    EndPage();
}

QPainter* ImageTarget::BeginPage(const PageSetup& page)
{
    EndPage();
    const QSizeF in = page.PaperInches();
    current_ = QImage(qRound(in.width() * dpi_), qRound(in.height() * dpi_), QImage::Format_RGB32);
    const int dpm = qRound(dpi_ / 0.0254);
    current_.setDotsPerMeterX(dpm);
    current_.setDotsPerMeterY(dpm);
    current_.fill(Qt::white);
    painter_ = std::make_unique<QPainter>(&current_);
    painter_->setRenderHint(QPainter::Antialiasing, true);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
    return painter_.get();
}

void ImageTarget::EndPage()
{
    if (!painter_)
        return;
    painter_->end();
    painter_.reset();
    images_.push_back(current_);
    current_ = QImage();
}

} // namespace report
