#include "model/data_module.h"

#include "hydraulics/formulas.h"
#include "model/number_text.h"
#include "model/job.h"
#include "platform/ui/seam/msg.h"

TDMod* DMod = nullptr;

TDMod::TDMod()
{
#include "model/data_module_init.inc"

    PipeTableVelocityftsec = PipeTable->AddCalcField(QStringLiteral("Velocityftsec"), db::FieldType::Number);
    PipeTableFrictionft100ft = PipeTable->AddCalcField(QStringLiteral("Frictionft100ft"), db::FieldType::Number);
    // The pipe list opens in description order.
    PipeTable->SetIndexName(QStringLiteral("PipeDescripIndex"));
    // The pipe data editor switches editing on when it needs it.
    PipeData->AutoEdit = false;

    pipeQuery_ = std::make_unique<db::Query>(db::kMersolAlias);
    PipeQuery = pipeQuery_.get();
    PipeQuery->SetSQL(QStringLiteral("Update PipeType\n   Set Marked=:NewValue"));

    PipeTable->OnFilterRecord = [this](db::Table& t) { return PipeTableFilterRecord(t); };
    PipeTable->OnCalcFields = [this](db::Table& t) { PipeTableCalcFields(t); };
    TypeTable->OnFilterRecord = [this](db::Table& t) { return TypeTableFilterRecord(t); };
    JobPipeTable->OnFilterRecord = [this](db::Table& t) { return JobPipeTableFilterRecord(t); };
    JobSWaterTable->BeforeDelete = [this](db::Table& t) { JobSWaterTableBeforeDelete(t); };
    WorkProfTable->AfterPost = [this](db::Table& t) { WorkProfTableAfterPost(t); };
    WorkProfTable->AfterDelete = [this](db::Table& t) { WorkProfTableAfterDelete(t); };
}

TDMod::~TDMod() = default;

std::vector<db::Table*> TDMod::Tables() const
{
    std::vector<db::Table*> out;
    for (const auto& t : tables_)
        out.push_back(t.get());
    return out;
}

db::Table* TDMod::WaterLookupTable()
{
    if (!waterLookup_)
        waterLookup_ = std::make_unique<db::Table>(WaterTable->DatabaseName(), WaterTable->TableName());
    db::Engine& e = db::Engine::instance();
    const quint64 conn = e.ConnectionSerial(WaterTable->DatabaseName());
    if (!waterLookup_->Active() || conn == 0 || conn != waterLookupConn_) {
        waterLookup_->Close();
        waterLookup_->Open();
        waterLookupConn_ = e.ConnectionSerial(WaterTable->DatabaseName());
    }
    return waterLookup_.get();
}

db::Table* TDMod::AddTable(const QString& alias, const QString& table)
{
    tables_.push_back(std::make_unique<db::Table>(alias, table));
    return tables_.back().get();
}

db::DataSource* TDMod::AddSource(db::Table* table)
{
    sources_.push_back(std::make_unique<db::DataSource>(table));
    return sources_.back().get();
}

namespace {

bool Inside(double v, double lo, double hi)
{
    return lo <= v && v <= hi;
}

} // namespace

bool TDMod::PipeTableFilterRecord(db::Table&)
{
    // Same material: the pipe's PType is that of the current material row.
    auto sameMaterial = [this] {
        return !TypeTablePType->IsNull() && PipeTablePType->AsInteger() == TypeTablePType->AsInteger();
    };
    switch (PipeFilterMode) {
    case 0:
        return sameMaterial() && Inside(PipeTableIDin->AsFloat(), FilterLow, FilterHigh);
    case 1:
        return PipeTableMarked->AsBoolean();
    case 2:
        return sameMaterial();
    case 3:
        return Inside(PipeTablePSize->AsInteger() * 0.01, FilterLow, FilterHigh);
    case 4:
        return sameMaterial() && Inside(PipeTableNomDiam->AsFloat(), FilterLow, FilterHigh);
    case 5: {
        if (!sameMaterial())
            return false;
        const double v = FilterByWallThick ? PipeTableWallThickin->AsFloat() : PipeTableRating->AsFloat();
        if (v != WorkPipeTableTriclPipeRating->AsFloat())
            return false;
        ++FilterMatchCount;
        return true;
    }
    default:
        return true;
    }
}

void TDMod::PipeTableCalcFields(db::Table&)
{
    // Only while the pipe picker lists the sizes of one material.
    if (PipeFilterMode != 0)
        return;
    // The flow of the row the pipe is being picked for. With that table
    // closed there is no such row, and so no flow.
    db::Field* flow;
    switch (Tul->PipePickTarget) {
    case 0: flow = WorkProfTablePipeQ; break;
    case 1: flow = WorkSuctionTablePipeQ; break;
    default: flow = WorkGatedTablePipeQ; break;
    }
    const double Q = flow->DataSet()->Active() ? flow->AsFloat() : 0.0;
    const double D = PipeTableIDin->AsFloat();
    // No flow, or a pipe without a diameter: nothing to show. Neither without
    // the material list open: there is no material to take the factors of.
    if (!(Q > 0) || !(D > 0) || !TypeTable->Active())
        return;
    const double V = PipeVelocity(Q, D);
    const double C = TypeTableCfactor->AsFloat();
    const double n = TypeTableNfactor->AsFloat();
    double friction = 0.0;
    if (C > 0)
        friction = HazenWilliamsFrictionLoss(D, Q, C, 100);
    else if (n > 0)
        friction = ManningFrictionLoss(D, Q, n, 100);
    PipeTableVelocityftsec->SetAsString(FixedText(V, 6, 2));
    PipeTableFrictionft100ft->SetAsString(FixedText(friction, 6, 2));
}

bool TDMod::TypeTableFilterRecord(db::Table&)
{
    return TypeTableEModulus->AsFloat() > 0;
}

bool TDMod::JobPipeTableFilterRecord(db::Table&)
{
    const QString sysType = JobPipeTableSysType->AsString();
    switch (JobFilterMode) {
    case 0:
        return sysType == QLatin1String("MANIFOLD");
    case 1:
        return sysType != QLatin1String("MANIFOLD") && sysType != QLatin1String("GATED");
    case 3:
        return sysType == QLatin1String("GATED");
    case 4:   // the gravity designer's jobs
        return sysType == QLatin1String("GRAVITY") &&
               JobPipeTablePumpType->AsString() != QLatin1String("INLINE BOOSTER");
    default:
        return true;
    }
}

void TDMod::JobSWaterTableBeforeDelete(db::Table&)
{
    const int answer = ui::MessageDlg(QStringLiteral("Do you really want to delete ") +
                                          JobSWaterTableJobName->AsString() + QStringLiteral("?"),
                                      ui::MsgType::Confirmation, ui::mbYesNo);
    if (answer != ui::mrYes)
        db::Abort();
}

void TDMod::WorkProfTableAfterPost(db::Table&)
{
    if (RefreshProfileChart)
        RefreshProfileChart();
}

void TDMod::WorkProfTableAfterDelete(db::Table& dataSet)
{
    if (RefreshProfileChart)
        RefreshProfileChart();
    dataSet.First();
}

void TDMod::SetAllPipesMarked(bool value)
{
    PipeQuery->Close();
    PipeQuery->SetParam(QStringLiteral("NewValue"), value ? QStringLiteral("T") : QStringLiteral("F"));
    PipeQuery->ExecSQL();
    if (PipeTable->Active())
        PipeTable->Refresh();
}
