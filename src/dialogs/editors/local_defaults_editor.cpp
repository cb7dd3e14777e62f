#include "dialogs/editors/local_defaults_editor.h"

#include "dialogs/editors/reference_editing.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/help.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Lays out one notebook page of labelled controls bound to DefLocTable, one
// a row, with the page's help button on top.
class Page {
public:
    Page(TDefLocDlg* form, QWidget* page, const char* helpName, int helpContext) : form_(form), page_(page)
    {
        grid_ = new QGridLayout(page);
        auto* help = ui::Make<QToolButton>(page, helpName);
        help->setText(QStringLiteral("?"));
        form->OnClick(help, [helpContext] { ui::HelpContext(helpContext); });
        grid_->addWidget(help, row_++, 3, Qt::AlignRight);
    }
    ~Page() { grid_->setRowStretch(row_, 1); }

    void heading(const QString& text) { grid_->addWidget(new QLabel(text, page_), row_++, 0, 1, 3); }

    void number(const char* name, const QString& label, const char* field, const char* mask,
                const QString& unit = {})
    {
        QLineEdit* e = AddNumericField(page_, grid_, row_++, 0, name, label, source(), QString::fromLatin1(field),
                                       QString::fromLatin1(mask), 0.0, std::nullopt, unit);
        entered(e);
    }

    void text(const char* name, const QString& label, const char* field)
    {
        auto* e = ui::Make<QLineEdit>(page_, name);
        grid_->addWidget(new QLabel(label, page_), row_, 0);
        grid_->addWidget(e, row_++, 1);
        new ui::DBEdit(e, source(), QString::fromLatin1(field));
        entered(e);
    }

    void check(const char* name, const QString& caption, const char* field)
    {
        auto* box = ui::Make<QCheckBox>(page_, name, caption);
        grid_->addWidget(box, row_++, 0, 1, 3);
        new ui::DBCheckBox(box, source(), QString::fromLatin1(field));
        form_->SetEnterKey(box, ui::EnterKey::NextControl);
    }

    // A list whose chosen text is stored.
    void choice(const char* name, const QString& label, const char* field, const QStringList& items)
    {
        QComboBox* c = combo(name, label);
        c->addItems(items);
        new ui::DBComboBox(c, source(), QString::fromLatin1(field));
    }

    // A list of the names of a lookup table; the chosen name is stored.
    void lookup(const char* name, const QString& label, const char* field, db::DataSource* list,
                const char* listField)
    {
        QComboBox* c = combo(name, label);
        new ui::DBLookupComboBox(c, list, QString::fromLatin1(listField), QString::fromLatin1(listField), source(),
                                 QString::fromLatin1(field));
    }

    void materials(const char* name, const QString& label, const char* field)
    {
        lookup(name, label, field, DMod->TypeData, "PipeType");
    }

    void widget(QWidget* w) { grid_->addWidget(w, row_++, 0, 1, 3); }

private:
    static db::DataSource* source() { return DMod->DefLocData; }

    QComboBox* combo(const char* name, const QString& label)
    {
        auto* c = ui::Make<QComboBox>(page_, name);
        grid_->addWidget(new QLabel(label, page_), row_, 0);
        grid_->addWidget(c, row_++, 1, 1, 2);
        form_->SetEnterKey(c, ui::EnterKey::NextControl);
        return c;
    }

    void entered(QLineEdit* e)
    {
        form_->OnEnter(e, [] { EditIfBrowsing(DMod->DefLocTable); });
        form_->SetEnterKey(e, ui::EnterKey::NextControl);
    }

    TDefLocDlg* form_;
    QWidget* page_;
    QGridLayout* grid_;
    int row_ = 0;
};

} // namespace

TDefLocDlg::TDefLocDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("DefLocDlg"));
    SetCaption(QStringLiteral("Local Default Values"));
    SetPosition(ui::Position::OwnerCenter);
    SetHelpContext(82);
    resize(620, 560);

    auto* v = new QVBoxLayout(this);
    OvcNotebook1 = ui::Make<ui::Notebook>(this, "OvcNotebook1");
    v->addWidget(OvcNotebook1, 1);

    {
        Page p(this, OvcNotebook1->AddPage(QStringLiteral("&General")), "GenSpeedButton", 83);
        p.check("MinorLossDetailCB", QStringLiteral("Use detailed minor losses (Mersol)"), "MinorLossDetail");
        p.check("GravMinorLossDetailCB", QStringLiteral("Use detailed minor losses (Dunstrow)"), "GravMinorLossDetail");
        p.heading(QStringLiteral("Default Pipe Selection Velocity Range (ft/sec)"));
        p.number("LowVelNF", QStringLiteral("Low"), "LowVel", "##.#");
        p.number("HighVelNF", QStringLiteral("High"), "HighVel", "##.#");
        p.number("CursorVelNF", QStringLiteral("Cursor"), "CursorVel", "##.#");
        p.heading(QStringLiteral("Method of Determining Invert Elevation"));
        InvElMethodRadGp = ui::Make<ui::RadioGroup>(this, "InvElMethodRadGp", QStringLiteral("Select Method"));
        InvElMethodRadGp->SetItems({QStringLiteral("Give depth to top of pipe (pipe cover)"),
                                    QStringLiteral("Enter invert elevation directly"),
                                    QStringLiteral("Set invert at ground level")});
        p.widget(InvElMethodRadGp);
        p.number("DepthOfCoverNF", QStringLiteral("Default Depth of Cover (in)"), "DepthOfCover", "###");
        p.number("StaIncrementNF", QStringLiteral("Default Stationing Increment"), "StaIncrement", "####",
                 QStringLiteral("ft"));
        p.heading(QStringLiteral("Default Pipe Type"));
        p.materials("PipeTypePressureCB", QStringLiteral("For Automatic Pressure Tank Pumped Systems"),
                    "PipeTypePressure");
        p.materials("PipeTypeOthersCB", QStringLiteral("For All Other Systems"), "PipeTypeOthers");
        p.choice("SysTypeCB", QStringLiteral("Default System Type"), "SysType",
                 {QStringLiteral("Gravity system, known flow"), QStringLiteral("Gravity system, maximum flow"),
                  QStringLiteral("Pumped system, known flow"), QStringLiteral("Pressurized lateral, known flow")});
    }
    {
        Page p(this, OvcNotebook1->AddPage(QStringLiteral("&Pump, Thrust Block")), "PumpSpeedButton", 84);
        p.heading(QStringLiteral("Thrust Block Data"));
        p.choice("FittingCB", QStringLiteral("Fitting Type"), "Fitting",
                 {QStringLiteral("None"), QStringLiteral("Dead End or Tee"), QStringLiteral("90 deg Elbow"),
                  QStringLiteral("45 deg Elbow"), QStringLiteral("22-1/2 deg Elbow")});
        p.number("ThBlkSoilNF", QStringLiteral("Soil Bearing Strength"), "ThBlkSoil", "##########",
                 QStringLiteral("lb/sq ft"));
        p.choice("SoilCB", QStringLiteral("Soil Characteristics"), "Soil",
                 {QStringLiteral("Special  (Enter bearing strength)"), QStringLiteral("Sound shale"),
                  QStringLiteral("Cemented gravel and sand difficult to pick"),
                  QStringLiteral("Coarse and fine compact sand"), QStringLiteral("Medium clay - can be spaded"),
                  QStringLiteral("Soft clay"), QStringLiteral("Muck")});
        p.heading(QStringLiteral("Pump Data"));
        p.number("WaterTempNF", QStringLiteral("Water Temp"), "WaterTemp", "###.#", QStringLiteral("degF"));
        p.number("ElevSeaNF", QStringLiteral("Elev Above Sea Level"), "ElevSea", "####", QStringLiteral("feet"));
        p.number("PumpEffNF", QStringLiteral("Pump Efficiency"), "PumpEff", "##.#", QStringLiteral("%"));
        p.number("ClearHeadNF", QStringLiteral("High Pt. Clearance Head"), "ClearHead", "##", QStringLiteral("feet"));
        p.heading(QStringLiteral("Automatic Pressure System"));
        p.number("TankRangeNF", QStringLiteral("Pressure Tank Range"), "TankRange", "###", QStringLiteral("psi"));
        p.number("ColumnLossNF", QStringLiteral("Est. Pump Piping Friction Loss"), "ColumnLoss", "##.#",
                 QStringLiteral("feet"));
        p.materials("SuctionPipeTypeCB", QStringLiteral("Default Centrifugal Pump Suction Pipe Type"),
                    "SuctionPipeType");
    }
    {
        Page p(this, OvcNotebook1->AddPage(QStringLiteral("&Manifold")), "ManifoldSpeedButton1", 85);
        p.materials("ManifoldPipeTypeCB", QStringLiteral("Default Pipe Type"), "PipeType");
        p.heading(QStringLiteral("Nominal Diameter Selection Range"));
        p.number("SmallSizeNF", QStringLiteral("Smallest"), "SmallSize", "##.##", QStringLiteral("in"));
        p.number("LargeSizeNF", QStringLiteral("Largest"), "LargeSize", "##.##", QStringLiteral("in"));
        p.number("MinPressureNF", QStringLiteral("Minimum Require Pressure"), "MinPressure", "###",
                 QStringLiteral("psi"));
        p.number("MaxVelocityNF", QStringLiteral("Maximum Velocity"), "MaxVelocity", "##", QStringLiteral("ft/sec"));
        p.number("MaxFrictionNF", QStringLiteral("Maximum Friction per  Segment"), "MaxFriction", "##.#",
                 QStringLiteral("feet"));
    }
    {
        Page p(this, OvcNotebook1->AddPage(QStringLiteral("&Stock Water")), "StockwaterSpeedButton6", 87);
        p.lookup("LivestockTypeCB", QStringLiteral("Livestock Type"), "LivestockType", DMod->StockTypeData,
                 "LivestockType");
        p.number("HrDeliveryNF", QStringLiteral("Desired Hours/Day for Delivery"), "HrDelivery", "##",
                 QStringLiteral("Hrs"));
        p.heading(QStringLiteral("Dates Stock Will be in Field"));
        p.text("DateStartEdit", QStringLiteral("Start"), "DateStart");
        p.text("DateEndEdit", QStringLiteral("End"), "DateEnd");
        p.number("StorageTimeNF", QStringLiteral("Desired Reserve Storage Days"), "StorageTime", "###",
                 QStringLiteral("Days"));
        p.number("PctSpillNF", QStringLiteral("Percent Added for Tank spillage"), "PctSpill", "##.#",
                 QStringLiteral("Percent"));
        // Spelt as the stock-water calculator compares it: any other text
        // would count as intensive grazing there.
        p.choice("SystemTypeCB", QStringLiteral("Grazing System Type"), "SystemType",
                 {QStringLiteral("Conventional Grazing System"), QStringLiteral("Intensive Grazing System")});
        p.choice("TerrainCB", QStringLiteral("Terrain Relief"), "Terrain",
                 {QStringLiteral("Rough Terrain Relief"), QStringLiteral("Gentle Terrain Relief")});
        p.choice("WaterQualityCB", QStringLiteral("Water Quality (Salinity)"), "WaterQuality",
                 {QStringLiteral("Less than 1,000 mg/l"), QStringLiteral("1,000-3,000 mg/l"),
                  QStringLiteral("3,000-5,000 mg/l"), QStringLiteral("5,000-7,000 mg/l"),
                  QStringLiteral("7,000-10,000 mg/l"), QStringLiteral("Over 10,000 mg/l")});
    }
    {
        Page p(this, OvcNotebook1->AddPage(QStringLiteral("Ga&ted Pipe")), "GatedSpeedButton2", 86);
        p.materials("GatedPipeTypeCB", QStringLiteral("Default Pipe Type"), "GatedPipeType");
        p.number("GateSpaceNF", QStringLiteral("Gate Spacing (in)"), "GateSpace", "###");
        p.number("GateGpmNF", QStringLiteral("Flow Rate Per Gate (gpm)"), "GateGpm", "###");
    }
    {
        Page p(this, OvcNotebook1->AddPage(QStringLiteral("&Air Vac")), "AirvacSpeedButton", 134);
        p.choice("AVPMaterialCB", QStringLiteral("Pipe Material type"), "AVPMaterial",
                 {QStringLiteral("PVC"), QStringLiteral("Steel")});
        p.number("AVFillVelNF", QStringLiteral("Filling Design Velocity (ft/sec)"), "AVFillVel", "###.##");
        p.number("AVAirDenNF", QStringLiteral("Air Density (lb/cu ft)"), "AVAirDen", "#.####");
        p.number("AVFlowCoefNF", QStringLiteral("Flow Coefficient "), "AVFlowCoef", "#.###");
    }

    v->addWidget(new QLabel(QStringLiteral("DEFAULT VALUES"), this));
    v->addWidget(new QLabel(QStringLiteral("Enter default values that are most typical for the area"), this));
    auto* buttons = new QHBoxLayout;
    OKBitBtn1 = ui::Make<QPushButton>(this, "OKBitBtn1", QStringLiteral("OK"));
    OKBitBtn1->setToolTip(QStringLiteral("Save changes and return to main"));
    CancelBitBtn2 = ui::Make<QPushButton>(this, "CancelBitBtn2", QStringLiteral("Cancel"));
    HelpBitBtn3 = ui::Make<QPushButton>(this, "HelpBitBtn3", QStringLiteral("&Help"));
    for (QPushButton* b : {OKBitBtn1, CancelBitBtn2, HelpBitBtn3})
        buttons->addWidget(b);
    buttons->addStretch(1);
    v->addLayout(buttons);

    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); });
    OnClick(CancelBitBtn2, [this] { CancelBitBtn2Click(); });
    OnClick(HelpBitBtn3, [this] { HelpBitBtn3Click(); });
    SetCancelButton(CancelBitBtn2);
    Handle(InvElMethodRadGp, &ui::RadioGroup::Clicked, [this] { InvElMethodRadGpClick(); });
    SetEnterKey(InvElMethodRadGp, ui::EnterKey::NextControl);
    SetEnterKey(OvcNotebook1, ui::EnterKey::NextControl);
}

void TDefLocDlg::FormShow()
{
    TDMod* d = DMod;
    Tul->Cancelled = false;
    OpenIfClosed(d->DefLocTable);
    EditIfBrowsing(d->DefLocTable);
    InvElMethodRadGp->SetItemIndex(d->DefLocTableInvElMethod->AsInteger());
    OpenIfClosed(d->TypeTable);
    OpenIfClosed(d->StockTypeTable);
    OpenIfClosed(d->DefSysTable);
}

void TDefLocDlg::InvElMethodRadGpClick()
{
    EditIfBrowsing(DMod->DefLocTable);
    DMod->DefLocTableInvElMethod->SetAsInteger(InvElMethodRadGp->ItemIndex());
}

void TDefLocDlg::OKBitBtn1Click()
{
    Tul->Cancelled = false;
    Close();
}

void TDefLocDlg::CancelBitBtn2Click()
{
    Tul->Cancelled = true;
    Close();
}

void TDefLocDlg::HelpBitBtn3Click()
{
    ui::HelpContext(82);
}

void TDefLocDlg::FormClose()
{
    TDMod* d = DMod;
    db::Table* t = d->DefLocTable;
    if (Tul->Cancelled) {
        // The edits go; the table stays open for the dialogs that read it.
        if (t->Active())
            t->Cancel();
        return;
    }
    if (t->Active() && t->State() != db::DataSetState::Browse)
        t->Post();
    if (d->TypeTable->Active())
        d->TypeTable->Close();
    if (d->StockTypeTable->Active())
        d->StockTypeTable->Close();
}
