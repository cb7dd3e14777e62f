#include "dialogs/system/inline_booster_dialog.h"

#include "dialogs/system/pump_data_dialogs.h"
#include "dialogs/system/system_dialog_rules.h"
#include "dialogs/system/system_dialog_layout.h"
#include "model/data_module.h"
#include "model/number_text.h"
#include "model/job.h"
#include "platform/ui/help.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// One psi of head in feet, as the required outlet water surface is set here.
constexpr double kFeetPerPsiOutlet = 2.3073373327180433;

} // namespace

TPumpLineBoosterDlg::TPumpLineBoosterDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("PumpLineBoosterDlg"));
    SetCaption(QStringLiteral("In-Line Booster Pump Data"));
    SetPosition(ui::Position::OwnerCenter);
    SystemDialogLayout lay(this);
    auto text = [&](const char* t) {
        auto* l = new QLabel(QString::fromLatin1(t), this);
        l->setWordWrap(true);
        lay.Span(l);
    };
    OvcDbNumericField3 = lay.Bound("OvcDbNumericField3", "Elevation of Pump Eye (Pump housing intake)", "PumpEyeElev",
                                   ui::NumericFormat::Picture(QStringLiteral("####.#"), -300, 9999), "feet");
    text("Default pump eye elevation is set at ground elevation.");
    OvcDbNumericField4 = lay.Bound("OvcDbNumericField4", "HGL Clearance Above High Point", "ClearHead",
                                   ui::NumericFormat::Picture(QStringLiteral("###.#"), 0, 999), "feet");
    OvcDbNumericField6 = lay.Bound("OvcDbNumericField6", "Estimated Pump efficiency", "PumpEffic",
                                   ui::NumericFormat::Picture(QStringLiteral("##.#"), 0, 99.9), "percent");
    SetPresDBNF = lay.Bound("SetPresDBNF", "Set Pressure at Node (psi)", "PsiSet",
                            ui::NumericFormat::Picture(QStringLiteral("###.#"), -1.0, 999), nullptr, DMod->WorkProfData);
    SetPresLabel = lay.LastCaption();
    SetPresLabel->setObjectName(QStringLiteral("SetPresLabel"));
    text("Default Set pressure is -1.0.  Leave this at -1.0 and program will automatically set the required pump "
         "pressure to clear the high points and meet any required outlet pressure.  Default required outlet pressure "
         "will be set at 1.0 psi, but may be changed. ");
    text("Otherwise enter a desired set pressure that will at least clear high points and meet any required outlet "
         "pressure.");
    OKBitBtn1 = lay.Button("OKBitBtn1", QStringLiteral("OK"));
    CancelBitBtn2 = lay.Button("CancelBitBtn2", QStringLiteral("Cancel"));
    BitBtn3 = lay.Button("BitBtn3", QStringLiteral("&Help"));

    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); });
    OnClick(CancelBitBtn2, [this] { CancelBitBtn2Click(); });
    OnClick(BitBtn3, [this] { BitBtn3Click(); });
    SetCancelButton(CancelBitBtn2);
    // Each field finds the node's row again (posting what was typed there).
    for (QWidget* w : {static_cast<QWidget*>(OvcDbNumericField3), static_cast<QWidget*>(OvcDbNumericField4),
                       static_cast<QWidget*>(OvcDbNumericField6), static_cast<QWidget*>(SetPresDBNF)}) {
        OnEnter(w, [] { Tul->LocateProfStation(); });
        OnExit(w, [] { Tul->LocateProfStation(); });
    }
    SetEnterKey(OvcDbNumericField6, ui::EnterKey::PressTarget, OKBitBtn1);
}

void TPumpLineBoosterDlg::FormShow()
{
    Tul->Cancelled = false;
    EditHeaderRow();
    defaulted_ = PumpDefaultsDue(QStringLiteral("INLINE BOOSTER"));
    if (defaulted_) {
        if (!DMod->DefLocTable->Active()) DMod->DefLocTable->Open();
        if (DMod->WorkPipeTableOutletPsi->AsFloat() == 0.0) {
            DMod->WorkPipeTableOutletPsi->SetAsFloat(1.0);
            const double ws = DMod->WorkPipeTableOutletElev->AsFloat() + kFeetPerPsiOutlet;
            DMod->WorkPipeTableReqOutletWS->SetAsString(FixedText(ws, 6, 2));
            Tul->OutletPsi = 1.0;
            Tul->PinnedEndHgl = DMod->WorkPipeTableReqOutletWS->AsFloat();
            Tul->BoosterSetOutletPsi = true;
        }
        DMod->WorkPipeTablePumpEffic->SetAsFloat(DMod->DefLocTablePumpEff->AsFloat());
        DMod->WorkPipeTableClearHead->SetAsFloat(DMod->DefLocTableClearHead->AsFloat());
        DMod->WorkPipeTableColumnLoss->SetAsFloat(0.0);
    }
    // A node given the booster kind, at its first choice or again, finds
    // its own set pressure and draws at its own ground.
    if (defaulted_ || Tul->BoosterNodeChosen) {
        db::Table* prof = DMod->WorkProfTable;
        if (prof->State() == db::DataSetState::Browse) prof->Edit();
        DMod->WorkProfTablePsiSet->SetAsFloat(-1.0);
        DMod->WorkPipeTablePumpEyeElev->SetAsFloat(DMod->WorkProfTableGroundElev->AsFloat());
    }
}

void TPumpLineBoosterDlg::OKBitBtn1Click()
{
    Tul->Cancelled = false;
    Tul->LocateProfStation();
    SetModalResult(ui::mrOk);
}

void TPumpLineBoosterDlg::CancelBitBtn2Click()
{
    Tul->Cancelled = true;
    SetModalResult(ui::mrCancel);
}

void TPumpLineBoosterDlg::BitBtn3Click() { ui::HelpContext(137); }

void TPumpLineBoosterDlg::FormClose()
{
    db::Table* pipe = DMod->WorkPipeTable;
    if (Tul->Cancelled) {
        if (TableEditing(pipe)) pipe->Cancel();
        if (defaulted_) {
            ForgetPumpDefaults(QStringLiteral("INLINE BOOSTER"));
            Tul->BoosterSetOutletPsi = false;
        }
        Tul->WasCancelled = true;
        return;
    }
    PostHeaderRow();
    EditHeaderRow();
    Tul->LocateProfStation();
    Tul->WasCancelled = false;
}
