#include "dialogs/editors/pipe_type_editor.h"

#include "dialogs/designer_window.h"
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

#include <cmath>
#include <utility>

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
    unhook();
}

void TPipeTypeForm::unhook()
{
    if (hooked_ && DMod) {
        DMod->TypeTable->BeforePost = nullptr;
        DMod->TypeTable->AfterPost = nullptr;
    }
    hooked_ = false;
}

void TPipeTypeForm::FormShow()
{
    OpenUnfiltered(DMod->TypeTable);
    DMod->TypeTable->BeforePost = [this](db::Table&) { typeTableBeforePost(); };
    DMod->TypeTable->AfterPost = [this](db::Table&) { typeTableAfterPost(); };
    hooked_ = true;
}

namespace {

// The jobs a spread changed, as the user is told of them.
QString SpreadText(const QString& material, const SpreadResult& r)
{
    QStringList into;
    if (r.workingJob)
        into << QStringLiteral("the job being worked on");
    if (!r.storedJobs.isEmpty())
        into << QStringLiteral("%1 stored job%2: %3")
                    .arg(r.storedJobs.size())
                    .arg(r.storedJobs.size() == 1 ? QString() : QStringLiteral("s"), JobListText(r.storedJobs));
    if (into.isEmpty())
        return QString();
    return QStringLiteral("The new friction factors of the pipe type \"%1\" were copied into %2.")
        .arg(material, into.join(QStringLiteral(" and into ")));
}

} // namespace

void TPipeTypeForm::typeTableBeforePost()
{
    TDMod* d = DMod;
    db::Table* t = d->TypeTable;
    spreadNote_.clear();
    const QString name = d->TypeTablePipeType->AsString();
    if (name.trimmed().isEmpty())
        throw db::DbError(QStringLiteral("Enter the name of the pipe type."));
    const int ptype = d->TypeTablePType->AsInteger();
    {
        db::Table others(db::kMersolAlias, t->TableName());
        others.Open();
        if (others.Locate(QStringLiteral("PipeType"), name) &&
            (t->State() == db::DataSetState::Insert ||
             others.FieldByName(QStringLiteral("PType"))->AsInteger() != ptype))
            throw db::DbError(
                QStringLiteral("There is already a pipe type named \"%1\": give this one another name.").arg(name));
    }
    const std::pair<db::Field*, const char*> factors[] = {
        {d->TypeTableCfactor, "Hazen Williams \"C\" factor"},
        {d->TypeTableNfactor, "Manning's \"N\" factor"},
        {d->TypeTableEfactor, "Darcy-Weisbach roughness \"e\""},
    };
    // A factor of 0 says the material does not use that equation; a run with
    // that equation refuses it. An empty factor means the same and is stored so.
    bool anyUsed = false;
    for (const auto& [field, label] : factors) {
        if (field->IsNull())
            field->SetAsFloat(0);
        const double v = field->AsFloat();
        if (!std::isfinite(v) || v < 0)
            throw db::DbError(QStringLiteral("The %1 of the pipe type \"%2\" cannot be below 0: enter 0 where the "
                                             "pipe type does not use that equation.")
                                  .arg(QString::fromLatin1(label), name));
        anyUsed = anyUsed || v > 0;
    }
    if (!anyUsed)
        throw db::DbError(QStringLiteral("The pipe type \"%1\" needs at least one friction factor above 0: a "
                                         "Hazen Williams \"C\", a Manning's \"N\" or a Darcy-Weisbach roughness \"e\".")
                              .arg(name));
    if (t->State() != db::DataSetState::Edit)
        return;
    // Pipes, defaults and jobs find their material by its name.
    const QString old = d->TypeTablePipeType->OldValue().toString();
    if (old != name) {
        const MaterialUse use = UsesOfMaterial(old, ptype);
        if (use.Any())
            throw db::DbError(QStringLiteral("The pipe type \"%1\" cannot be renamed: it is used by %2. Give it back "
                                             "its name, or add \"%3\" as a new pipe type.")
                                  .arg(old, MaterialUseText(use), name));
    }
    bool changed = false;
    for (const auto& [field, label] : factors)
        changed = changed || field->OldValue().toDouble() != field->AsFloat();
    if (changed) {
        SpreadResult spread =
            SpreadMaterialFactors(name, d->TypeTableCfactor->AsFloat(), d->TypeTableNfactor->AsFloat(),
                                  d->TypeTableEfactor->AsFloat());
        // The rows a closed job left in the working tables are no job being
        // worked on: the user is told only of jobs.
        const DesignerWindow* designer = RunningDesigner();
        if (designer && !designer->JobShown()) spread.workingJob = false;
        spreadNote_ = SpreadText(name, spread);
    }
}

void TPipeTypeForm::typeTableAfterPost()
{
    if (spreadNote_.isEmpty())
        return;
    const QString note = std::exchange(spreadNote_, QString());
    ui::MessageDlg(note, ui::MsgType::Information, ui::mbOK);
}

void TPipeTypeForm::confirmDelete()
{
    TDMod* d = DMod;
    if (d->TypeTable->State() == db::DataSetState::Insert)
        return;   // a row not yet stored: nothing names it
    const QString name = d->TypeTablePipeType->AsString();
    MaterialUse use = UsesOfMaterial(name, d->TypeTablePType->AsInteger());
    if (use.pipes > 0 || use.defaults) {
        // The jobs keep their own copies of the factors; pipes and defaults would lose their material.
        use.workingJob = false;
        use.storedJobs.clear();
        ui::MessageDlg(QStringLiteral("The pipe type \"%1\" cannot be deleted while it is used by %2.")
                           .arg(name, MaterialUseText(use)),
                       ui::MsgType::Error, ui::mbOK);
        db::Abort();
    }
    if (use.storedJobs.isEmpty())
        return;
    if (ui::MessageDlg(UsedByJobsText(QStringLiteral("The pipe type \"%1\"").arg(name), use.storedJobs),
                       ui::MsgType::Warning, ui::mbYesNo) != ui::mrYes)
        db::Abort();
}

void TPipeTypeForm::FormClose()
{
    db::Table* t = DMod->TypeTable;
    KeepPendingRow(t, QStringLiteral("pipe type"));
    unhook();
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
