#pragma once
// The banded report engine. A Report walks one table (or none) and prints
// its bands page by page: title, page header, column header, one detail band
// per row, summary and page footer, each band with a before-print handler
// that may change its controls, hide the band or ask for a new page. A
// CompositeReport chains several reports into one document. Generation runs
// the same code for the preview, the printer, PDF, page images and the
// plain-text dump.
#include "platform/report/controls.h"
#include "platform/report/output.h"
#include "platform/ui/cursor.h"

#include <QDate>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace db { class Table; }

namespace report {

enum class BandType { Title, PageHeader, ColumnHeader, Detail, Summary, PageFooter };

class Report;

class Band {
public:
    Band(Report* owner, BandType type, QString name, double height);
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;

    Report* Owner() const { return owner_; }
    BandType Type;
    QString Name;
    double Height;             // inches; stretching memos may make it taller
    bool ForceNewPage = false; // starts on a new page unless its page is still empty
    QColor Color;              // background, invalid: none

    // Runs before the band prints, on the report's current row. Clearing
    // the flag leaves the band out; Report::NewPage moves it to a new page.
    std::function<void(Band&, bool& printBand)> BeforePrint;

    template <class C, class... Args>
    C* Add(Args&&... args)
    {
        controls_.push_back(std::make_unique<C>(std::forward<Args>(args)...));
        return static_cast<C*>(controls_.back().get());
    }
    Label* AddLabel(const QString& name, const QString& caption, double left, double top,
                    double width = 0, Qt::Alignment align = Qt::AlignLeft);
    DBText* AddDBText(const QString& name, db::Field* field, double left, double top,
                      double width = 0, const QString& mask = QString(), Qt::Alignment align = Qt::AlignLeft);
    DBText* AddDBText(const QString& name, db::Table* table, const QString& field, double left,
                      double top, double width = 0, const QString& mask = QString(),
                      Qt::Alignment align = Qt::AlignLeft);
    SysData* AddSysData(const QString& name, SysDataKind kind, double left, double top,
                        double width = 0, const QString& prefix = QString(),
                        Qt::Alignment align = Qt::AlignLeft);
    Shape* AddShape(const QString& name, ShapeKind kind, const QRectF& rect);
    Memo* AddMemo(const QString& name, const QRectF& rect, const QString& text = QString());
    ChartControl* AddChart(const QString& name, const QRectF& rect);

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    Control* ControlAt(int i) const { return controls_.at(static_cast<size_t>(i)).get(); }
    Control* FindControl(const QString& name) const;

private:
    Report* owner_;
    std::vector<std::unique_ptr<Control>> controls_;
};

class Generation;

// Keeps the screen cursor for the outermost preview, print or generation in
// hand: the handlers of a report set the arrow for its pages, which stays
// while its preview is open and goes with it, and a generation nested in
// either leaves that to it. Whatever way it ends, the cursor is then as it
// was found.
class KeptCursor {
public:
    KeptCursor();
    ~KeptCursor();
    KeptCursor(const KeptCursor&) = delete;
    KeptCursor& operator=(const KeptCursor&) = delete;

private:
    bool outermost_;
    ui::Cursor saved_;
};

// Something that can be previewed and printed: a report or a composite.
class Document {
public:
    virtual ~Document() = default;

    QString Title;             // caption of the preview window and the PDF title
    QDate PrintDate;           // the date printed; invalid: the day of generation

    // One full generation onto a target: handlers run, pages are painted.
    // Returns what was drawn.
    Dump Generate(PageTarget& target);
    // Called after every generation (preview, print, export) with its dump.
    std::function<void(const Dump&)> AfterGenerate;

    // Convenience: report::Preview / report::Print of this document.
    void Preview();
    bool Print();

protected:
    virtual void Run(Generation& g) = 0;
    friend class CompositeReport;
};

class Report : public Document {
public:
    explicit Report(QString name = QString());
    ~Report() override;
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    QString Name;
    QString ReportTitle;
    db::Table* DataSet = nullptr;  // none: the detail band prints once
    PageSetup Page;
    bool PrintIfEmpty = true;      // an empty table still prints title, headers and summary
    bool FirstPageHeader = true;   // the page header also on the report's first page
    bool LastPageFooter = true;    // the page footer also on the report's last page

    // The report starts (every generation: preview, print, export). A report
    // without bands prints no page.
    std::function<void(Report&)> BeforePrint;
    // A page of this report starts, before its page header.
    std::function<void(Report&)> OnStartPage;

    Band* AddBand(BandType type, const QString& name, double height);
    Band* BandOf(BandType type) const;       // the first band of a type
    Band* FindBand(const QString& name) const;
    Control* FindControl(const QString& name) const;
    int BandCount() const { return static_cast<int>(bands_.size()); }
    Band* BandAt(int i) const { return bands_.at(static_cast<size_t>(i)).get(); }

    // From a handler: the next band starts on a new page. A request on a
    // page that has printed nothing but its headers is ignored, so no page
    // is left blank.
    void NewPage();
    // While generating: the page number and the detail rows printed so far.
    int PageNumber() const;
    int DetailCount() const;

protected:
    void Run(Generation& g) override;

private:
    friend class CompositeReport;
    struct Run_;
    std::vector<std::unique_ptr<Band>> bands_;
    Run_* run_ = nullptr;
};

// Several reports printed as one document: OnAddReports fills the list
// afresh for every generation; each report starts on a new page with its own
// page set-up, and page numbers run on.
class CompositeReport : public Document {
public:
    std::function<void(CompositeReport&)> OnAddReports;
    void Add(Report* r) { Reports.push_back(r); }
    std::vector<Report*> Reports;

protected:
    void Run(Generation& g) override;
};

// Sees every generation of every document with what it drew, after the
// document's own AfterGenerate; tests check the layout of all they print
// through it. Returns the observer it replaces.
using GenerationObserver = std::function<void(const Document&, const Dump&)>;
GenerationObserver SetGenerationObserver(GenerationObserver observer);

// The state of one generation shared by the reports of a document.
class Generation {
public:
    Generation(PageTarget& target, QDate date) : target_(target), date_(date) {}
    PageTarget& Target() { return target_; }
    QDate Date() const { return date_; }
    Dump& Output() { return dump_; }
    int PageNumber() const { return page_; }

    // Opens the next physical page for a report; returns its painter or nullptr.
    QPainter* OpenPage(const PageSetup& setup, const QString& reportName);
    void ClosePage();
    bool PageOpen() const { return open_; }

private:
    PageTarget& target_;
    QDate date_;
    Dump dump_;
    int page_ = 0;
    bool open_ = false;
};

} // namespace report
