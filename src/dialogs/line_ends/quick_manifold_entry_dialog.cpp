#include "dialogs/line_ends/quick_manifold_entry_dialog.h"

#include "dialogs/line_ends/manifold_pages.h"
#include "dialogs/numeric_field.h"
#include "engine/manifold_run.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/job.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

ManifoldLayout PlanManifoldLayout(double startSta, double endSta, double spacing)
{
    ManifoldLayout plan;
    if (!(spacing > 0.0))
        return plan;
    const double length = endSta - startSta;
    plan.spacings = length / spacing;
    if (length <= 0.0) {
        plan.rows = 1;
        return plan;
    }
    // A whole count of spacings puts the last row on the end station; a count
    // just above a whole number only by the rounding of the division must not
    // add a row beyond it.
    double whole = std::round(plan.spacings);
    const double steps = std::fabs(plan.spacings - whole) <= 1e-9 * std::max(1.0, whole) ? whole
                                                                                         : std::ceil(plan.spacings);
    plan.rows = steps + 1 > 1e9 ? 1000000000 : static_cast<int>(steps) + 1;
    return plan;
}

namespace {

// A field of the quick entry, held to what the node page takes for the
// nodes it makes, with one decimal.
QLineEdit* NumberField(QWidget* parent, const char* name, ui::NumericFormat format)
{
    auto* e = ui::Make<QLineEdit>(parent, name);
    format.decimals = 1;
    format.zeroShowsEmpty = false;
    new NumField(e, format);
    return e;
}

double Value(QLineEdit* e)
{
    return NumField::Of(e)->Value();
}

} // namespace

TOptinalManifEntryDlg::TOptinalManifEntryDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("OptinalManifEntryDlg"));
    SetCaption(QStringLiteral("Optional Manifold Node Entry"));
    SetPosition(ui::Position::OwnerCenter);

    auto* v = new QVBoxLayout(this);
    auto* box = ui::Make<QGroupBox>(this, "GroupBox1", QStringLiteral("Optional Node EntryTool"));
    auto* g = new QGridLayout(box);
    const ManifoldNodeFormats node = NodeFormats(Tul->SysHas == 2);
    StartStaNF = NumberField(box, "StartStaNF", node.station);
    StartElNF = NumberField(box, "StartElNF", node.invert);
    EndStaNF = NumberField(box, "EndStaNF", node.station);
    EndElNF = NumberField(box, "EndElNF", node.invert);
    FlowRateNF = NumberField(box, "FlowRateNF", node.outflow);
    DistNF = NumberField(box, "DistNF", ui::NumericFormat::Picture(QStringLiteral("###.#"), 0));
    const std::pair<const char*, QLineEdit*> rows[] = {
        {"Start Station", StartStaNF},
        {"Start Elevation", StartElNF},
        {"End Station", EndStaNF},
        {"End Elevation", EndElNF},
        {"Flow Rate per Opening (gpm)", FlowRateNF},
        {"Distance Between Openings (ft)", DistNF},
    };
    int r = 0;
    for (const auto& [caption, field] : rows) {
        g->addWidget(new QLabel(QString::fromLatin1(caption), box), r, 0);
        g->addWidget(field, r++, 1);
    }
    auto* optional = ui::Make<QLabel>(
        box, "OptionalLbl",
        QStringLiteral("Press OK after entering all data.  The profile will be calculated based on a streight line "
                       "between start and end station.  Data will be entered in the profile database.  Elevations "
                       "and flow rates may then be modified in the database."));
    optional->setWordWrap(true);
    g->addWidget(optional, r++, 0, 1, 2);
    g->addWidget(ui::Make<QLabel>(box, "Label1", QStringLiteral("Note: There is program a maximum of 150 nodes")), r,
                 0, 1, 2);
    v->addWidget(box);
    auto* buttons = new QHBoxLayout;
    OKBitBtn1 = ui::Make<QPushButton>(this, "OKBitBtn1", QStringLiteral("OK"));
    CancelBitBtn2 = ui::Make<QPushButton>(this, "CancelBitBtn2", QStringLiteral("Cancel"));
    buttons->addStretch(1);
    buttons->addWidget(OKBitBtn1);
    buttons->addWidget(CancelBitBtn2);
    v->addLayout(buttons);

    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); });
    OnClick(CancelBitBtn2, [this] { CancelBitBtn2Click(); });
    SetCancelButton(CancelBitBtn2);
    // Enter in the end station moves on like Tab, as in every other field.
}

void TOptinalManifEntryDlg::FormShow()
{
    if (Tul->SysHas != 2)
        return;
    TDMod* d = DMod;
    OpenIfClosed(d->WorkProfTable);
    NumField::Of(StartStaNF)->SetValue(d->WorkProfTableStation->AsFloat());
    NumField::Of(StartElNF)->SetValue(d->WorkProfTableGroundElev->AsFloat());
    SetFocus(EndStaNF);
}

void TOptinalManifEntryDlg::OKBitBtn1Click()
{
    for (QLineEdit* e : {StartStaNF, StartElNF, EndStaNF, EndElNF, FlowRateNF, DistNF}) {
        if (e->text().trimmed().isEmpty()) {
            ui::MessageDlg(QStringLiteral("You must enter Data in all fields"), ui::MsgType::Error, ui::mbOK);
            return;
        }
    }
    const double start = Value(StartStaNF), startEl = Value(StartElNF);
    const double end = Value(EndStaNF), endEl = Value(EndElNF);
    const double flow = Value(FlowRateNF), dist = Value(DistNF);
    const ManifoldLayout plan = PlanManifoldLayout(start, end, dist);
    if (plan.rows == 0) {
        ui::MessageDlg(QStringLiteral("The distance between openings must be more than zero."), ui::MsgType::Error,
                       ui::mbOK);
        return;
    }
    // The run takes at most kMaxManifoldNodes nodes: a layout it would refuse is not made.
    if (plan.rows > kMaxManifoldNodes) {
        ui::MessageDlg(QStringLiteral("Split design, too many nodes. Number of nodes = ") +
                           QString::number(plan.rows) + QStringLiteral(". Maximum = 150"),
                       ui::MsgType::Error, ui::mbOK);
        return;
    }
    const double length = end - start;
    const double slope = length > 0.0 ? (startEl - endEl) / length : 0.0;

    TDMod* d = DMod;
    db::Table* t = d->WorkTrickleTable;
    OpenEmpty(t);
    for (int i = 0; i < plan.rows; ++i) {
        const double along = i * dist;
        t->Append();
        d->WorkTrickleTableStation->SetAsFloat(start + along);
        if (i == 0)
            d->WorkTrickleTableInvertElev->SetAsFloat(startEl);
        else
            SetFixed(d->WorkTrickleTableInvertElev, startEl - along * slope, 6, 2);
        d->WorkTrickleTableGpmAtOutlet->SetAsFloat(flow);
        t->Post();
    }
    SetModalResult(ui::mrOk);
}

void TOptinalManifEntryDlg::CancelBitBtn2Click()
{
    SetModalResult(ui::mrCancel);
}
