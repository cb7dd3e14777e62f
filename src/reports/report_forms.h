#pragma once
// What the report forms share: fonts, the common title band and page
// footer, switching groups of controls, and the opener's bookkeeping that
// creates report forms into their global pointers and deletes them again.
#include "platform/report/report.h"

#include <QFont>
#include <QString>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <vector>

namespace db { class Table; }

namespace reports {

// Arial (drawn as Liberation Sans) of the given size.
QFont ReportFont(double pointSize, bool bold = false);

// The masks of computed quantities the pages print: a fixed count of
// decimals per quantity, whatever digits a run stored.
namespace mask {
inline constexpr const char* Flow = "####0.0";          // gpm
inline constexpr const char* Velocity = "##0.000";      // ft/sec
inline constexpr const char* Loss = "###0.000";         // ft of friction or minor loss in a reach
inline constexpr const char* Head = "###0.00";          // ft: heads, totals of losses, computed levels
inline constexpr const char* Pressure = "###0.00";      // psi
inline constexpr const char* Diameter = "##0.000";      // in
inline constexpr const char* Length = "#####0.0";       // ft
inline constexpr const char* CostLength = "###,##0";    // ft, in the cost tables
inline constexpr const char* Power = "###0.00";         // HP
inline constexpr const char* Weight = "##0.000";        // lb per ft of pipe
} // namespace mask

// Control of a report by name, as the handlers reach it; throws when the
// report has no such control, so a misspelt name cannot pass unnoticed.
report::Label* LabelOf(const report::Report& r, const QString& name);
report::Control* ControlOf(const report::Report& r, const QString& name);

// Sets the caption of a label or the fixed text of a memo.
void SetCaption(const report::Report& r, const QString& name, const QString& text);

// Switches the named controls on (they print) or off.
void SetEnabled(const report::Report& r, std::initializer_list<const char*> names, bool on);

// The minor-loss items of the table's current row: "description, id= d" for
// each filled slot, joined by "; ", empty when the first slot is empty. The
// id of a size change (negative K) is the diameter above and this row's
// DiaIn, with a comma between; of any other loss, its Kid; each diameter
// with two decimals. `slotText` keeps
// each slot's id text (a slot without description keeps the one it had).
QString LossItemsText(db::Table* t, double prevDiaIn, QString slotText[3]);

// The width between a report's side margins, inches.
double BodyWidth(const report::Report& r);
// A chart on band `b` of `r` from `top` (inches below the top margin) down
// to just above the common page footer, as wide as the body; the band ends
// with it.
report::ChartControl* AddChartAboveFooter(report::Report& r, report::Band* b, const QString& name, double top);

// The headings of the cost report's main table on band `b` at `top`, the
// first one `firstCaption` ("Station", "Segment"), with a rule below them;
// returns where the rule ends.
double AddCostHeadings(report::Band* b, double top, const QString& firstCaption);
// The controls of a cost line and the fields they show.
struct CostLineNames {
    const char* station = "QRDBSta";   // none: the station column stays empty
    const char* stationField = "TSta";
    const char* length = "QRDBLen";
    const char* lengthField = "RchLen";
    const char* lengthMask = mask::CostLength;
    const char* pipe = "QRDBDesc";
    const char* pipeField = "DownStreamPipeDescription";
    const char* cover = "CoverLbl";
    const char* costFt = "QRFtCst";
    const char* reachCost = "QRRchCst";
};
// The cells of one cost line on band `b` at `top`, each under its heading;
// the cover and the two costs are labels the handlers fill.
void AddCostCells(report::Band* b, double top, db::Table* t, const CostLineNames& names);
// A detail band holding the cost line of each row of `t`.
report::Band* AddCostLine(report::Report& r, const QString& bandName, db::Table* t, const CostLineNames& names);
// A rule, `caption` and the total CostTotLbl under the reach costs, on band
// `b` at `top`; returns where they end.
double AddCostTotalLine(report::Band* b, double top, const QString& caption);
// The summary band of a cost table: its total line.
report::Band* AddCostTotal(report::Report& r, const QString& caption);

// The names of the controls of the common title band.
struct TitleBandNames {
    const char* band = "TitleBand1";
    const char* program = "QRLabel1";     // "Mersol"
    const char* title = "QRSysData1";     // the report title
    const char* subtitle = "QRLabel22";   // "Main Pipeline" and the like
    // Data texts of the job header (an empty name leaves the line out).
    const char* jobName = "QRDBText1";
    const char* location = "QRDBText3";
    const char* date = "QRDBText4";
    const char* designer = "QRDBText6";
    const char* jobClass = "QRDBText5";
    const char* notes = "QRDBText2";
    const char* landuser = "PsQRDBText1";
    const char* id = "PsQRDBText2";
    const char* jobClassCaption = "Job Class:";
};

// Adds the common title band over the job header of `header` (the working
// pipe table): "Mersol", the report title, the subtitle and the job lines.
// Returns the band; `top` receives where the band's free space begins.
report::Band* AddCommonTitleBand(report::Report& r, db::Table* header, const QString& subtitle,
                                 const TitleBandNames& names, double& top);

// Adds the common page footer: "Page number:" with the page number and
// `dateCaption` ("Printed:") with the date.
report::Band* AddPageFooter(report::Report& r, const QString& bandName,
                            const QString& pageCaption = QStringLiteral("Page number:"),
                            const QString& dateCaption = QStringLiteral("Printed:"));

// One column of a list report: its heading and the field it prints.
struct ListColumn {
    const char* name;      // the data text; the heading is name + "Cap"
    const char* caption;
    const char* field;
    double left;
    double width;
    const char* mask = "";
    bool right = false;    // numbers line up on the right
};

// The page header of a list report: `heading` and the report title centred,
// and the column headings (none for an empty list).
report::Band* AddListHeader(report::Report& r, const QString& heading, const std::vector<ListColumn>& columns);
// A detail band printing the columns of the report's table.
report::Band* AddListDetail(report::Report& r, const std::vector<ListColumn>& columns);
// The summary band: `caption` and the number of rows printed.
report::Band* AddListSummary(report::Report& r, const QString& caption, double countLeft);
// The page footer of the reference lists: "Date:" with the date, "Page:"
// with the page number.
report::Band* AddListFooter(report::Report& r);

// The arrow cursor, so that a preview is not covered by its opener's hourglass.
void ArrowCursor();

// The opener's side of a report: forms created into their global pointers,
// owned by the calling window, deleted in the order they were made and
// their pointers cleared when this goes (also when an exception passes).
class OpenedForms {
public:
    OpenedForms() = default;
    OpenedForms(const OpenedForms&) = delete;
    OpenedForms& operator=(const OpenedForms&) = delete;
    ~OpenedForms()
    {
        for (auto& d : deleters_)
            d();
    }

    template <class F>
    F* Create(F*& pointer, QWidget* owner)
    {
        F* f = new F(owner);
        pointer = f;
        F** where = &pointer;
        deleters_.push_back([where] {
            delete *where;
            *where = nullptr;
        });
        return f;
    }

private:
    std::vector<std::function<void()>> deleters_;
};

} // namespace reports
