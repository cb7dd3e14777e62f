#include "dialogs/calculators/entrance_condition_dialog.h"

#include "dialogs/calculators/gated_pipe_calculator.h"
#include "dialogs/line_ends/gated_pipe_rules.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/radiogroup.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kPressureItem = QStringLiteral("Set Entrance Available Water Pressure");
const QString kSurfaceItem = QStringLiteral("Set Entrance Water Surface Elevation");

// The calculator's choice; without a calculator (the dialog on its own) the
// water surface is taken as given.
bool PsiGiven() { return GatedToolDlg && GatedToolDlg->EntrancePsiGiven; }

} // namespace

TSetWSDlg::TSetWSDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("SetWSDlg"));
    SetCaption(QStringLiteral("Set Water Surface or Pressure at Entrance"));
    SetPosition(ui::Position::OwnerCenter);

    auto* grid = new QGridLayout(this);
    RadioGroup1 = ui::Make<ui::RadioGroup>(this, "RadioGroup1", QStringLiteral("Set Entrance Pressure"));
    RadioGroup1->SetItems({kPressureItem, kSurfaceItem});
    RadioGroup1->SetItemIndex(-1);
    grid->addWidget(RadioGroup1, 0, 0, 1, 2);
    WaterPresLbl = ui::Make<QLabel>(this, "WaterPresLbl", QStringLiteral("Set Available Water Pressure at Inlet"));
    PressureDBNF = ui::Make<QLineEdit>(this, "PressureDBNF");
    WaterSurfaceLbl = ui::Make<QLabel>(this, "WaterSurfaceLbl", QStringLiteral("Set Available Design Water Surface at Inlet"));
    ElevDBNF = ui::Make<QLineEdit>(this, "ElevDBNF");
    grid->addWidget(WaterPresLbl, 1, 0);
    grid->addWidget(PressureDBNF, 1, 1);
    grid->addWidget(WaterSurfaceLbl, 2, 0);
    grid->addWidget(ElevDBNF, 2, 1);
    Label4 = ui::Make<QLabel>(this, "Label4", QStringLiteral("Note: Water pressure is referenced to pipe entrance invert."));
    grid->addWidget(Label4, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    OKBitBtn = ui::Make<QPushButton>(this, "OKBitBtn", QStringLiteral("OK"));
    CancelBitBtn = ui::Make<QPushButton>(this, "CancelBitBtn", QStringLiteral("Cancel"));
    buttons->addStretch(1);
    buttons->addWidget(OKBitBtn);
    buttons->addWidget(CancelBitBtn);
    grid->addLayout(buttons, 4, 0, 1, 2);

    db::DataSource* pipe = DMod->WorkPipeData;
    new ui::DBNumericEdit(PressureDBNF, pipe, QStringLiteral("PsiIn"),
                          ui::NumericFormat::Picture(QStringLiteral("###.#"), 0, 999));
    new ui::DBNumericEdit(ElevDBNF, pipe, QStringLiteral("WSElev"),
                          ui::NumericFormat::Picture(QStringLiteral("####.#"), -1000, 9999));

    Handle(RadioGroup1, &ui::RadioGroup::Clicked, [this] { RadioGroup1Click(); });
    OnClick(OKBitBtn, [this] { OKBitBtnClick(); });
    OnClick(CancelBitBtn, [this] { CancelBitBtnClick(); });
    SetCancelButton(CancelBitBtn);
    for (QLineEdit* e : {PressureDBNF, ElevDBNF}) {
        OnEnter(e, [this] { FieldEnter(); });
        OnExit(e, [this] { FieldExit(); });
    }
}

void TSetWSDlg::FormShow()
{
    OpenIfClosed(DMod->WorkPipeTable);
    EditIfBrowsing(DMod->WorkPipeTable);
    for (QWidget* w : {static_cast<QWidget*>(WaterPresLbl), static_cast<QWidget*>(PressureDBNF),
                       static_cast<QWidget*>(WaterSurfaceLbl), static_cast<QWidget*>(ElevDBNF)})
        w->hide();
}

void TSetWSDlg::RadioGroup1Click()
{
    const int i = RadioGroup1->ItemIndex();
    if (i < 0) return;
    const bool psi = RadioGroup1->Items().at(i) == kPressureItem;
    WaterPresLbl->setVisible(psi);
    PressureDBNF->setVisible(psi);
    WaterSurfaceLbl->setVisible(!psi);
    ElevDBNF->setVisible(!psi);
    SetFocus(psi ? PressureDBNF : ElevDBNF);
    if (GatedToolDlg) GatedToolDlg->EntrancePsiGiven = psi;
}

void TSetWSDlg::FieldEnter() { EditIfBrowsing(DMod->WorkPipeTable); }

// The other side of the pair follows every change of the given one.
void TSetWSDlg::FieldExit() { KeepEntrancePair(PsiGiven()); }

void TSetWSDlg::OKBitBtnClick()
{
    if (GatedToolDlg) {
        GatedToolDlg->InletPresDBTxt->setVisible(PsiGiven());
        GatedToolDlg->InletWSDBTxt->setVisible(!PsiGiven());
    }
    KeepEntrancePair(PsiGiven());
    DMod->WorkPipeTable->Post();
    SetModalResult(ui::mrOk);
}

void TSetWSDlg::CancelBitBtnClick()
{
    DMod->WorkPipeTable->Cancel();
    SetModalResult(ui::mrCancel);
}
