#include "reports/stock_water_report.h"

#include "model/data_module.h"
#include "platform/report/preview.h"
#include "reports/report_forms.h"

using namespace report;

namespace {

// A caption with the work row's value after it, and its unit after that.
struct Line {
    const char* caption;
    const char* field;
    const char* unit;   // nullptr: none, and the value follows the caption
    const char* mask = "";
};

} // namespace

TQRStock::TQRStock(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRStock"));
    SetCaption(QStringLiteral("QRStock"));
    Report& r = QuickRepStock;
    r.ReportTitle = QStringLiteral("Livestock Planning Report");
    r.Title = r.ReportTitle;
    db::Table* t = DMod->WorkSWaterTable;
    r.DataSet = t;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    r.PrintIfEmpty = false;
    r.OnStartPage = [this](Report& rep) { QuickRepStockStartPage(rep); };

    // No detail band: the title band prints the job's one row once.
    Band* b = r.AddBand(BandType::Title, QStringLiteral("TitleBand1"), 9.0);
    const QFont plain = reports::ReportFont(10);
    const QFont bold = reports::ReportFont(10, true);
    b->AddLabel(QStringLiteral("QRLabel1"), QStringLiteral("Mersol"), 0, 0, 0, Qt::AlignHCenter)->Font =
        reports::ReportFont(18, true);
    b->AddSysData(QStringLiteral("QRSysData1"), SysDataKind::ReportTitle, 0, 0.35, 0, QString(), Qt::AlignHCenter)
        ->Font = reports::ReportFont(13, true);
    b->AddShape(QStringLiteral("QRShape1"), ShapeKind::HorzLine, QRectF(0, 0.65, 7.5, 0.04))->PenWidth = 1;

    auto text = [&](const QString& name, const QString& caption, double left, double top, double width) {
        b->AddLabel(name + QStringLiteral("Lbl"), caption, left, top, width)->Font = plain;
    };
    auto value = [&](const char* field, double left, double top, double width, const char* mask = "") {
        b->AddDBText(QStringLiteral("QRDBText") + QString::fromLatin1(field), t, QString::fromLatin1(field), left, top,
                     width, QString::fromLatin1(mask))
            ->Font = bold;
    };
    // The long names on the left, the short ones on the right.
    const struct {
        const char *leftCaption, *leftField, *rightCaption, *rightField;
    } header[] = {
        {"Job:", "JobName", "Date:", "Date"},
        {"Location:", "Location", "ID:", "ID"},
        {"By:", "Designer", nullptr, nullptr},
        {"Landuser:", "Landuser", nullptr, nullptr},
    };
    double y = 0.8;
    for (const auto& h : header) {
        text(QString::fromLatin1(h.leftField), QString::fromLatin1(h.leftCaption), 0, y, 0.85);
        value(h.leftField, 0.85, y, 4.2);
        if (h.rightField) {
            text(QString::fromLatin1(h.rightField), QString::fromLatin1(h.rightCaption), 5.2, y, 0.5);
            value(h.rightField, 5.7, y, 1.8);
        }
        y += 0.22;
    }

    // Three notes side by side, each cut at its box.
    y += 0.12;
    const struct {
        const char *caption, *field;
        double left, width;
    } notes[] = {
        {"Job Comments:", "JobNotes", 0, 2.7},
        {"Other Sources of Water in Field:", "OtherSources", 2.8, 2.3},
        {"Dependability of Water in Field:", "Dependability", 5.2, 2.1},
    };
    for (const auto& n : notes) {
        text(QString::fromLatin1(n.field), QString::fromLatin1(n.caption), n.left, y, n.width);
        Memo* m = b->AddMemo(QStringLiteral("QRDBMemo") + QString::fromLatin1(n.field),
                             QRectF(n.left, y + 0.2, n.width, 0.5));
        m->DataSet = t;
        m->DataField = QString::fromLatin1(n.field);
        m->Font = reports::ReportFont(8, true);
    }
    y += 0.85;

    constexpr double kValueLeft = 3.3;   // the input and result values line up here
    constexpr double kUnitLeft = 4.6;
    auto heading = [&](const char* name, const char* caption) {
        y += 0.1;
        b->AddLabel(QString::fromLatin1(name), QString::fromLatin1(caption), 0, y, 3.0)->Font =
            reports::ReportFont(11, true);
        y += 0.28;
    };
    auto row = [&](const Line& l) {
        text(QString::fromLatin1(l.field), QString::fromLatin1(l.caption), 0.3, y, kValueLeft - 0.35);
        value(l.field, kValueLeft, y, l.unit ? kUnitLeft - kValueLeft - 0.05 : 4.2, l.mask);
        if (l.unit)
            text(QString::fromLatin1(l.field) + QStringLiteral("Unit"), QString::fromLatin1(l.unit), kUnitLeft, y, 1.0);
        y += 0.22;
    };
    heading("QRLabelInput", "INPUT DATA");
    row({"Type of Livestock:", "LivestockType", nullptr});
    row({"Maximum Number of Livestock:", "MaxLivestock", "head"});
    // The dates read as one sentence.
    text(QStringLiteral("DateStart"), QStringLiteral("Dates Livestock Will Be in Field:  From"), 0.3, y, 2.95);
    value("DateStart", kValueLeft, y, 0.9);
    text(QStringLiteral("DateEnd"), QStringLiteral("To"), kUnitLeft, y, 0.3);
    value("DateEnd", kUnitLeft + 0.35, y, 0.9);
    y += 0.22;
    for (const Line& l : {Line{"Water Requirements Per Head:", "WaterPHead", "gallons"},
                          Line{"Desired Hours/Day For Delivery:", "HrDelivery", "hours"},
                          Line{"Desired Reserve Storage Days:", "StorageTime", "days"},
                          Line{"Percent Added for Tank Spillage:", "PctSpill", "%"},
                          Line{"Grazing System Type:", "SystemType", nullptr},
                          Line{"Terrain Relief:", "Terrain", nullptr},
                          Line{"Water Quality (TDS Salinity):", "WaterQuality", nullptr}})
        row(l);
    heading("QRLabelOutput", "OUTPUT");
    // The results as the calculator works them out: flows to the hundredth, whole gallons.
    for (const Line& l : {Line{"Minimum Required Pipeline Flow Rate:", "MinGpm", "gpm", "####0.00"},
                          Line{"Design Pipeline Flow Rate:", "DesignGpm", "gpm", "####0.00"},
                          Line{"Minimum Required Storage Tank Capacity:", "StorageReserve", "gallons", "######0"},
                          Line{"Maximum Watering Site Spacing:", "WaterSpacing", "Miles"}})
        row(l);
    y += 0.1;
    text(QStringLiteral("QualComment"), QStringLiteral("Water Quality Recommendations:"), 0.3, y, 2.5);
    Memo* q = b->AddMemo(QStringLiteral("QRDBMemoQualComment"), QRectF(2.8, y, 4.6, 1.2));
    q->DataSet = t;
    q->DataField = QStringLiteral("QualComment");
    q->Font = bold;
    b->Height = y + 1.3;

    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRStock::FormShow()
{
    reports::ArrowCursor();
}

void TQRStock::QuickRepStockStartPage(Report&)
{
    reports::ArrowCursor();
}

void PreviewStockWaterReport(QWidget* owner)
{
    reports::OpenedForms forms;
    forms.Create(QRStock, owner);
    report::Preview(QRStock->QuickRepStock, owner);
}
