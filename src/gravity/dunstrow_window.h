#pragma once
// The main window of Dunstrow2, the gravity designer: known-flow gravity
// jobs only, with the entrance data entered on the job page itself. It
// shares the data module, the job object and the job dialogs with Mersol.
#include "designer/designer_form.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace ui { class Notebook; class StatusBar; }

class TDunstrowForm : public TDesignerForm {
    Q_OBJECT
public:
    TDunstrowForm();
    ~TDunstrowForm() override;

    // ---- components ----
    QLabel* DunstrowImage;
    QGroupBox* GroupBox1;
    QLineEdit *FlowDBNF, *cfsField, *WSDBNF;
    QPlainTextEdit* DBMemo1;
    QTimer* Timer1;

    // ---- handlers ----
    void FormActivate() override;
    void FormShow() override;
    void FormClose() override;
    void ExitBtnClick() override;
    void NewJobBtnClick() override;
    void PrevJobBtnClick() override;
    void SaveJobBtnClick() override;
    void CancelJobBitBtnClick() override;
    void MaintainJobDatabase1Click() override;
    void ListofJobs1Click() override;
    void BitBtn1Click();
    void OKBitBtn2Click() override;
    void OvcNotebook1Click();
    void SelectGravitySystem();
    // The job list's import ends here: the imported job on the job page.
    void TakeImportedJob() override;
    // This designer has no system panel or system dialogs; its cfs field
    // shows a flow given in cfs.
    void RewriteSystemPanel(SystemPanel) override {}
    void ShowDesignFlowCfs(double cfs) override;

    // Known-flow gravity jobs are the only ones this designer computes.
    RunStatus ComputeJob() override { return ComputeGravityJob(); }
    RunStatus ComputeGravityJob();

    // Job page fields.
    void GuardedFieldEnter();      // location, designer, class, water surface
    void FlowFieldEnter();         // design flow and cfs
    void PlainFieldEnter();        // notes, date, land user, ID, entrance notes
    void PostFieldExit();
    void JobNotesDBMemoExit();
    void DBMemo1Exit();
    void DateDBPFExit();
    void DetMLCheckBoxExit();
    void FlowDBNFExit();
    void cfsFieldExit();

protected:
    void jobPageEntered() override;
    ProfileChartRules outChartRules() const override;
    bool drawsPumpMarks() const override { return false; }

private:
    void buildMenus();
    void buildJobPage(QWidget* page);
    void bindData();
    void connectFields();
    void showNoJob();
    void leaveFieldFor(QPushButton* button);
    // The design flow carried down the profile; the cfs field shows the flow
    // the job has after it (a manifold end may replace the one typed).
    void carryDesignFlow();
    bool bound_ = false;
};

extern TDunstrowForm* DunstrowForm;

