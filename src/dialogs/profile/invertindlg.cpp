#include "dialogs/profile/invertindlg.h"

#include "dialogs/profile/depthindlg.h"
#include "model/dmod1.h"
#include "model/numtext.h"
#include "model/tulclass.h"
#include "platform/ui/dbcontrols.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TInvertIndlg::TInvertIndlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("InvertIndlg"));
    SetCaption(QStringLiteral("Enter Invert Elevation"));
    SetPosition(ui::Position::OwnerCenter);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Pipe Invert Elevation"), this), 0, 0);
    ElevDBNF = ui::Make<QLineEdit>(this, "ElevDBNF");
    grid->addWidget(ElevDBNF, 0, 1);
    DepthLbl = ui::Make<QLabel>(this, "DepthLbl", QStringLiteral("Depth to Top of Pipe (in)"));
    grid->addWidget(DepthLbl, 1, 0);
    DepthTxt = ui::Make<QLabel>(this, "DepthTxt");
    DepthTxt->setStyleSheet(QStringLiteral("color: maroon; font-weight: bold;"));
    grid->addWidget(DepthTxt, 1, 1);
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

    new ui::DBNumericEdit(ElevDBNF, DMod->WorkProfData, QStringLiteral("InvertElev"),
                          ui::NumericFormat::Picture(QStringLiteral("####.##")));
    new ui::DBText(DepthTxt, DMod->WorkProfData, QStringLiteral("PipeDepth"));

    OnEnter(ElevDBNF, [this] { ElevDBNFEnter(); });
    OnExit(ElevDBNF, [this] { ElevDBNFExit(); });
    SetEnterKey(ElevDBNF, ui::EnterKey::PressTarget, OKBtn);
    OnClick(OKBtn, [this] { OKBtnClick(); }, ui::mrOk);
    OnClick(BitBtn2, [this] { BitBtn2Click(); }, ui::mrCancel);
    SetDefaultButton(OKBtn);
    SetCancelButton(BitBtn2);
}

bool TInvertIndlg::eventFilter(QObject* watched, QEvent* e)
{
    // Tab in the elevation field is OK too.
    if (watched == ElevDBNF && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Tab) {
        Press(OKBtn);
        return true;
    }
    return ui::Form::eventFilter(watched, e);
}

void TInvertIndlg::FormShow()
{
    if (Tul->NewNode) {
        DMod->WorkProfTableInvElMethod->SetAsInteger(1);
        DMod->WorkProfTableInvertElev->SetAsFloat(0.0);
        DMod->WorkProfTablePipeDepth->SetAsFloat(0.0);
    }
    DepthLbl->hide();
    NoPipeTxt->hide();
    DepthTxt->hide();
}

void TInvertIndlg::ElevDBNFEnter()
{
    db::Table* t = DMod->WorkProfTable;
    if (t->State() != db::DataSetState::Edit && t->State() != db::DataSetState::Insert)
        t->Edit();
}

void TInvertIndlg::ElevDBNFExit()
{
    if (!(DMod->WorkProfTableDiaIn->AsFloat() > 0)) {
        DepthLbl->hide();
        DepthTxt->hide();
        NoPipeTxt->show();
        return;
    }
    DepthLbl->show();
    DepthTxt->show();
    NoPipeTxt->hide();
    double W, D;
    InvertPipeOf(W, D);
    const double depth =
        (DMod->WorkProfTableGroundElev->AsFloat() - DMod->WorkProfTableInvertElev->AsFloat() - D / 12 - W / 12) * 12;
    DMod->WorkProfTablePipeDepth->SetAsString(FixedText(depth, 6, 1));
    Tul->LocateProfStation();
}

void TInvertIndlg::OKBtnClick()
{
    Tul->Cancelled = false;
    Close();
}

void TInvertIndlg::BitBtn2Click()
{
    Tul->Cancelled = true;
    Close();
}

void TInvertIndlg::FormClose()
{
    db::Table* t = DMod->WorkPipeTable;
    const bool editing = t->Active() && (t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert);
    if (Tul->Cancelled) {
        if (editing)
            t->Cancel();
        Tul->WasCancelled = true;
    } else {
        if (editing)
            t->Post();
        Tul->WasCancelled = false;
    }
}
