// Writes a parsed profile text into the working profile. Kept apart from the
// parser so that the parser needs nothing but Qt Core and can be built alone
// (the fuzz target does).
#include "model/profile_text.h"

#include "model/data_module.h"
#include "model/job.h"

#include <algorithm>

void WriteImportedProfile(const std::vector<ProfTextPair>& pairs)
{
    db::Table* prof = DMod->WorkProfTable;
    db::Table* pipe = DMod->WorkPipeTable;
    db::Table* defaults = DMod->DefLocTable;
    if (!prof->Active()) prof->Open();
    if (!prof->IsEmpty()) {
        prof->Close();
        prof->EmptyTable();
    }
    prof->Open();
    if (!pipe->Active()) pipe->Open();
    if (!defaults->Active()) defaults->Open();
    auto set = [prof](const char* field, const QVariant& value) { prof->FieldByName(QLatin1String(field))->SetValue(value); };
    // The reach keywords of the job's system type: the runs set the end grade
    // only by their own keywords. A job without one yet is taken as gravity.
    QString sysType = DMod->WorkPipeTableSysType->AsString();
    if (sysType.isEmpty()) sysType = QStringLiteral("GRAVITY");

    for (size_t n = 0; n < pairs.size(); ++n) {
        prof->Append();
        if (n == 0) {
            Tul->Cancelled = false;
            Tul->NewNode = true;
            Tul->ProfileEntryActive = true;
            Tul->NumNodes = 1;
            set("RecordNo", 1);
            set("NodeType", 0);
            set("NodeTypeDesc", QStringLiteral("Pipe entrance (any type)"));
            set("ReachType", ReachKeywordOf(sysType, 0));
            set("InvElMethod", 1);
            set("InvElMethDesc", QStringLiteral("Enter invert elevation directly"));
            set("PipeLength", 0.0);
            set("PipeQ", DMod->WorkPipeTableDesignFlow->AsFloat());
            set("ThBlkSoil", defaults->FieldByName(QStringLiteral("ThBlkSoil"))->Value());
            const bool autoPump = DMod->WorkPipeTablePumpType->AsString() == QLatin1String("AUTOPUMP");
            set("PipeType", defaults->FieldByName(autoPump ? QStringLiteral("PipeTypePressure")
                                                           : QStringLiteral("PipeTypeOthers"))
                                ->Value());
        } else {
            Tul->NumNodes = int(n) + 1;
            set("RecordNo", int(n) + 1);
            set("NodeType", 1);
            set("NodeTypeDesc", QStringLiteral("In line (normal)"));
            set("ReachType", ReachKeywordOf(sysType, 1));
            set("InvElMethod", 0);
            set("InvElMethDesc", QStringLiteral("Give depth to top of pipe (pipe cover)"));
            set("PipeLength", pairs[n].station - pairs[n - 1].station);
            set("PipeDepth", defaults->FieldByName(QStringLiteral("DepthOfCover"))->Value());
        }
        set("InQ", 0.0);
        set("OutQ", 0.0);
        set("Station", pairs[n].station);
        set("GroundElev", pairs[n].groundElev);
        prof->Post();
        Tul->Station = pairs[n].station;
    }
    prof->Last();
    prof->Edit();
    set("NodeType", 4);
    set("NodeTypeDesc", QStringLiteral("End of line (normal)"));
    set("ReachType", ReachKeywordOf(sysType, 4));
    prof->Post();
    // The last pair is the end of the line, and its ground the outlet, as
    // choosing that kind for a node makes it: the runs take the end's grade
    // from the outlet.
    if (!pairs.empty()) {
        const bool editing = pipe->State() == db::DataSetState::Edit || pipe->State() == db::DataSetState::Insert;
        if (!editing) pipe->Edit();
        DMod->WorkPipeTableOutletElev->SetAsFloat(pairs.back().groundElev);
        pipe->Post();
        if (editing) pipe->Edit();
    }
    prof->Edit();
}

std::vector<ProfTextPair> WorkProfilePairs(int* incompleteRow)
{
    *incompleteRow = 0;
    std::vector<ProfTextPair> pairs;
    db::Table* prof = DMod->WorkProfTable;
    if (!prof->Active()) return pairs;
    prof->CheckBrowseMode();
    db::Field* station = DMod->WorkProfTableStation;
    db::Field* ground = DMod->WorkProfTableGroundElev;
    int row = 0;
    for (prof->First(); !prof->Eof(); prof->Next()) {
        ++row;
        if (station->IsNull() || ground->IsNull()) {
            *incompleteRow = row;
            return {};
        }
        pairs.push_back({station->AsFloat(), ground->AsFloat()});
    }
    // The table keeps its rows in station order already; a sort keeps the
    // pairs so whatever order the table was opened in.
    std::sort(pairs.begin(), pairs.end(),
              [](const ProfTextPair& a, const ProfTextPair& b) { return a.station < b.station; });
    return pairs;
}
