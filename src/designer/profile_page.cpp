// The profile page both designers share: its buttons, grid and chart, the
// notebook's page dispatch, what entering the page does, and OK on the job
// page handing a new job to the initial profile entry.
#include "designer/designer_form.h"

#include "dialogs/dialog_helpers.h"
#include "dialogs/profile/node_data_dialog.h"
#include "dialogs/profile/profile_entry_dialog.h"
#include "dialogs/profile/reach_dialog.h"
#include "engine/hydraulics.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/chart/chartwidget.h"
#include "platform/chart/colors.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "platform/ui/notebook.h"
#include "platform/ui/statusbar.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

bool editing(db::Table* t)
{
    return t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert;
}

void setHeaderNodeCount(int nodes)
{
    db::Table* pipe = DMod->WorkPipeTable;
    OpenIfClosed(pipe);
    if (!editing(pipe)) pipe->Edit();
    DMod->WorkPipeTableNumNodes->SetAsInteger(nodes);
    pipe->Post();
}

} // namespace

void EditJobHeader()
{
    db::Table* pipe = DMod->WorkPipeTable;
    OpenIfClosed(pipe);
    if (!editing(pipe) && !pipe->IsEmpty()) pipe->Edit();
}

QToolButton* MakeHelpButton(QWidget* parent, const char* name, const QString& hint)
{
    auto* b = ui::Make<QToolButton>(parent, name);
    b->setText(QStringLiteral("?"));
    b->setToolTip(hint);
    b->setFixedSize(24, 24);
    return b;
}

QString StationColumnText(const QVariant& v)
{
    if (v.isNull() || v.toDouble() < 0 || !Hyd) return {};
    return Hyd->StationText(v.toDouble());
}

std::function<QString(const QVariant&)> FixedColumn(int decimals)
{
    return [decimals](const QVariant& v) {
        return v.isNull() ? QString() : QString::number(v.toDouble(), 'f', decimals);
    };
}

// ---- building -------------------------------------------------------------------

void TDesignerForm::buildProfilePage(QWidget* page)
{
    auto* v = new QVBoxLayout(page);
    Panel3 = ui::Make<QFrame>(page, "Panel3");
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* h = new QHBoxLayout(Panel3);
    h->setContentsMargins(4, 2, 4, 2);
    ProfInHlpSpeedButton5 = MakeHelpButton(Panel3, "ProfInHlpSpeedButton5", QStringLiteral("Help with editing nodes"));
    h->addWidget(ProfInHlpSpeedButton5);
    EditProfileBtn = ui::Make<QPushButton>(Panel3, "EditProfileBtn", QStringLiteral("Edit Node"));
    InsertNodeSpdBtn = ui::Make<QPushButton>(Panel3, "InsertNodeSpdBtn", QStringLiteral("Insert Node"));
    DeleteNodeBtn = ui::Make<QPushButton>(Panel3, "DeleteNodeBtn", QStringLiteral("Delete Node"));
    OKBitBtn3 = ui::Make<QPushButton>(Panel3, "OKBitBtn3", QStringLiteral("OK"));
    AddNodeBtn = ui::Make<QPushButton>(Panel3, "AddNodeBtn", QStringLiteral("Add Node"));
    for (QPushButton* b : {EditProfileBtn, InsertNodeSpdBtn, DeleteNodeBtn, OKBitBtn3, AddNodeBtn}) h->addWidget(b);
    h->addStretch(1);
    v->addWidget(Panel3);
    ProfDBGrid2 = ui::Make<QTableView>(page, "ProfDBGrid2");
    v->addWidget(ProfDBGrid2, 1);
    buildProfileChart(page);
    v->addWidget(DBChart1, 1);
}

void TDesignerForm::buildProfileChart(QWidget* page)
{
    namespace wc = chart::wincolor;
    DBChart1 = ui::Make<chart::ChartWidget>(page, "DBChart1");
    chart::Chart& c = DBChart1->chart();
    c.Title.Text = QStringLiteral("Pipeline Profile");
    c.BottomAxis.Title.Text = QStringLiteral("Station");
    c.LeftAxis.Title.Text = QStringLiteral("Elevation");
    c.Foot.Text = QStringLiteral("(Click on a  point to edit the node)");
    c.Foot.Visible = false;
    // The line goes under the points so that a click on a node finds the
    // point series and its handler.
    LineSeries1 = c.AddSeries(chart::SeriesKind::Line, QStringLiteral("Ground Line"));
    LineSeries1->Color = chart::WindowsColor(wc::Green);
    LineSeries1->Pointer.Visible = false;
    PointSeries1 = c.AddSeries(chart::SeriesKind::Point, QStringLiteral("Nodes"));
    PointSeries1->Color = chart::WindowsColor(wc::Red);
    PointSeries1->Pointer.Visible = true;
    PointSeries1->Pointer.Style = chart::PointerStyle::Rectangle;
    PointSeries1->Pointer.HorizSize = 3;
    PointSeries1->Pointer.VertSize = 3;
    PointSeries1->Marks.Visible = false;
    PointSeries1->HandCursor = true;
    Series8 = c.AddSeries(chart::SeriesKind::Line, QStringLiteral("Gated Pipe"));
    Series8->Color = chart::WindowsColor(wc::Yellow);
    Series8->Active = false;
}

void TDesignerForm::connectPageHandlers()
{
    OnClick(ProfInHlpSpeedButton5, [this] { HelpSpdBtnClick(); });
    OnClick(Help2SpdBtn, [this] { Help2SpdBtnClick(); });
    OnClick(OKBitBtn3, [this] { OKBitBtn3Click(); });
    OnClick(DeleteNodeBtn, [this] { DeleteNodeSpdBtnClick(); });
    OnClick(EditProfileBtn, [this] { EditNodeSpdBtnClick(); });
    OnClick(AddNodeBtn, [this] { AddNodeBtnClick(); });
    OnClick(InsertNodeSpdBtn, [this] { InsertNodeSpdBtnClick(); });
    connect(ProfDBGrid2, &QTableView::doubleClicked, this, [this] { ProfDBGrid2DblClick(); });
    PointSeries1->OnClick = [this](chart::Series& series, int index) {
        Run([this, &series, index] { ProfDBChart1ClickSeries(series, index); });
    };
    connect(OvcNotebook1, &ui::Notebook::PageChanged, this, [this](int page) { OvcNotebook1PageChanged(page); });
    OnClick(QRDetailedSpdBtn, [this] { QRDetailedSpdBtnClick(); });
    OnClick(QRSummarySpdBtn, [this] { QRSummarySpdBtnClick(); });
    OnClick(QRCostSpdBtn, [this] { QRCostSpdBtnClick(); });
    OnClick(QRGraphBitBtn, [this] { QRGraphBitBtnClick(); });
}

void TDesignerForm::bindPages(std::vector<ui::GridColumn> profileColumns, std::vector<ui::GridColumn> outputColumns)
{
    if (pagesBound_ || !DMod) return;
    pagesBound_ = true;
    for (chart::Series* s : {PointSeries1, LineSeries1})
        s->SetDataSource(DMod->WorkProfTable, QStringLiteral("Station"), QStringLiteral("GroundElev"));
    // Rows posted while the profile's controls are disabled (a run writing its
    // results) are not drawn one by one; the page entry refreshes the chart.
    DMod->RefreshProfileChart = [this] {
        if (!DMod->WorkProfTable->ControlsDisabled()) DBChart1->RefreshData();
    };
    DBNavigator2 = new ui::DBNavigator(DMod->WorkProfData, ui::nbFirst | ui::nbPrior | ui::nbNext | ui::nbLast, Panel3);
    DBNavigator2->setObjectName(QStringLiteral("DBNavigator2"));
    static_cast<QHBoxLayout*>(Panel3->layout())->insertWidget(1, DBNavigator2);
    OutNavigator = new ui::DBNavigator(DMod->WorkProfData, ui::nbFirst | ui::nbPrior | ui::nbNext | ui::nbLast, Panel2);
    OutNavigator->setObjectName(QStringLiteral("OutNavigator"));
    static_cast<QHBoxLayout*>(Panel2->layout())->insertWidget(5, OutNavigator);
    new ui::DBGrid(ProfDBGrid2, DMod->WorkProfData, std::move(profileColumns));
    // A row the run found a fault at is marked, its warning as the tip.
    (new ui::DBGrid(DBGrid1, DMod->WorkProfData, std::move(outputColumns)))->MarkRowsBy(QStringLiteral("Warning"));
}

void TDesignerForm::ShowProfileChart() { DBChart1->setVisible(true); }

void TDesignerForm::HelpSpdBtnClick() { ui::HelpContext(41); }

// ---- the page flow ----------------------------------------------------------------

void TDesignerForm::OvcNotebook1PageChanged(int page)
{
    if (page == 0) jobPageEntered();
    else if (page == 1) profilePageEntered();
    else if (page == 2) outputPageEntered();
}

void TDesignerForm::openProfileEntry()
{
    db::Table* pipe = DMod->WorkPipeTable;
    PostIfEditing(pipe);
    db::Table* prof = DMod->WorkProfTable;
    // Coming back to the job page must not cost the profile already entered:
    // the entry dialog would start the job over from one entrance row. The
    // profile page takes it as it is.
    if (ProfileEntered(prof)) {
        Tul->NumNodes = prof->RecordCount();
        setHeaderNodeCount(Tul->NumNodes);
        OvcNotebook1->SetPageIndex(1);
        return;
    }
    DBChart1->hide();
    Tul->NumNodes = 1;
    setHeaderNodeCount(1);
    MainStatusBar->SetPanelText(0, QStringLiteral("Enter node data"));
    Tul->NewStation = 0;
    Tul->NewNode = true;
    Tul->ProfEntryCancelled = false;
    ShowOwned(ProfEntryDlg, this);
    if (Tul->ProfEntryCancelled) {
        PageShown = 0;
        OvcNotebook1->SetPageIndex(0);
        return;
    }
    DBChart1->show();
    OvcNotebook1->SetPageIndex(1);
}

void TDesignerForm::profilePageEntered()
{
    db::Table* pipe = DMod->WorkPipeTable;
    db::Table* prof = DMod->WorkProfTable;
    OpenIfClosed(pipe);
    PostIfEditing(pipe);
    OpenIfClosed(prof);
    const int rows = prof->RecordCount();
    if (DMod->WorkPipeTableNoEnd->AsBoolean() || rows <= 1) {
        AddNodeBtn->show();
        SetFocus(AddNodeBtn);
    } else {
        AddNodeBtn->hide();
        SetFocus(EditProfileBtn);
    }
    if (DMod->RefreshProfileChart) DMod->RefreshProfileChart();

    if (PageShown != 0 || Tul->PrevJobLoaded) {
        MainStatusBar->SetPanelText(0, QStringLiteral("Edit node data"));
    } else if (Tul->NewJob && rows == 1) {
        // Only the entrance so far: its node and reach dialogs come up at once.
        Tul->NumNodes = 1;
        setHeaderNodeCount(1);
        DBChart1->hide();
        MainStatusBar->SetPanelText(0, QStringLiteral("Enter node data"));
        Tul->NewStation = 0;
        Tul->NewNode = true;
        ShowOwned(BasicNodeDlg, this);
        OpenIfClosed(pipe);
        if (!editing(pipe)) pipe->Edit();
        ShowOwned(ProfInDlg, this);
    } else {
        OpenIfClosed(pipe);
        EditJobHeader();
        Tul->NewNode = false;
        Tul->NewStation = 0;
        MainStatusBar->SetPanelText(0, QStringLiteral("Enter node data"));
        OpenIfClosed(prof);
    }
    OpenIfClosed(prof);
    // A job whose first profile entry was cancelled has no node to draw:
    // no empty chart stands for one; Add Node offers the entry again.
    DBChart1->setVisible(!prof->IsEmpty());
    prof->Refresh();
    PageShown = 1;
}
