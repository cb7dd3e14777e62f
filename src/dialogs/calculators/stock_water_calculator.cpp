#include "dialogs/calculators/stock_water_calculator.h"

#include "dialogs/jobs/save_tool_job_dialog.h"
#include "dialogs/dialog_helpers.h"
#include "engine/stock_water_requirement.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/job_transfer.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/statusbar.h"
#include "reports/stock_water_report.h"

#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

enum Page { kInitialInput = 0, kMoreInput = 1, kOutput = 2, kJobSelect = 3 };

bool Editing(db::Table* t)
{
    return t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert;
}

QToolButton* HelpButton(QWidget* parent, const char* name, const QString& hint)
{
    auto* b = ui::Make<QToolButton>(parent, name);
    b->setText(QStringLiteral("?"));
    b->setToolTip(hint);
    return b;
}

// A caption with a livestock type after it and the page's help button at the end.
QHBoxLayout* TypeLine(QWidget* page, const QString& caption, QLabel* type, QToolButton* help)
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(caption, page));
    row->addWidget(type, 1);
    row->addWidget(help);
    return row;
}

// A caption, then the widget, then an optional unit, on one row of a grid.
void AddRow(QGridLayout* grid, int row, const QString& caption, QWidget* w, const QString& unit = QString())
{
    grid->addWidget(new QLabel(caption, w->parentWidget()), row, 0);
    grid->addWidget(w, row, 1);
    if (!unit.isEmpty())
        grid->addWidget(new QLabel(unit, w->parentWidget()), row, 2);
}

QLineEdit* NumberField(QWidget* parent, const char* name, const char* field, const char* mask)
{
    auto* e = ui::Make<QLineEdit>(parent, name);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Head counts, hours, days and gallons are never negative.
    new ui::DBNumericEdit(e, DMod->WorkSWaterData, QString::fromLatin1(field),
                          ui::NumericFormat::Picture(QString::fromLatin1(mask), 0));
    return e;
}

QLineEdit* TextField(QWidget* parent, const char* name, const char* field, int length)
{
    auto* e = ui::Make<QLineEdit>(parent, name);
    e->setMaxLength(length);
    new ui::DBEdit(e, DMod->WorkSWaterData, QString::fromLatin1(field));
    return e;
}

QPlainTextEdit* MemoField(QWidget* parent, const char* name, const char* field, bool readOnly)
{
    auto* m = ui::Make<QPlainTextEdit>(parent, name);
    m->setFixedHeight(54);
    auto* binding = new ui::DBMemo(m, DMod->WorkSWaterData, QString::fromLatin1(field));
    if (readOnly) {
        m->setReadOnly(true);
        binding->SetReadOnly(true);
    }
    return m;
}

QLabel* WorkText(QWidget* parent, const char* name, const char* field)
{
    auto* l = ui::Make<QLabel>(parent, name);
    l->setTextFormat(Qt::PlainText);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    new ui::DBText(l, DMod->WorkSWaterData, QString::fromLatin1(field));
    return l;
}

// The stock-type row's water a head under conventional (or intensive) grazing.
double TypeWater(bool conventional)
{
    return (conventional ? DMod->StockTypeTableConvGpd : DMod->StockTypeTableIntGpd)->AsFloat();
}

// The stock-type row's watering-site spacing on rough (or gentle) terrain.
double TypeSpacing(bool rough)
{
    return (rough ? DMod->StockTypeTableRoughSpcing : DMod->StockTypeTableGentleSpcng)->AsFloat();
}

} // namespace

TStockCalcDlg::TStockCalcDlg(QWidget* owner)
    : CalculatorJobForm(owner, {"StockCalcDlg", "Stockwater Calculator", 67, {900, 640},
                                {JobCommand::Close, JobCommand::Cancel, JobCommand::NewJob, JobCommand::PreviousJob,
                                 JobCommand::SaveJob, JobCommand::Help}})
{
    TDMod& d = *DMod;

    SetCancelButton(CancelBtn);

    OvcNotebook1 = AddNotebook("OvcNotebook1");
    StatusBar1 = AddStatusBar("StatusBar1", {200, 0});

    // ---- Initial Input ----
    QWidget* p0 = OvcNotebook1->AddPage(QStringLiteral("&Initial Input"));
    auto* g0 = new QGridLayout(p0);
    JobNameDBEdit = TextField(p0, "JobNameDBEdit", "JobName", 40);
    AddRow(g0, 0, QStringLiteral("Job Name"), JobNameDBEdit, QStringLiteral("(Required, must be unique)"));
    JobLocationDBSF = TextField(p0, "JobLocationDBSF", "Location", 40);
    AddRow(g0, 1, QStringLiteral("Job Location"), JobLocationDBSF);
    JobDesignerDBSF = TextField(p0, "JobDesignerDBSF", "Designer", 35);
    AddRow(g0, 2, QStringLiteral("Job Designer"), JobDesignerDBSF);
    LanduserDBSF = TextField(p0, "LanduserDBSF", "Landuser", 24);
    AddRow(g0, 3, QStringLiteral("Landuser"), LanduserDBSF);
    IDdbsf = TextField(p0, "IDdbsf", "ID", 12);
    AddRow(g0, 4, QStringLiteral("ID"), IDdbsf);
    DateDBPF = ui::Make<QLineEdit>(p0, "DateDBPF");
    new ui::DBDateEdit(DateDBPF, d.WorkSWaterData, QStringLiteral("Date"));
    DateDBPF->setFocusPolicy(Qt::ClickFocus);   // Tab passes it by
    AddRow(g0, 5, QStringLiteral("Date"), DateDBPF);
    g0->addWidget(new QLabel(QStringLiteral("Select Type of Stock or Edit Data"), p0), 6, 0, 1, 3);
    DBGrid1 = ui::Make<QTableView>(p0, "DBGrid1");
    auto* stockGrid = new ui::DBGrid(DBGrid1, d.StockTypeData,
                                     {{QStringLiteral("LivestockType"), QStringLiteral("Type of Livestock"), 170},
                                      {QStringLiteral("ConvGpd"), QStringLiteral("Conventional GPD"), 110},
                                      {QStringLiteral("IntGpd"), QStringLiteral("Intensive GPD"), 100},
                                      {QStringLiteral("RoughSpcing"), QStringLiteral("Rough Terrain Miles"), 130},
                                      {QStringLiteral("GentleSpcng"), QStringLiteral("Gentle Terrain Miles"), 130}});
    stockGrid->SetReadOnly(false);
    g0->addWidget(DBGrid1, 7, 0, 1, 3);
    DBNavigator1 = new ui::DBNavigator(d.StockTypeData, ui::nbAllButtons, p0);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBText1 = ui::Make<QLabel>(p0, "DBText1");
    new ui::DBText(DBText1, d.StockTypeData, QStringLiteral("LivestockType"));
    SpeedButton1 = HelpButton(p0, "SpeedButton1", QStringLiteral("Help"));
    QHBoxLayout* selected = TypeLine(p0, QStringLiteral("Selected Stock: "), DBText1, SpeedButton1);
    selected->insertWidget(0, DBNavigator1);
    g0->addLayout(selected, 8, 0, 1, 3);

    // ---- More Input ----
    QWidget* p1 = OvcNotebook1->AddPage(QStringLiteral("&More Input"));
    auto* g1 = new QGridLayout(p1);
    NoStockNF = NumberField(p1, "NoStockNF", "MaxLivestock", "#####");
    AddRow(g1, 0, QStringLiteral("Maximum Number of Livestock"), NoStockNF);
    OvcDbNumericField3 = NumberField(p1, "OvcDbNumericField3", "HrDelivery", "##");
    AddRow(g1, 1, QStringLiteral("Desired Hours/Day for Delivery"), OvcDbNumericField3, QStringLiteral("Hrs"));
    auto* dates = new QHBoxLayout;
    OvcDbSimpleField1 = TextField(p1, "OvcDbSimpleField1", "DateStart", 8);
    OvcDbSimpleField2 = TextField(p1, "OvcDbSimpleField2", "DateEnd", 8);
    dates->addWidget(new QLabel(QStringLiteral("Start"), p1));
    dates->addWidget(OvcDbSimpleField1);
    dates->addWidget(new QLabel(QStringLiteral("End"), p1));
    dates->addWidget(OvcDbSimpleField2);
    g1->addWidget(new QLabel(QStringLiteral("Dates Stock Will Be in Field"), p1), 2, 0);
    g1->addLayout(dates, 2, 1, 1, 2);
    OvcDbNumericField5 = NumberField(p1, "OvcDbNumericField5", "PctSpill", "##.#");
    AddRow(g1, 3, QStringLiteral("Percent Added for Tank Spillage"), OvcDbNumericField5, QStringLiteral("Percent"));
    OvcDbNumericField4 = NumberField(p1, "OvcDbNumericField4", "StorageTime", "###");
    AddRow(g1, 4, QStringLiteral("Desired Reserve Storage Days"), OvcDbNumericField4, QStringLiteral("Days"));
    SysRadioGp = ui::Make<ui::RadioGroup>(p1, "SysRadioGp", QStringLiteral("Grazing System Type"));
    SysRadioGp->SetItems({kConventionalGrazing, kIntensiveGrazing});
    TerrainRadioGp = ui::Make<ui::RadioGroup>(p1, "TerrainRadioGp", QStringLiteral("Terrain Relief"));
    TerrainRadioGp->SetItems({kRoughTerrain, kGentleTerrain});
    QualRadioGp = ui::Make<ui::RadioGroup>(p1, "QualRadioGp", QStringLiteral("Water Quality (TDS Salinity)"));
    QStringList classes;
    for (int i = 0; i < kWaterQualityClasses; ++i)
        classes << WaterQualityText(i);
    QualRadioGp->SetItems(classes);
    auto* choices = new QHBoxLayout;
    choices->addWidget(SysRadioGp);
    choices->addWidget(TerrainRadioGp);
    choices->addWidget(QualRadioGp);
    g1->addLayout(choices, 5, 0, 1, 4);
    OvcDbNumericField2 = NumberField(p1, "OvcDbNumericField2", "WaterPHead", "###.#");
    AddRow(g1, 6, QStringLiteral("Water Requirements per head"), OvcDbNumericField2, QStringLiteral("Gallons per Day"));
    OvcDbNumericField6 = NumberField(p1, "OvcDbNumericField6", "WaterSpacing", "##.#");
    AddRow(g1, 7, QStringLiteral("Maximum Water Spacing"), OvcDbNumericField6, QStringLiteral("Miles"));
    auto* memos = new QGridLayout;
    DBMemo1 = MemoField(p1, "DBMemo1", "JobNotes", false);
    DBMemo2 = MemoField(p1, "DBMemo2", "OtherSources", false);
    DBMemo3 = MemoField(p1, "DBMemo3", "Dependability", false);
    Memo1 = ui::Make<QPlainTextEdit>(p1, "Memo1");
    Memo1->setReadOnly(true);
    Memo1->setFixedHeight(54);
    const QString memoCaptions[] = {QStringLiteral("Job Notes"), QStringLiteral("Other Sources of Water in Field"),
                                    QStringLiteral("Dependability of Water Sources"),
                                    QStringLiteral("Water Quality Recommendations")};
    QPlainTextEdit* memoFields[] = {DBMemo1, DBMemo2, DBMemo3, Memo1};
    for (int i = 0; i < 4; ++i) {
        memos->addWidget(new QLabel(memoCaptions[i], p1), (i / 2) * 2, i % 2);
        memos->addWidget(memoFields[i], (i / 2) * 2 + 1, i % 2);
    }
    g1->addLayout(memos, 8, 0, 1, 4);
    DBText2 = WorkText(p1, "DBText2", "LivestockType");
    SpeedButton2 = HelpButton(p1, "SpeedButton2", QStringLiteral("Help"));
    g1->addLayout(TypeLine(p1, QStringLiteral("Stock Type:"), DBText2, SpeedButton2), 9, 0, 1, 4);

    // ---- Output ----
    QWidget* p2 = OvcNotebook1->AddPage(QStringLiteral("&Output"));
    auto* g2 = new QGridLayout(p2);
    const struct {
        const char* caption;
        const char* name;
        const char* field;
    } inputs[] = {
        {"Stock Type:", "DBText3", "LivestockType"},
        {"Maximum Number of Livestock:", "DBText4", "MaxLivestock"},
        {"Start:", "DBText5", "DateStart"},
        {"End:", "DBText6", "DateEnd"},
        {"Water Requirements per head (GPD):", "DBText8", "WaterPHead"},
        {"Desired Hours/Day for Delivery:", "DBText9", "HrDelivery"},
        {"Desired Reserve Storage Days:", "DBText10", "StorageTime"},
        {"Percent Added for Tank spillage:", "DBText11", "PctSpill"},
        {"Grazing System Type:", "DBText12", "SystemType"},
        {"Terrain Relief:", "DBText13", "Terrain"},
        {"Water Quality (Salinity):", "DBText14", "WaterQuality"},
    };
    int row = 0;
    for (const auto& in : inputs) {
        if (QLatin1String(in.field) == QLatin1String("DateStart"))
            g2->addWidget(new QLabel(QStringLiteral("Dates Stock Will be in Field"), p2), row++, 0);
        AddRow(g2, row++, QString::fromLatin1(in.caption), WorkText(p2, in.name, in.field));
    }
    auto* out = ui::Make<QGroupBox>(p2, "OutputGroup", QStringLiteral("Output"));
    auto* go = new QGridLayout(out);
    MinGpmText = WorkText(out, "MinGpmText", "MinGpm");
    AddRow(go, 0, QStringLiteral("Minimum Required Pipeline  Flow Rate:"), MinGpmText, QStringLiteral("gpm"));
    DesignGpmText = WorkText(out, "DesignGpmText", "DesignGpm");
    AddRow(go, 1, QStringLiteral("Design Pipeline Flow Rate:"), DesignGpmText, QStringLiteral("gpm"));
    StorageReserveText = WorkText(out, "StorageReserveText", "StorageReserve");
    AddRow(go, 2, QStringLiteral("Minimum Required Storage Tank Capacity:"), StorageReserveText,
           QStringLiteral("gallons"));
    WaterSpacingText = WorkText(out, "WaterSpacingText", "WaterSpacing");
    AddRow(go, 3, QStringLiteral("Maximum Watering Site Spacing:"), WaterSpacingText, QStringLiteral("miles"));
    for (QLabel* l : {MinGpmText, DesignGpmText, StorageReserveText, WaterSpacingText})
        l->setMinimumWidth(90);
    g2->addWidget(out, 0, 3, 6, 1);
    g2->setColumnStretch(3, 1);
    DBMemo4 = MemoField(p2, "DBMemo4", "JobNotes", true);
    DBMemo5 = MemoField(p2, "DBMemo5", "OtherSources", true);
    DBMemo6 = MemoField(p2, "DBMemo6", "Dependability", true);
    DBMemo7 = MemoField(p2, "DBMemo7", "QualComment", false);
    const QString outCaptions[] = {QStringLiteral("Job Notes:"), QStringLiteral("Other Souces of Water in Field"),
                                   QStringLiteral("Dependability of Water Sources"),
                                   QStringLiteral("Water Quality Recommendations")};
    QPlainTextEdit* outMemos[] = {DBMemo4, DBMemo5, DBMemo6, DBMemo7};
    for (int i = 0; i < 4; ++i) {
        g2->addWidget(new QLabel(outCaptions[i], p2), 6 + i * 2, 3);
        g2->addWidget(outMemos[i], 7 + i * 2, 3);
    }
    auto* reportPanel = new QHBoxLayout;
    QRDetailedSpdBtn = ui::Make<QToolButton>(p2, "QRDetailedSpdBtn");
    QRDetailedSpdBtn->setText(QStringLiteral("Detailed"));
    QRDetailedSpdBtn->setToolTip(QStringLiteral("Report"));
    SpeedButton3 = HelpButton(p2, "SpeedButton3", QStringLiteral("Help"));
    reportPanel->addWidget(QRDetailedSpdBtn);
    reportPanel->addWidget(SpeedButton3);
    reportPanel->addStretch(1);
    g2->addLayout(reportPanel, row + 1, 0, 1, 3);

    // ---- Job Select/Delete ----
    QWidget* p3 = OvcNotebook1->AddPage(QStringLiteral("&Job Select/Delete"));
    auto* g3 = new QVBoxLayout(p3);
    auto* picked = new QHBoxLayout;
    picked->addWidget(new QLabel(QStringLiteral("Select Existing Job:"), p3));
    DBText7 = ui::Make<QLabel>(p3, "DBText7");
    DBText7->setTextFormat(Qt::PlainText);
    new ui::DBText(DBText7, d.JobSWaterData, QStringLiteral("JobName"));
    picked->addWidget(DBText7, 1);
    g3->addLayout(picked);
    // A list to pick from: stored jobs change only through load, save and delete.
    DBGrid2 = ui::Make<QTableView>(p3, "DBGrid2");
    new ui::DBGrid(DBGrid2, d.JobSWaterData,
                   {{QStringLiteral("JobName"), QStringLiteral("JobName"), 280, {}, true},
                    {QStringLiteral("Location"), QStringLiteral("Location"), 280, {}, true}});
    g3->addWidget(DBGrid2, 1);
    auto* jobButtons = new QHBoxLayout;
    LoadBitBtn = ui::Make<QPushButton>(p3, "LoadBitBtn", QStringLiteral("Load Job"));
    DeleteBitBtn = ui::Make<QPushButton>(p3, "DeleteBitBtn", QStringLiteral("Delete Job"));
    ImportJobBtn = ui::Make<QPushButton>(p3, "ImportJobBtn", QStringLiteral("Import Job"));
    HelpImport = HelpButton(p3, "HelpImport", QStringLiteral("Help on Import"));
    for (QWidget* w : std::initializer_list<QWidget*>{LoadBitBtn, DeleteBitBtn, ImportJobBtn, HelpImport})
        jobButtons->addWidget(w);
    jobButtons->addStretch(1);
    g3->addLayout(jobButtons);

    // ---- handlers ----
    OnHelp(SpeedButton1, 113);
    OnHelp(SpeedButton2, 69);
    OnHelp(SpeedButton3, 69);
    OnClick(QRDetailedSpdBtn, [this] { QRDetailedSpdBtnClick(); });
    // The stored-job page.
    OnHelp(HelpImport, 18);
    OnClick(LoadBitBtn, [this] { LoadBitBtnClick(); });
    OnClick(DeleteBitBtn, [this] { DeleteBitBtnClick(); });
    OnClick(ImportJobBtn, [this] { ImportJobBtnClick(); });
    Handle(OvcNotebook1, &ui::Notebook::PageChanged, [this] { OvcNotebook1PageChanged(OvcNotebook1->PageIndex()); });
    Handle(OvcNotebook1, &ui::Notebook::Clicked, [this] { OvcNotebook1Click(); });
    Handle(SysRadioGp, &ui::RadioGroup::Clicked, [this] { SysRadioGpClick(); });
    Handle(TerrainRadioGp, &ui::RadioGroup::Clicked, [this] { TerrainRadioGpClick(); });
    Handle(QualRadioGp, &ui::RadioGroup::Clicked, [this] { QualRadioGpClick(); });
    Handle(DBGrid2, &QTableView::clicked, [this] { DBGrid2CellClick(); });
    Handle(DBGrid2, &QTableView::doubleClicked, [this] { DBGrid2DblClick(); });

    OnExit(JobNameDBEdit, [this] { JobNameDBEditExit(); });
    OnEnter(JobLocationDBSF, [this] { JobLocationDBSFEnter(); });
    OnEnter(JobDesignerDBSF, [this] { JobDesignerDBSFEnter(); });
    for (QWidget* w : {JobLocationDBSF, JobDesignerDBSF, LanduserDBSF, IDdbsf})
        OnExit(w, [this] { postWork(); });
    OnExit(DateDBPF, [this] { DateDBPFExit(); });
    for (QWidget* w : std::initializer_list<QWidget*>{NoStockNF, OvcDbNumericField3, OvcDbSimpleField1,
                                                      OvcDbSimpleField2, OvcDbNumericField5, OvcDbNumericField4,
                                                      OvcDbNumericField2, OvcDbNumericField6, DBMemo1, DBMemo2,
                                                      DBMemo3, Memo1})
        OnEnter(w, [this] { editWork(); });
    for (QWidget* w : {DBMemo1, DBMemo2, DBMemo3})
        OnExit(w, [this] {
            postWork();
            editWork();
        });
    // Enter moves on in the memos and the stock grid as in the fields.
    for (QWidget* w : std::initializer_list<QWidget*>{DBMemo1, DBMemo2, DBMemo3, Memo1, DBGrid1})
        SetEnterKey(w, ui::EnterKey::NextControl);
    // Enter in the list of stored jobs loads the highlighted one, as a double click does.
    SetEnterKey(DBGrid2, ui::EnterKey::PressTarget, LoadBitBtn);
    WatchJobEdits(OvcNotebook1, {d.WorkSWaterData});
}

// ---- small steps ------------------------------------------------------------

void TStockCalcDlg::editWork()
{
    db::Table* work = DMod->WorkSWaterTable;
    if (work->Active() && !Editing(work))
        work->Edit();
}

void TStockCalcDlg::postWork()
{
    db::Table* work = DMod->WorkSWaterTable;
    if (work->Active() && Editing(work))
        work->Post();
}

void TStockCalcDlg::findStock()
{
    db::Table* stock = DMod->StockTypeTable;
    if (!stock->Active())
        stock->Open();
    // No row of that type: the cursor stays, and its row's values are used.
    stock->Locate(QStringLiteral("LivestockType"), SelectedStock);
}

void TStockCalcDlg::setStatus(const QString& what)
{
    StatusBar1->SetPanelText(0, what);
    StatusBar1->SetPanelText(1, QStringLiteral("Job Name: ") + DMod->WorkSWaterTableJobName->AsString());
}

void TStockCalcDlg::ShowSavePrompt()
{
    ShowOwned(SaveTJob, this);
}

// ---- the form ---------------------------------------------------------------

void TStockCalcDlg::FormShow()
{
    Tul->Cancelled = false;
    Tul->SaveState = 2;
    db::Table* work = DMod->WorkSWaterTable;
    OpenEmpty(work);
    DMod->ToolKind = 5;
    OvcNotebook1->setEnabled(false);
    StatusBar1->SetPanelText(0, QStringLiteral("Make Selection"));
}

void TStockCalcDlg::FormClose()
{
    db::Table* work = DMod->WorkSWaterTable;
    if (Tul->Cancelled) {
        if (work->Active() && Editing(work))
            work->Cancel();
    } else {
        postWork();
        OfferSave();
        if (DMod->StockTypeTable->Active())
            DMod->StockTypeTable->Close();
    }
    ReleaseJob();
}

// ---- pages ------------------------------------------------------------------

void TStockCalcDlg::OvcNotebook1PageChanged(int index)
{
    TDMod& d = *DMod;
    db::Table* work = d.WorkSWaterTable;
    switch (index) {
    case kInitialInput:
        editWork();
        LastPage = kInitialInput;
        setStatus(QStringLiteral("Edit"));
        SetFocus(JobLocationDBSF);
        break;
    case kMoreInput: {
        setStatus(QStringLiteral("Edit"));
        if (LastPage == kInitialInput)
            postWork();
        editWork();
        // A livestock type newly highlighted gives the water a head and the
        // spacing; the job's own values, typed or stored, stay otherwise.
        db::Table* stock = d.StockTypeTable;
        if (!stock->Active())
            stock->Open();
        if (work->Active() && !stock->IsEmpty()) {
            const QString type = d.StockTypeTableLivestockType->AsString();
            const bool newType = type != d.WorkSWaterTableLivestockType->AsString();
            SelectedStock = type;
            d.WorkSWaterTableLivestockType->SetAsString(type);
            if (newType || d.WorkSWaterTableWaterSpacing->IsNull())
                d.WorkSWaterTableWaterSpacing->SetAsFloat(TypeSpacing(IsRoughTerrain(d.WorkSWaterTableTerrain->AsString())));
            if (newType || d.WorkSWaterTableWaterPHead->IsNull())
                d.WorkSWaterTableWaterPHead->SetAsFloat(
                    TypeWater(IsConventionalGrazing(d.WorkSWaterTableSystemType->AsString())));
        }
        postWork();
        editWork();
        SetFocus(NoStockNF);
        LastPage = kMoreInput;
        break;
    }
    case kOutput:
        computeOutput();
        break;
    default: {
        db::Table* jobs = d.JobSWaterTable;
        if (!jobs->Active())
            jobs->Open();
        jobs->First();
        LastPage = kJobSelect;
        setStatus(QStringLiteral("Select or delete"));
        break;
    }
    }
}

void TStockCalcDlg::computeOutput()
{
    TDMod& d = *DMod;
    db::Table* work = d.WorkSWaterTable;
    if (!work->Active())
        work->Open();
    if (d.WorkSWaterTableMaxLivestock->AsFloat() == 0) {
        OvcNotebook1->SetPageIndex(kMoreInput);
        ui::MessageDlg(QStringLiteral("Please enter Data on the 'More Input' page."), ui::MsgType::Error, ui::mbOK);
        SetFocus(NoStockNF);
    } else if (!(d.WorkSWaterTableHrDelivery->AsFloat() > 0)) {
        // The design flow spreads the day's water over these hours: none
        // gives no design flow, rather than a division by zero.
        OvcNotebook1->SetPageIndex(kMoreInput);
        ui::MessageDlg(QStringLiteral("Please enter the Desired Hours/Day for Delivery on the 'More Input' page."),
                       ui::MsgType::Error, ui::mbOK);
        SetFocus(OvcDbNumericField3);
    }
    postWork();
    StockWaterInput in;
    in.head = d.WorkSWaterTableMaxLivestock->AsFloat();
    in.gallonsPerHead = d.WorkSWaterTableWaterPHead->AsFloat();
    in.pctSpill = d.WorkSWaterTablePctSpill->AsFloat();
    in.hoursDelivery = d.WorkSWaterTableHrDelivery->AsFloat();
    in.storageDays = d.WorkSWaterTableStorageTime->AsFloat();
    const StockWaterResult r = StockWaterRequirement(in);
    editWork();
    d.WorkSWaterTableMinGpm->SetAsFloat(r.minGpm);
    if (r.designGpm)
        d.WorkSWaterTableDesignGpm->SetAsFloat(*r.designGpm);
    else
        d.WorkSWaterTableDesignGpm->Clear();
    d.WorkSWaterTableStorageReserve->SetAsFloat(r.storageReserve);
    postWork();
    work->Refresh();
    LastPage = kOutput;
}

void TStockCalcDlg::OvcNotebook1Click()
{
    if (OvcNotebook1->PageIndex() != kInitialInput) {
        if (JobNameDBEdit->text().isEmpty()) {
            OvcNotebook1->SetPageIndex(kInitialInput);
            ui::MessageDlg(QStringLiteral("Please enter a Job Name"), ui::MsgType::Error, ui::mbOK);
            SetFocus(JobNameDBEdit);
        }
    } else {
        SetFocus(JobLocationDBSF);
    }
}

// ---- choices ----------------------------------------------------------------

void TStockCalcDlg::chooseFromType(int item, db::Field* choice, const QString& text0, const QString& text1,
                                   db::Field* value, double (*fromType)(bool first))
{
    postWork();
    editWork();
    findStock();
    if (item == 0 || item == 1) {
        choice->SetAsString(item == 0 ? text0 : text1);
        value->SetAsFloat(fromType(item == 0));
    }
    postWork();
    editWork();
    MarkChanged();
}

void TStockCalcDlg::SysRadioGpClick()
{
    chooseFromType(SysRadioGp->ItemIndex(), DMod->WorkSWaterTableSystemType, kConventionalGrazing, kIntensiveGrazing,
                   DMod->WorkSWaterTableWaterPHead, TypeWater);
}

void TStockCalcDlg::TerrainRadioGpClick()
{
    chooseFromType(TerrainRadioGp->ItemIndex(), DMod->WorkSWaterTableTerrain, kRoughTerrain, kGentleTerrain,
                   DMod->WorkSWaterTableWaterSpacing, TypeSpacing);
}

void TStockCalcDlg::QualRadioGpClick()
{
    TDMod& d = *DMod;
    postWork();
    editWork();
    const int i = QualRadioGp->ItemIndex();
    if (i >= 0 && i < kWaterQualityClasses) {
        Memo1->setPlainText(WaterQualityRecommendation(i));
        d.WorkSWaterTableQualComment->SetAsString(WaterQualityRecommendation(i));
        d.WorkSWaterTableWaterQuality->SetAsString(WaterQualityText(i));
    }
    postWork();
    editWork();
    MarkChanged();
}

void TStockCalcDlg::SyncChoicesFromJob()
{
    TDMod& d = *DMod;
    const int cls = WaterQualityClassOf(d.WorkSWaterTableWaterQuality->AsString());
    if (cls >= 0) {
        Memo1->setPlainText(WaterQualityRecommendation(cls));
        editWork();
        d.WorkSWaterTableQualComment->SetAsString(WaterQualityRecommendation(cls));
        postWork();
        QualRadioGp->SetItemIndex(cls);
    }
    editWork();
    SelectedStock = d.WorkSWaterTableLivestockType->AsString();
    findStock();
    // A job's own water a head and spacing stay; a job without them takes
    // its type's.
    const bool conventional = IsConventionalGrazing(d.WorkSWaterTableSystemType->AsString());
    if (d.WorkSWaterTableWaterPHead->IsNull())
        d.WorkSWaterTableWaterPHead->SetAsFloat(TypeWater(conventional));
    SysRadioGp->SetItemIndex(conventional ? 0 : 1);
    const bool rough = IsRoughTerrain(d.WorkSWaterTableTerrain->AsString());
    if (d.WorkSWaterTableWaterSpacing->IsNull())
        d.WorkSWaterTableWaterSpacing->SetAsFloat(TypeSpacing(rough));
    postWork();
    TerrainRadioGp->SetItemIndex(rough ? 0 : 1);
}

// ---- job commands -----------------------------------------------------------

void TStockCalcDlg::InitNewStockJob()
{
    TDMod& d = *DMod;
    db::Table* work = d.WorkSWaterTable;
    OpenEmpty(work);
    work->Edit();   // on the empty table: the job's one row
    // The main window keeps the local defaults open; only a table opened
    // here is closed again.
    db::Table* defaults = d.DefLocTable;
    const bool opened = !defaults->Active();
    if (opened)
        defaults->Open();
    d.WorkSWaterTableDate->SetAsString(QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy")));
    d.WorkSWaterTableJobNumber->SetAsInteger(0);
    SelectedStock = d.DefLocTableLivestockType->AsString();
    d.WorkSWaterTableLivestockType->SetAsString(SelectedStock);
    const std::pair<db::Field*, db::Field*> fromDefaults[] = {
        {d.WorkSWaterTableHrDelivery, d.DefLocTableHrDelivery},
        {d.WorkSWaterTableDateStart, d.DefLocTableDateStart},
        {d.WorkSWaterTableDateEnd, d.DefLocTableDateEnd},
        {d.WorkSWaterTableStorageTime, d.DefLocTableStorageTime},
        {d.WorkSWaterTablePctSpill, d.DefLocTablePctSpill},
        {d.WorkSWaterTableSystemType, d.DefLocTableSystemType},
        {d.WorkSWaterTableTerrain, d.DefLocTableTerrain},
        {d.WorkSWaterTableWaterQuality, d.DefLocTableWaterQuality},
    };
    for (const auto& [to, from] : fromDefaults)
        to->SetValue(from->IsNull() ? QVariant() : QVariant(from->AsString()));
    d.WorkSWaterTableMaxLivestock->SetAsFloat(0);
    if (opened)
        defaults->Close();
    work->Post();
    work->Close();
    work->Open();
    work->Edit();
    SyncChoicesFromJob();
}

void TStockCalcDlg::NewJobBtnClick()
{
    IsNewJob = true;
    FromPreviousJob = false;
    OfferSave();
    CalcJobName.clear();
    CalcJobNumber = 0;
    LastPage = kInitialInput;
    JobTrans->CloseAllTables();
    Tul->SaveState = 0;
    InitNewStockJob();
    OvcNotebook1->setEnabled(true);
    if (OvcNotebook1->PageIndex() != kInitialInput)
        OvcNotebook1->SetPageIndex(kInitialInput);
    else
        OvcNotebook1PageChanged(kInitialInput);
    StatusBar1->SetPanelText(0, QStringLiteral("Enter job data"));
    editWork();
    if (!DMod->StockTypeTable->Active())
        DMod->StockTypeTable->Open();
    SetFocus(JobNameDBEdit);
}

void TStockCalcDlg::PrevJobBtnClick()
{
    IsNewJob = false;
    FromPreviousJob = true;
    OfferSave();
    db::Table* jobs = DMod->JobSWaterTable;
    if (NoPreviousJobs(jobs))
        return;
    CalcJobName.clear();
    CalcJobNumber = 0;
    LastPage = kInitialInput;
    OvcNotebook1->setEnabled(true);
    if (OvcNotebook1->PageIndex() != kJobSelect)
        OvcNotebook1->SetPageIndex(kJobSelect);
    else
        OvcNotebook1PageChanged(kJobSelect);
    SetFocus(DBGrid2);
}

void TStockCalcDlg::SaveJobBtnClick()
{
    ShowSavePrompt();
}

void TStockCalcDlg::DBGrid2CellClick()
{
    if (DMod->JobSWaterTable->Active())
        CalcJobName = DMod->JobSWaterTableJobName->AsString();
}

void TStockCalcDlg::DBGrid2DblClick()
{
    DBGrid2CellClick();
    LoadBitBtnClick();
}

void TStockCalcDlg::LoadBitBtnClick()
{
    TDMod& d = *DMod;
    db::Table* jobs = d.JobSWaterTable;
    // The job the list highlights is the one loaded.
    if (!jobs->Active() || jobs->IsEmpty())
        return;
    const int number = d.JobSWaterTableJobNumber->AsInteger();
    LastPage = kInitialInput;
    StatusBar1->SetPanelText(0, QStringLiteral("Edit job data"));
    JobTrans->CloseAllTables();
    IsNewJob = false;
    {
        ui::CursorScope wait(ui::Cursor::HourGlass);
        if (!JobTrans->LoadStockWaterJob(number))
            return;
    }
    CalcJobName = d.WorkSWaterTableJobName->AsString();
    CalcJobNumber = number;
    showOpenedJob();
    // Straight to Output, which computes the results: the job keeps its
    // livestock type and water a head, whatever row the type grid shows.
    OvcNotebook1->SetPageIndex(kOutput);
    StatusBar1->SetPanelText(0, QStringLiteral("Output"));
    StatusBar1->SetPanelText(1, QStringLiteral("Job Name: ") + d.WorkSWaterTableJobName->AsString());
    // Just loaded, the job has nothing to save until it is edited; Save Job
    // still offers its export.
    Tul->SaveState = 2;
    SaveJobBtn->setEnabled(true);
}

void TStockCalcDlg::DeleteBitBtnClick()
{
    db::Table* jobs = DMod->JobSWaterTable;
    if (!jobs->Active())
        jobs->Open();
    if (jobs->IsEmpty())
        return;
    // The table asks first; No leaves the job.
    jobs->Delete();
}

void TStockCalcDlg::ImportJobBtnClick()
{
    TDMod& d = *DMod;
    // The job on the pages is replaced: what it has unsaved is offered first.
    OfferSave();
    const std::optional<int> imported = JobTrans->ImportToolJob(d.TransSWaterTable, d.WorkSWaterTable, d.JobSWaterTable);
    if (!imported)
        return;
    const int number = *imported;
    // A stored job of the same name is the one a save overwrites.
    IsNewJob = number == 0;
    Tul->SaveState = number != 0 ? 1 : 0;
    CalcJobName = d.WorkSWaterTableJobName->AsString();
    CalcJobNumber = number;
    LastPage = kInitialInput;
    StatusBar1->SetPanelText(0, QStringLiteral("Edit job data"));
    showOpenedJob();
    SetFocus(JobNameDBEdit);
}

void TStockCalcDlg::showOpenedJob()
{
    if (OvcNotebook1->PageIndex() != kInitialInput)
        OvcNotebook1->SetPageIndex(kInitialInput);
    SyncChoicesFromJob();
    postWork();
    editWork();
    if (!DMod->StockTypeTable->Active())
        DMod->StockTypeTable->Open();
}

// ---- the job name -----------------------------------------------------------

void TStockCalcDlg::JobNameDBEditExit()
{
    TDMod& d = *DMod;
    db::Table* work = d.WorkSWaterTable;
    if (!work->Active())
        return;
    const QString name = d.WorkSWaterTableJobName->AsString();
    if (!name.isEmpty()) {
        const int stored = JobTrans->StockWaterJobNumberOf(name);
        const auto named = [&] {
            postWork();
            editWork();
            Tul->SaveState = 0;
            CalcJobName = name;
        };
        if (stored != 0) {
            if (stored != d.WorkSWaterTableJobNumber->AsInteger()) {
                ui::MessageDlg(QStringLiteral("Job name already used, please enter a unique name."),
                               ui::MsgType::Error, ui::mbOK);
                SetFocus(JobNameDBEdit);
            }
        } else if (FromPreviousJob) {
            if (ui::MessageDlg(QStringLiteral("Save job as: ") + name + QStringLiteral("?"),
                               ui::MsgType::Confirmation, ui::mbYesNo) == ui::mrYes) {
                named();
                SetFocus(JobLocationDBSF);
                StatusBar1->SetPanelText(1, QStringLiteral("Job Name: ") + name);
            } else {
                SetFocus(JobNameDBEdit);
            }
        } else {
            named();
            ui::MessageDlg(QStringLiteral("Job will be saved as ") + name + QStringLiteral("."),
                           ui::MsgType::Information, ui::mbOK);
            SetFocus(JobLocationDBSF);
            StatusBar1->SetPanelText(1, QStringLiteral("Job Name: ") + name);
        }
    }
    CalcJobName = d.WorkSWaterTableJobName->AsString();
}

bool TStockCalcDlg::jobNameGuard(bool newJobsToo)
{
    if (CalcJobName.isEmpty() && (newJobsToo || !IsNewJob)) {
        ui::MessageDlg(QStringLiteral("You must enter a Job Name"), ui::MsgType::Error, ui::mbOK);
        SetFocus(JobNameDBEdit);
        return false;
    }
    return true;
}

void TStockCalcDlg::JobLocationDBSFEnter()
{
    jobNameGuard(false);
}

void TStockCalcDlg::JobDesignerDBSFEnter()
{
    jobNameGuard(true);
}

void TStockCalcDlg::DateDBPFExit()
{
    postWork();
    Tul->Date = DMod->WorkSWaterTableDate->AsString();
}

void TStockCalcDlg::QRDetailedSpdBtnClick()
{
    ui::CursorScope wait(ui::Cursor::HourGlass);
    if (!DMod->WorkSWaterTable->Active())
        DMod->WorkSWaterTable->Open();
    PreviewStockWaterReport(this);
}
