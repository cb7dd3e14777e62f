#include "model/dmod1.h"

TDMod* DMod = nullptr;

TDMod::TDMod()
{
#include "model/dmod_init.inc"

    PipeTableVelocityftsec = PipeTable->AddCalcField(QStringLiteral("Velocityftsec"), db::FieldType::Number);
    PipeTableFrictionft100ft = PipeTable->AddCalcField(QStringLiteral("Frictionft100ft"), db::FieldType::Number);
    // The pipe list opens in description order.
    PipeTable->SetIndexName(QStringLiteral("PipeDescripIndex"));
    // The pipe data editor switches editing on when it needs it.
    PipeData->AutoEdit = false;

    pipeQuery_ = std::make_unique<db::Query>(db::kMersolAlias);
    PipeQuery = pipeQuery_.get();
    PipeQuery->SetSQL(QStringLiteral("Update PipeType\n   Set Marked=:NewValue"));
}

TDMod::~TDMod() = default;

std::vector<db::Table*> TDMod::Tables() const
{
    std::vector<db::Table*> out;
    for (const auto& t : tables_)
        out.push_back(t.get());
    return out;
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
