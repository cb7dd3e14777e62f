#include "dialogs/profile/invert_dialog.h"

#include "dialogs/profile/depth_dialog.h"
#include "model/data_module.h"
#include "model/number_text.h"
#include "model/job.h"
#include "model/program_kind.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TInvertIndlg::TInvertIndlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("InvertIndlg"));
    SetCaption(QStringLiteral("Enter Invert Elevation"));
    SetPosition(ui::Position::OwnerCenter);
    const EntryLayout l = BuildEntryLayout(this, QStringLiteral("Pipe Invert Elevation"), "ElevDBNF",
                                           QStringLiteral("InvertElev"), QStringLiteral("####.##"),
                                           QStringLiteral("Depth to Top of Pipe (in)"), "DepthLbl", "DepthTxt",
                                           QStringLiteral("PipeDepth"));
    ElevDBNF = l.entry;
    DepthLbl = l.derivedLbl;
    DepthTxt = l.derived;
    NoPipeTxt = l.noPipe;
    OKBtn = l.ok;
    BitBtn2 = l.cancel;
    OnExit(ElevDBNF, [this] { ElevDBNFExit(); });
    OnClick(OKBtn, [this] { OKBtnClick(); }, ui::mrOk);
    OnClick(BitBtn2, [this] { BitBtn2Click(); }, ui::mrCancel);
}

bool TInvertIndlg::eventFilter(QObject* watched, QEvent* e)
{
    // The form sees the keys of all its controls: Tab in the elevation
    // field is OK too, except in the gravity designer, where only Enter is.
    if (watched == ElevDBNF && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Tab && !GravityDesignerRunning()) {
        Press(OKBtn);
        return true;
    }
    return ui::Form::eventFilter(watched, e);
}

void TInvertIndlg::FormShow()
{
    before_.Keep();
    if (Tul->NewNode) {
        EditNodeRow();
        DMod->WorkProfTableInvElMethod->SetAsInteger(1);
        // None until typed: 0 would read as an invert entered.
        DMod->WorkProfTableInvertElev->Clear();
        DMod->WorkProfTablePipeDepth->SetAsFloat(0.0);
    }
    DepthLbl->hide();
    NoPipeTxt->hide();
    DepthTxt->hide();
}

void TInvertIndlg::ElevDBNFEnter()
{
    EditNodeRow();
}

void TInvertIndlg::ElevDBNFExit()
{
    // An emptied field is no invert entered (the field would store 0).
    if (ElevDBNF->text().trimmed().isEmpty()) DMod->WorkProfTableInvertElev->Clear();
    if (!(DMod->WorkProfTableDiaIn->AsFloat() > 0)) {
        DepthLbl->hide();
        DepthTxt->hide();
        NoPipeTxt->show();
        return;
    }
    DepthLbl->show();
    DepthTxt->show();
    NoPipeTxt->hide();
    // Without a ground or an invert there is no depth to work out.
    if (DMod->WorkProfTableGroundElev->IsNull() || DMod->WorkProfTableInvertElev->IsNull()) return;
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
    // The job header may hold the node dialog's edit not yet posted (an end
    // node chosen): this dialog's Cancel leaves it to that dialog.
    const bool cancelled = Tul->Cancelled;
    db::Table* t = DMod->WorkPipeTable;
    if (!cancelled && t->Active() && (t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert))
        t->Post();
    before_.PutBack(cancelled);
    Tul->WasCancelled = cancelled;
}
