#include "model/proftext.h"

#include "model/dmod1.h"
#include "model/tulclass.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace {

QString lineError(int line, const QString& what)
{
    return QStringLiteral("Line %1: %2").arg(line).arg(what);
}

} // namespace

ProfTextResult ParseProfileText(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    ProfTextResult r;
    const QStringList lines = text.split(QLatin1Char('\n'));
    bool haveStation = false;
    double station = 0.0;
    int stationLine = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const int line = i + 1;
        const QStringList tokens = lines[i].split(separators, Qt::SkipEmptyParts);
        for (const QString& token : tokens) {
            bool ok = false;
            const double value = token.toDouble(&ok);
            if (!ok || !std::isfinite(value)) {
                r.error = lineError(line, QStringLiteral("\"%1\" is not a number.").arg(token));
                break;
            }
            if (!haveStation) {
                if (value < 0.0 || value > 999999.0) {
                    r.error = lineError(line, QStringLiteral("station %1 is outside 0 to 999999.").arg(token));
                    break;
                }
                if (!r.pairs.empty() && value <= r.pairs.back().station) {
                    r.error = lineError(line, QStringLiteral("station %1 does not increase.").arg(token));
                    break;
                }
                if (int(r.pairs.size()) == MaxProfileNodes) {
                    r.error = lineError(line, QStringLiteral("a profile holds at most %1 nodes.").arg(MaxProfileNodes));
                    break;
                }
                station = value;
                stationLine = line;
                haveStation = true;
                continue;
            }
            if (value < -9999.99 || value > 9999.99) {
                r.error = lineError(line, QStringLiteral("elevation %1 is outside -9999.99 to 9999.99.").arg(token));
                break;
            }
            r.pairs.push_back({station, value});
            haveStation = false;
        }
        if (!r.ok()) break;
    }
    if (r.ok() && haveStation)
        r.error = lineError(stationLine, QStringLiteral("station without a ground elevation."));
    if (r.ok() && r.pairs.empty()) r.error = QStringLiteral("The file holds no station and elevation pairs.");
    if (!r.ok()) r.pairs.clear();
    return r;
}

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
            set("ReachType", QStringLiteral("GRAVBEG"));
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
            set("ReachType", QStringLiteral("GRAVMID"));
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
    set("ReachType", QStringLiteral("GRAVEND"));
    prof->Post();
    prof->Edit();
}
