#include "dialogs/system/pressure_main_dialog.h"

#include "dialogs/system/system_dialog_layout.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/help.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/seam/msg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const char* const kStatusKeywords[2] = {"PRESSFIND", "PRESSKNOWN"};

} // namespace

TPressureFrmMainDlg::TPressureFrmMainDlg(QWidget* owner) : ui::Form(owner), flow_(nullptr)
{
    setObjectName(QStringLiteral("PressureFrmMainDlg"));
    SetCaption(QStringLiteral("Pressurized From Main Line Data"));
    SetPosition(ui::Position::OwnerCenter);

    SystemDialogLayout lay(this);
    PressureSelectRadioGroup =
        ui::Make<ui::RadioGroup>(this, "PressureSelectRadioGroup", QStringLiteral("Select Pressure Status"));
    PressureSelectRadioGroup->SetItems({QStringLiteral("Find pressure at main"), QStringLiteral("Known Pressure at main")});
    lay.Span(PressureSelectRadioGroup);
    PsiInDBNF = lay.Bound("PsiInDBNF", "Pressure at Start of Pipeline", "PsiIn",
                          ui::NumericFormat::Picture(QStringLiteral("###"), 0, 999), "psi");
    PsiInLabel = lay.LastCaption();
    PsiInLabel->setObjectName(QStringLiteral("PsiInLabel"));
    OvcDbNumericField1 = lay.Bound("OvcDbNumericField1", "Design Flow Rate", "DesignFlow",
                                   ui::NumericFormat::Picture(QStringLiteral("#####"), 0.01, 99000), "gpm");
    cfsField = lay.Cfs();
    OvcDbNumericField4 = lay.Bound("OvcDbNumericField4", "HGL Clearance Above Pipe", "ClearHead",
                                   ui::NumericFormat::Picture(QStringLiteral("###.#"), 0, 999), "feet");
    DBMemo1 = lay.Notes("Notes");
    OKBitBtn1 = lay.Button("OKBitBtn1", QStringLiteral("OK"));
    CancelBitBtn2 = lay.Button("CancelBitBtn2", QStringLiteral("Cancel"));
    BitBtn3 = lay.Button("BitBtn3", QStringLiteral("&Help"));
    flow_ = DesignFlowPair(cfsField);
    // The pressure is entered only once it is known.
    PsiInLabel->setEnabled(false);
    PsiInDBNF->setEnabled(false);

    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); });
    OnClick(CancelBitBtn2, [this] { CancelBitBtn2Click(); });
    OnClick(BitBtn3, [this] { BitBtn3Click(); });
    SetCancelButton(CancelBitBtn2);
    Handle(PressureSelectRadioGroup, &ui::RadioGroup::Clicked, [this] { PressureSelectRadioGroupClick(); });
    for (QWidget* w : {static_cast<QWidget*>(PsiInDBNF), static_cast<QWidget*>(OvcDbNumericField1),
                       static_cast<QWidget*>(cfsField), static_cast<QWidget*>(OvcDbNumericField4),
                       static_cast<QWidget*>(DBMemo1)})
        OnEnter(w, [] { EditHeaderRow(); });
    OnExit(OvcDbNumericField1, [this] { OvcDbNumericField1Exit(); });
    OnExit(cfsField, [this] { cfsFieldExit(); });
    SetEnterKey(DBMemo1, ui::EnterKey::NextControl);
}

void TPressureFrmMainDlg::FormShow()
{
    Tul->Cancelled = false;
    EditHeaderRow();
    RewriteSystemPanel(SystemPanel::PressurisedMain);
    if (Tul->NewJob) {
        // The default once: a clearance typed at an earlier opening stays.
        if (DMod->WorkPipeTableClearHead->IsNull()) {
            if (!DMod->DefLocTable->Active()) DMod->DefLocTable->Open();
            DMod->WorkPipeTableClearHead->SetAsFloat(DMod->DefLocTableClearHead->AsFloat());
            DMod->WorkPipeTable->Post();
            EditHeaderRow();
        }
        // A new job opened again shows the status it was given, so that OK
        // with nothing changed is taken.
        if (DMod->WorkPipeTablePumpType->AsString().isEmpty()) return;
    }
    const QString status = DMod->WorkPipeTablePumpType->AsString();
    for (int item = 0; item < 2; ++item) {
        if (status != QLatin1String(kStatusKeywords[item])) continue;
        PressureSelectRadioGroup->SetItemIndex(item);
        PressureSelectRadioGroupClick();
    }
    flow_.ShowCfs();
}

void TPressureFrmMainDlg::PressureSelectRadioGroupClick()
{
    const int item = PressureSelectRadioGroup->ItemIndex();
    if (item < 0 || item > 1) return;
    EditHeaderRow();
    // A pressure found is the run's answer, one known the user's: neither
    // passes for the other once the status changes.
    const QString before = DMod->WorkPipeTablePumpType->AsString();
    if (!before.isEmpty() && before != QLatin1String(kStatusKeywords[item])) DMod->WorkPipeTablePsiIn->Clear();
    DMod->WorkPipeTablePumpType->SetAsString(QString::fromLatin1(kStatusKeywords[item]));
    Tul->PumpTypeCode = item == 0 ? kPumpPressFind : kPumpPressKnown;
    applyStatus(item);
}

void TPressureFrmMainDlg::applyStatus(int item)
{
    const bool known = item == 1;
    RewriteSystemPanel(known ? SystemPanel::PressureKnown : SystemPanel::PressureFind);
    PsiInLabel->setEnabled(known);
    PsiInDBNF->setEnabled(known);
}

void TPressureFrmMainDlg::OvcDbNumericField1Exit() { flow_.GpmExit(); }
void TPressureFrmMainDlg::cfsFieldExit() { flow_.CfsExit(); }

// A job without a pressure status or a flow cannot be computed: it is not
// accepted, as the other entrances refuse a zero flow.
void TPressureFrmMainDlg::OKBitBtn1Click()
{
    Tul->Cancelled = false;
    if (PressureSelectRadioGroup->ItemIndex() < 0) {
        ui::MessageDlg(QStringLiteral("You must select a pressure status!"), ui::MsgType::Error, ui::mbOK);
        return;
    }
    if (!RefuseZeroFlow()) SetModalResult(ui::mrOk);
}

void TPressureFrmMainDlg::CancelBitBtn2Click()
{
    Tul->Cancelled = true;
    SetModalResult(ui::mrCancel);
}

void TPressureFrmMainDlg::BitBtn3Click() { ui::HelpContext(140); }

void TPressureFrmMainDlg::FormClose()
{
    // Closed by its frame before the job could be computed: as Cancel.
    if (PressureSelectRadioGroup->ItemIndex() < 0 || DMod->WorkPipeTableDesignFlow->AsFloat() == 0.0)
        Tul->Cancelled = true;
    // A main has no water surface at the entrance.
    if (!Tul->Cancelled) {
        EditHeaderRow();
        DMod->WorkPipeTableWSElev->SetAsFloat(kNoWaterSurface);
    }
    CloseSystemDialog();
}
