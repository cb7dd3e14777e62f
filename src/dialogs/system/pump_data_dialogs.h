#pragma once
// The data dialogs of the pumps without a suction line: turbine, propeller, booster and automatic pressure tank, each writing the entrance data of the job header.
// TPumpSelDlg opens them for a new job, the System button for a loaded one;
// each is created with its opener as owner, shown modally and deleted, and
// the opener reads the job object's WasCancelled afterwards.
#include "dialogs/system/system_dialog_layout.h"
#include "dialogs/system/system_dialog_rules.h"
#include "platform/ui/form.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// What the four dialogs share: the flow pair with its warning, the new-job
// defaults, OK with the zero-flow test, Cancel, Change Pump Type and the close.
class TPumpDataDlg : public ui::Form {
    Q_OBJECT
public:
    QLineEdit* FlowDBNF;
    QLineEdit* cfsField;
    QPlainTextEdit* DBMemo1 = nullptr;
    QPushButton *OKBitBtn1 = nullptr, *CancelBitBtn2 = nullptr, *BitBtn3 = nullptr;
    QPushButton* ChangeBtn = nullptr;   // turbine and propeller only

    void FormShow() override;
    void FormClose() override;
    void OKBitBtn1Click();
    void CancelBitBtn2Click();
    void BitBtn3Click();
    void ChangeBtnClick();
    void FlowDBNFExit();
    void cfsFieldExit();

protected:
    enum class Kind { Turbine, Propeller, Booster, Tank };
    TPumpDataDlg(QWidget* owner, Kind kind);
    // The numeric fields of the member, between the flow pair and the notes.
    QLineEdit* field(const char* name, const char* caption, const char* dbField, const char* mask, double low,
                     std::optional<double> high, const char* unit);
    // The notes, the buttons and the handlers, once the fields are laid out.
    void finish();

private:
    void applyNewJobDefaults();
    Kind kind_;
    bool defaulted_ = false;   // this opening filled in the kind's defaults
    SystemDialogLayout lay_;
    DesignFlowPair flow_;
};

class TPumpTurbineDlg : public TPumpDataDlg {
    Q_OBJECT
public:
    explicit TPumpTurbineDlg(QWidget* owner);
};

class TPumpPropellerDlg : public TPumpDataDlg {
    Q_OBJECT
public:
    explicit TPumpPropellerDlg(QWidget* owner);
};

class TPumpBoosterDlg : public TPumpDataDlg {
    Q_OBJECT
public:
    explicit TPumpBoosterDlg(QWidget* owner);
};

class TPumpAutoPresDlg : public TPumpDataDlg {
    Q_OBJECT
public:
    explicit TPumpAutoPresDlg(QWidget* owner);
};

inline TPumpTurbineDlg* PumpTurbineDlg = nullptr;
inline TPumpPropellerDlg* PumpPropellerDlg = nullptr;
inline TPumpBoosterDlg* PumpBoosterDlg = nullptr;
inline TPumpAutoPresDlg* PumpAutoPresDlg = nullptr;
