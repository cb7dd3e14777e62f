#pragma once
// The centrifugal pump of a pumped job: its entrance values in the job header and its suction line of segments in the working suction table, analysed when the dialog is accepted.
// Created by its opener with that opener as owner, shown modally, deleted;
// the opener reads the job object's WasCancelled afterwards.
#include "dialogs/system/system_dialog_rules.h"
#include "platform/ui/form.h"

#include <array>

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
    void ValueFieldExit(int mark);   // WSDBNFExit .. ClearHdDBNFExit
    void DBMemo1Exit();
    void AddNodeBtnClick();
    void EditPipeBtnClick();
    void DeleteNodeBtnClick();
    void DeleteAllBtnClick();
    void DBGrid1MouseUp();

    // The marks of the values entered: flow, water surface, pump eye,
    // altitude, water temperature, efficiency, suction segments, clearance.
    enum Mark { FlowMark, WSMark, EyeMark, AltMark, TempMark, EffMark, SegmentMark, ClearMark };
    bool Marked(Mark m) const { return marks_[m]; }
    // All but the clearance head: what OK needs.
    bool Complete() const;

private:
    void showSegment();
    void rewriteSegmentFlows();
    void renumberSegments();
    std::array<bool, 8> marks_{};
    DesignFlowPair flow_;
};

inline TPumpCentrifDlg* PumpCentrifDlg = nullptr;
