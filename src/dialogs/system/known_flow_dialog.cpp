#include "dialogs/system/known_flow_dialog.h"

#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/help.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

TKnownFlowDlg::TKnownFlowDlg(QWidget* owner)
    : ui::Form(owner), flow_(nullptr)
{
    setObjectName(QStringLiteral("KnownFlowDlg"));
    SetCaption(QStringLiteral("Known Flow Gravity System Data"));
    SetPosition(ui::Position::OwnerCenter);

    auto* grid = new QGridLayout(this);
    auto addRow = [&](int row, const char* caption, QWidget* field, const char* unit) {
        grid->addWidget(new QLabel(QString::fromLatin1(caption), this), row, 0);
        grid->addWidget(field, row, 1);
        if (unit) grid->addWidget(new QLabel(QString::fromLatin1(unit), this), row, 2);
    };
    FlowDBNF = ui::Make<QLineEdit>(this, "FlowDBNF");
    cfsField = ui::Make<QLineEdit>(this, "cfsField");
    ui::SetNumericPicture(cfsField, ui::NumericFormat::Picture(QStringLiteral("#######.##"), 0));
    OvcDbNumericField2 = ui::Make<QLineEdit>(this, "OvcDbNumericField2");
    addRow(0, "Design Flow Rate", FlowDBNF, "gpm");
    addRow(1, "", cfsField, "cfs");
    addRow(2, "Water Surface Elevation", OvcDbNumericField2, "feet");
    grid->addWidget(new QLabel(QStringLiteral("Entrance Notes"), this), 3, 0, 1, 3);
    DBMemo1 = ui::Make<QPlainTextEdit>(this, "DBMemo1");
    DBMemo1->setFixedHeight(60);
    grid->addWidget(DBMemo1, 4, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    OKBitBtn1 = ui::Make<QPushButton>(this, "OKBitBtn1", QStringLiteral("OK"));
    CancelBitBtn2 = ui::Make<QPushButton>(this, "CancelBitBtn2", QStringLiteral("Cancel"));
    BitBtn3 = ui::Make<QPushButton>(this, "BitBtn3", QStringLiteral("&Help"));
    buttons->addStretch(1);
    for (QPushButton* b : {OKBitBtn1, CancelBitBtn2, BitBtn3}) buttons->addWidget(b);
    grid->addLayout(buttons, 5, 0, 1, 3);

    db::DataSource* pipe = DMod->WorkPipeData;
    new ui::DBNumericEdit(FlowDBNF, pipe, QStringLiteral("DesignFlow"),
                          ui::NumericFormat::Picture(QStringLiteral("#####"), 0, 99999));
    new ui::DBNumericEdit(OvcDbNumericField2, pipe, QStringLiteral("WSElev"),
                          ui::NumericFormat::Picture(QStringLiteral("####.#"), -300, 9999));
    new ui::DBMemo(DBMemo1, pipe, QStringLiteral("EntranceNotes"));
    flow_ = DesignFlowPair(cfsField);
    flow_.WarnWith(QStringLiteral("Design flow rate has changed. Check all pipes for for optimum size."));

    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); });
    OnClick(CancelBitBtn2, [this] { CancelBitBtn2Click(); });
    OnClick(BitBtn3, [this] { BitBtn3Click(); });
    SetDefaultButton(OKBitBtn1);     // Enter while the form itself has the focus
    SetCancelButton(CancelBitBtn2);
    for (QWidget* w : {static_cast<QWidget*>(FlowDBNF), static_cast<QWidget*>(cfsField),
                       static_cast<QWidget*>(OvcDbNumericField2), static_cast<QWidget*>(DBMemo1)})
        OnEnter(w, [this] { DataFieldEnter(); });
    OnExit(FlowDBNF, [this] { FlowDBNFExit(); });
    OnExit(cfsField, [this] { cfsFieldExit(); });
    // The notes take no line breaks: Enter there accepts the dialog.
    SetEnterKey(DBMemo1, ui::EnterKey::PressTarget, OKBitBtn1);
}

void TKnownFlowDlg::FormShow()
{
    Tul->Cancelled = false;
    SetFocus(FlowDBNF);
    flow_.KeepOpeningFlow();
    if (DMod->WorkPipeTable->State() == db::DataSetState::Browse) DMod->WorkPipeTable->Edit();
    RewriteSystemPanel(SystemPanel::KnownFlow);
    // Opened again on a flow already given: its cfs beside it, as every
    // other entrance dialog shows it.
    if (DMod->WorkPipeTableDesignFlow->AsFloat() > 0) flow_.ShowCfs();
}

void TKnownFlowDlg::DataFieldEnter()
{
    if (DMod->WorkPipeTable->State() == db::DataSetState::Browse) DMod->WorkPipeTable->Edit();
}

void TKnownFlowDlg::FlowDBNFExit() { flow_.GpmExit(); }
void TKnownFlowDlg::cfsFieldExit() { flow_.CfsExit(); }

void TKnownFlowDlg::OKBitBtn1Click()
{
    Tul->Cancelled = false;
    if (!RefuseZeroFlow()) SetModalResult(ui::mrOk);
}

void TKnownFlowDlg::CancelBitBtn2Click()
{
    Tul->Cancelled = true;
    SetModalResult(ui::mrCancel);
}

void TKnownFlowDlg::BitBtn3Click() { ui::HelpContext(139); }

void TKnownFlowDlg::FormClose() { CloseSystemDialog(); }
