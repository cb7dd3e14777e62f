#include "model/node_rules.h"

#include "model/data_module.h"
#include "model/number_text.h"
#include "model/station.h"
#include "model/job.h"
#include "platform/ui/seam/msg.h"

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
        .arg(FixedText(previous, 15, 1), FixedText(insertPoint, 15, 1));
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

bool RoomForAnotherNode(int nodes)
{
    if (nodes < kMaxStations) return true;
    ui::MessageDlg(QStringLiteral("A profile can have no more than %1 nodes.  Delete a node before adding another.")
                       .arg(kMaxStations),
                   ui::MsgType::Error, ui::mbOK);
    return false;
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
    pipe->Post();
    if (wasEditing) pipe->Edit();
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

std::optional<double> FillUnsetInverts()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    if (!prof->Active()) prof->Open();
    prof->CheckBrowseMode();
    double wallBefore = 0.0, diaBefore = 0.0;
    for (prof->First(); !prof->Eof(); prof->Next()) {
        const int type = d->WorkProfTableNodeType->AsInteger();
        // An end that starts gated pipe or a manifold lies on the pipe arriving.
        const bool arriving = type >= 5 && type <= 7;
        const double wall = arriving ? wallBefore : d->WorkProfTableWallThick->AsFloat();
        const double dia = arriving ? diaBefore : d->WorkProfTableDiaIn->AsFloat();
        wallBefore = d->WorkProfTableWallThick->AsFloat();
        diaBefore = d->WorkProfTableDiaIn->AsFloat();
        if (!d->WorkProfTableInvertElev->IsNull()) continue;
        const double ground = d->WorkProfTableGroundElev->AsFloat();
        switch (d->WorkProfTableInvElMethod->AsInteger()) {
        case 0:
            prof->Edit();
            d->WorkProfTableInvertElev->SetAsString(
                FixedText(ground - (d->WorkProfTablePipeDepth->AsFloat() + wall + dia) / 12, 6, 1));
            prof->Post();
            break;
        case 2:
            prof->Edit();
            d->WorkProfTableInvertElev->SetAsFloat(ground);
            prof->Post();
            break;
        default:
            return d->WorkProfTableStation->AsFloat();
        }
    }
    return std::nullopt;
}
