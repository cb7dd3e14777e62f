#include "dialogs/system/full_flow_dialog.h"

#include "dialogs/system/system_dialog_layout.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/help.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

TFullFlowDlg::TFullFlowDlg(QWidget* owner) : ui::Form(owner), flow_(nullptr)
{
    setObjectName(QStringLiteral("FullFlowDlg"));
    SetCaption(QStringLiteral("Maximum Flow Gravity System Data"));
    SetPosition(ui::Position::OwnerCenter);

    SystemDialogLayout lay(this);
    FlowDBNF = lay.Bound("FlowDBNF", "Approximate Flow Rate", "DesignFlow",
                         ui::NumericFormat::Picture(QStringLiteral("#####"), 0, 99999), "gpm");
    cfsField = lay.Cfs();
    // A water surface below the datum makes no maximum-flow job.
    OvcDbNumericField2 = lay.Bound("OvcDbNumericField2", "Water Surface Elevation", "WSElev",
                                   ui::NumericFormat::Picture(QStringLiteral("####.#"), 0), "feet");
    DBMemo1 = lay.Notes("Entrance Notes");
    OKBitBtn1 = lay.Button("OKBitBtn1", QStringLiteral("OK"));
    CancelBitBtn2 = lay.Button("CancelBitBtn2", QStringLiteral("Cancel"));
    BitBtn3 = lay.Button("BitBtn3", QStringLiteral("&Help"));
    flow_ = DesignFlowPair(cfsField);

    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); });
    OnClick(CancelBitBtn2, [this] { CancelBitBtn2Click(); });
    OnClick(BitBtn3, [this] { BitBtn3Click(); });
    SetCancelButton(CancelBitBtn2);
    OnEnter(FlowDBNF, [this] { FlowDBNFEnter(); });
    for (QWidget* w : {static_cast<QWidget*>(cfsField), static_cast<QWidget*>(OvcDbNumericField2),
                       static_cast<QWidget*>(DBMemo1)})
        OnEnter(w, [] { EditHeaderRow(); });
    OnExit(FlowDBNF, [this] { FlowDBNFExit(); });
    OnExit(cfsField, [this] { cfsFieldExit(); });
    SetEnterKey(DBMemo1, ui::EnterKey::PressTarget, OKBitBtn1);
}

void TFullFlowDlg::FormShow()
{
    Tul->Cancelled = false;
    EditHeaderRow();
    RewriteSystemPanel(SystemPanel::MaximumFlow);
    if (DMod->WorkPipeTableDesignFlow->AsFloat() > 0) flow_.ShowCfs();
}

void TFullFlowDlg::FlowDBNFEnter()
{
    EditHeaderRow();
    Tul->DesignFlow = DMod->WorkPipeTableDesignFlow->AsFloat();
}

// The starting flow is only a guess for the run: no warning when it changes.
void TFullFlowDlg::FlowDBNFExit() { flow_.GpmExit(); }
void TFullFlowDlg::cfsFieldExit() { flow_.CfsExit(); }

void TFullFlowDlg::OKBitBtn1Click()
{
    Tul->Cancelled = false;
    if (!RefuseZeroFlow()) SetModalResult(ui::mrOk);
}

void TFullFlowDlg::CancelBitBtn2Click()
{
    Tul->Cancelled = true;
    SetModalResult(ui::mrCancel);
}

void TFullFlowDlg::BitBtn3Click() { ui::HelpContext(138); }

void TFullFlowDlg::FormClose() { CloseSystemDialog(); }
