#include "model/staclass1.h"

#include "model/tulclass.h"
#include "platform/ui/seam/msg.h"

TSta* psta[kMaxStations] = {};

bool StationCountUsable(int numNodes)
{
    if (numNodes > kMaxStations) {
        ui::MessageDlg(QStringLiteral("The profile has %1 nodes. A computation can take at most "
                                      "%2 nodes; please shorten the profile.")
                           .arg(numNodes)
                           .arg(kMaxStations),
                       ui::MsgType::Error, ui::mbOK);
        return false;
    }
    if (numNodes < 2) {
        ui::MessageDlg(QStringLiteral("The profile needs at least 2 nodes, an entrance and an "
                                      "end, before it can be computed."),
                       ui::MsgType::Error, ui::mbOK);
        return false;
    }
    return true;
}

void CreateStationRecords(int count)
{
    FreeStationRecords();
    if (count > kMaxStations)
        count = kMaxStations;
    for (int i = 0; i < count; ++i)
        psta[i] = new TSta;
}

void FreeStationRecords()
{
    for (TSta*& s : psta) {
        delete s;
        s = nullptr;
    }
}

void TTul::LoadJobFromWorkTables(TSta** records, int count)
{
    // Completed once the data module is on main.
}
