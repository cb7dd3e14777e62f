#include "report_fixture.h"

#include "platform/chart/fonts.h"
#include "support/dialogdriver.h"
#include "support/layoutcheck.h"
#include "platform/ui/uiseam.h"

#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QApplication>

using namespace report;

namespace {

TEST_F(ReportTest, BandsPrintInOrderOnOnePage)
{
    auto r = MakeReport("Jobs");
    const Dump d = RenderDump(*r);
    ASSERT_EQ(d.PageCount(), 1);
    EXPECT_EQ(d.Bands(1), (QStringList{"PageHeader", "Title", "ColumnHeader", "Detail", "Summary", "PageFooter"}));
    EXPECT_EQ(d.Texts(1), (QStringList{"Header", "Jobs Title", "Columns", "Detail", "Total: 1", "Page number:", "1"}));
    EXPECT_EQ(d.pages[0].report, "Jobs");
    EXPECT_FALSE(d.pages[0].landscape);
    EXPECT_DOUBLE_EQ(d.pages[0].paperInches.width(), 8.5);
    EXPECT_DOUBLE_EQ(d.pages[0].paperInches.height(), 11);
}

TEST_F(ReportTest, HandlersChangeCaptionsHideBandsAndDisableControls)
{
    auto r = MakeReport("R");
    Band* title = r->FindBand("Title");
    auto* sys = title->AddLabel("SysType", "", 0, 0.3);
    auto* extra = title->AddLabel("Extra", "extra", 0, 0.5);
    int runs = 0;
    title->BeforePrint = [&](Band& b, bool&) {
        ++runs;
        static_cast<Label*>(b.FindControl("SysType"))->Caption = QString("run %1").arg(runs);
        extra->Enabled = runs % 2 == 0;
    };
    r->FindBand("Summary")->BeforePrint = [](Band&, bool& print) { print = false; };

    Dump d = RenderDump(*r);
    EXPECT_TRUE(d.Contains("run 1"));
    EXPECT_FALSE(d.Contains("extra"));
    EXPECT_FALSE(d.Bands(1).contains("Summary"));
    d = RenderDump(*r);
    EXPECT_TRUE(d.Contains("run 2"));
    EXPECT_TRUE(d.Contains("extra"));
    EXPECT_EQ(sys->Caption, "run 2");
}

TEST_F(ReportTest, StartEventsRunOnEveryGenerationAndPage)
{
    auto r = MakeReport("R");
    int starts = 0;
    std::vector<int> pageStarts;
    r->BeforePrint = [&](Report&) { ++starts; };
    r->OnStartPage = [&](Report& rep) { pageStarts.push_back(rep.PageNumber()); };
    // A new page before the summary gives the report two pages.
    r->FindBand("Summary")->BeforePrint = [](Band& b, bool&) { b.Owner()->NewPage(); };
    RenderDump(*r);
    RenderDump(*r);
    EXPECT_EQ(starts, 2);
    EXPECT_EQ(pageStarts, (std::vector<int>{1, 2, 1, 2}));
}

TEST_F(ReportTest, NewPageRequestsNeverLeaveABlankPage)
{
    auto r = MakeReport("Pump");
    // Asked for at the very start: the page is still empty, so nothing happens.
    r->FindBand("Title")->BeforePrint = [](Band& b, bool&) { b.Owner()->NewPage(); };
    Dump d = RenderDump(*r);
    ASSERT_EQ(d.PageCount(), 1);
    EXPECT_EQ(d.PageOf("Pump Title"), 1);

    // Asked for before the detail: the detail and what follows move on.
    r->FindBand("Detail")->BeforePrint = [](Band& b, bool&) { b.Owner()->NewPage(); };
    d = RenderDump(*r);
    ASSERT_EQ(d.PageCount(), 2);
    EXPECT_EQ(d.Bands(1), (QStringList{"PageHeader", "Title", "PageFooter"}));
    EXPECT_EQ(d.Bands(2), (QStringList{"PageHeader", "ColumnHeader", "Detail", "Summary", "PageFooter"}));

    // ForceNewPage on a band of a page that has printed something.
    r->FindBand("Detail")->BeforePrint = nullptr;
    r->FindBand("Summary")->ForceNewPage = true;
    d = RenderDump(*r);
    ASSERT_EQ(d.PageCount(), 2);
    EXPECT_EQ(d.PageOf("Total: 1"), 2);
    r->FindBand("Title")->ForceNewPage = true;   // first band of the report: no break
    EXPECT_EQ(RenderDump(*r).PageCount(), 2);
}

TEST_F(ReportTest, FirstPageHeaderAndLastPageFooterOptions)
{
    auto r = MakeReport("R");
    r->FindBand("Summary")->ForceNewPage = true;
    r->FirstPageHeader = false;
    r->LastPageFooter = false;
    const Dump d = RenderDump(*r);
    ASSERT_EQ(d.PageCount(), 2);
    EXPECT_EQ(d.Bands(1), (QStringList{"Title", "ColumnHeader", "Detail", "PageFooter"}));
    EXPECT_EQ(d.Bands(2), (QStringList{"PageHeader", "Summary"}));
}

// The column header goes where its first row goes; a band that prints
// nothing, at the foot of a full page, opens no page.
TEST_F(ReportTest, ColumnHeaderStaysWithItsFirstRow)
{
    auto r = MakeReport("R");
    r->FindBand("Title")->Height = 9.0;   // room for the header, not for a row under it
    Dump d = RenderDump(*r);
    EXPECT_EQ(d.Bands(1), (QStringList{"PageHeader", "Title", "PageFooter"}));
    EXPECT_EQ(d.PageOf("Columns"), 2);
    r->FindBand("Title")->Height = 8.7;
    r->FindBand("Summary")->FindControl("Count")->Enabled = false;
    EXPECT_EQ(RenderDump(*r).PageCount(), 1);
}

TEST_F(ReportTest, SystemData)
{
    Report r("Sys");
    r.ReportTitle = "Detailed Pipeline Hydraulic Report";
    r.PrintDate = QDate(2024, 3, 5);
    Band* t = r.AddBand(BandType::Title, "T", 1);
    t->AddSysData("Title", SysDataKind::ReportTitle, 0, 0);
    t->AddSysData("Date", SysDataKind::Date, 0, 0.2, 0, "Printed: ");
    t->AddSysData("Page", SysDataKind::PageNumber, 0, 0.4, 0, "Page ");
    EXPECT_EQ(RenderDump(r).Texts(), (QStringList{"Detailed Pipeline Hydraulic Report", "Printed: 3/5/2024", "Page 1"}));
}

TEST_F(ReportTest, MemosStretchOrAreCut)
{
    const QString words = QString("word ").repeated(120).trimmed();
    Report r("Memo");
    Band* t = r.AddBand(BandType::Title, "T", 1.0);
    Memo* m = t->AddMemo("Notes", QRectF(0, 0, 2.0, 0.5), words);
    t->AddLabel("After", "after", 0, 0.8);
    r.AddBand(BandType::Summary, "S", 0.2)->AddLabel("End", "end", 0, 0);

    m->Stretch = false;
    const Dump cut = RenderDump(r);
    const QStringList lines = cut.TextsOf("Notes");
    ASSERT_GE(lines.size(), 2);
    EXPECT_LE(lines.size() * m->LineHeight(), 0.5 + 1e-9);
    for (const QString& l : lines)
        EXPECT_TRUE(l.startsWith("word") && l.endsWith("word")) << l.toStdString();   // broken between words
    EXPECT_DOUBLE_EQ(cut.lines.back().top, 0.5 + 1.0);   // the band kept its height

    m->Stretch = true;
    const Dump full = RenderDump(r);
    const QStringList all = full.TextsOf("Notes");
    EXPECT_GT(all.size(), lines.size());
    EXPECT_EQ(all.join(' '), words);
    // The band grew by what the memo grew, and the label below it moved down
    // as far, so it prints under the last line and not over the text.
    const double grown = all.size() * m->LineHeight() - 0.5;
    EXPECT_NEAR(full.ItemsOf("After").at(0).box.top(), 0.5 + 0.8 + grown, 1e-9);
    EXPECT_NEAR(full.lines.back().top, 0.5 + 1.0 + grown, 1e-9);
    // Word wrapping alone, without a box, is also what WrapText gives.
    EXPECT_EQ(all, WrapText(words, m->Font, 2.0));
}

TEST_F(ReportTest, WrapTextKeepsLineBreaksAndBreaksLongWords)
{
    const QFont f = chart::MakeFont("Arial", 10);
    EXPECT_EQ(WrapText("one\ntwo", f, 5), (QStringList{"one", "two"}));
    const QStringList parts = WrapText(QString(60, QChar('x')), f, 1.0);
    ASSERT_GE(parts.size(), 2);
    EXPECT_EQ(parts.join(""), QString(60, QChar('x')));
    // Lines break between words, not inside "1-1/2" or "($/acin)".
    EXPECT_EQ(WrapText("Cost per Acre Inch ($/acin)", f, 1.6), (QStringList{"Cost per Acre Inch", "($/acin)"}));
    for (double width = 0.45; width < 1.0; width += 0.05) {
        const QStringList lines = WrapText("PVC 1-1/2 in", f, width);
        EXPECT_EQ(lines.join(' '), "PVC 1-1/2 in") << width;
        EXPECT_EQ(lines.filter("1").size(), 1) << lines.join('|').toStdString();
        EXPECT_EQ(lines.filter("1-1/2").size(), 1) << lines.join('|').toStdString();
    }
}

std::unique_ptr<Report> MakeChainReport(const QString& n)
{
    auto r = std::make_unique<Report>(n);
    r->AddBand(BandType::Title, "Title", 1)->AddLabel("T", n, 0, 0);
    r->AddBand(BandType::Detail, "Detail", 0.3)->AddLabel("D", n + " row", 0, 0);
    Band* f = r->AddBand(BandType::PageFooter, "Footer", 0.3);
    f->AddSysData("P", SysDataKind::PageNumber, 0, 0, 0, "Page number: ");
    return r;
}

// Three reports on three kinds of paper, as the cost documents chain them.
struct Chain {
    std::unique_ptr<Report> a, b, c;
    CompositeReport doc;
    int builds = 0;
    Chain()
    {
        a = MakeChainReport("Cost");
        b = MakeChainReport("Graph");
        b->Page = PageSetup::Letter(QPageLayout::Landscape);
        c = MakeChainReport("Suction");
        c->Page = PageSetup::Custom(8.5, 6);
        doc.OnAddReports = [this](CompositeReport& comp) {
            ++builds;
            comp.Add(a.get());
            comp.Add(b.get());
            comp.Add(c.get());
        };
    }
};

class CompositeTest : public ReportTest {};

TEST_F(CompositeTest, ChainedReportsStartNewPagesWithTheirOwnPaperAndRunningPageNumbers)
{
    Chain ch;
    const Dump d = RenderDump(ch.doc);
    ASSERT_EQ(d.PageCount(), 3);
    EXPECT_EQ(d.Texts(1), (QStringList{"Cost", "Cost row", "Page number: 1"}));
    EXPECT_EQ(d.Texts(2), (QStringList{"Graph", "Graph row", "Page number: 2"}));
    EXPECT_EQ(d.Texts(3), (QStringList{"Suction", "Suction row", "Page number: 3"}));
    EXPECT_FALSE(d.pages[0].landscape);
    EXPECT_TRUE(d.pages[1].landscape);
    EXPECT_DOUBLE_EQ(d.pages[1].paperInches.width(), 11);
    EXPECT_DOUBLE_EQ(d.pages[2].paperInches.width(), 8.5);
    EXPECT_DOUBLE_EQ(d.pages[2].paperInches.height(), 6);
    EXPECT_EQ(d.pages[2].report, "Suction");

    // The list is rebuilt from empty on every generation.
    const Dump again = RenderDump(ch.doc);
    EXPECT_EQ(ch.builds, 2);
    EXPECT_EQ(ch.doc.Reports.size(), 3u);
    EXPECT_EQ(again.ToText(), d.ToText());
}

TEST_F(CompositeTest, ANewPageRequestAtTheStartOfAChainedReportAddsNoPage)
{
    Chain ch;
    ch.b->FindBand("Title")->BeforePrint = [](Band& b, bool&) { b.Owner()->NewPage(); };
    ch.c->PrintIfEmpty = true;
    const Dump d = RenderDump(ch.doc);
    EXPECT_EQ(d.PageCount(), 3);
    EXPECT_EQ(d.PageOf("Graph"), 2);
}

TEST_F(CompositeTest, PreviewGoesThroughTheHook)
{
    Chain ch;
    ch.doc.Preview();
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(lastPreview.PageCount(), 3);
}

TEST_F(CompositeTest, PreviewWindowAndPrintingDrawTheSame)
{
    Chain ch;
    int resets = 0;
    ch.a->BeforePrint = [&](Report&) { ++resets; };
    std::vector<Dump> dumps;
    ch.doc.AfterGenerate = [&](const Dump& d) { dumps.push_back(d); };

    PreviewDialog dlg(ch.doc);
    auto* view = dlg.findChild<QPrintPreviewWidget*>();
    ASSERT_TRUE(view);
    view->updatePreview();
    ASSERT_FALSE(dumps.empty());
    EXPECT_EQ(view->pageCount(), 3);
    ASSERT_TRUE(dlg.findChild<QAction*>("savePdfAction"));
    ASSERT_TRUE(dlg.findChild<QAction*>("exportPagesAction"));

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    PrintTo(ch.doc, printer);
    ASSERT_GE(dumps.size(), 2u);
    EXPECT_EQ(dumps.back().ToText(), dumps.front().ToText());
    EXPECT_EQ(static_cast<size_t>(resets), dumps.size());   // every generation starts afresh
    EXPECT_GT(QFile(dir.filePath("printed.pdf")).size(), 0);
}

TEST_F(CompositeTest, PreviewWindowIsLargeEnoughToReadWithoutMaximising)
{
    // A window manager may ignore the maximised state; the page must still
    // show at a readable size.
    Chain ch;
    PreviewDialog dlg(ch.doc);
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    EXPECT_GE(dlg.width(), screen.width() * 3 / 4);
    EXPECT_GE(dlg.height(), screen.height() * 3 / 4);
    EXPECT_LE(dlg.width(), screen.width());
    EXPECT_LE(dlg.height(), screen.height());
}

TEST_F(CompositeTest, SaveAsPdfAndExportPagesFromThePreview)
{
    Chain ch;
    QTemporaryDir dir;
    DialogDriver driver;
    PreviewDialog dlg(ch.doc);
    driver.AnswerFile(dir.filePath("doc.pdf"));
    dlg.SaveAsPdf();
    EXPECT_GT(QFile(dir.filePath("doc.pdf")).size(), 0);
    driver.AnswerFile(dir.filePath("pages.jpg"));
    dlg.ExportPages();
    EXPECT_TRUE(QFile::exists(dir.filePath("pages_1.jpg")));
    EXPECT_TRUE(QFile::exists(dir.filePath("pages_3.jpg")));
    dlg.ExportPages();   // cancelled: nothing written
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);
    ASSERT_EQ(driver.FileRequests().size(), 3u);
    EXPECT_TRUE(driver.FileRequests()[0].save);
    EXPECT_EQ(driver.FileRequests()[0].filter, "PDF files (*.pdf)");
}

TEST_F(CompositeTest, PrintToFileStartsInTheLastFolderUsedUnderTheReportsTitle)
{
    Chain ch;
    ch.doc.Title = "Cost Estimate";
    QTemporaryDir dir, other;
    DialogDriver driver;
    driver.AnswerFile(dir.filePath("first.pdf"));
    PreviewDialog preview(ch.doc);
    preview.SaveAsPdf();   // the folder a user last chose

    QPrinter printer;
    QPrintDialog dlg(&printer);
    SuggestPrintFile(dlg, ch.doc);
    auto* name = dlg.findChild<QLineEdit*>("filename");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QDir(dir.path()).filePath("Cost Estimate.pdf"));
    // Shown, with printing to a file chosen, the dialog keeps the suggestion.
    dlg.show();
    auto* printers = dlg.findChild<QComboBox*>("printers");
    ASSERT_NE(printers, nullptr);
    printers->setCurrentIndex(printers->count() - 1);
    EXPECT_TRUE(name->isEnabled());
    EXPECT_EQ(name->text(), QDir(dir.path()).filePath("Cost Estimate.pdf"));
    dlg.hide();

    // A report printed to a file elsewhere makes that the last folder.
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir(other.path()).filePath("printed.pdf"));
    PrintTo(ch.doc, printer);
    EXPECT_GT(QFile(QDir(other.path()).filePath("printed.pdf")).size(), 0);
    QPrinter next;
    QPrintDialog again(&next);
    SuggestPrintFile(again, ch.doc);
    EXPECT_EQ(again.findChild<QLineEdit*>("filename")->text(), QDir(other.path()).filePath("Cost Estimate.pdf"));
    EXPECT_EQ(ui::SuggestedFilePath("x.pdf"), QDir(other.path()).filePath("x.pdf"));
    // The print dialog the preview window opens from its toolbar too.
    QPrintDialog fromPreview(&next, &preview);
    fromPreview.ensurePolished();
    EXPECT_EQ(fromPreview.findChild<QLineEdit*>("filename")->text(), QDir(other.path()).filePath("Cost Estimate.pdf"));
}

TEST_F(CompositeTest, WithADialogDriverPreviewsOpenNoWindow)
{
    SetPreviewHook(nullptr);
    Chain ch;
    int generations = 0;
    ch.doc.AfterGenerate = [&](const Dump& d) {
        ++generations;
        EXPECT_EQ(d.PageCount(), 3);
    };
    DialogDriver driver;
    ch.doc.Preview();          // would hang here if a window opened
    EXPECT_EQ(generations, 1);
    EXPECT_FALSE(ch.doc.Print());
    EXPECT_EQ(generations, 1);
    int printed = 0;
    auto old = SetPrintHook([&](Document& d, QWidget*) {
        ++printed;
        RenderDump(d);
        return true;
    });
    EXPECT_TRUE(ch.doc.Print());
    SetPrintHook(old);
    EXPECT_EQ(printed, 1);
    EXPECT_EQ(generations, 2);
}

TEST_F(CompositeTest, PageImagesHaveTheirOwnSizes)
{
    Chain ch;
    QTemporaryDir dir;
    const QStringList files = ExportImages(ch.doc, dir.filePath("page.png"), "PNG", 50);
    ASSERT_EQ(files.size(), 3);
    EXPECT_EQ(QImage(files[0]).size(), QSize(425, 550));
    EXPECT_EQ(QImage(files[1]).size(), QSize(550, 425));
    EXPECT_EQ(QImage(files[2]).size(), QSize(425, 300));
    // Something is drawn on each page.
    const QImage img(files[2]);
    int dark = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            dark += qGray(img.pixel(x, y)) < 100;
    EXPECT_GT(dark, 20);
}

TEST_F(CompositeTest, PdfPagesConvertToImagesOnePerPage)
{
    Chain ch;
    QTemporaryDir dir;
    const QString pdf = dir.filePath("doc.pdf");
    ASSERT_TRUE(ExportPdf(ch.doc, pdf));
    QProcess p;
    p.start("pdftoppm", {"-r", "30", "-png", pdf, dir.filePath("pg")});
    ASSERT_TRUE(p.waitForFinished(30000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QStringList pngs = QDir(dir.path()).entryList({"pg*.png"}, QDir::Files, QDir::Name);
    ASSERT_EQ(pngs.size(), 3);
    const QImage second(dir.filePath(pngs[1]));
    const QImage third(dir.filePath(pngs[2]));
    EXPECT_GT(second.width(), second.height());    // the landscape page
    EXPECT_NEAR(double(third.width()) / third.height(), 8.5 / 6, 0.02);
}

TEST_F(CompositeTest, AnExceptionWhileTheWindowGeneratesPassesOn)
{
    SetPreviewHook(nullptr);   // the real window this time
    Chain ch;
    ch.b->BeforePrint = [](Report&) { throw std::runtime_error("broken"); };
    // Should the window stay open, close it rather than hang.
    QTimer::singleShot(5000, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    EXPECT_THROW(Preview(ch.doc), std::runtime_error);
}

TEST_F(ReportTest, ChartsPrintOnBands)
{
    Report r("Graph");
    r.Page = PageSetup::Letter(QPageLayout::Landscape);
    Band* b = r.AddBand(BandType::Detail, "PageHeaderBand1", 7);
    ChartControl* c = b->AddChart("QRChart1", QRectF(0, 1, 10, 6));
    c->Chart.Title.Text = "Pipeline Hydraulic Profile";
    int fills = 0;
    b->BeforePrint = [&](Band&, bool&) {
        ++fills;
        c->Chart.ClearAll();
        chart::Series* s = c->Chart.SeriesCount() ? c->Chart.SeriesAt(0)
                                                  : c->Chart.AddSeries(chart::SeriesKind::Line, "HGL  ");
        s->Add(0, 350);
        s->Add(500, 348);
    };
    EXPECT_EQ(RenderDump(r).Texts(), QStringList{"chart \"Pipeline Hydraulic Profile\": HGL   (2)"});
    // Printing again redraws the same chart, not doubled.
    QTemporaryDir dir;
    ExportImages(r, dir.filePath("g.png"), "PNG", 40);
    EXPECT_EQ(RenderDump(r).Texts(), QStringList{"chart \"Pipeline Hydraulic Profile\": HGL   (2)"});
    EXPECT_EQ(fills, 3);
}

} // namespace

namespace {

// One Letter page: a detail band of `height` holding what `fill` adds, and a
// footer band with its page number.
std::unique_ptr<Report> OnePage(double height, const std::function<void(Band*)>& fill)
{
    auto r = std::make_unique<Report>("Layout");
    fill(r->AddBand(BandType::Detail, "Detail", height));
    Band* f = r->AddBand(BandType::PageFooter, "Footer", 0.3);
    f->AddShape("FooterRule", ShapeKind::HorzLine, QRectF(0, 0, 7.5, 0.02));
    f->AddLabel("PageLbl", "Page number:", 0, 0.08);
    return r;
}

} // namespace

// The layout check names each kind of fault and passes a sound page: rules
// may cross rules, nothing else may meet.
TEST_F(ReportTest, LayoutCheckFindsOverprintsFooterCrossingsAndItemsOffThePage)
{
    testsupport::LayoutWatchPause pause;   // these pages are faulty on purpose
    const struct {
        const char* what;
        double height;
        std::function<void(Band*)> fill;
        const char* fault;   // nullptr: none
    } cases[] = {
        {"side by side", 0.3, [](Band* b) { b->AddLabel("A", "Station", 0, 0); b->AddLabel("B", "Elev", 1, 0); }, nullptr},
        {"crossing rules", 0.5,
         [](Band* b) {
             b->AddShape("H", ShapeKind::HorzLine, QRectF(0, 0.2, 7.5, 0.02));
             b->AddShape("V", ShapeKind::VertLine, QRectF(3, 0, 0.02, 0.4));
         },
         nullptr},
        {"text on text", 0.3, [](Band* b) { b->AddLabel("A", "Station", 0, 0); b->AddLabel("B", "Elev", 0.3, 0.05); },
         "overlaps"},
        {"text on a rule", 0.3,
         [](Band* b) {
             b->AddLabel("A", "Station", 0, 0);
             b->AddShape("H", ShapeKind::HorzLine, QRectF(0, 0.06, 7.5, 0.02));
         },
         "overlaps"},
        {"past the margin", 0.3, [](Band* b) { b->AddLabel("A", "A long text at the edge", 6.5, 0); },
         "outside the printable area"},
        // Too tall for any page: it prints on its own, over the footer's place.
        {"into the footer", 9.9, [](Band* b) { b->AddLabel("A", "Last line", 0, 9.75); }, "crosses the page footer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto r = OnePage(c.height, c.fill);
        const QStringList faults = testsupport::LayoutFaults(RenderDump(*r));
        if (!c.fault)
            EXPECT_EQ(faults, QStringList());
        else
            EXPECT_TRUE(!faults.isEmpty() && faults.front().contains(c.fault)) << faults.join('\n').toStdString();
    }
}

// A band too tall for any page prints on a page of its own, painted only
// down to the page footer: the footer prints clear, and the record keeps
// the band's whole box so the layout check still sees it was cut.
TEST_F(ReportTest, AnOverTallBandIsCutAtThePageFooter)
{
    testsupport::LayoutWatchPause pause;
    auto r = OnePage(10.5, [](Band* b) {
        Shape* s = b->AddShape("Block", ShapeKind::Rectangle, QRectF(0, 0, 7.5, 9.95));
        s->BrushColor = Qt::black;
    });
    ImageTarget target(20);
    const Dump d = r->Generate(target);
    ASSERT_EQ(target.Images().size(), 1u);
    const QImage& page = target.Images().front();
    auto gray = [&](double x, double y) { return qGray(page.pixel(qRound(x * 20), qRound(y * 20))); };
    EXPECT_LT(gray(4, 10.0), 64);    // the block down to the footer at 10.2 in
    EXPECT_GT(gray(4, 10.35), 192);  // the footer's place stays clear of the block's foot at 10.45 in
    EXPECT_NEAR(d.ItemsOf("Block").at(1).box.center().y(), 0.5 + 9.95, 0.01);
    EXPECT_TRUE(testsupport::LayoutFaults(d).join('\n').contains("crosses the page footer"));
}
