#pragma once
// The pipe selection dialog: one pipe of PipeType.DB for the reach of the
// current profile node (PipePickTarget 0), the current suction segment (1)
// or the gated pipe (3, or a gated-pipe calculator job). The list holds the
// pipes of one material whose inside diameter suits the flow and the
// velocity range of the local defaults, with the cursor on the smallest pipe
// slow enough; OK, a double-click or the close box copy the pipe into the
// target row, Cancel copies nothing.
#include "platform/ui/form.h"

class QGroupBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;
class NumField;
namespace ui { class StatusBar; class DBControl; class DBLookupComboBox; }
namespace db { class Field; }

class TGetPipeDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TGetPipeDlg(QWidget* owner);

    QPushButton* OKBitBtn1;
    QPushButton* CancelBitBtn2;
    QPushButton* HelpBitBtn3;
    QComboBox* PTypeDBLookupComboBox;
    QLabel* HighVelLbl;
    QLabel* LowVelLbl;
    QLineEdit* LowNF;
    QLineEdit* HighNF;
    QPushButton* ShowAllBtn;
    QToolButton* PipeHlp2Btn;
    QGroupBox* PipeSizeGpBox;
    QLabel* SelectedPipeLbl;
    QLabel* PipeQTxt;
    QTableView* PipeDescriptionGrid;
    ui::StatusBar* StatusBar1;

    void FormShow() override;
    void FormClose() override;
    void OKBitBtn1Click();
    void CancelBitBtn2Click();
    void PipeDescriptionGridDblClick();
    void PipeDescriptionGridMouseUp();
    void PTypeDBLookupComboBoxClick();
    void LowNFExit();
    void HighNFExit();
    void ShowAllBtnClick();
    void HelpBitBtn3Click();
    void PipeHlp2BtnClick();
    void PipeHelpBtnClick();

    void PositionOnCursorVelocity();
    void ShowSelectedPipe();

    int PickState() const { return pickState_; }
    double LowBound() const;
    double HighBound() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void rangeFromVelocity(double Q);
    void refreshPipes();
    bool gatedTarget() const;
    // The material of the last ordinary reach or segment pick.
    static QString& lastReachPipeType();
    db::Field* filledType_ = nullptr;   // the row's material set by this showing

    NumField* low_;
    NumField* high_;
    ui::DBLookupComboBox* typeBox_;
    ui::DBControl* flowText_;   // the flow the sizes are chosen for
    int pickState_ = 0;          // 0 nothing, 1 type chosen or double-click, 3 grid click
    double recordedDiameter_ = 0.0;
    double lowVel_ = 0.0;
    double highVel_ = 0.0;
};

inline TGetPipeDlg* GetPipeDlg = nullptr;

// Kept between showings: the pipe type last shown (also used to hold a
// recorded description) and the mark that the pipe size changes at the node.
inline QString CurrentPipeType;
inline bool SizeChangeFlag = false;

// The diameter (in) at which Q gpm runs at V ft/s.
double DiameterForVelocity(double Q, double V);

// The copies of the pipe under PipeTable's cursor, of the material under
// TypeTable's, into the target row. The owner is that of the contraction
// and enlargement dialog they may open.
void CopyPipeToReach(QWidget* owner);
void CopyPipeToSuctionSegment(QWidget* owner);
void CopyPipeToGatedPipe();
