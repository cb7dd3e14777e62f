#include "model/node_rules.h"

#include "model/data_module.h"
#include "model/number_text.h"
#include "model/station.h"
#include "model/job.h"
#include "platform/ui/seam/msg.h"

#include <algorithm>
#include <cmath>
#include <limits>

std::optional<double> InsertedStation(double previous, double insertPoint, double increment)
{
    const double gap = insertPoint - previous;
    double station = previous + 1.0;
    if (increment > 0.0 && increment <= gap - 1.0)
        station = previous + increment;
    else if (gap > 10.0)
        station = previous + 10.0;
    if (station <= previous || station >= insertPoint) return std::nullopt;
    return station;
}

QString NoRoomToInsertText(double previous, double insertPoint)
{
    return QStringLiteral("Can't insert a node here.  Stations %1 and %2 leave no room for a station between them.")
        .arg(StationTextOf(previous), StationTextOf(insertPoint));
}

bool CurrentNodeIsLast()
{
    db::Table* prof = DMod->WorkProfTable;
    if (!prof->Active()) return true;
    db::Field* station = DMod->WorkProfTableStation;
    const int current = prof->DisplayRow();
    const double at = station->AsFloat();
    // Read in place: the node may be in the middle of an edit or an insert.
    for (int row = 0; row < prof->DisplayRowCount(); ++row)
        if (row != current && prof->DisplayValue(row, station).toDouble() > at) return false;
    return true;
}

std::pair<double, double> NeighbourStations()
{
    db::Table* prof = DMod->WorkProfTable;
    db::Field* station = DMod->WorkProfTableStation;
    const int current = prof->DisplayRow();
    auto at = [&](int row, double none) {
        const QVariant v = prof->DisplayValue(row, station);
        return v.isNull() ? none : v.toDouble();
    };
    return {at(current - 1, -std::numeric_limits<double>::infinity()),
            at(current + 1, std::numeric_limits<double>::infinity())};
}

QString OutflowAboveFlowReachingText()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    const double out = d->WorkProfTableOutQ->AsFloat();
    if (out <= 0) return {};
    const int current = prof->DisplayRow();
    double reaching = current > 0 ? prof->DisplayValue(current - 1, d->WorkProfTablePipeQ).toDouble()
                                  : d->WorkPipeTableDesignFlow->AsFloat();
    if (d->WorkProfTableInQ->AsFloat() > 0) reaching += d->WorkProfTableInQ->AsFloat();
    if (out <= reaching) return {};
    // Taking more than arrives would leave a negative flow in the reach below.
    const QString available = QString::number(std::max(reaching, 0.0), 'f', reaching == std::floor(reaching) ? 0 : 2);
    return QStringLiteral("An outflow of %1 gpm is more than the %2 gpm that reach this node. "
                          "Enter at most %2 gpm.")
        .arg(QString::number(out, 'f', 0), available);
}

QString FlowBelowZeroText(double designFlow)
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    if (!prof->Active()) return {};
    if (d->WorkPipeTableSysHas->AsInteger() == 2 && d->WorkPipeTableTriclEntQ->AsFloat() > 0) return {};
    // Carried as the flows are carried down: each node adds its inflow and
    // gives up its outflow.
    double flow = designFlow, lowest = 0.0, firstStation = 0.0, firstFlow = 0.0;
    bool below = false;
    for (int row = 0; row < prof->DisplayRowCount(); ++row) {
        flow += std::max(prof->DisplayValue(row, d->WorkProfTableInQ).toDouble(), 0.0)
                - std::max(prof->DisplayValue(row, d->WorkProfTableOutQ).toDouble(), 0.0);
        lowest = std::min(lowest, flow);
        if (flow < 0 && !below) {
            below = true;
            firstStation = prof->DisplayValue(row, d->WorkProfTableStation).toDouble();
            firstFlow = flow;
        }
    }
    if (!below) return {};
    return QStringLiteral("With a design flow of %1 gpm the outflows along the line take more than it carries: "
                          "below Sta %2 the flow would be %3 gpm. Enter a design flow of at least %4 gpm, or "
                          "lower the outflows first.")
        .arg(FixedText(designFlow, 10, 0).trimmed(), StationTextOf(firstStation), FixedText(firstFlow, 10, 0).trimmed(),
             FixedText(std::ceil(designFlow - lowest), 10, 0).trimmed());
}

bool RoomForAnotherNode(int nodes)
{
    return RoomForAnother(nodes, kMaxStations, QStringLiteral("profile"), QStringLiteral("node"));
}

bool RoomForAnother(int rows, int most, const QString& whole, const QString& row)
{
    if (rows < most) return true;
    ui::MessageDlg(QStringLiteral("A %1 can have no more than %2 %3s.  Delete a %3 before adding another.")
                       .arg(whole)
                       .arg(most)
                       .arg(row),
                   ui::MsgType::Error, ui::mbOK);
    return false;
}

QString LineWithoutBoosters(const QString& sysType)
{
    if (sysType == QLatin1String("PUMPED") || sysType == QLatin1String("PRESSURE")) return QStringLiteral("pumped");
    if (sysType == QLatin1String("FULLFLOW")) return QStringLiteral("wide open");
    return {};
}

QString BoosterTheLineCannotHoldText(const QString& sysType)
{
    const QString line = LineWithoutBoosters(sysType);
    db::Table* prof = DMod->WorkProfTable;
    if (line.isEmpty() || !prof->Active() || prof->IsEmpty()) return {};
    prof->CheckBrowseMode();
    const qint64 at = prof->GetBookmark();
    QString text;
    for (prof->First(); !prof->Eof() && text.isEmpty(); prof->Next())
        if (DMod->WorkProfTableNodeType->AsInteger() == kBoosterNode)
            text = QStringLiteral("The in-line booster pump at %1 can't stay in a %2 pipeline.")
                       .arg(StationTextOf(DMod->WorkProfTableStation->AsFloat()), line);
    prof->GotoBookmark(at);
    return text;
}

void DropInlineBoosterWhenNoneLeft()
{
    db::Table* prof = DMod->WorkProfTable;
    if (prof->Active()) {   // a closed profile has been emptied
        prof->CheckBrowseMode();
        for (prof->First(); !prof->Eof(); prof->Next())
            if (DMod->WorkProfTableNodeType->AsInteger() == 2) return;
    }
    Tul->PumpTypeCode = 0;
    db::Table* pipe = DMod->WorkPipeTable;
    if (!pipe->Active()) pipe->Open();
    if (DMod->WorkPipeTablePumpType->AsString() != QLatin1String("INLINE BOOSTER")) return;
    const bool wasEditing = pipe->State() == db::DataSetState::Edit || pipe->State() == db::DataSetState::Insert;
    if (!wasEditing) pipe->Edit();
    DMod->WorkPipeTablePumpType->SetAsString(QString());
    TakeAwayOtherKindsValues(DMod->WorkPipeTableSysType->AsString(), QStringLiteral("INLINE BOOSTER"));
    pipe->Post();
    if (wasEditing) pipe->Edit();
}

void WriteReachKeywords()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    if (!prof->Active()) prof->Open();
    const QString sysType = d->WorkPipeTableSysType->AsString();
    db::Field* reach = d->WorkProfTableReachType;
    if (prof->State() == db::DataSetState::Insert || prof->IsEmpty()) {
        if (prof->State() == db::DataSetState::Browse) prof->Edit();   // an empty table starts its one row
        reach->SetAsString(ReachKeywordOf(sysType, 0));
        prof->Post();
        return;
    }
    prof->CheckBrowseMode();
    const qint64 at = prof->GetBookmark();
    for (prof->First(); !prof->Eof(); prof->Next()) {
        const QString keyword = ReachKeywordOf(sysType, d->WorkProfTableNodeType->AsInteger());
        if (d->WorkProfTableNodeType->IsNull() || keyword.isEmpty() || reach->AsString() == keyword) continue;
        prof->Edit();
        reach->SetAsString(keyword);
        prof->Post();
    }
    prof->GotoBookmark(at);
}

void ForgetGatedOrManifoldEnd()
{
    Tul->SysHas = 0;
    db::Table* pipe = DMod->WorkPipeTable;
    if (!pipe->Active()) pipe->Open();
    if (pipe->IsEmpty()) return;
    const bool wasEditing = pipe->State() == db::DataSetState::Edit || pipe->State() == db::DataSetState::Insert;
    if (!wasEditing) pipe->Edit();
    DMod->WorkPipeTableSysHas->SetAsInteger(0);
    pipe->Post();
    if (wasEditing) pipe->Edit();
}

void CarryFlowsDown()
{
    db::Table* prof = DMod->WorkProfTable;
    db::Field* pipeQ = DMod->WorkProfTablePipeQ;
    prof->CheckBrowseMode();
    prof->First();
    double flow = pipeQ->AsFloat();
    for (prof->Next(); !prof->Eof(); prof->Next()) {
        flow += DMod->WorkProfTableInQ->AsFloat() - DMod->WorkProfTableOutQ->AsFloat();
        if (pipeQ->IsNull() || pipeQ->AsFloat() != flow) {
            prof->Edit();
            pipeQ->SetAsFloat(flow);
            prof->Post();
        }
    }
}

double InvertFromCover(double ground, double depth, double wall, double bore)
{
    return FixedValue(ground - (depth + wall + bore) / 12, 6, 2);
}

std::optional<MissingNodeValue> ApplyInvertMethods()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    if (!prof->Active()) prof->Open();
    prof->CheckBrowseMode();
    auto missing = [d](const char* what) {
        return MissingNodeValue{QString::fromLatin1(what), d->WorkProfTableStation->AsFloat()};
    };
    double wallBefore = 0.0, diaBefore = 0.0;
    for (prof->First(); !prof->Eof(); prof->Next()) {
        // An end node has no reach of its own: it lies on the pipe arriving.
        const bool arriving = prof->RecNo() > 1 && IsEndNodeType(d->WorkProfTableNodeType->AsInteger());
        const double wall = arriving ? wallBefore : d->WorkProfTableWallThick->AsFloat();
        const double dia = arriving ? diaBefore : d->WorkProfTableDiaIn->AsFloat();
        // A plain end that never had the pipe handed on to it (its reach
        // dialogs were never opened) takes it now, as they would give it:
        // the runs take the end's velocity from it.
        if (arriving && d->WorkProfTableNodeType->AsInteger() == 4 && !(d->WorkProfTableDiaIn->AsFloat() > 0)) {
            prof->Edit();
            d->WorkProfTableDiaIn->SetAsFloat(dia);
            d->WorkProfTableWallThick->SetAsFloat(wall);
            prof->Post();
        }
        wallBefore = d->WorkProfTableWallThick->AsFloat();
        diaBefore = d->WorkProfTableDiaIn->AsFloat();
        db::Field* ground = d->WorkProfTableGroundElev;
        db::Field* depth = d->WorkProfTablePipeDepth;
        db::Field* invert = d->WorkProfTableInvertElev;
        const int method = d->WorkProfTableInvElMethod->AsInteger();
        if (method != 0 && method != 2) {
            if (invert->IsNull()) return missing("invert elevation");
            continue;
        }
        if (ground->IsNull()) return missing("ground elevation");
        if (method == 0 && depth->IsNull()) return missing("depth to the top of the pipe");
        if (method == 0) {
            const double wanted = InvertFromCover(ground->AsFloat(), depth->AsFloat(), wall, dia);
            if (!invert->IsNull() && invert->AsFloat() == wanted) continue;
            prof->Edit();
            invert->SetAsFloat(wanted);
        } else {
            if (!invert->IsNull() && invert->AsFloat() == ground->AsFloat() && !depth->IsNull() &&
                depth->AsFloat() == 0.0)
                continue;
            prof->Edit();
            invert->SetAsFloat(ground->AsFloat());
            depth->SetAsFloat(0.0);
        }
        prof->Post();
    }
    return std::nullopt;
}
