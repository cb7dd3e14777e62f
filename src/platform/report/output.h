#pragma once
// Where generated report pages go: the page set-up of a report, the targets
// pages are painted on (nothing, a PDF file, a printer or the preview, page
// images) and the plain-text dump of what each page draws.
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QPainter;
class QPdfWriter;
class QPrinter;

namespace report {

struct PageSetup {
    QPageSize Size = QPageSize(QPageSize::Letter);
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    double LeftMargin = 0.5;   // inches, all four
    double TopMargin = 0.5;
    double RightMargin = 0.5;
    double BottomMargin = 0.5;

    static PageSetup Letter(QPageLayout::Orientation o = QPageLayout::Portrait);
    // A page of its own size in inches, e.g. 8.5 by 6.
    static PageSetup Custom(double widthInches, double heightInches,
                            QPageLayout::Orientation o = QPageLayout::Portrait);
    QSizeF PaperInches() const;          // as oriented
    QPageLayout Layout() const;
    bool operator==(const PageSetup& o) const;
};

// One drawn text of a page.
struct DumpLine {
    int page = 0;
    QString report;
    QString band;
    QString control;
    QString text;
    double top = 0;            // inches from the paper's top edge
};

// What a printed item is, for the layout of a page.
enum class ItemKind {
    Text,        // one line of text
    Rule,        // a line, or one side of a box
    Chart,       // a chart's whole box
    ChartText,   // a title, axis label or legend entry inside a chart
    ChartMark,   // a point's label box inside a chart
};

// One printed item and the box it takes on its page: a text line as wide as
// its text, a rule as thick as its pen, a chart as its box.
struct DumpItem {
    int page = 0;
    QString report;
    QString band;
    QString control;
    ItemKind kind = ItemKind::Text;
    QString text;
    QRectF box;                // inches from the paper's top-left corner
    bool footer = false;       // printed by the page footer band
};

struct DumpPage {
    int number = 0;
    QString report;            // the report that began the page
    QSizeF paperInches;
    bool landscape = false;
    QRectF printable;          // inside the margins, inches
    double footerTop = 0;      // where the page footer begins (the bottom margin without one)
};

// What a generation drew, page by page, without pixels.
class Dump {
public:
    std::vector<DumpPage> pages;
    std::vector<DumpLine> lines;
    std::vector<DumpItem> items;              // every printed item's box, page by page

    int PageCount() const { return static_cast<int>(pages.size()); }
    QStringList Texts() const;                  // every text, in drawing order
    QStringList Texts(int page) const;          // the texts of one page
    QStringList TextsOf(const QString& control) const;  // what one control printed, in order
    QStringList Bands(int page) const;          // bands with text on a page, in order, no repeats in a row
    int PageOf(const QString& text) const;      // first page showing the text exactly, 0 if none
    bool Contains(const QString& text) const { return PageOf(text) > 0; }
    std::vector<DumpItem> ItemsOf(const QString& control) const;
    // "page N (W x H in, portrait) Report" headers, then "band<TAB>control<TAB>text" lines,
    // then "@ band<TAB>control<TAB>left top width height" of every item.
    QString ToText() const;
};

// Receives the pages of a generation. A painter works in device pixels with
// its origin at the paper's top-left corner.
class PageTarget {
public:
    virtual ~PageTarget() = default;
    // Starts the next page; returns its painter, or nullptr when pages are
    // only counted and dumped.
    virtual QPainter* BeginPage(const PageSetup& page) = 0;
    virtual void EndPage() {}
    virtual void Finish() {}
    // Device pixels per inch of the page begun last.
    virtual double Dpi() const = 0;
};

// Paints nothing.
class NullTarget : public PageTarget {
public:
    QPainter* BeginPage(const PageSetup&) override { return nullptr; }
    double Dpi() const override { return 72; }
};

// A PDF file with every page at its own size and orientation.
class PdfTarget : public PageTarget {
public:
    explicit PdfTarget(const QString& file, const QString& title = QString());
    ~PdfTarget() override;
    QPainter* BeginPage(const PageSetup& page) override;
    void Finish() override;
    double Dpi() const override;
    bool Ok() const { return ok_; }

private:
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QPainter> painter_;
    bool ok_ = true;
};

// A printer, or the pages of a print preview. Where the device cannot change
// its paper between pages (the preview, most printers) a page of another size
// is placed at the paper's corner, turned when it only fits that way, and
// shrunk when it fits neither way.
class PrinterTarget : public PageTarget {
public:
    explicit PrinterTarget(QPrinter& printer);
    ~PrinterTarget() override;
    QPainter* BeginPage(const PageSetup& page) override;
    void Finish() override;
    double Dpi() const override;

private:
    QPrinter& printer_;
    std::unique_ptr<QPainter> painter_;
};

// Each page as an image at a chosen resolution, white background.
class ImageTarget : public PageTarget {
public:
    explicit ImageTarget(double dpi = 150) : dpi_(dpi) {}
    ~ImageTarget() override;
    QPainter* BeginPage(const PageSetup& page) override;
    void EndPage() override;
    double Dpi() const override { return dpi_; }
    const std::vector<QImage>& Images() const { return images_; }

private:
    double dpi_;
    QImage current_;
    std::unique_ptr<QPainter> painter_;
    std::vector<QImage> images_;
};

} // namespace report
