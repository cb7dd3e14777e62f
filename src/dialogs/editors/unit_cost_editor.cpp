#include "dialogs/editors/unit_cost_editor.h"

#include "dialogs/editors/reference_editing.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "platform/ui/notebook.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* helpButton(QWidget* parent, const char* name)
{
    auto* b = ui::Make<QToolButton>(parent, name);
    b->setText(QStringLiteral("?"));
    b->setToolTip(QStringLiteral("Help with system type"));
    return b;
}

} // namespace

TUnitCostInFrm::TUnitCostInFrm(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("UnitCostInFrm"));
    SetCaption(QStringLiteral("Edit Unit Cost Data"));
    SetPosition(ui::Position::OwnerCenter);
    SetHelpContext(103);
    resize(640, 560);
    TDMod* d = DMod;
    db::DataSource* costs = d->UnitCostData;
    std::vector<QLineEdit*> fields;
    // Every field puts the unit-cost row into edit state when entered.
    auto add = [&](QWidget* parent, QGridLayout* g, int row, int col, const char* name, const QString& label,
                   db::DataSource* src, const char* field, const char* mask, std::optional<double> low,
                   std::optional<double> high = std::nullopt, const QString& unit = {}) {
        QLineEdit* e = AddNumericField(parent, g, row, col, name, label, src, QString::fromLatin1(field),
                                       QString::fromLatin1(mask), low, high, unit);
        fields.push_back(e);
    };

    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    CloseBitBtn1 = ui::Make<QPushButton>(this, "CloseBitBtn1", QStringLiteral("&Close"));
    CancelBitBtn2 = ui::Make<QPushButton>(this, "CancelBitBtn2", QStringLiteral("Cancel"));
    BitBtn3 = ui::Make<QPushButton>(this, "BitBtn3", QStringLiteral("&Help"));
    for (QPushButton* b : {CloseBitBtn1, CancelBitBtn2, BitBtn3})
        top->addWidget(b);
    top->addStretch(1);
    v->addLayout(top);

    OvcNotebook1 = ui::Make<ui::Notebook>(this, "OvcNotebook1");
    v->addWidget(OvcNotebook1, 1);

    // Pipe and trenching costs.
    QWidget* pipePage = OvcNotebook1->AddPage(QStringLiteral("&Pipe and Trenching Costs"));
    auto* pl = new QHBoxLayout(pipePage);
    auto* pipeBox = ui::Make<QGroupBox>(pipePage, "GroupBox1", QStringLiteral("Pipe Costs"));
    auto* pg = new QGridLayout(pipeBox);
    add(pipeBox, pg, 0, 0, "OvcDbNumericField3", QStringLiteral("Enter Pipe Cost Per Pound"), d->TypeData,
        "CostPerPound", "$##.##", 0.0);
    DBGrid1 = ui::Make<QTableView>(pipeBox, "DBGrid1");
    new ui::DBGrid(DBGrid1, d->TypeData, {{QStringLiteral("PipeType"), QStringLiteral("PipeType"), 200, {}, true}});
    pg->addWidget(DBGrid1, 1, 0, 1, 2);
    pl->addWidget(pipeBox, 1);
    auto* trench = ui::Make<QGroupBox>(pipePage, "GroupBox2", QStringLiteral("Trenching Costs"));
    auto* tg = new QGridLayout(trench);
    tg->addWidget(new QLabel(QStringLiteral("(Enter cost per foot depth per foot length)"), trench), 0, 0, 1, 2);
    SysTypeHelpBtn = helpButton(trench, "SysTypeHelpBtn");
    tg->addWidget(SysTypeHelpBtn, 0, 2);
    add(trench, tg, 1, 0, "OvcDbNumericField1", QStringLiteral("Trench to 8 inches wide"), costs, "TrenchTo8",
        "$##.##", 0.0);
    add(trench, tg, 2, 0, "OvcDbNumericField2", QStringLiteral("Trench >8 to 12 inches wide"), costs, "TrenchTo12",
        "$##.##", 0.0);
    add(trench, tg, 3, 0, "OvcDbNumericField4", QStringLiteral("Trench >12 ro 24 inches wide"), costs, "TrenchTo24",
        "$##.##", 0.0);
    add(trench, tg, 4, 0, "OvcDbNumericField5", QStringLiteral("Trench > 24 inches wide"), costs, "TrenchOvr24",
        "$##.##", 0.0);
    tg->setRowStretch(5, 1);
    pl->addWidget(trench);

    // Energy costs.
    auto* scroll = ui::Make<QScrollArea>(OvcNotebook1->AddPage(QStringLiteral("&Energy Costs")), "ScrollBox1");
    new QVBoxLayout(scroll->parentWidget());
    scroll->parentWidget()->layout()->addWidget(scroll);
    scroll->setWidgetResizable(true);
    auto* energy = new QWidget;
    scroll->setWidget(energy);
    auto* el = new QVBoxLayout(energy);

    auto* hours = ui::Make<QGroupBox>(energy, "GroupBox3", QStringLiteral("Annual Pumping Hours"));
    auto* hg = new QGridLayout(hours);
    add(hours, hg, 0, 0, "OvcDbNumericField15", QStringLiteral("Average hours pumped each day"), costs, "HrsPerDay",
        "##", 0.0, 24.0, QStringLiteral("hours"));
    el->addWidget(hours);

    auto* days = ui::Make<QGroupBox>(energy, "GroupBox4",
                                     QStringLiteral("Estimated number of days the pump is used each month"));
    auto* dg = new QGridLayout(days);
    static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    static const char* const kMonthFields[12] = {
        "OvcDbNumericField16", "OvcDbNumericField18", "OvcDbNumericField19", "OvcDbNumericField20",
        "OvcDbNumericField21", "OvcDbNumericField22", "OvcDbNumericField17", "OvcDbNumericField23",
        "OvcDbNumericField24", "OvcDbNumericField25", "OvcDbNumericField26", "OvcDbNumericField27"};
    for (int m = 0; m < 12; ++m) {
        const QByteArray field = QByteArray("Days") + QByteArray::number(m + 1);
        add(days, dg, m % 6, (m / 6) * 2, kMonthFields[m], QString::fromLatin1(kMonths[m]), costs, field.constData(),
            "##", 0.0, 31.0);
    }
    el->addWidget(days);

    auto* power = ui::Make<QGroupBox>(energy, "GroupBox5", QStringLiteral("Electrical Energy Rates"));
    auto* eg = new QGridLayout(power);
    HelpSpeedButton2 = helpButton(power, "HelpSpeedButton2");
    eg->addWidget(HelpSpeedButton2, 0, 3);
    eg->addWidget(new QLabel(QStringLiteral("ANNUAL SERVICE"), power), 0, 0);
    add(power, eg, 1, 0, "OvcDbNumericField7", QStringLiteral("Annual service charge per motor HP"), costs,
        "AnSerChgPerHP", "$###.##", 0.0);
    add(power, eg, 2, 0, "OvcDbNumericField8", QStringLiteral("Annual service charge for installation"), costs,
        "AnSerChgInstall", "$###.##", 0.0);
    eg->addWidget(new QLabel(QStringLiteral("MONTHLY DEMAND"), power), 3, 0);
    add(power, eg, 4, 0, "OvcDbNumericField9", QStringLiteral("Monthly demand charge per motor HP"), costs,
        "MoDemandPerHP", "$###.##", 0.0);
    add(power, eg, 5, 0, "OvcDbNumericField6", QStringLiteral("Monthly demand charge first"), costs, "MoFirstKW",
        "####", 0.0, 9999.0, QStringLiteral("KW"));
    add(power, eg, 5, 3, "OvcDbNumericField10", QString(), costs, "MoDemandFirsKW", "$###.##", 0.0);
    add(power, eg, 6, 0, "OvcDbNumericField11", QStringLiteral("Monthly demand charge additional KW"), costs,
        "MoDemandAdinKW", "$##.######", 0.0);
    eg->addWidget(new QLabel(QStringLiteral("ENERGY"), power), 7, 0);
    add(power, eg, 8, 0, "OvcDbNumericField12", QStringLiteral("First"), costs, "FirstKW", "####", 0.0, 9999.0,
        QStringLiteral("KW.h in month"));
    add(power, eg, 8, 3, "OvcDbNumericField13", QString(), costs, "FirstKWCharge", "$##.######", 0.0);
    add(power, eg, 9, 0, "OvcDbNumericField14", QStringLiteral("All additional KW.h in month"), costs,
        "AdinKWCharge", "$##.######", std::nullopt);
    el->addWidget(power);

    auto* fuel = new QGridLayout;
    add(energy, fuel, 0, 0, "OvcDbNumericField28", QStringLiteral("Diesel Fuel:  Cost per gallon"), costs,
        "DieselCost", "$##.##", 0.0);
    add(energy, fuel, 1, 0, "OvcDbNumericField29", QStringLiteral("Natural Gas Fuel:  Cost per 1000 cu ft (mcu) "),
        costs, "NatGasCost", "$##.##", 0.0);
    el->addLayout(fuel);
    el->addStretch(1);

    OnClick(CloseBitBtn1, [this] { CloseBitBtn1Click(); });
    OnClick(CancelBitBtn2, [this] { CancelBitBtn2Click(); }, ui::mrCancel);
    OnClick(BitBtn3, [this] { BitBtn3Click(); });
    OnClick(SysTypeHelpBtn, [this] { SysTypeHelpBtnClick(); });
    OnClick(HelpSpeedButton2, [this] { HelpSpeedButton2Click(); });
    SetCancelButton(CancelBitBtn2);
    SetEnterKey(DBGrid1, ui::EnterKey::NextControl);
    for (QLineEdit* e : fields) {
        OnEnter(e, [] { EditIfBrowsing(DMod->UnitCostTable); });
        SetEnterKey(e, ui::EnterKey::NextControl);
    }
}

void TUnitCostInFrm::FormShow()
{
    Tul->Cancelled = false;
    OpenUnfiltered(DMod->TypeTable);
    OpenIfClosed(DMod->UnitCostTable);
}

void TUnitCostInFrm::CloseBitBtn1Click()
{
    Tul->Cancelled = false;
    Close();
}

void TUnitCostInFrm::CancelBitBtn2Click()
{
    Tul->Cancelled = true;
    Close();
}

void TUnitCostInFrm::BitBtn3Click()
{
    ui::HelpContext(103);
}

void TUnitCostInFrm::SysTypeHelpBtnClick()
{
    ui::HelpContext(112);
}

void TUnitCostInFrm::HelpSpeedButton2Click()
{
    ui::HelpContext(115);
}

void TUnitCostInFrm::FormClose()
{
    TDMod* d = DMod;
    if (Tul->Cancelled) {
        for (db::Table* t : {d->TypeTable, d->UnitCostTable})
            if (t->Active())
                t->Cancel();
        return;
    }
    // A value a field refuses is said once and dropped; both tables close
    // whatever happens, leaving no row half edited.
    KeepPendingRow(d->TypeTable, QStringLiteral("pipe cost"));
    KeepPendingRow(d->UnitCostTable, QStringLiteral("unit cost"));
    for (db::Table* t : {d->TypeTable, d->UnitCostTable})
        if (t->Active())
            t->Close();
}
