#pragma once
// The centrifugal pump of a pumped job: its entrance values in the job header and its suction line of segments in the working suction table, analysed when the dialog is accepted.
// Created by its opener with that opener as owner, shown modally, deleted;
// the opener reads the job object's WasCancelled afterwards.
#include "dialogs/system/system_dialog_rules.h"
#include "platform/ui/form.h"

#include <QStringList>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QToolButton;

class TPumpCentrifDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TPumpCentrifDlg(QWidget* owner);

    QLineEdit *FlowRateDBNF, *cfsField, *WSDBNF, *EyeDBNF, *AltDBNF, *WTempDBNF, *EffDBNF, *ClearHdDBNF;
    QPlainTextEdit* DBMemo1;
    QTableView* DBGrid1;
    QPushButton *AddNodeBtn, *EditPipeBtn, *DeleteNodeBtn, *DeleteAllBtn;
    QToolButton* HelpSpdBrn;
    QPushButton *OKBitBtn1, *CancelBitBtn2, *HelpBitBtn3, *ChangeBtn;

    void FormShow() override;
    void FormClose() override;
    void OKBitBtn1Click();
    void CancelBitBtn2Click();
    void ChangeBtnClick();
    void FlowRateDBNFExit();
    void cfsFieldExit();
    void DBMemo1Exit();
    void AddNodeBtnClick();
    void EditPipeBtnClick();
    void DeleteNodeBtnClick();
    void DeleteAllBtnClick();
    void DBGrid1MouseUp();

    // What OK still wants, by the captions of the values and the suction
    // line: a value shown (a default too) counts as entered; an elevation,
    // the altitude and the clearance may be 0, the flow, the water
    // temperature and the efficiency must be above 0.
    QStringList Missing() const;

private:
    void showSegment();
    void rewriteSegmentFlows();
    void renumberSegments();
    DesignFlowPair flow_;
    bool defaulted_ = false;   // this opening filled in the defaults
};

inline TPumpCentrifDlg* PumpCentrifDlg = nullptr;
