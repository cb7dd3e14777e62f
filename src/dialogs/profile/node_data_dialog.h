#pragma once
// The node data dialog: one node of the profile (a WorkProfTable row) with
// its station, ground elevation, node kind, invert method and lateral flows.
// Every control is bound to the row, so the dialog writes straight into the
// working table; its handlers keep the node's derived values in step (node
// type code, reach keyword, record numbers, reach length, invert, flows).
#include "platform/ui/form.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
namespace ui { class StatusBar; }

class TBasicNodeDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TBasicNodeDlg(QWidget* owner);

    QLineEdit* StationNF;
    QLabel* GndLbl;
    QLineEdit* GrondElDBNF;
    QComboBox* NodeComboBox;
    QComboBox* InvMethComboBox;
    QGroupBox* InOutFlowGpBox;
    QLineEdit* OutflowDBNF;
    QLineEdit* InflowDBNF;
    QTableView* DBGridDisplay;
    QGroupBox* GatedGpBox;
    QPushButton* EditGatedBtn;
    QGroupBox* TrickleGpBox;
    QPushButton* TrickleEditBtn;
    // Null in the gravity designer, which has no in-line booster pumps.
    QGroupBox* LineBoosterGpBox = nullptr;
    QPushButton* EditBtnLineBooster = nullptr;
    QPushButton *OKBitBtn1, *CancelBitBtn2, *HelpBitBtn3;
    ui::StatusBar* StatusBar1;

    void FormShow() override;
    void FormClose() override;
    void OKBitBtn1Click();
    void CancelBitBtn2Click();
    void HelpBitBtn3Click();
    void StationNFEnter();
    void StationNFExit();
    void GrondElDBNFEnter();
    void GrondElDBNFExit();
    void FlowEnter();
    void FlowExit();
    void NodeComboBoxEnter();
    void NodeComboBoxExit();
    void InvMethComboBoxEnter();
    void InvMethComboBoxChange();
    void InvMethComboBoxExit();
    void EditGatedBtnClick();
    void TrickleEditBtnClick();
    void EditBtnLineBoosterClick();

    // `workInvert` false leaves the invert as stored (a node opened for editing).
    void EnableNodeKindGroups(bool workInvert = true);
    void LoadNeighbourNodes();
    void InvertFromDepth();

private:
    void openMethodDialog();
    // Turns the method text of the list into the row's method code.
    void applyMethodText();
    void enableFlows(bool on);
    // The depth dialog ran for this node: the depth in the row is the user's.
    bool depthEntered_ = false;
};

inline TBasicNodeDlg* BasicNodeDlg = nullptr;
