#pragma once
// The reach data dialog: one profile node and the pipe reach that leaves it
// downstream, with the node's thrust block, pressure reducer, outlet, gated
// pipe or manifold data and its minor losses. It writes straight into the
// working tables; its Cancel gives them back as they were when it opened.
#include "dialogs/dialog_helpers.h"
#include "platform/ui/form.h"

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QToolButton;
namespace ui { class Notebook; class StatusBar; }

class TProfInDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TProfInDlg(QWidget* owner);

    QPushButton *OKBitBtn, *CancelBitBtn, *HelpBitBtn;
    ui::Notebook* OvcNotebook1;
    ui::StatusBar* StatusBar1;
    QScrollArea* ScrollBox1;

    QGroupBox* GroupBox1;            // basic node data
    QLabel *NodeTypeLbl, *StaLbl, *DepthDBText;
    QPushButton* BasicNodeBtn;
    QGroupBox* PipeDesGpBox;
    QLabel *VelocityTxt, *FrictionTxt;
    QPushButton* PipeRchSpdBtn;
    QGroupBox* ThrustBlkGpBox;
    QLabel *FittingLabel, *SoilLabel, *BearingLabel;
    QLabel *SoilTxt, *FittingTxt, *BearingTxt;
    QPushButton* ThrustBlkBtn;
    QGroupBox* PressureGpBox;
    QLabel* SetPresLabel;
    QLineEdit* SetPresDBNF;
    QGroupBox* PipeGatedGpBox;
    QPushButton* GatedSpeedBtn;
    QGroupBox* PipeTrickleGpBox;
    QLabel* TriclRatingMethodLbl;
    QPushButton* TrickleSpeedBtn;
    QGroupBox* PipeMultiGpBox;
    QPushButton* MultiSpeedBtn;
    QGroupBox* OutletGroupBox;
    QLabel* OutElLabel;
    QLineEdit* OutletElevDBNF;
    QGroupBox* GroupBox2;
    QPushButton* MinPsiBtn;

    QGroupBox* MinorLossGp;
    QToolButton* HelpMinorLossBtn;
    QPushButton *Loss1SpdBtn, *Loss2SpdBtn, *Loss3SpdBtn;
    QLabel *Kid1Lbl, *Kid2Lbl, *Kid3Lbl, *K1Lbl, *K2Lbl, *K3Lbl;
    QGroupBox* MHeadLossGp;
    QToolButton* HelpMinorHeadLossBtn;
    QLineEdit* KLossDBNF;

    void FormShow() override;
    void FormClose() override;
    void OKBitBtnClick();
    void CancelBitBtnClick();
    void HelpBitBtnClick();
    void OvcNotebook1Click();
    void PipeRchSpdBtnClick();
    void Loss1SpdBtnClick() { lossCommand(1); }
    void Loss2SpdBtnClick() { lossCommand(2); }
    void Loss3SpdBtnClick() { lossCommand(3); }
    void BasicNodeBtnClick();
    void ThrustBlkBtnClick();
    void MinPsiBtnClick();
    void GatedSpeedBtnClick();
    void TrickleSpeedBtnClick();

    void EnableOutletGroup(bool on);
    void EnablePressureReducerGroup(bool on);
    void EnableThrustBlockGroup(bool on);
    // The status text of the node's minor losses; `named` gives only the
    // "Minor Losses = " form, empty when no loss has a description.
    QString MinorLossStatus(bool named) const;
    void ShowLossLabels(int slot);

private:
    void lossCommand(int slot);
    void showNodeKind(int type);
    void depthFromInvert();
    void followPipe();
    std::optional<KeptTables> opened_;
};

inline TProfInDlg* ProfInDlg = nullptr;
