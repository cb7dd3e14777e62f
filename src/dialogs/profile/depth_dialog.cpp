#include "dialogs/profile/depth_dialog.h"

#include "model/data_module.h"
#include "model/node_rules.h"
#include "model/job.h"
#include "platform/ui/dbcontrols.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void InvertPipeOf(double& wallThick, double& diaIn)
{
    db::Table* prof = DMod->WorkProfTable;
    const int type = DMod->WorkProfTableNodeType->AsInteger();
    const int before = prof->DisplayRow() - 1;
    if ((type == 5 || type == 6 || type == 7) && before >= 0) {
        // Read as stored, not from the job object, whose copy is whatever node
        // was read last (none in a job just loaded).
        wallThick = prof->DisplayValue(before, DMod->WorkProfTableWallThick).toDouble();
        diaIn = prof->DisplayValue(before, DMod->WorkProfTableDiaIn).toDouble();
    } else {
        wallThick = DMod->WorkProfTableWallThick->AsFloat();
        diaIn = DMod->WorkProfTableDiaIn->AsFloat();
    }
}

void InvertFollowsMethod()
{
    TDMod* d = DMod;
    switch (d->WorkProfTableInvElMethod->AsInteger()) {
    case 0: {
        double W, D;
        InvertPipeOf(W, D);
        d->WorkProfTableInvertElev->SetAsFloat(
            InvertFromCover(d->WorkProfTableGroundElev->AsFloat(), d->WorkProfTablePipeDepth->AsFloat(), W, D));
        break;
    }
    case 2:
        d->WorkProfTableInvertElev->SetValue(d->WorkProfTableGroundElev->Value());
        d->WorkProfTablePipeDepth->SetAsFloat(0);
        break;
    default:
        break;
    }
}

void NodeInvertEdit::Keep()
{
    method_ = DMod->WorkProfTableInvElMethod->Value();
    depth_ = DMod->WorkProfTablePipeDepth->Value();
    invert_ = DMod->WorkProfTableInvertElev->Value();
    openerCancelled_ = Tul->Cancelled;
}

void NodeInvertEdit::PutBack(bool cancelled)
{
    if (cancelled) {
        EditNodeRow();
        DMod->WorkProfTableInvElMethod->SetValue(method_);
        DMod->WorkProfTablePipeDepth->SetValue(depth_);
        DMod->WorkProfTableInvertElev->SetValue(invert_);
    }
    Tul->Cancelled = openerCancelled_;
}

EntryLayout BuildEntryLayout(ui::Form* form, const QString& entryCaption, const char* entryName, const QString& field,
                             const QString& picture, const QString& derivedCaption, const char* derivedLblName,
                             const char* derivedName, const QString& derivedField)
{
    EntryLayout l;
    auto* grid = new QGridLayout(form);
    grid->addWidget(new QLabel(entryCaption, form), 0, 0);
    l.entry = ui::Make<QLineEdit>(form, entryName);
    grid->addWidget(l.entry, 0, 1);
    l.derivedLbl = ui::Make<QLabel>(form, derivedLblName, derivedCaption);
    grid->addWidget(l.derivedLbl, 1, 0);
    l.derived = ui::Make<QLabel>(form, derivedName);
    l.derived->setStyleSheet(QStringLiteral("color: maroon; font-weight: bold;"));
    grid->addWidget(l.derived, 1, 1);
    l.noPipe = ui::Make<QLabel>(form, "NoPipeTxt", QStringLiteral("No pipe selected yet!"));
    l.noPipe->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    grid->addWidget(l.noPipe, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    l.ok = ui::Make<QPushButton>(form, "OKBtn", QStringLiteral("OK"));
    l.cancel = ui::Make<QPushButton>(form, "BitBtn2", QStringLiteral("Cancel"));
    buttons->addStretch(1);
    buttons->addWidget(l.ok);
    buttons->addWidget(l.cancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    new ui::DBNumericEdit(l.entry, DMod->WorkProfData, field, ui::NumericFormat::Picture(picture));
    new ui::DBText(l.derived, DMod->WorkProfData, derivedField);
    form->OnEnter(l.entry, [] { EditNodeRow(); });
    // Enter in the field is OK.
    form->SetEnterKey(l.entry, ui::EnterKey::PressTarget, l.ok);
    form->SetDefaultButton(l.ok);
    form->SetCancelButton(l.cancel);
    return l;
}

void EditNodeRow()
{
    db::Table* t = DMod->WorkProfTable;
    if (t->State() != db::DataSetState::Edit && t->State() != db::DataSetState::Insert)
        t->Edit();
}

TDepthInDlg::TDepthInDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("DepthInDlg"));
    SetCaption(QStringLiteral("Enter Pipe Depth"));
    // Over the list that opened it, as the invert dialog is, not in a corner of the screen.
    SetPosition(ui::Position::OwnerCenter);
    const EntryLayout l = BuildEntryLayout(this, QStringLiteral("Depth to Top of Pipe (in)"), "OvcDbNumericField1",
                                           QStringLiteral("PipeDepth"), QStringLiteral("##.#"),
                                           QStringLiteral("Invert Elevation"), "InvElevLbl", "InvElevTxt",
                                           QStringLiteral("InvertElev"));
    OvcDbNumericField1 = l.entry;
    InvElevLbl = l.derivedLbl;
    InvElevTxt = l.derived;
    NoPipeTxt = l.noPipe;
    OKBtn = l.ok;
    BitBtn2 = l.cancel;
    OnExit(OvcDbNumericField1, [this] { OvcDbNumericField1Exit(); });
    OnClick(OKBtn, [this] { OKBtnClick(); }, ui::mrOk);
    OnClick(BitBtn2, [this] { BitBtn2Click(); }, ui::mrCancel);
}

void TDepthInDlg::FormShow()
{
    NoPipeTxt->hide();
    InvElevTxt->hide();
    before_.Keep();
    Tul->Cancelled = false;
    EditNodeRow();
    DMod->WorkProfTableInvElMethod->SetAsInteger(0);
    if (Tul->NewNode) {
        DMod->WorkProfTablePipeDepth->SetAsFloat(Tul->InvElMethod == 0 ? Tul->PipeDepth
                                                                        : DMod->DefLocTableDepthOfCover->AsFloat());
        // Worked out when the depth is left; none until then.
        DMod->WorkProfTableInvertElev->Clear();
    }
}

void TDepthInDlg::FormClose()
{
    before_.PutBack(Tul->Cancelled);
}

void TDepthInDlg::OvcDbNumericField1Enter()
{
    EditNodeRow();
}

void TDepthInDlg::OvcDbNumericField1Exit()
{
    // An emptied field is no depth given (the field would store 0).
    if (OvcDbNumericField1->text().trimmed().isEmpty()) DMod->WorkProfTablePipeDepth->Clear();
    if (!(DMod->WorkProfTableDiaIn->AsFloat() > 0)) {
        InvElevLbl->hide();
        InvElevTxt->hide();
        NoPipeTxt->show();
        return;
    }
    InvElevLbl->show();
    InvElevTxt->show();
    NoPipeTxt->hide();
    Tul->LocateProfStation();
    // Without a ground or a depth there is nothing to work the invert from.
    if (DMod->WorkProfTableGroundElev->IsNull() || DMod->WorkProfTablePipeDepth->IsNull()) {
        DMod->WorkProfTableInvertElev->Clear();
        return;
    }
    double W, D;
    InvertPipeOf(W, D);
    DMod->WorkProfTableInvertElev->SetAsFloat(
        InvertFromCover(DMod->WorkProfTableGroundElev->AsFloat(), DMod->WorkProfTablePipeDepth->AsFloat(), W, D));
    Tul->LocateProfStation();
}

void TDepthInDlg::OKBtnClick()
{
    Tul->Cancelled = false;
    Close();
}

void TDepthInDlg::BitBtn2Click()
{
    Tul->Cancelled = true;
    Close();
}
