#pragma once
// One segment of a centrifugal pump's suction line: its length, its pipe and its minor losses, on the current row of the working suction table.
// The centrifugal pump dialog locates the row, creates this dialog with
// itself as owner, shows it modally and deletes it.
#include "platform/ui/form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
namespace ui { class Notebook; class StatusBar; }

class TSuctionDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TSuctionDlg(QWidget* owner);

    ui::Notebook* Notebook1;
    QLineEdit* SuctionPipeLengthDBNF;
    QLabel *PipeDescriptionDBText, *DBText19, *DBText21, *DBText22, *DBText23;
    QPushButton* PipeRchBtn;
    QGroupBox* MinorLossGp;
    QGroupBox* MHeadLossGp;
    QLabel* KidLbl[3];
    QLabel* KLbl[3];
    QPushButton* LossSpdBtn[3];
    QLineEdit* KLossDBNF;
    QPushButton *OKBitBtn1, *CancelBitBtn2, *HelpBitBtn3;
    QToolButton *HelpMinorLossBtn, *HelpMinorHeadLossBtn;
    ui::StatusBar* StatusBar1;

    void FormShow() override;
    void FormClose() override;
    void OKBitBtn1Click();
    void CancelBitBtn2Click();
    void HelpBitBtn3Click();
    void SuctionPipeLengthDBNFExit();
    void LossSpdBtnClick(int slot);   // Loss1SpdBtnClick .. Loss3SpdBtnClick
    void PipeRchBtnClick();

private:
    // The diameter and K labels of slot 1-3 from the row ("NA" for no loss).
    void showSlot(int slot);
};

inline TSuctionDlg* SuctionDlg = nullptr;
