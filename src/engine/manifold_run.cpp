#include "engine/manifold_run.h"

#include "engine/hydraulics.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/number_text.h"
#include "model/station.h"
#include "model/job.h"
#include "model/program_kind.h"
#include "platform/ui/seam/msg.h"

#include <algorithm>
#include <memory>

namespace {

// Least pressure (psi) to head (ft) for the manifold: 1/0.4334.
constexpr double kManifoldFtPerPsi = 2.3073373327;

// A node's velocity, losses, grade lines and pressure: Mersol stores them
// rounded as its tables have always held them; the gravity designer keeps
// every digit, so what it reads back is what it computed.
void SetNodeResult(db::Field* f, double v, int precision, int digits)
{
    if (GravityDesignerRunning())
        f->SetAsFloat(v);
    else
        SetFixed(f, v, precision, digits);
}

// Says why the manifold is not computed; gives the text it said.
QString RefuseManifold(const QString& why)
{
    const QString text = QStringLiteral("Manifold not computed. ") + why;
    ui::MessageDlg(text, ui::MsgType::Error, ui::mbOK);
    return text;
}

// Owns the node records of one run.
struct NodeList {
    std::vector<TSta*> nodes;
    ~NodeList()
    {
        for (TSta* r : nodes)
            delete r;
    }
};

void CloseScratchTables()
{
    DMod->Temp1Table->Close();
    DMod->TempTable->Close();
}

} // namespace

bool JManfld::SelectSegmentPipe(int i, std::vector<TSta*>& nodes)
{
    TDMod* m = DMod;
    TSta& node = *nodes[i];
    m->ManifoldSegLength = nodes[i + 1]->PipeLength;
    m->ManifoldSegFlow = node.PipeQ;
    const double q = m->ManifoldSegFlow;
    const double len = m->ManifoldSegLength;

    // The texts are cut as the Temp table's fields would cut them.
    const int typeSize = m->TempTableType->Size();
    const int descripSize = m->TempTablePDescrip->Size();
    candidates_.clear();
    for (const Size& size : sizes_) {
        const double id = size.id;
        if (!(id > 0.0 && q > 0.0 && len > 0.0))
            continue;
        const double v = (q / 448.83) / (0.0054542 * id * id);
        if (!(v <= m->ManifoldMaxVel))
            continue;
        double re = 0.0, f = 0.0;
        QString regime;
        const double loss = Hyd->FrictionLoss(id, q, len, node.Efac, node.Cfac, node.Nfac, re, regime, f);
        if (loss > 0.0 && loss <= m->ManifoldMaxFric) {
            Candidate c;
            c.rating = size.rating;
            c.id = id;
            c.q = q;
            c.descrip = size.descrip.left(descripSize);
            c.vel = v;
            c.fric = loss;
            c.calcMeth = Tul->FrictionMethodUsed;
            c.re = re;
            c.f = f;
            c.type = regime.left(typeSize);
            c.len = len;
            candidates_.push_back(std::move(c));
        }
    }

    if (candidates_.empty())
        return false;
    // The fastest candidate is the smallest pipe within both limits; of
    // equal velocities the first wins.
    const Candidate* best = &candidates_.front();
    for (const Candidate& c : candidates_)
        if (c.vel > best->vel)
            best = &c;
    node.PipeDescription = best->descrip;
    node.DiaIn = best->id;
    node.vel = best->vel;
    node.Floss = best->fric;
    node.Re = best->re;
    node.F = best->f;
    node.FlowType = best->type;
    node.FrictionMethodUsed = best->calcMeth;
    return true;
}

void JManfld::ReadSizes()
{
    TDMod* m = DMod;
    sizes_.clear();
    for (m->Temp1Table->First(); !m->Temp1Table->Eof(); m->Temp1Table->Next())
        sizes_.push_back({m->Temp1TablePDescrip->AsString(), m->Temp1TableId->AsFloat(), m->Temp1TableVal->AsFloat()});
}

void JManfld::WriteCandidates()
{
    TDMod* m = DMod;
    db::Table* temp = m->TempTable;
    OpenIfClosed(temp);
    if (!temp->IsEmpty())
        temp->EmptyTable();
    for (const Candidate& c : candidates_) {
        temp->Append();
        m->TempTableRating->SetAsFloat(c.rating);
        m->TempTableId->SetAsFloat(c.id);
        m->TempTableQ->SetAsFloat(c.q);
        m->TempTablePDescrip->SetAsString(c.descrip);
        m->TempTableVel->SetAsFloat(c.vel);
        m->TempTableFric->SetAsFloat(c.fric);
        m->TempTableCalcMeth->SetAsInteger(c.calcMeth);
        m->TempTableRe->SetAsFloat(c.re);
        m->TempTableF->SetAsFloat(c.f);
        m->TempTableType->SetAsString(c.type);
        m->TempTableLen->SetAsFloat(c.len);
        temp->Post();
    }
}

RunStatus JManfld::RunManifold()
{
    const FrictionFaultWatch friction;
    // Every row the run writes is one transaction: a run that fails part way
    // leaves the tables as they were.
    db::Transaction tx(db::kMersolAlias);
    RunStatus status;
    status.NotComputed(Compute());
    tx.Commit();
    friction.Into(status);
    return status;
}

bool JManfld::CheckManifold()
{
    // Posted outside the run's transaction, so that giving the run back
    // does not give back what the user entered.
    for (db::Table* t : {DMod->WorkPipeTable, DMod->WorkTrickleTable})
        if (t->Active()) t->CheckBrowseMode();
    {
        db::Transaction tx(db::kMersolAlias);
        Compute();
    }   // not committed: rolled back
    return Computed;
}

QString JManfld::Compute()
{
    Computed = false;
    Refused = Fault::None;
    TDMod* m = DMod;
    db::Table* trickle = m->WorkTrickleTable;
    db::Table* pipes = m->PipeTable;
    db::Table* sizes = m->Temp1Table;
    db::Table* materials = m->TypeTable;

    OpenIfClosed(trickle);
    OpenIfClosed(m->WorkPipeTable);
    NodeCount = trickle->RecordCount();
    if (NodeCount < kMinManifoldNodes) {
        Refused = Fault::Nodes;
        return RefuseManifold(QStringLiteral("A manifold needs at least 2 nodes."));
    }
    if (NodeCount > kMaxManifoldNodes) {
        Refused = Fault::Nodes;
        return RefuseManifold(QStringLiteral("The manifold has %1 nodes; it may have at most 150.").arg(NodeCount));
    }

    OpenIfClosed(pipes);
    OpenIfClosed(sizes);
    OpenIfClosed(materials);
    if (!sizes->IsEmpty())
        sizes->EmptyTable();

    PipeType = m->WorkPipeTableTriclPType->AsString();
    if (PipeType.isEmpty()) {
        materials->First();
    } else if (!materials->Locate(QStringLiteral("PipeType"), PipeType)) {
        // Another material's factors and sizes would size the wrong pipe.
        Refused = Fault::Material;
        CloseScratchTables();
        return RefuseManifold(QStringLiteral("The pipe material \"") + PipeType
                              + QStringLiteral("\" is not in the pipe material table."));
    }
    Tul->Nfactor = m->TypeTableNfactor->AsFloat();
    Tul->Cfactor = m->TypeTableCfactor->AsFloat();
    Tul->Efactor = m->TypeTableEfactor->AsFloat();

    // Candidate sizes: the pipes of the type and rating, one per inside diameter.
    const double rating = m->WorkPipeTableTriclPipeRating->AsFloat();
    m->PipeFilterMode = 5;
    m->FilterMatchCount = 0;
    pipes->SetFiltered(true);
    double previousId = 0.0;
    for (pipes->First(); !pipes->Eof(); pipes->Next()) {
        const double id = m->PipeTableIDin->AsFloat();
        if (id != previousId) {
            sizes->Append();
            m->Temp1TablePDescrip->SetAsString(m->PipeTablePipeDescription->AsString());
            m->Temp1TableId->SetAsFloat(id);
            m->Temp1TableVal->SetAsFloat(rating);
            sizes->Post();
        }
        previousId = id;
    }
    pipes->SetFiltered(false);
    ReadSizes();

    m->ManifoldMaxVel = m->WorkPipeTableTriclMVel->AsFloat();
    m->ManifoldMaxFric = m->WorkPipeTableTriclMFric->AsFloat();
    m->FilterLow = m->WorkPipeTableTriclLowSz->AsFloat();
    m->FilterHigh = m->WorkPipeTableTriclHiSz->AsFloat();
    Tul->TriclMinHead = m->WorkPipeTableTriclLPsi->AsFloat() * kManifoldFtPerPsi;

    // Node records, one per WorkTrickle row in table order.
    NodeList list;
    std::vector<TSta*>& nodes = list.nodes;
    const int n = NodeCount;
    trickle->First();
    for (int k = 0; k < n && !trickle->Eof(); ++k) {
        TSta* r = new TSta;
        nodes.push_back(r);
        r->Station = m->WorkTrickleTableStation->AsFloat();
        r->InvertElev = m->WorkTrickleTableInvertElev->AsFloat();
        r->OutQ = m->WorkTrickleTableGpmAtOutlet->AsFloat();
        r->Nfac = Tul->Nfactor;
        r->Cfac = Tul->Cfactor;
        r->Efac = Tul->Efactor;
        r->PipeType = PipeType;
        r->PipeLength = k == 0 ? 0.0 : r->Station - nodes[k - 1]->Station;
        EditIfBrowsing(trickle);
        m->WorkTrickleTablePipeLength->SetAsFloat(r->PipeLength);
        trickle->Post();
        if (k == 0)
            Tul->OutletElev = r->InvertElev;

        if (k == n - 1) {
            r->K1 = 0.35;
            r->KLocate1 = 0;
        } else if (k > 0) {
            r->K1 = 0.6;
            r->KLocate1 = 0;
            r->K2 = -1.0;   // sudden contraction between the arriving and leaving segments
        } else if (r->OutQ > 0.0) {
            r->K1 = 0.7;
            r->KLocate1 = 1;
        }
        trickle->Next();
    }
    if (static_cast<int>(nodes.size()) != n) {
        Refused = Fault::Nodes;
        CloseScratchTables();
        return RefuseManifold(QStringLiteral("The manifold's nodes could not all be read."));
    }
    const int last = n - 1;

    // Flows, from the last node back to the first.
    nodes[last]->PipeQ = 0.0;
    for (int i = last - 1; i >= 0; --i)
        nodes[i]->PipeQ = nodes[i + 1]->PipeQ + nodes[i + 1]->OutQ;
    EntQ = nodes[0]->PipeQ + nodes[0]->OutQ;
    nodes[last]->PipeQ = nodes[last - 1]->PipeQ;
    TotFric = 0.0;

    // A segment no candidate fits has no diameter to carry a velocity or a
    // loss; the run stops before any result is written and names it.
    QStringList unsized;
    for (int i = 0; i < last; ++i) {
        if (!SelectSegmentPipe(i, nodes))
            unsized << StationTextOf(nodes[i]->Station) + QStringLiteral(" to ") + StationTextOf(nodes[i + 1]->Station);
    }
    WriteCandidates();
    if (!unsized.isEmpty()) {
        // No pipe of the rating at all, or none within the limits.
        Refused = sizes_.empty() ? Fault::Rating : Fault::Limits;
        trickle->First();
        for (int i = 0; i < n && !trickle->Eof(); ++i, trickle->Next()) {
            EditIfBrowsing(trickle);
            m->WorkTrickleTableWarning->SetAsString(
                nodes[i]->PipeDescription.isEmpty() && i < last
                    ? QStringLiteral("ERROR..No pipe size meets the velocity and friction limits.")
                    : QString());
            trickle->Post();
        }
        CloseScratchTables();
        return RefuseManifold(QStringLiteral("No pipe of type \"") + PipeType + QStringLiteral("\" and rating ")
                              + FixedText(rating, 10, 2) + QStringLiteral(" meets the velocity limit of ")
                              + FixedText(m->ManifoldMaxVel, 10, 2)
                              + QStringLiteral(" ft/s and the friction limit of ")
                              + FixedText(m->ManifoldMaxFric, 10, 2)
                              + QStringLiteral(" ft in the segment(s) from station ")
                              + unsized.join(QStringLiteral(", ")) + QStringLiteral("."));
    }

    // Sizes and losses, node by node.
    trickle->First();
    for (int i = 0; i < n; ++i, trickle->Next()) {
        TSta& r = *nodes[i];
        EditIfBrowsing(trickle);
        m->WorkTrickleTablePipeQ->SetAsFloat(r.PipeQ);
        m->WorkTrickleTableWarning->SetAsString(QString());

        if (i == last) {
            // The last node has no pipe of its own.
            r.PressurRating = nodes[i - 1]->PressurRating;
            r.WtPerFt = nodes[i - 1]->WtPerFt;
            r.DiaIn = nodes[i - 1]->DiaIn;
            r.vel = nodes[i - 1]->vel;
            r.Floss = 0.0;
        } else if (pipes->Locate(QStringLiteral("Pipe Description"), r.PipeDescription)) {
            r.PressurRating = m->PipeTablePressRtngpsi->AsFloat();
            r.WtPerFt = m->PipeTableWtPerFt->AsFloat();
        }
        m->WorkTrickleTableDiaIn->SetAsFloat(r.DiaIn);
        SetNodeResult(m->WorkTrickleTableVel, r.vel, 6, 2);
        if (i == last)
            m->WorkTrickleTableFloss->SetAsFloat(0.0);
        else
            SetNodeResult(m->WorkTrickleTableFloss, r.Floss, 6, 3);

        r.Kloss = 0.0;
        if (i == last) {
            r.Kloss = Tul->StationVelocityHeadLoss(0, r, *nodes[i - 1], false);
            SetNodeResult(m->WorkTrickleTableKloss, r.Kloss, 6, 3);
        } else if (i == 0) {
            r.Kloss = Tul->StationVelocityHeadLoss(0, r, r, false);
            SetNodeResult(m->WorkTrickleTableKloss, r.Kloss, 6, 3);
        } else {
            r.Kloss = Tul->StationVelocityHeadLoss(0, r, *nodes[i - 1], false)
                      + Tul->StationVelocityHeadLoss(1, r, *nodes[i - 1], false);
            SetNodeResult(m->WorkTrickleTableKloss, r.Kloss, 6, 2);
        }
        TotFric += r.Floss + r.Kloss;

        m->WorkTrickleTableWtPerFt->SetAsFloat(r.WtPerFt);
        m->WorkTrickleTableNfac->SetAsFloat(r.Nfac);
        m->WorkTrickleTableCfac->SetAsFloat(r.Cfac);
        m->WorkTrickleTableEfac->SetAsFloat(r.Efac);
        m->WorkTrickleTableRe->SetAsFloat(r.Re);
        m->WorkTrickleTableF->SetAsFloat(r.F);
        m->WorkTrickleTableDownStreamPipeDescription->SetAsString(r.PipeDescription);
        m->WorkTrickleTableFlowType->SetAsString(r.FlowType);
        m->WorkTrickleTableTSta->SetAsString(Hyd->StationText(r.Station));
        if (i != last) {
            const QString method = FrictionMethodText(r.FrictionMethodUsed, r.Nfac, r.Cfac, r.FlowType, r.Re, r.F);
            if (!method.isEmpty())
                m->WorkTrickleTableCalcMethod->SetAsString(method);
        }
        trickle->Post();
    }

    // Backward: every node at least at its required grade (top of pipe plus
    // the least head), carrying the losses up from the last node.
    const double minHead = Tul->TriclMinHead;
    nodes[last]->Sgl = nodes[last]->DiaIn / 12.0 + nodes[last]->InvertElev + minHead;
    nodes[last]->Hgl = nodes[last]->Sgl;
    for (int i = last - 1; i >= 0; --i) {
        TSta& r = *nodes[i];
        r.Sgl = r.DiaIn / 12.0 + r.InvertElev + minHead;
        r.Hgl = nodes[i + 1]->Hgl + r.Floss + r.Kloss;
        if (r.Hgl < r.Sgl)
            r.Hgl = r.Sgl;
    }
    TSta& first = *nodes[0];
    first.Egl = first.Hgl + first.vel * first.vel / 64.4;
    // Forward from the first node.
    for (int i = 1; i <= last; ++i) {
        TSta& r = *nodes[i];
        const TSta& prev = *nodes[i - 1];
        r.Hgl = prev.Hgl - prev.Floss - prev.Kloss;
        if (i == last)
            r.Hgl -= r.Kloss;
        r.Egl = r.Hgl + prev.vel * prev.vel / 64.4;
        r.Psi = (r.Hgl - r.InvertElev) * 0.43344;
    }
    first.Psi = (first.Hgl - first.InvertElev) * 0.43344;
    EntPsi = first.vel * first.vel / 64.4 * 0.43344 + first.Psi;
    EntHgl = first.Hgl;

    trickle->First();
    for (int i = 0; i < n; ++i, trickle->Next()) {
        const TSta& r = *nodes[i];
        EditIfBrowsing(trickle);
        SetNodeResult(m->WorkTrickleTableHgl, r.Hgl, 6, 2);
        SetNodeResult(m->WorkTrickleTableEgl, r.Egl, 6, 2);
        SetNodeResult(m->WorkTrickleTablePsi, r.Psi, 6, 2);
        m->WorkTrickleTableRchLen->SetAsFloat(i < last ? nodes[i + 1]->PipeLength : 0.0);
        trickle->Post();
    }

    WriteManifoldResults(nodes, n);
    CloseScratchTables();
    Computed = true;
    return QString();
}

void JManfld::WriteManifoldResults(std::vector<TSta*>& nodes, int count)
{
    TDMod* m = DMod;
    db::Table* header = m->WorkPipeTable;
    OpenIfClosed(header);
    EditIfBrowsing(header);
    m->WorkPipeTableTriclEntQ->SetAsFloat(EntQ);
    SetFixed(m->WorkPipeTableTriclEntPsi, EntPsi, 6, 2);
    SetFixed(m->WorkPipeTableTriclEntHgl, EntHgl, 7, 3);
    SetFixed(m->WorkPipeTableTriclTotFric, TotFric, 6, 2);
    header->Post();

    // The nodes were read in row order, so each goes back to its own row;
    // two nodes at one station still get their own values. A row that no
    // longer holds its node's station is left alone.
    db::Table* trickle = m->WorkTrickleTable;
    OpenIfClosed(trickle);
    trickle->First();
    QStringList skipped;
    for (int k = 0; k < count; ++k, trickle->Next()) {
        const TSta& r = *nodes[k];
        if (trickle->Eof() || m->WorkTrickleTableStation->AsFloat() != r.Station) {
            skipped << StationTextOf(r.Station);
            continue;
        }
        EditIfBrowsing(trickle);
        m->WorkTrickleTablePressurRating->SetAsFloat(r.PressurRating);
        SetNodeResult(m->WorkTrickleTableKloss, r.Kloss, 15, 3);
        m->WorkTrickleTableNodeType->SetAsInteger(k == 0 ? 0 : 1);
        SetNodeResult(m->WorkTrickleTableVel, r.vel, 15, 2);
        SetNodeResult(m->WorkTrickleTablePsi, r.Psi, 15, 2);
        SetNodeResult(m->WorkTrickleTableHgl, r.Hgl, 15, 2);
        SetNodeResult(m->WorkTrickleTableEgl, r.Egl, 15, 2);
        if (k < count - 1) {
            SetNodeResult(m->WorkTrickleTableFloss, r.Floss, 6, 3);
            const QString method = FrictionMethodText(r.FrictionMethodUsed, r.Nfac, r.Cfac, r.FlowType, r.Re, r.F);
            if (!method.isEmpty())
                m->WorkTrickleTableCalcMethod->SetAsString(method);
        }
        trickle->Post();
    }
    if (!skipped.isEmpty()) {
        ui::MessageDlg(QStringLiteral("WARNING..Manifold results not written for the node(s) at station ")
                           + skipped.join(QStringLiteral(", "))
                           + QStringLiteral(": the manifold rows changed during the run."),
                       ui::MsgType::Warning, ui::mbOK);
    }
}
