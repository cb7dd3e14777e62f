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
    // The job as the selection opens: its Cancel, or a pump dialog's that
    // ends it, leaves the job with the pump it had.
    opening_.emplace();
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
    // Every pump is offered whether its type is being changed or chosen
    // first: the new pump takes nothing of the one before.
    const QString pumpTypeBefore = DMod->WorkPipeTablePumpType->AsString();
    DMod->WorkPipeTablePumpType->SetAsString(QString::fromLatin1(kKeywords[item]));
    TakeAwayOtherKindsValues(DMod->WorkPipeTableSysType->AsString(), pumpTypeBefore);
    if (item == 0 && DMod->WorkPipeTableNoSucSegs->AsInteger() < 1) DMod->WorkPipeTableNoSucSegs->SetAsInteger(1);
    // Whether this pump dialog asked for another pump type.
    if (designer) designer->ChangePumpType = false;
    showPumpDialog(item, this);
    changeAsked_ = designer && designer->ChangePumpType;
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
        if (opening_) opening_->PutBack();
        Tul->PumpTypeCode = PumpTypeCodeOf(DMod->WorkPipeTablePumpType->AsString());
        return;
    }
    Tul->WasCancelled = false;
    PostHeaderRow();
}
