#include "dialogs/profile/outlet_pressure_dialog.h"

#include "model/data_module.h"
#include "model/number_text.h"
#include "model/job.h"
#include "platform/ui/dbcontrols.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

void editHeader()
{
    db::Table* t = DMod->WorkPipeTable;
    if (t->State() != db::DataSetState::Edit && t->State() != db::DataSetState::Insert)
        t->Edit();
}

} // namespace

TSetPressure::TSetPressure(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("SetPressure"));
    SetCaption(QStringLiteral("Set Outlet Pressure or Elevation"));
    SetPosition(ui::Position::OwnerCenter);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Set Required Minimum Pressure at Outlet"), this), 0, 0);
    PressureDBNF = ui::Make<QLineEdit>(this, "PressureDBNF");
    grid->addWidget(PressureDBNF, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("-OR-"), this), 1, 0, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("Set Required Minimum Water Surface Elevation at Outlet"), this), 2, 0);
    ElevDBNF = ui::Make<QLineEdit>(this, "ElevDBNF");
    grid->addWidget(ElevDBNF, 2, 1);
    grid->addWidget(
        new QLabel(QStringLiteral("Note: Required pressure or elevation is referenced from  outlet elevation."), this),
        3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    Button1 = ui::Make<QPushButton>(this, "Button1", QStringLiteral("Calculate"));
    OKBitBtn = ui::Make<QPushButton>(this, "OKBitBtn", QStringLiteral("OK"));
    CancelBitBtn = ui::Make<QPushButton>(this, "CancelBitBtn", QStringLiteral("Cancel"));
    buttons->addWidget(Button1);
    buttons->addStretch(1);
    buttons->addWidget(OKBitBtn);
    buttons->addWidget(CancelBitBtn);
    grid->addLayout(buttons, 4, 0, 1, 2);

    new ui::DBNumericEdit(PressureDBNF, DMod->WorkPipeData, QStringLiteral("OutletPsi"),
                          ui::NumericFormat::Picture(QStringLiteral("###.#")));
    new ui::DBNumericEdit(ElevDBNF, DMod->WorkPipeData, QStringLiteral("ReqOutletWS"),
                          ui::NumericFormat::Picture(QStringLiteral("####.#")));

    OnEnter(PressureDBNF, [this] { PressureDBNFEnter(); });
    OnEnter(ElevDBNF, [this] { ElevDBNFEnter(); });
    OnExit(PressureDBNF, [this] { PressureDBNFExit(); });
    OnExit(ElevDBNF, [this] { ElevDBNFExit(); });
    OnClick(Button1, [this] { Button1Click(); });
    OnClick(OKBitBtn, [this] { OKBitBtnClick(); }, ui::mrOk);
    OnClick(CancelBitBtn, [this] { CancelBitBtnClick(); }, ui::mrCancel);
    SetDefaultButton(OKBitBtn);
    SetCancelButton(CancelBitBtn);
}

void TSetPressure::PressureDBNFEnter()
{
    editHeader();
}

void TSetPressure::PressureDBNFExit()
{
    editHeader();
    SetRequiredOutletLevel();
}

void TSetPressure::ElevDBNFExit()
{
    editHeader();
    const double psi = (DMod->WorkPipeTableReqOutletWS->AsFloat() - DMod->WorkPipeTableOutletElev->AsFloat()) * 0.43344;
    DMod->WorkPipeTableOutletPsi->SetAsString(FixedText(psi, 6, 2));
}

void TSetPressure::Button1Click()
{
    DMod->WorkPipeTable->Refresh();
    editHeader();
}

void TSetPressure::OKBitBtnClick()
{
    Tul->LocateProfStation();
    Close();
}

void TSetPressure::CancelBitBtnClick()
{
    db::Table* t = DMod->WorkPipeTable;
    if (t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert)
        t->Cancel();
    Close();
}
