#include "dialogs/editors/pipe_weight_calculator.h"

#include "dialogs/editors/reference_editing.h"
#include "dialogs/numeric_field.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/help.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr double kPi = 3.141592653589793;
}

PipeWeight WeightPerFoot(double od, double id, double t, double density)
{
    PipeWeight w;
    if (od > 0) {
        w.od = od;
        w.id = od - 2 * t;
    } else {
        w.id = id;
        w.od = id + 2 * t;
    }
    w.perFoot = (kPi * w.od * w.od * 0.25 - kPi * w.id * w.id * 0.25) * 12 * density;
    return w;
}

TCalcPipeWtDlg::TCalcPipeWtDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("CalcPipeWtDlg"));
    SetCaption(QStringLiteral("Calculate Pipe Weight Per Foot and Enter in DB"));
    SetPosition(ui::Position::OwnerCenter);
    SetHelpContext(97);
    auto* v = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    ODNF = ui::Make<QLineEdit>(this, "ODNF");
    IDNF = ui::Make<QLineEdit>(this, "IDNF");
    TNF = ui::Make<QLineEdit>(this, "TNF");
    g->addWidget(new QLabel(QStringLiteral("Enter Pipe Outside Diameter (in)"), this), 0, 0);
    g->addWidget(ODNF, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("-OR-"), this), 1, 0);
    g->addWidget(new QLabel(QStringLiteral("Enter Pipe Inside Diameter (in)"), this), 2, 0);
    g->addWidget(IDNF, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("Enter Pipe Wall Thickness (in)"), this), 3, 0);
    g->addWidget(TNF, 3, 1);
    v->addLayout(g);
    auto* buttons = new QHBoxLayout;
    OKBtn = ui::Make<QPushButton>(this, "OKBtn", QStringLiteral("OK"));
    CancelBtn = ui::Make<QPushButton>(this, "CancelBtn", QStringLiteral("Cancel"));
    HelpBtn = ui::Make<QPushButton>(this, "HelpBtn", QStringLiteral("&Help"));
    for (QPushButton* b : {OKBtn, CancelBtn, HelpBtn})
        buttons->addWidget(b);
    v->addLayout(buttons);

    od_ = new NumField(ODNF, ui::NumericFormat::Picture(QStringLiteral("###.###"), 0.0));
    id_ = new NumField(IDNF, ui::NumericFormat::Picture(QStringLiteral("###.###"), 0.0));
    t_ = new NumField(TNF, ui::NumericFormat::Picture(QStringLiteral("###.#####"), 0.0));

    OnClick(OKBtn, [this] { OKBtnClick(); });
    OnClick(CancelBtn, [this] { CancelBtnClick(); });
    OnClick(HelpBtn, [] { ui::HelpContext(97); });
    SetCancelButton(CancelBtn);
    SetEnterKey(ODNF, ui::EnterKey::FocusTarget, TNF);
    SetEnterKey(IDNF, ui::EnterKey::FocusTarget, TNF);
    SetEnterKey(TNF, ui::EnterKey::FocusTarget, OKBtn);
    setTabOrder(ODNF, IDNF);
    setTabOrder(IDNF, TNF);
    setTabOrder(TNF, OKBtn);
}

void TCalcPipeWtDlg::FormShow()
{
    Tul->Cancelled = false;
    db::Table* pipes = DMod->PipeTable;
    if (!pipes->Active() || pipes->State() == db::DataSetState::Browse) {
        ui::MessageDlg(QStringLiteral("Not in edit mode."), ui::MsgType::Error, ui::mbOK);
        // Nothing may be written into a row that is not being edited.
        Tul->Cancelled = true;
        Close();
        return;
    }
    id_->SetValue(DMod->PipeTableIDin->AsFloat());
    ODNF->clear();
    TNF->clear();
    SetFocus(ODNF);
}

void TCalcPipeWtDlg::OKBtnClick()
{
    Tul->Cancelled = false;
    db::Table* pipes = DMod->PipeTable;
    if (pipes->State() == db::DataSetState::Edit) {
        pipes->Post();
        pipes->Edit();
    }
    Close();
}

void TCalcPipeWtDlg::CancelBtnClick()
{
    Tul->Cancelled = true;
    Close();
}

void TCalcPipeWtDlg::FormClose()
{
    if (Tul->Cancelled)
        return;
    TDMod* d = DMod;
    // The density is that of the pipe's own material, whichever the
    // editor's material box showed last.
    const QString material = d->PipeTablePipeType->AsString();
    OpenIfClosed(d->TypeTable);
    if (material.isEmpty() || !d->TypeTable->Locate(QStringLiteral("PipeType"), material)) {
        ui::MessageDlg(QStringLiteral("You must have selected a pipe type. Please go back and select one."),
                       ui::MsgType::Error, ui::mbOK);
        return;
    }
    const double od = od_->Value();
    const double id = id_->Value();
    const double t = t_->Value();
    if (od == 0 && id == 0) {
        ui::MessageDlg(QStringLiteral("You must enter either OD or ID"), ui::MsgType::Error, ui::mbOK);
        return;
    }
    if (t == 0) {
        ui::MessageDlg(QStringLiteral("You must enter pipe wall thickness"), ui::MsgType::Error, ui::mbOK);
        return;
    }
    // Two walls as thick as the pipe is wide leave no inside diameter.
    if (od > 0 && od <= 2 * t) {
        ui::MessageDlg(QStringLiteral("The wall thickness must be less than half the outside diameter."),
                       ui::MsgType::Error, ui::mbOK);
        return;
    }
    const PipeWeight w = WeightPerFoot(od, id, t, d->TypeTableWtPerCuIn->AsFloat());
    EditIfBrowsing(d->PipeTable);
    d->PipeTableIDin->SetAsFloat(w.id);
    d->PipeTableWallThickin->SetAsFloat(t);
    d->PipeTableWtPerFt->SetAsFloat(w.perFoot);
}
