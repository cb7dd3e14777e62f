#include "dialogs/profile/depthindlg.h"

#include "model/dmod1.h"
#include "model/numtext.h"
#include "model/tulclass.h"
#include "platform/ui/dbcontrols.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void InvertPipeOf(double& wallThick, double& diaIn)
{
    const int type = DMod->WorkProfTableNodeType->AsInteger();
    if (type == 5 || type == 6 || type == 7) {
        wallThick = Tul->WallThick;
        diaIn = Tul->DiaIn;
    } else {
        wallThick = DMod->WorkProfTableWallThick->AsFloat();
        diaIn = DMod->WorkProfTableDiaIn->AsFloat();
    }
}

TDepthInDlg::TDepthInDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("DepthInDlg"));
    SetCaption(QStringLiteral("Enter Pipe Depth"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Depth to Top of Pipe (in)"), this), 0, 0);
    OvcDbNumericField1 = ui::Make<QLineEdit>(this, "OvcDbNumericField1");
    grid->addWidget(OvcDbNumericField1, 0, 1);
    InvElevLbl = ui::Make<QLabel>(this, "InvElevLbl", QStringLiteral("Invert Elevation"));
    grid->addWidget(InvElevLbl, 1, 0);
    InvElevTxt = ui::Make<QLabel>(this, "InvElevTxt");
    InvElevTxt->setStyleSheet(QStringLiteral("color: maroon; font-weight: bold;"));
    grid->addWidget(InvElevTxt, 1, 1);
    NoPipeTxt = ui::Make<QLabel>(this, "NoPipeTxt", QStringLiteral("No pipe selected yet!"));
    NoPipeTxt->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    grid->addWidget(NoPipeTxt, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    OKBtn = ui::Make<QPushButton>(this, "OKBtn", QStringLiteral("OK"));
    BitBtn2 = ui::Make<QPushButton>(this, "BitBtn2", QStringLiteral("Cancel"));
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(BitBtn2);
    grid->addLayout(buttons, 3, 0, 1, 2);

    new ui::DBNumericEdit(OvcDbNumericField1, DMod->WorkProfData, QStringLiteral("PipeDepth"),
                          ui::NumericFormat::Picture(QStringLiteral("##.#")));
    new ui::DBText(InvElevTxt, DMod->WorkProfData, QStringLiteral("InvertElev"));

    OnEnter(OvcDbNumericField1, [this] { OvcDbNumericField1Enter(); });
    OnExit(OvcDbNumericField1, [this] { OvcDbNumericField1Exit(); });
    SetEnterKey(OvcDbNumericField1, ui::EnterKey::PressTarget, OKBtn);
    OnClick(OKBtn, [this] { OKBtnClick(); }, ui::mrOk);
    OnClick(BitBtn2, [this] { BitBtn2Click(); }, ui::mrCancel);
    SetDefaultButton(OKBtn);
    SetCancelButton(BitBtn2);
}

void TDepthInDlg::FormShow()
{
    NoPipeTxt->hide();
    InvElevTxt->hide();
    Tul->Cancelled = false;
    DMod->WorkProfTableInvElMethod->SetAsInteger(0);
    if (Tul->NewNode) {
        DMod->WorkProfTablePipeDepth->SetAsFloat(Tul->InvElMethod == 0 ? Tul->PipeDepth
                                                                        : DMod->DefLocTableDepthOfCover->AsFloat());
        DMod->WorkProfTableInvertElev->SetAsFloat(0.0);
    }
}

void TDepthInDlg::OvcDbNumericField1Enter()
{
    db::Table* t = DMod->WorkProfTable;
    if (t->State() != db::DataSetState::Edit && t->State() != db::DataSetState::Insert)
        t->Edit();
}

void TDepthInDlg::OvcDbNumericField1Exit()
{
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
    double W, D;
    InvertPipeOf(W, D);
    const double invert = DMod->WorkProfTableGroundElev->AsFloat() - DMod->WorkProfTablePipeDepth->AsFloat() / 12 -
                          W / 12 - D / 12;
    DMod->WorkProfTableInvertElev->SetAsString(FixedText(invert, 6, 2));
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
