#include "dialogs/editors/pipe_type_editor.h"

#include "dialogs/editors/reference_editing.h"
#include "model/data_module.h"
#include "model/reference_use.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "reports/pipe_type_list_report.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TPipeTypeForm::TPipeTypeForm(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("PipeTypeForm"));
    SetCaption(QStringLiteral("Pipe Type Database"));
    SetPosition(ui::Position::OwnerCenter);
    SetHelpContext(96);
    resize(620, 420);
    db::DataSource* src = DMod->TypeData;

    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    BitBtn1 = ui::Make<QPushButton>(this, "BitBtn1", QStringLiteral("&Close"));
    DBNavigator1 = new ui::DBNavigator(src, ui::nbAllButtons & ~ui::nbRefresh, this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    HelpBtn = ui::Make<QPushButton>(this, "HelpBtn", QStringLiteral("&Help"));
    PrintList = ui::Make<QPushButton>(this, "PrintList", QStringLiteral("Print List"));
    top->addWidget(BitBtn1);
    top->addWidget(DBNavigator1);
    top->addWidget(HelpBtn);
    top->addWidget(PrintList);
    top->addStretch(1);
    v->addLayout(top);

    auto* body = new QHBoxLayout;
    DBGrid1 = ui::Make<QTableView>(this, "DBGrid1");
    auto* grid = new ui::DBGrid(DBGrid1, src, {{QStringLiteral("PipeType"), QStringLiteral("Pipe Type"), 220}});
    grid->SetReadOnly(false);
    body->addWidget(DBGrid1, 1);

    auto* fields = new QVBoxLayout;
    auto* friction = ui::Make<QGroupBox>(this, "GroupBox1", QStringLiteral("Friction Factors"));
    auto* fl = new QGridLayout(friction);
    CfactorNF = AddNumericField(friction, fl, 0, 0, "CfactorNF", QStringLiteral("Hazen Williams \"C\" factor"), src,
                                QStringLiteral("Cfactor"), QStringLiteral("####"));
    NfactorNF = AddNumericField(friction, fl, 1, 0, "NfactorNF", QStringLiteral("Manning's \"N\" factor"), src,
                                QStringLiteral("Nfactor"), QStringLiteral("#.####"));
    EfactorNF = AddNumericField(friction, fl, 2, 0, "EfactorNF", QStringLiteral("Darcy-Weisbach roughness \"e\""),
                                src, QStringLiteral("Efactor"), QStringLiteral("#.#######"));
    fields->addWidget(friction);
    auto* other = new QGridLayout;
    EModulusNF = AddNumericField(this, other, 0, 0, "EModulusNF", QStringLiteral("Modulus \"E\""), src,
                                 QStringLiteral("EModulus"), QStringLiteral("##########"));
    WtPerCuInNF = AddNumericField(this, other, 1, 0, "WtPerCuInNF", QStringLiteral("Weight"), src,
                                  QStringLiteral("WtPerCuIn"), QStringLiteral("##.#####"), std::nullopt,
                                  std::nullopt, QStringLiteral("lb/cu inch"));
    CostPerPoundNF = AddNumericField(this, other, 2, 0, "CostPerPoundNF", QStringLiteral("$ Cost/pound"), src,
                                     QStringLiteral("CostPerPound"), QStringLiteral("$###.##"));
    fields->addLayout(other);
    fields->addStretch(1);
    body->addLayout(fields);
    v->addLayout(body, 1);

    OnClick(BitBtn1, [this] { BitBtn1Click(); });
    OnClick(HelpBtn, [this] { HelpBtnClick(); });
    OnClick(PrintList, [this] { PrintListClick(); });
    DBNavigator1->BeforeAction = [this](ui::NavButton b) {
        if (b == ui::nbDelete)
            confirmDelete();
    };
    for (QWidget* w : std::initializer_list<QWidget*>{DBGrid1, CfactorNF, NfactorNF, EfactorNF, EModulusNF,
                                                      WtPerCuInNF, CostPerPoundNF})
        SetEnterKey(w, ui::EnterKey::NextControl);
}

TPipeTypeForm::~TPipeTypeForm()
{
    if (hooked_ && DMod)
        DMod->TypeTable->AfterPost = nullptr;
}

void TPipeTypeForm::FormShow()
{
    OpenIfClosed(DMod->TypeTable);
    DMod->TypeTable->AfterPost = [this](db::Table&) { typeTableAfterPost(); };
    hooked_ = true;
}

void TPipeTypeForm::typeTableAfterPost()
{
    TDMod* d = DMod;
    SpreadMaterialFactors(d->TypeTablePipeType->AsString(), d->TypeTableCfactor->AsFloat(),
                          d->TypeTableNfactor->AsFloat(), d->TypeTableEfactor->AsFloat());
}

void TPipeTypeForm::confirmDelete()
{
    const QString name = DMod->TypeTablePipeType->AsString();
    const QStringList jobs = JobsUsingMaterial(name);
    if (jobs.isEmpty())
        return;
    if (ui::MessageDlg(UsedByJobsText(QStringLiteral("The pipe type \"%1\"").arg(name), jobs), ui::MsgType::Warning,
                       ui::mbYesNo) != ui::mrYes)
        db::Abort();
}

void TPipeTypeForm::FormClose()
{
    db::Table* t = DMod->TypeTable;
    KeepPendingRow(t, QStringLiteral("pipe type"));
    t->AfterPost = nullptr;
    hooked_ = false;
    t->Close();
}

void TPipeTypeForm::BitBtn1Click()
{
    Close();
}

void TPipeTypeForm::PrintListClick()
{
    ui::CursorScope wait;
    PreviewPipeTypeList(this);
}

void TPipeTypeForm::HelpBtnClick()
{
    ui::HelpContext(96);
}
