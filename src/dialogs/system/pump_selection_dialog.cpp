#include "dialogs/system/pump_selection_dialog.h"

#include "dialogs/designer_window.h"
#include "dialogs/dialog_helpers.h"
#include "dialogs/system/centrifugal_pump_dialog.h"
#include "dialogs/system/pump_data_dialogs.h"
#include "dialogs/system/system_dialog_layout.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/help.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/seam/msg.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kKeywords[5] = {"CENTRIF", "TURBINE", "PROPELLER", "BOOSTER", "AUTOPUMP"};
const int kCodes[5] = {kPumpCentrif, kPumpTurbine, kPumpPropeller, kPumpBooster, kPumpAuto};

void showPumpDialog(int item, QWidget* owner)
{
    switch (item) {
    case 0: ShowOwned(PumpCentrifDlg, owner); break;
    case 1: ShowOwned(PumpTurbineDlg, owner); break;
    case 2: ShowOwned(PumpPropellerDlg, owner); break;
    case 3: ShowOwned(PumpBoosterDlg, owner); break;
    default: ShowOwned(PumpAutoPresDlg, owner); break;
    }
}

// A pump that draws from no suction line keeps nothing of one: the line's
// loss, worked into `ColumnLoss`, would count again as the new pump's
// entrance or column loss, and its suction heads would be printed for it. A
// turbine has no column of its own either. What was typed for a propeller or
// a tank stays.
void LeaveSuctionLine(bool turbine)
{
    const bool wasCentrifugal = DMod->WorkPipeTablePumpType->AsString() == QLatin1String(kKeywords[0]);
    if (wasCentrifugal || turbine) DMod->WorkPipeTableColumnLoss->SetAsFloat(0.0);
    if (!wasCentrifugal) return;
    DMod->WorkPipeTableTDSH->SetAsFloat(0.0);
    DMod->WorkPipeTableAvailSH->SetAsFloat(0.0);
    Tul->tdsh = 0.0;
    Tul->ColumnLoss = 0.0;
}

} // namespace

TPumpSelDlg::TPumpSelDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("PumpSelDlg"));
    SetCaption(QStringLiteral("Pump  Selection"));
    SetPosition(ui::Position::OwnerCenter);
    SystemDialogLayout lay(this);
    PumpSelRadioGroup = ui::Make<ui::RadioGroup>(this, "PumpSelRadioGroup", QStringLiteral("Select Pump Type"));
    PumpSelRadioGroup->SetItems({QStringLiteral("Centrifugal Pump"), QStringLiteral("Turbine Pump"),
                                 QStringLiteral("Propeller Pump"), QStringLiteral("Booster pump, any kind"),
                                 QStringLiteral("Automatic pressure tank pumped system")});
    PumpSelRadioGroup->SetItemIndex(-1);
    lay.Span(PumpSelRadioGroup);
    OKBitBtn1 = lay.Button("OKBitBtn1", QStringLiteral("OK"));
    CancelBitBtn2 = lay.Button("CancelBitBtn2", QStringLiteral("Cancel"));
    HelpBitBtn3 = lay.Button("HelpBitBtn3", QStringLiteral("&Help"));
    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); });
    OnClick(CancelBitBtn2, [this] { CancelBitBtn2Click(); });
    OnClick(HelpBitBtn3, [this] { HelpBitBtn3Click(); });
    SetCancelButton(CancelBitBtn2);
    Handle(PumpSelRadioGroup, &ui::RadioGroup::Clicked, [this] { PumpSelRadioGroupClick(); });
}

void TPumpSelDlg::FormShow()
{
    const QString pumpType = DMod->WorkPipeTablePumpType->AsString();
    for (int item = 0; item < 5; ++item) {
        if (pumpType != QLatin1String(kKeywords[item])) continue;
        // The current pump's dialog comes up at once. Its OK ends the
        // selection with it; after its Cancel or Change Pump Type this
        // dialog stays open for another choice.
        PumpSelRadioGroup->SetItemIndex(item);
        showing_ = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{showing_};
        PumpSelRadioGroupClick();
        if (!Tul->Cancelled) Close();
        return;
    }
}

void TPumpSelDlg::PumpSelRadioGroupClick()
{
    const int item = PumpSelRadioGroup->ItemIndex();
    if (item < 0 || item > 4) return;
    Tul->WasCancelled = false;
    EditHeaderRow();
    DesignerWindow* designer = RunningDesigner();
    if (designer && designer->ChangePumpType && item >= 3) {
        // Say why nothing happens, and let the user choose again.
        PumpSelRadioGroup->SetItemIndex(chosen_);
        ui::MessageDlg(QStringLiteral("A booster pump or an automatic pressure tank can't replace the pump of a job "
                                      "whose pump type is being changed. Please choose a centrifugal, turbine or "
                                      "propeller pump."),
                       ui::MsgType::Information, ui::mbOK);
        return;
    }
    chosen_ = item;
    if (item != 0) LeaveSuctionLine(item == 1);
    DMod->WorkPipeTablePumpType->SetAsString(QString::fromLatin1(kKeywords[item]));
    if (item != 0) DMod->WorkPipeTableNoSucSegs->SetAsInteger(0);
    else if (DMod->WorkPipeTableNoSucSegs->AsInteger() < 1) DMod->WorkPipeTableNoSucSegs->SetAsInteger(1);
    // Whether this pump dialog asked for another pump type; a flag left set
    // before it still refuses the booster and the tank afterwards.
    const bool changing = designer && designer->ChangePumpType;
    if (designer) designer->ChangePumpType = false;
    showPumpDialog(item, this);
    changeAsked_ = designer && designer->ChangePumpType;
    if (designer) designer->ChangePumpType = changing || changeAsked_;
    Tul->PumpTypeCode = kCodes[item];
    PostHeaderRow();
    if (!showing_ && !changeAsked_) Close();
}

void TPumpSelDlg::OKBitBtn1Click()
{
    Tul->Cancelled = false;
    Close();
}

void TPumpSelDlg::CancelBitBtn2Click()
{
    Tul->Cancelled = true;
    Close();
}

void TPumpSelDlg::HelpBitBtn3Click() { ui::HelpContext(142); }

void TPumpSelDlg::FormClose()
{
    // A change of pump type ends with this dialog; left set, it would reopen
    // the selection after the next System and OK of the new pump.
    if (DesignerWindow* designer = RunningDesigner()) designer->ChangePumpType = false;
    if (Tul->Cancelled) {
        Tul->WasCancelled = true;
        if (TableEditing(DMod->WorkPipeTable)) DMod->WorkPipeTable->Cancel();
        return;
    }
    Tul->WasCancelled = false;
    PostHeaderRow();
}
