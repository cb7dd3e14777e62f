#include "dialogs/system/pump_data_dialogs.h"

#include "dialogs/designer_window.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/help.h"
#include "platform/ui/seam/msg.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

struct KindInfo {
    const char* keyword;
    const char* objectName;
    const char* caption;
    int help;
    SystemPanel panel;
};

const KindInfo kKinds[4] = {
    {"TURBINE", "PumpTurbineDlg", "Turbine Pump Data", 28, SystemPanel::Turbine},
    {"PROPELLER", "PumpPropellerDlg", "Propeller Pump Data", 27, SystemPanel::Propeller},
    {"BOOSTER", "PumpBoosterDlg", "Booster Pump, Any Kind, Data", 29, SystemPanel::Booster},
    {"AUTOPUMP", "PumpAutoPresDlg", "Automatic Pressure Tank Pumped System Data", 141, SystemPanel::Tank},
};

} // namespace

TPumpDataDlg::TPumpDataDlg(QWidget* owner, Kind kind)
    : ui::Form(owner), kind_(kind), lay_(this),
      // The propeller's own conversion of a flow in gallons.
      flow_(nullptr, kind == Kind::Propeller ? 448.8 : 448.83)
{
    const KindInfo& info = kKinds[int(kind)];
    setObjectName(QString::fromLatin1(info.objectName));
    SetCaption(QString::fromLatin1(info.caption));
    SetPosition(ui::Position::OwnerCenter);
    FlowDBNF = lay_.Bound("FlowDBNF", "Design Flow Rate", "DesignFlow",
                          ui::NumericFormat::Picture(QStringLiteral("#####"), 0, 99999), "gpm");
    cfsField = lay_.Cfs();
    flow_ = DesignFlowPair(cfsField, kind == Kind::Propeller ? 448.8 : 448.83);
    flow_.WarnWith(QStringLiteral("Design flow rate has changed. Check all pipes for for optimum size."));
}

QLineEdit* TPumpDataDlg::field(const char* name, const char* caption, const char* dbField, const char* mask,
                               double low, std::optional<double> high, const char* unit)
{
    QLineEdit* e = lay_.Bound(name, caption, dbField, ui::NumericFormat::Picture(QString::fromLatin1(mask), low, high),
                              unit);
    OnEnter(e, [] { EditHeaderRow(); });
    return e;
}

void TPumpDataDlg::finish()
{
    DBMemo1 = lay_.Notes("Description of Pump and Notes");
    OKBitBtn1 = lay_.Button("OKBitBtn1", QStringLiteral("OK"));
    CancelBitBtn2 = lay_.Button("CancelBitBtn2", QStringLiteral("Cancel"));
    BitBtn3 = lay_.Button("BitBtn3", QStringLiteral("&Help"));
    if (kind_ == Kind::Turbine || kind_ == Kind::Propeller) {
        ChangeBtn = lay_.Button("ChangeBtn", QStringLiteral("Change Pump Type"));
        OnClick(ChangeBtn, [this] { ChangeBtnClick(); });
    }
    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); });
    OnClick(CancelBitBtn2, [this] { CancelBitBtn2Click(); });
    OnClick(BitBtn3, [this] { BitBtn3Click(); });
    SetCancelButton(CancelBitBtn2);
    // The booster and the tank take a form-level Enter as OK.
    if (kind_ == Kind::Booster || kind_ == Kind::Tank) SetDefaultButton(OKBitBtn1);
    for (QWidget* w : {static_cast<QWidget*>(FlowDBNF), static_cast<QWidget*>(cfsField),
                       static_cast<QWidget*>(DBMemo1)})
        OnEnter(w, [] { EditHeaderRow(); });
    OnExit(FlowDBNF, [this] { FlowDBNFExit(); });
    OnExit(cfsField, [this] { cfsFieldExit(); });
    SetEnterKey(DBMemo1, ui::EnterKey::PressTarget, OKBitBtn1);
}

void TPumpDataDlg::FormShow()
{
    Tul->Cancelled = false;
    flow_.KeepOpeningFlow();
    EditHeaderRow();
    if (kind_ == Kind::Booster) Tul->ColumnLoss = 0.0;
    if (ChangeBtn) ChangeBtn->setVisible(!Tul->NewJob);
    defaulted_ = PumpDefaultsDue(QString::fromLatin1(kKinds[int(kind_)].keyword));
    if (defaulted_) applyNewJobDefaults();
    RewriteSystemPanel(kKinds[int(kind_)].panel);
    flow_.ShowCfs();
    SetFocus(FlowDBNF);
}

void TPumpDataDlg::applyNewJobDefaults()
{
    db::Table* defaults = DMod->DefLocTable;
    if (!defaults->Active()) defaults->Open();
    DMod->WorkPipeTablePumpEffic->SetAsFloat(DMod->DefLocTablePumpEff->AsFloat());
    DMod->WorkPipeTableClearHead->SetAsFloat(DMod->DefLocTableClearHead->AsFloat());
    switch (kind_) {
    case Kind::Turbine:
        DMod->WorkPipeTableColumnLoss->SetAsFloat(0.0);
        break;
    case Kind::Propeller:
        // Its column is its own: none of another kind's losses.
        DMod->WorkPipeTableColumnLoss->SetAsFloat(0.0);
        break;
    case Kind::Booster:
        // Left in the edit for the close to post.
        DMod->WorkPipeTableColumnLoss->SetAsFloat(0.0);
        return;
    case Kind::Tank:
        DMod->WorkPipeTableColumnLoss->SetAsFloat(DMod->DefLocTableColumnLoss->AsFloat());
        DMod->WorkPipeTableTankRange->SetAsFloat(DMod->DefLocTableTankRange->AsFloat());
        break;
    }
    DMod->WorkPipeTable->Post();
    EditHeaderRow();
}

void TPumpDataDlg::FlowDBNFExit() { flow_.GpmExit(); }
void TPumpDataDlg::cfsFieldExit() { flow_.CfsExit(); }

void TPumpDataDlg::OKBitBtn1Click()
{
    Tul->Cancelled = false;
    if (RefuseZeroFlow()) return;
    // The pump lifts from a water surface: none is no 0 ft.
    if (kind_ != Kind::Booster && DMod->WorkPipeTableWSElev->IsNull()) {
        ui::MessageDlg(QStringLiteral("You must enter a water surface elevation!"), ui::MsgType::Error, ui::mbOK);
        SetFocus(Control<QWidget>(QStringLiteral("OvcDbNumericField2")));
        return;
    }
    if (kind_ == Kind::Propeller || kind_ == Kind::Tank) {
        PostHeaderRow();
        EditHeaderRow();
    }
    SetModalResult(ui::mrOk);
}

void TPumpDataDlg::CancelBitBtn2Click()
{
    Tul->Cancelled = true;
    if (kind_ == Kind::Tank && TableEditing(DMod->WorkPipeTable)) DMod->WorkPipeTable->Cancel();
    SetModalResult(ui::mrCancel);
}

void TPumpDataDlg::ChangeBtnClick()
{
    Tul->Cancelled = true;
    if (DesignerWindow* designer = RunningDesigner()) designer->ChangePumpType = true;
    SetModalResult(ui::mrCancel);
}

void TPumpDataDlg::BitBtn3Click() { ui::HelpContext(kKinds[int(kind_)].help); }

void TPumpDataDlg::FormClose()
{
    // A booster draws from a pressurised inlet, not from a water surface.
    if (kind_ == Kind::Booster && !Tul->Cancelled) {
        EditHeaderRow();
        DMod->WorkPipeTableWSElev->SetAsFloat(kNoWaterSurface);
    }
    CloseSystemDialog();
    if (Tul->Cancelled && defaulted_) ForgetPumpDefaults(QString::fromLatin1(kKinds[int(kind_)].keyword));
    if (!Tul->Cancelled && (kind_ == Kind::Turbine || kind_ == Kind::Booster)) EditHeaderRow();
}

// ---- the four members -------------------------------------------------------------

TPumpTurbineDlg::TPumpTurbineDlg(QWidget* owner) : TPumpDataDlg(owner, Kind::Turbine)
{
    field("OvcDbNumericField2", "Water Surface Elevation", "WSElev", "####.#", -300, 9999, "feet");
    field("OvcDbNumericField3", "Pump Discharge Elevation", "PumpEyeElev", "####.#", -300, 9999, "feet");
    field("OvcDbNumericField4", "HGL Clearance Above Pipe", "ClearHead", "###.#", 0, 999, "feet");
    field("OvcDbNumericField6", "Estimated Pump efficiency", "PumpEffic", "##.#", 0, 99.9, "percent");
    finish();
}

TPumpPropellerDlg::TPumpPropellerDlg(QWidget* owner) : TPumpDataDlg(owner, Kind::Propeller)
{
    field("OvcDbNumericField2", "Water Surface Elevation", "WSElev", "####.#", -300, 9999, "feet");
    field("OvcDbNumericField3", "Pump Head Discharge Elevation", "PumpEyeElev", "####.#", -300, 9999, "feet");
    field("OvcDbNumericField4", "HGL Clearance Above High Point", "ClearHead", "###.#", 0, 999, "feet");
    field("OvcDbNumericField5", "Friction Head in Additional Pump Column", "ColumnLoss", "##.#", 0, 99, "feet");
    field("OvcDbNumericField6", "Estimated Pump efficiency", "PumpEffic", "##.#", 0, 99.9, "percent");
    finish();
}

TPumpBoosterDlg::TPumpBoosterDlg(QWidget* owner) : TPumpDataDlg(owner, Kind::Booster)
{
    field("OvcDbNumericField2", "Pressure at Pump Inlet", "PsiIn", "###.#", 0, 999, "psi");
    field("OvcDbNumericField3", "Elevation of Pump Eye (Pump housing intake)", "PumpEyeElev", "####.#", -300, 9999,
          "feet");
    field("OvcDbNumericField4", "HGL Clearance Above High Point", "ClearHead", "###.#", 0, 999, "feet");
    field("OvcDbNumericField6", "Estimated Pump efficiency", "PumpEffic", "##.#", 0, 99.9, "percent");
    finish();
}

TPumpAutoPresDlg::TPumpAutoPresDlg(QWidget* owner) : TPumpDataDlg(owner, Kind::Tank)
{
    field("OvcDbNumericField2", "Water Surface Elevation", "WSElev", "####.#", -300, 9999, "feet");
    field("OvcDbNumericField3", "Inlet Elevation at Pressure Tank or Start of Pipeline", "PumpEyeElev", "####.#", -300,
          9999, "feet");
    field("OvcDbNumericField4", "Estimated Friction Loss Due to Pump Piping", "ColumnLoss", "###", 0, 999, "feet");
    field("OvcDbNumericField5", "Clearance Head at Critical Point", "ClearHead", "###.#", 0, std::nullopt, "feet");
    field("OvcDbNumericField6", "Estimated Pump efficiency", "PumpEffic", "##.#", 0, 99.9, "percent");
    field("OvcDbNumericField7", "Pressure Tank Operating Range", "TankRange", "###", 0, 999, "psi");
    finish();
}
