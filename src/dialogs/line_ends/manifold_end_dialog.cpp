#include "dialogs/line_ends/manifold_end_dialog.h"

#include "dialogs/line_ends/manifold_pages.h"
#include "dialogs/profile/depth_dialog.h"
#include "engine/manifold_run.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/node_rules.h"
#include "platform/ui/help.h"
#include "platform/ui/cursor.h"
#include "platform/ui/notebook.h"
#include "platform/ui/seam/msg.h"
#include "reports/manifold_graph_report.h"
#include "reports/report_forms.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The sum of the outlets' flows, the flow that enters the manifold.
double ManifoldOutflow()
{
    TDMod* d = DMod;
    db::Table* nodes = d->WorkTrickleTable;
    OpenIfClosed(nodes);
    nodes->CheckBrowseMode();
    double q = 0.0;
    for (nodes->First(); !nodes->Eof(); nodes->Next())
        q += d->WorkTrickleTableGpmAtOutlet->AsFloat();
    return q;
}

// The line carries the manifold's flow already: the header's entrance flow
// of the manifold and the end reach's flow are the outlets' sum.
bool LineTakesManifold()
{
    TDMod* d = DMod;
    const double q = ManifoldOutflow();
    OpenIfClosed(d->WorkProfTable);
    d->WorkProfTable->CheckBrowseMode();
    d->WorkProfTable->Last();
    return d->WorkPipeTableTriclEntQ->AsFloat() == q && d->WorkProfTablePipeQ->AsFloat() == q;
}

} // namespace

TManifoldEndDlg::TManifoldEndDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("ManifoldEndDlg"));
    SetCaption(QStringLiteral("Manifold at End of Mainline"));
    SetPosition(ui::Position::OwnerCenter);
    resize(620, 560);

    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    OKBtn = ui::Make<QPushButton>(this, "OKBtn", QStringLiteral("OK"));
    HelpBtn = ui::Make<QPushButton>(this, "HelpBtn", QStringLiteral("Help"));
    CancelBtn = ui::Make<QPushButton>(this, "CancelBtn", QStringLiteral("Cancel"));
    QRGraphBitBtn = ui::Make<QPushButton>(this, "QRGraphBitBtn", QStringLiteral("&Graph"));
    QRGraphBitBtn->setToolTip(QStringLiteral("Compute the manifold and preview its graphic profile"));
    for (QPushButton* b : {OKBtn, HelpBtn, CancelBtn, QRGraphBitBtn})
        top->addWidget(b);
    top->addStretch(1);
    v->addLayout(top);
    OvcNotebookM = ui::Make<ui::Notebook>(this, "OvcNotebookM");
    v->addWidget(OvcNotebookM, 1);
    Pages = new ManifoldPages(this, OvcNotebookM, true);

    OnClick(OKBtn, [this] { OKBtnClick(); });
    OnClick(CancelBtn, [this] { CancelBtnClick(); });
    OnClick(HelpBtn, [this] { HelpBtnClick(); });
    OnClick(QRGraphBitBtn, [this] { QRGraphBitBtnClick(); });
    OnClick(Pages->OKBitBtn2, [this] { OKBitBtn2Click(); });
    OnClick(Pages->HlpPipeType, [this] { HlpPipeTypeClick(); });
    OnClick(Pages->HelpButton1, [this] { HelpButton1Click(); });
    SetCancelButton(CancelBtn);
    Handle(OvcNotebookM, &ui::Notebook::PageChanged, [this] { OvcNotebookMPageChanged(OvcNotebookM->PageIndex()); });
}

// The manifold's first node is the profile's end node; the pipe and limits
// start from the local defaults.
void TManifoldEndDlg::startNewManifold()
{
    TDMod* d = DMod;
    OpenIfClosed(d->DefLocTable);
    OpenIfClosed(d->WorkPipeTable);
    db::Table* pipe = d->WorkPipeTable;
    EditIfBrowsing(pipe);
    d->WorkPipeTableSysHas->SetAsInteger(2);
    // No outlet asks for flow yet: an earlier manifold's demand goes with it.
    d->WorkPipeTableTriclEntQ->SetAsFloat(0);
    Tul->SysHas = 2;
    db::Table* nodes = d->WorkTrickleTable;
    if (!nodes->IsEmpty()) {
        nodes->Close();
        nodes->EmptyTable();
        nodes->Open();
    }
    nodes->Append();
    d->WorkTrickleTableRecNo->SetAsInteger(1);
    d->WorkTrickleTableStation->SetAsFloat(d->WorkProfTableStation->AsFloat());
    d->WorkTrickleTableInvertElev->SetAsFloat(d->WorkProfTableGroundElev->AsFloat());
    nodes->Post();
    Pages->TakeLocalDefaults();
    pipe->Post();
    pipe->Edit();
}

void TManifoldEndDlg::FormShow()
{
    TDMod* d = DMod;
    opened_.emplace(std::initializer_list<db::Table*>{d->WorkTrickleTable, d->WorkPipeTable});
    Tul->Cancelled = false;
    Tul->SysHas = 2;
    // Whether the output page may take the manifold as computed is left to
    // the tie-back's run: a showing that is cancelled computes nothing.
    SetFocus(Pages->TypeDBLookupComboBox);
    Tul->MaterialText.clear();
    Pages->RatingLbl->setText(Tul->MaterialText);
    OpenIfClosed(d->WorkTrickleTable);
    OpenIfClosed(d->WorkProfTable);
    // A manifold end without a manifold starts one, whether the node is
    // being made or an end of another kind was just made a manifold end;
    // the manifold entered for it is kept when its dialog opens again.
    if (d->WorkTrickleTable->IsEmpty()) {
        Pages->OptionalButton->setEnabled(true);
        startNewManifold();
    } else {
        Pages->OptionalButton->setEnabled(Tul->NewNode);
        Pages->TakeMaterial();
        SetFocus(Pages->SmallestDBNF);
        OpenIfClosed(d->WorkPipeTable);
        EditIfBrowsing(d->WorkPipeTable);
        RenumberTrickleNodes();
        Tul->SysHas = 2;
    }
    d->PipeFilterMode = 6;
}

void TManifoldEndDlg::OvcNotebookMPageChanged(int page)
{
    if (page == 0) {
        pipePageMark_ = -1;
        Pages->PipeRtngDBGrid->viewport()->update();
        SetFocus(Pages->TypeDBLookupComboBox);
    } else if (page == 1) {
        RenumberTrickleNodes();
        SetFocus(Pages->OutflowNF);
        db::Table* nodes = DMod->WorkTrickleTable;
        OpenIfClosed(nodes);
        if (!nodes->IsEmpty()) EditIfBrowsing(nodes);
    }
}

void TManifoldEndDlg::OKBitBtn2Click()
{
    pipePageMark_ = 0;
    db::Table* nodes = DMod->WorkTrickleTable;
    OpenIfClosed(nodes);
    if (!nodes->IsEmpty()) EditIfBrowsing(nodes);
    OvcNotebookM->SetPageIndex(1);
}

void TManifoldEndDlg::OKBtnClick()
{
    // A manifold that cannot be sized is not tied into the line: the run has
    // said why, and the dialog stays on what is to be corrected.
    JManfld run;
    if (!computeManifold(run)) {
        turnTo(run.Refused);
        return;
    }
    Tul->Cancelled = false;
    SetModalResult(ui::mrOk);
}

void TManifoldEndDlg::turnTo(JManfld::Fault fault)
{
    QWidget* field = nullptr;
    switch (fault) {
    case JManfld::Fault::Nodes: field = Pages->AddNodeBtn; break;
    case JManfld::Fault::Material: field = Pages->TypeDBLookupComboBox; break;
    case JManfld::Fault::Rating: field = Pages->OvcDbNumericField1; break;
    case JManfld::Fault::Limits: field = Pages->MaxVelDBNF; break;
    case JManfld::Fault::None: return;
    }
    OvcNotebookM->SetPageIndex(fault == JManfld::Fault::Nodes ? 1 : 0);
    SetFocus(field);
    // The exit of the field left may send the focus on by itself.
    if (ActiveControl() != field) SetFocus(field);
}

void TManifoldEndDlg::CancelBtnClick()
{
    Tul->Cancelled = true;
    SetModalResult(ui::mrCancel);
}

void TManifoldEndDlg::HelpBtnClick() { ui::HelpContext(133); }

// The graph draws the grade the job was last computed with, as the output
// page stores it and the manifold reports print it: the line's run moves the
// manifold's own design grade by the line's end grade, which this dialog
// does not know. A manifold with a node the job was never computed with has
// no such grade to draw.
void TManifoldEndDlg::QRGraphBitBtnClick()
{
    db::Table* nodes = DMod->WorkTrickleTable;
    OpenIfClosed(nodes);
    nodes->CheckBrowseMode();
    bool computed = nodes->RecordCount() >= kMinManifoldNodes;
    for (nodes->First(); computed && !nodes->Eof(); nodes->Next())
        computed = !DMod->WorkTrickleTableHgl->IsNull();
    nodes->First();
    if (OvcNotebookM->PageIndex() == 1 && !nodes->IsEmpty()) EditIfBrowsing(nodes);
    if (!computed) {
        ui::MessageDlg(QStringLiteral("The job has not been computed with this manifold yet, so there is no grade line "
                                      "to draw. Compute the job on the Output page, then show the manifold graph."),
                       ui::MsgType::Information, ui::mbOK);
        return;
    }
    reports::OpenedForms forms;
    ui::CursorScope wait;   // the arrow comes back however the preview ends
    forms.Create(QRManifGraph, this)->QuickRepManGraph.Preview();
}

bool TManifoldEndDlg::computeManifold(JManfld& run)
{
    TDMod* d = DMod;
    RenumberTrickleNodes();
    OpenIfClosed(d->WorkTrickleTable);
    run.CheckManifold();
    db::Table* nodes = d->WorkTrickleTable;
    // The pages go on editing as before.
    EditIfBrowsing(d->WorkPipeTable);
    if (OvcNotebookM->PageIndex() == 1 && !nodes->IsEmpty()) EditIfBrowsing(nodes);
    return run.Computed;
}

void TManifoldEndDlg::HlpPipeTypeClick() { ui::HelpContext(74); }
void TManifoldEndDlg::HelpButton1Click() { ui::HelpContext(75); }

void TManifoldEndDlg::RenumberTrickleNodes() { Pages->RenumberTrickleNodes(); }

void TManifoldEndDlg::FormClose()
{
    if (Tul->Cancelled)
        return;
    RenumberTrickleNodes();
    // Leaving from the pipe page without its OK still takes the pipe and
    // ties the manifold in: an OK never closes with the profile left behind.
    if (pipePageMark_ == -1)
        pipePageMark_ = 0;
    // A manifold left as it was found, in a line that takes its flow
    // already, changes nothing in the line either.
    if (opened_ && opened_->Unchanged() && LineTakesManifold())
        return;
    ApplyManifoldToProfile();
}

void TManifoldEndDlg::ApplyManifoldToProfile()
{
    TDMod* d = DMod;
    db::Table* nodes = d->WorkTrickleTable;
    db::Table* prof = d->WorkProfTable;
    db::Table* pipe = d->WorkPipeTable;
    db::ControlsOff still(nodes);
    const double q = ManifoldOutflow();

    OpenIfClosed(prof);

    // Upward from the manifold: each node's inflow came from above it, its outflow left the line there.
    double t = q;
    for (prof->Last();; prof->Prior()) {
        if (d->WorkProfTableInQ->AsFloat() > 0) t -= d->WorkProfTableInQ->AsFloat();
        if (d->WorkProfTableOutQ->AsFloat() > 0) t += d->WorkProfTableOutQ->AsFloat();
        EditIfBrowsing(prof);
        d->WorkProfTablePipeQ->SetAsFloat(t);
        prof->Post();
        if (prof->RecNo() <= 1) break;
    }

    OpenIfClosed(pipe);
    EditIfBrowsing(pipe);
    d->WorkPipeTableTriclEntQ->SetAsFloat(q);
    if (d->WorkPipeTableDesignFlow->AsFloat() != t) {
        d->WorkPipeTableDesignFlow->SetAsFloat(t);
        ui::MessageDlg(QStringLiteral("Initial estimated system flow rate adjusted to reflect manifold flow rates."),
                       ui::MsgType::Information, ui::mbOK);
    }
    pipe->Post();

    prof->Last();
    nodes->First();
    EditIfBrowsing(prof);
    d->WorkProfTableStation->SetAsFloat(d->WorkTrickleTableStation->AsFloat());
    d->WorkProfTableGroundElev->SetAsFloat(d->WorkTrickleTableInvertElev->AsFloat());
    const QString material = d->WorkPipeTableTriclPType->AsString();
    d->WorkProfTablePipeType->SetAsString(material);
    d->WorkProfTableDownStreamPipeDescription->SetAsString(QStringLiteral("Manifold: ") + material);
    // On its final ground, the end's invert follows its method as every
    // dialog and run takes it.
    InvertFollowsMethod();
    prof->Post();

    // The grade a run of the line stored belongs to the manifold as it was:
    // until the next run there is none to draw.
    for (nodes->First(); !nodes->Eof(); nodes->Next()) {
        nodes->Edit();
        for (db::Field* f : {d->WorkTrickleTableHgl, d->WorkTrickleTableEgl, d->WorkTrickleTablePsi})
            f->Clear();
        nodes->Post();
    }

    // Tried now, the manifold says at once what keeps it from being
    // computed. Its grade is the line's run's to store: the output page lays
    // the manifold out again before each run and moves it by the line's end.
    JManfld run;
    run.CheckManifold();
}
