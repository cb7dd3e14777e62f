#pragma once
// What both designers' main windows have, as the base of both.
//
// The frame of menu, job buttons, notebook and status bar, the job
// identification fields with their handlers, and the steps their job
// commands share. It is also the designer window through which the dialogs
// reach the window that opened them.
#include "dialogs/designer_window.h"
#include "dialogs/jobs/job_name_check.h"
#include "engine/run_status.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/form.h"
#include "reports/profile_chart_series.h"

#include <QAction>

#include <vector>

class QCheckBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPainter;
class QPixmap;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QToolButton;
class QVBoxLayout;

namespace chart { class ChartWidget; class Series; }
namespace db { class DataSource; class Table; }
namespace ui { class DBNavigator; class Notebook; class StatusBar; }

class TDesignerForm : public ui::Form, public DesignerWindow {
    Q_OBJECT
public:
    TDesignerForm();
    ~TDesignerForm() override;

    QWidget* Window() override { return this; }
    void ShowAboutBox(QWidget* owner) override;
    bool JobShown() const override;

    // ---- components both windows have ----
    QMenuBar* MainMenu1 = nullptr;
    QAction *NewJob1, *RevieworEditJob1, *SaveJob1, *MaintainJobDatabase1, *Exit1;
    QAction* ListofJobs1;
    QAction *Contents1, *SearchforHelpon1, *LearningtouseMersolandDunstrow1, *About1;
    QFrame* Panel1;
    QPushButton *ExitBtn, *NewJobBtn, *PrevJobBtn, *SaveJobBtn, *CancelJobBitBtn;
    ui::Notebook* OvcNotebook1 = nullptr;
    QFrame* ScrollBox1 = nullptr;
    QLineEdit *JobNameDBEdit, *JobLocationDBSF, *JobDesignerDBSF, *LanduserDBSF, *IDDBDF, *JobClassDBSF;
    QLineEdit* DateDBPF;
    QPlainTextEdit* JobNotesDBMemo;
    QCheckBox* DetMLCheckBox;
    QPushButton *OKBitBtn2, *BitBtn1;
    ui::StatusBar* MainStatusBar = nullptr;
    // Page 1, "Profile &Edit Data".
    QFrame* Panel3 = nullptr;
    QToolButton* ProfInHlpSpeedButton5 = nullptr;
    ui::DBNavigator* DBNavigator2 = nullptr;
    QPushButton *EditProfileBtn = nullptr, *InsertNodeSpdBtn = nullptr, *DeleteNodeBtn = nullptr,
                *OKBitBtn3 = nullptr, *AddNodeBtn = nullptr;
    QTableView* ProfDBGrid2 = nullptr;
    // The profile as entered, read from WorkProfTable on every post and delete.
    chart::ChartWidget* DBChart1 = nullptr;
    chart::Series* PointSeries1 = nullptr;   // a click on a node edits it
    chart::Series* LineSeries1 = nullptr;
    chart::Series* Series8 = nullptr;        // inactive
    // Page 2, "&Output".
    // Why the page shows no results: a run refused or failed.
    QLabel* NotComputedLbl = nullptr;
    // Above the results grid: every fault the run found.
    QLabel* RunFaultsLbl = nullptr;
    // Above the results grid: the pumps the run sized (each in-line booster) and
    // the pressure a main must give, a line each.
    QLabel* PumpResultsLbl = nullptr;
    QTableView* DBGrid1 = nullptr;
    QFrame* Panel2 = nullptr;
    QPushButton *QRDetailedSpdBtn = nullptr, *QRSummarySpdBtn = nullptr, *QRCostSpdBtn = nullptr,
                *QRGraphBitBtn = nullptr;
    QToolButton* Help2SpdBtn = nullptr;
    ui::DBNavigator* OutNavigator = nullptr;
    // The computed profile, drawn by FillProfileChart.
    chart::ChartWidget* OutChart = nullptr;
    chart::Series *Series1 = nullptr, *Series2 = nullptr, *Series3 = nullptr, *Series4 = nullptr,
                  *Series5 = nullptr, *Series6 = nullptr, *Series7 = nullptr;
    chart::Series *Series9 = nullptr, *Series10 = nullptr, *Series11 = nullptr, *Series12 = nullptr,
                  *Series13 = nullptr, *Series14 = nullptr, *Series15 = nullptr, *Series16 = nullptr;

    // ---- state ----
    bool JobNameEntered = false;
    bool JobImported = false;      // set when the job list's import hands its job over
    // The page whose entry handler last completed: 0 the job page (also set
    // by the job commands and the job-name guards), 1 the profile page, 2 the
    // output page after a computation.
    int PageShown = 0;

    // ---- handlers each window has its own way ----
    virtual void ExitBtnClick() = 0;
    virtual void NewJobBtnClick() = 0;
    virtual void PrevJobBtnClick() = 0;
    virtual void SaveJobBtnClick() = 0;
    virtual void CancelJobBitBtnClick() = 0;
    virtual void MaintainJobDatabase1Click() = 0;
    // OK on the job page: the job's checks, then the initial profile entry
    // for a job without a profile.
    virtual void OKBitBtn2Click() = 0;
    virtual void ListofJobs1Click() = 0;

    // ---- handlers both share ----
    void Exit1Click() { ExitBtnClick(); }
    void NewJob1Click() { NewJobBtnClick(); }
    void RevieworEditJob1Click() { PrevJobBtnClick(); }
    void SaveJob1Click() { SaveJobBtnClick(); }
    bool EscapeAllowed() override;
    void JobNameDBEditEnter();
    void JobNameDBEditExit();
    void About1Click();
    void Contents1Click();
    void SearchforHelpon1Click();
    void LearningtouseMersolandDunstrow1Click();

    // The designer window's profile chart.
    void ShowProfileChart() override;

    // Notebook pages (profile_page.cpp, output_page.cpp).
    void OvcNotebook1PageChanged(int page);
    void OKBitBtn3Click();
    void HelpSpdBtnClick();
    void Help2SpdBtnClick();
    // Runs the computation of the job's system type and says whether its
    // results stand; a system type without a run is not computed.
    virtual RunStatus ComputeJob() = 0;
    // Draws the computed job from the working tables onto OutChart.
    void FillProfileChart();
    // True when the output page shows results of the job's current inputs
    // (its grid, chart and reports); false after a run refused or failed.
    bool ResultsShown() const { return resultsShown_; }

    // Node commands of the profile page (node_commands.cpp).
    void AddNodeBtnClick();
    void InsertNodeSpdBtnClick();
    void EditNodeSpdBtnClick();
    void DeleteNodeSpdBtnClick();
    void ProfDBGrid2DblClick() { EditNodeSpdBtnClick(); }
    // A click on a node of the profile chart edits that node.
    void ProfDBChart1ClickSeries(chart::Series& series, int valueIndex);

    // Report commands of the output page (src/designer/report_commands.h).
    void QRDetailedSpdBtnClick();
    void QRSummarySpdBtnClick();
    void QRCostSpdBtnClick();
    void QRGraphBitBtnClick();

protected:
    // What entering the job page does differs between the designers.
    virtual void jobPageEntered() = 0;
    void profilePageEntered();
    void outputPageEntered();
    // OK on the job page once the job passed its checks: the initial profile
    // entry for a job without a profile, else the profile page.
    void openProfileEntry();

    // The profile and output pages, their charts and their handlers; the
    // grids' columns are each designer's own.
    void buildProfilePage(QWidget* page);
    void buildOutputPage(QWidget* page);
    void connectPageHandlers();
    // The data module is made after the window: the pages' grids, navigators
    // and chart are bound on the first show.
    void bindPages(std::vector<ui::GridColumn> profileColumns, std::vector<ui::GridColumn> outputColumns);
    // How this designer's output chart draws a computed job, and whether it
    // has pump, tank-level and air-valve marks at all.
    virtual ProfileChartRules outChartRules() const = 0;
    virtual bool drawsPumpMarks() const { return true; }

    // The window's name, caption, size and place, and its layout with the
    // menu bar; the rest of the frame goes into the layout returned.
    QVBoxLayout* buildFrame(const char* name, const QString& caption);
    // The File menu, then (after the window's own menus) Reports and Help.
    void addFileMenu();
    QMenu* addReportsMenu();
    void addHelpMenu();
    void addJobButtonBar(QVBoxLayout* frame);
    void addStatusBar(QVBoxLayout* frame);
    // The job identification fields in rows of `grid` from row 0, each
    // with its caption; the date among them where `withDate`. A
    // `maxWidth` above 0 keeps the fields that narrow. Returns the next row.
    int addJobIdentFields(QWidget* parent, QGridLayout* grid, bool withDate, int maxWidth);
    void bindJobIdentFields(db::DataSource* pipe);
    // The save dialog writes the job object's date into the job: a date typed
    // and saved from the menu, without leaving the field, must be that date.
    void keepTypedDate();

    // Entering a header field: the job has changes (a new job stays new).
    void markJobChanged();
    // The fields after the job name refuse to be filled before it.
    bool jobNameMissing();
    // The detailed minor-loss box written to the header and the job object.
    void writeDetailedML();
    // The date as stored becomes the job object's.
    void postDate();
    void enableJobCommands(bool enabled);

    // New Job's steps both windows take: the job object made new, then the
    // working header and profile emptied with the date in the new header.
    void startNewJobRecord();
    void emptyHeaderAndProfile();
    // The job page shown for a job being worked on, under `picture`.
    void openJobPage(QLabel* picture);
    // The end of New Job: the header in edit state on the job page, the
    // focus in the job name.
    void finishNewJob();
    // Previous Job's list of the jobs of `listFilter` (the job list's filter
    // modes), then the picked job loaded under `loadFilter`: false when the
    // user cancelled, the import took over or the job could not be loaded.
    bool pickStoredJob(int listFilter, int loadFilter);
    // Delete Job: the stored jobs the dialog lists (only the list's filter
    // mode's where `listFiltered`); a deleted working job leaves the window
    // as Cancel Job leaves it.
    void removeStoredJobs(bool listFiltered);
    // The picked job in the window after a load: its detailed minor-loss box
    // and the job commands; the status bar says what follows.
    void showLoadedJob();

private:
    void buildProfileChart(QWidget* page);
    void buildOutChart(QWidget* page);
    // The output page with the results of the run just made, or with none
    // and the reason why.
    void showResults(bool shown, const QString& why, const QStringList& faults = {});
    bool pagesBound_ = false;
    bool resultsShown_ = false;
};

// The working header row in edit state; an empty header (no job) gets no row.
void EditJobHeader();
// The small "?" button of a help topic, with its hint.
QToolButton* MakeHelpButton(QWidget* parent, const char* name, const QString& hint);
// A station column's text ("12+34"); empty for no value.
QString StationColumnText(const QVariant& v);
// A numeric column shown at its own fixed count of decimals.
std::function<QString(const QVariant&)> FixedColumn(int decimals);

// The title picture of a designer's job page, drawn 640 x 420 and stretched
// to the page; it keeps its colours while the notebook is disabled.
QLabel* MakeTitlePicture(QWidget* parent, const char* name, const QPixmap& scene);
// The program's name and its line below, in white over the picture's sky.
void DrawTitleTexts(QPainter& p, const QString& title, const QString& subtitle);

// A working table opened if closed; one holding rows is closed and emptied.
void EmptyWorkTable(db::Table* t);


// The dialogs of a node kind, opened one after the other with `owner` as
// their owner: "Booster" the in-line booster pump (only where `boosters`; the
// gravity designer has none), "Gated" the pipe picker and then the gated
// pipe, "Manifold" the manifold end. Any other kind opens nothing.
void OpenNodeKindDialogs(QWidget* owner, const QString& kind, bool boosters);

// Undo copies of the working pipe, profile, gated-pipe and manifold tables,
// taken before a node or system dialog opens and put back when it is
// cancelled. The suction table has none.
void BackupWorkTables();
void RestoreWorkTables();
// The rows of the working pipe, profile, gated-pipe and manifold tables as
// text, rows being edited as they stand: equal texts are the same job.
QString WorkTablesDigest();

// Escape is the Cancel Job key of both designers' main windows. A job with
// changes not yet saved is dropped by it only after a Yes.
bool CancelJobByKeyAllowed();
