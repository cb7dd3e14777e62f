#include "platform/report/report.h"
#include "platform/db/db.h"
#include "platform/report/preview.h"

#include <QPainter>

#include <algorithm>
#include <optional>

namespace report {

// ---------------------------------------------------------------------------
// Bands

Band::Band(Report* owner, BandType type, QString name, double height)
    : Type(type), Name(std::move(name)), Height(height), owner_(owner)
{
}

Label* Band::AddLabel(const QString& name, const QString& caption, double left, double top,
                      double width, Qt::Alignment align)
{
    Label* c = Add<Label>(name, QRectF(left, top, width, 0), caption);
    c->Alignment = align;
    return c;
}

DBText* Band::AddDBText(const QString& name, db::Field* field, double left, double top, double width,
                        const QString& mask, Qt::Alignment align)
{
    DBText* c = Add<DBText>(name, QRectF(left, top, width, 0), field, mask);
    c->Alignment = align;
    return c;
}

DBText* Band::AddDBText(const QString& name, db::Table* table, const QString& field, double left,
                        double top, double width, const QString& mask, Qt::Alignment align)
{
    DBText* c = Add<DBText>(name, QRectF(left, top, width, 0), table, field, mask);
    c->Alignment = align;
    return c;
}

SysData* Band::AddSysData(const QString& name, SysDataKind kind, double left, double top, double width,
                          const QString& prefix, Qt::Alignment align)
{
    SysData* c = Add<SysData>(name, QRectF(left, top, width, 0), kind, prefix);
    c->Alignment = align;
    return c;
}

Shape* Band::AddShape(const QString& name, ShapeKind kind, const QRectF& rect)
{
    return Add<Shape>(name, rect, kind);
}

Memo* Band::AddMemo(const QString& name, const QRectF& rect, const QString& text)
{
    return Add<Memo>(name, rect, text);
}

ChartControl* Band::AddChart(const QString& name, const QRectF& rect)
{
    return Add<ChartControl>(name, rect);
}

Control* Band::FindControl(const QString& name) const
{
    for (const auto& c : controls_)
        if (c->Name == name)
            return c.get();
    return nullptr;
}

// ---------------------------------------------------------------------------
// Documents

namespace {

GenerationObserver& ObserverRef()
{
    static GenerationObserver o;
    return o;
}

int keptCursors = 0;   // the KeptCursors alive, outermost first

} // namespace

KeptCursor::KeptCursor() : outermost_(keptCursors++ == 0), saved_(ui::ScreenCursor()) {}

KeptCursor::~KeptCursor()
{
    --keptCursors;
    if (outermost_)
        ui::SetScreenCursor(saved_);
}

Dump Document::Generate(PageTarget& target)
{
    const KeptCursor cursor;
    Generation g(target, PrintDate.isValid() ? PrintDate : QDate::currentDate());
    try {
        Run(g);
    } catch (...) {
        g.ClosePage();
        target.Finish();
        throw;
    }
    g.ClosePage();
    target.Finish();
    Dump d = std::move(g.Output());
    if (AfterGenerate)
        AfterGenerate(d);
    if (ObserverRef())
        ObserverRef()(*this, d);
    return d;
}

GenerationObserver SetGenerationObserver(GenerationObserver observer)
{
    GenerationObserver old = std::move(ObserverRef());
    ObserverRef() = std::move(observer);
    return old;
}

void Document::Preview()
{
    report::Preview(*this);
}

bool Document::Print()
{
    return report::Print(*this);
}

QPainter* Generation::OpenPage(const PageSetup& setup, const QString& reportName)
{
    ClosePage();
    ++page_;
    open_ = true;
    DumpPage p;
    p.number = page_;
    p.report = reportName;
    p.paperInches = setup.PaperInches();
    p.landscape = setup.Orientation == QPageLayout::Landscape;
    p.printable = QRectF(setup.LeftMargin, setup.TopMargin,
                         p.paperInches.width() - setup.LeftMargin - setup.RightMargin,
                         p.paperInches.height() - setup.TopMargin - setup.BottomMargin);
    p.footerTop = p.printable.bottom();
    dump_.pages.push_back(p);
    return target_.BeginPage(setup);
}

void Generation::ClosePage()
{
    if (!open_)
        return;
    open_ = false;
    target_.EndPage();
}

// ---------------------------------------------------------------------------
// One run of a report

struct Report::Run_ {
    Report& r;
    Generation& g;
    QPainter* painter = nullptr;
    double dpi = 72;
    double y = 0;              // inches from the paper's top
    double bodyBottom = 0;     // where the page footer begins
    bool pageHasBody = false;  // something besides page header and column header
    bool firstPage = true;
    bool newPageRequested = false;
    bool headerPending = false;     // the column header waits for its first row on this page
    bool rowsPrinted = false;       // some detail band of the report has printed
    int detailCount = 0;

    Run_(Report& report, Generation& gen) : r(report), g(gen) {}

    PrintContext Context() const
    {
        PrintContext c;
        c.report = &r;
        c.pageNumber = g.PageNumber();
        c.detailCount = detailCount;
        c.date = g.Date();
        return c;
    }

    double BandWidth() const
    {
        return r.Page.PaperInches().width() - r.Page.LeftMargin - r.Page.RightMargin;
    }

    double ControlWidth(const Control& c) const
    {
        return c.Rect.width() > 0 ? c.Rect.width() : std::max(0.0, BandWidth() - c.Rect.left());
    }

    // Where each control of a band goes as it prints now. A stretching
    // control as tall as its text pushes down whatever lies below it by as
    // much as it grew, so nothing prints over it; the band grows with it.
    struct BandLayout {
        std::vector<double> shift;    // per control, inches down from its place
        std::vector<double> height;   // per control, as printed
        double height_ = 0;           // the band's
    };

    BandLayout Lay(const Band& b) const
    {
        const PrintContext ctx = Context();
        const int n = b.ControlCount();
        BandLayout L;
        L.shift.assign(static_cast<size_t>(n), 0.0);
        L.height.assign(static_cast<size_t>(n), 0.0);
        struct Stretcher {
            double top, bottom, grow;
            int index;
        };
        std::vector<Stretcher> stretchers;
        std::vector<bool> stretched(static_cast<size_t>(n), false);
        for (int i = 0; i < n; ++i) {
            const Control* c = b.ControlAt(i);
            const double designed = c->Rect.height() > 0 ? c->Rect.height() : c->Stretches() ? 0.0 : c->LineHeight();
            double h = designed;
            if (c->Enabled && c->Stretches())
                h = std::max(designed, c->NeededHeight(ctx, ControlWidth(*c)));
            L.height[static_cast<size_t>(i)] = h;
            if (c->Enabled && h > designed) {
                stretchers.push_back({c->Rect.top(), c->Rect.top() + designed, h - designed, i});
                stretched[static_cast<size_t>(i)] = true;
            }
        }
        // Top down, so each one's own shift is known before it moves those below it.
        std::sort(stretchers.begin(), stretchers.end(), [](const Stretcher& a, const Stretcher& c) {
            return a.top != c.top ? a.top < c.top : a.bottom < c.bottom;
        });
        // How far a place at `y` moves: as far as the lowest reach of what
        // grew above it (a control never pushes itself).
        auto shiftAt = [&](double y, int self = -1) {
            double d = 0;
            for (const Stretcher& s : stretchers)
                if (s.index != self && s.bottom <= y + 1e-9)
                    d = std::max(d, L.shift[static_cast<size_t>(s.index)] + s.grow);
            return d;
        };
        for (const Stretcher& s : stretchers)
            L.shift[static_cast<size_t>(s.index)] = shiftAt(s.top, s.index);
        double height = b.Height + shiftAt(b.Height);
        for (int i = 0; i < n; ++i) {
            const Control* c = b.ControlAt(i);
            if (!stretched[static_cast<size_t>(i)])
                L.shift[static_cast<size_t>(i)] = shiftAt(c->Rect.top());
            if (c->Enabled && c->Stretches())
                height = std::max(height, c->Rect.top() + L.shift[static_cast<size_t>(i)] + L.height[static_cast<size_t>(i)]);
        }
        L.height_ = height;
        return L;
    }

    // Paints and dumps a band at `top` (inches from the paper's top). A band
    // that runs past `limit` is painted only down to it, so nothing it holds
    // prints over the page footer or off the paper; the record keeps every
    // item's whole box, so a layout check still sees what was cut.
    void Emit(const Band& b, const BandLayout& L, double top, double limit)
    {
        const PrintContext ctx = Context();
        const double height = L.height_;
        const double left = r.Page.LeftMargin;
        const bool cut = top + height > limit + 1e-9;
        if (painter && cut) {
            painter->save();
            painter->setClipRect(QRectF(0, 0, r.Page.PaperInches().width() * dpi, limit * dpi), Qt::IntersectClip);
        }
        if (painter && b.Color.isValid())
            painter->fillRect(QRectF(left * dpi, top * dpi, BandWidth() * dpi, height * dpi), b.Color);
        for (int i = 0; i < b.ControlCount(); ++i) {
            const Control* c = b.ControlAt(i);
            if (!c->Enabled)
                continue;
            const double w = ControlWidth(*c);
            const double h = L.height[static_cast<size_t>(i)];
            const double cTop = top + c->Rect.top() + L.shift[static_cast<size_t>(i)];
            double lineTop = cTop;
            for (const QString& t : c->DumpLines(ctx, w, h)) {
                g.Output().lines.push_back({g.PageNumber(), r.Name, b.Name, c->Name, t, lineTop});
                lineTop += c->LineHeight();
            }
            const QRectF inches(left + c->Rect.left(), cTop, w, h);
            std::vector<DumpItem> items;
            c->Items(ctx, inches, items);
            for (DumpItem& item : items) {
                item.page = g.PageNumber();
                item.report = r.Name;
                item.band = b.Name;
                item.control = c->Name;
                item.footer = b.Type == BandType::PageFooter;
                g.Output().items.push_back(std::move(item));
            }
            if (painter) {
                const QRectF box(inches.left() * dpi, inches.top() * dpi, w * dpi, h * dpi);
                painter->save();
                c->Paint(*painter, box, dpi, ctx);
                painter->restore();
            }
        }
        if (painter && cut)
            painter->restore();
    }

    double PaperBottom() const { return r.Page.PaperInches().height() - r.Page.BottomMargin; }

    // A band that repeats on pages (headers, footers) made ready to print:
    // its handler has run and it is laid out; none when it does not print.
    std::optional<BandLayout> Ready(Band* b)
    {
        if (!b)
            return std::nullopt;
        bool print = true;
        if (b->BeforePrint)
            b->BeforePrint(*b, print);
        newPageRequested = false;  // a header cannot move its own page
        if (!print)
            return std::nullopt;
        return Lay(*b);
    }

    // Such bands print without paging.
    void PrintFurniture(Band* b, bool atBottom)
    {
        const std::optional<BandLayout> L = Ready(b);
        if (!L)
            return;
        if (atBottom) {
            Emit(*b, *L, bodyBottom, PaperBottom());
        } else {
            Emit(*b, *L, y, bodyBottom);
            y += L->height_;
        }
    }

    // Whether a band as laid out would print nothing at all.
    bool Blank(const Band& b, const BandLayout& L) const
    {
        if (b.Color.isValid())
            return false;
        const PrintContext ctx = Context();
        std::vector<DumpItem> items;
        for (int i = 0; i < b.ControlCount() && items.empty(); ++i) {
            const Control* c = b.ControlAt(i);
            if (c->Enabled)
                c->Items(ctx, QRectF(0, 0, ControlWidth(*c), L.height[static_cast<size_t>(i)]), items);
        }
        return items.empty();
    }

    void StartPage()
    {
        painter = g.OpenPage(r.Page, r.Name);
        dpi = g.Target().Dpi();
        y = r.Page.TopMargin;
        Band* footer = r.BandOf(BandType::PageFooter);
        bodyBottom = PaperBottom() - (footer ? footer->Height : 0);
        g.Output().pages.back().footerTop = bodyBottom;
        pageHasBody = false;
        headerPending = r.BandOf(BandType::ColumnHeader) != nullptr;
        if (r.OnStartPage)
            r.OnStartPage(r);
        if (!firstPage || r.FirstPageHeader)
            PrintFurniture(r.BandOf(BandType::PageHeader), false);
    }

    void EndPage(bool last)
    {
        if (!last || r.LastPageFooter)
            PrintFurniture(r.BandOf(BandType::PageFooter), true);
        g.ClosePage();
    }

    void BreakPage()
    {
        EndPage(false);
        firstPage = false;
        StartPage();
    }

    // The column header prints with its page's first row, never alone at
    // the foot of a page nor over a page without rows. A report without
    // rows still shows it over whatever stands in their place.
    bool Heads(const Band& b) const
    {
        return headerPending && (b.Type == BandType::Detail || (b.Type == BandType::Summary && !rowsPrinted));
    }

    std::optional<BandLayout> HeaderFor(const Band& b)
    {
        if (!Heads(b))
            return std::nullopt;
        headerPending = false;
        return Ready(r.BandOf(BandType::ColumnHeader));
    }

    void FlushHeader()
    {
        if (headerPending && !rowsPrinted)
            PrintFurniture(r.BandOf(BandType::ColumnHeader), false);
        headerPending = false;
    }

    void PrintBody(Band* b)
    {
        if (!b)
            return;
        if (b->ForceNewPage && pageHasBody)
            BreakPage();
        newPageRequested = false;
        bool print = true;
        if (b->BeforePrint)
            b->BeforePrint(*b, print);
        if (newPageRequested) {
            newPageRequested = false;
            if (pageHasBody)
                BreakPage();
        }
        if (!print)
            return;
        BandLayout L = Lay(*b);
        // Nothing to print needs no page of its own.
        if (!Heads(*b) && Blank(*b, L) && y + L.height_ > bodyBottom + 1e-9)
            return;
        std::optional<BandLayout> head = HeaderFor(*b);
        const double headHeight = head ? head->height_ : 0.0;
        // A band too tall for any page prints anyway, cut at the page footer.
        if (y + headHeight + L.height_ > bodyBottom + 1e-9 && pageHasBody) {
            BreakPage();
            head = HeaderFor(*b);
            L = Lay(*b);   // laid out again in the new page's context
        }
        if (head) {
            Emit(*r.BandOf(BandType::ColumnHeader), *head, y, bodyBottom);
            y += head->height_;
        }
        Emit(*b, L, y, bodyBottom);
        y += L.height_;
        pageHasBody = true;
        rowsPrinted = rowsPrinted || b->Type == BandType::Detail;
    }
};

Report::Report(QString name) : Name(std::move(name)) {}

Report::~Report() = default;

Band* Report::AddBand(BandType type, const QString& name, double height)
{
    bands_.push_back(std::make_unique<Band>(this, type, name, height));
    return bands_.back().get();
}

Band* Report::BandOf(BandType type) const
{
    for (const auto& b : bands_)
        if (b->Type == type)
            return b.get();
    return nullptr;
}

Band* Report::FindBand(const QString& name) const
{
    for (const auto& b : bands_)
        if (b->Name == name)
            return b.get();
    return nullptr;
}

Control* Report::FindControl(const QString& name) const
{
    for (const auto& b : bands_)
        if (Control* c = b->FindControl(name))
            return c;
    return nullptr;
}

void Report::NewPage()
{
    if (run_)
        run_->newPageRequested = true;
}

int Report::PageNumber() const
{
    return run_ ? run_->g.PageNumber() : 0;
}

int Report::DetailCount() const
{
    return run_ ? run_->detailCount : 0;
}

void Report::Run(Generation& g)
{
    Run_ run(*this, g);
    struct Scope {
        Report& r;
        ~Scope() { r.run_ = nullptr; }
    } scope{*this};
    run_ = &run;

    if (BeforePrint)
        BeforePrint(*this);
    if (bands_.empty())
        return;   // nothing to print: no blank page
    if (DataSet && !DataSet->Active())
        DataSet->Open();
    const bool empty = DataSet && DataSet->IsEmpty();
    if (empty && !PrintIfEmpty)
        return;

    run.StartPage();
    run.PrintBody(BandOf(BandType::Title));

    Band* detail = BandOf(BandType::Detail);
    if (DataSet) {
        // The table's own cursor: a handler that moves it moves the loop.
        for (DataSet->First(); !DataSet->Eof(); DataSet->Next()) {
            ++run.detailCount;
            run.PrintBody(detail);
        }
    } else if (detail) {
        ++run.detailCount;
        run.PrintBody(detail);
    }
    run.PrintBody(BandOf(BandType::Summary));
    run.FlushHeader();
    run.EndPage(true);
}

void CompositeReport::Run(Generation& g)
{
    Reports.clear();
    if (OnAddReports)
        OnAddReports(*this);
    for (Report* r : Reports) {
        g.ClosePage();
        r->Run(g);
    }
}

} // namespace report
