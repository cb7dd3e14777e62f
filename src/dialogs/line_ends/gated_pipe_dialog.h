#pragma once
// The gated pipe at the end node of a profile (or of the gated-pipe calculator job): gates, stations, pipe and control device losses in the WorkGated row.
// Created by its opener with the opener as owner, shown modally, deleted;
// its callers test nothing afterwards. Cancel gives back every field as the
// dialog opened with it.
#include "dialogs/dialog_helpers.h"
#include "platform/ui/form.h"

#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
namespace ui { class Notebook; class RadioGroup; }

class TGatedPipeDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TGatedPipeDlg(QWidget* owner);

    ui::Notebook* OvcNotebook1;
    QLineEdit *BeginStaDBNF, *GndElevDBNF, *EndGatedStaDBNF, *EndGatedElDBNF, *DesFlowDBNF, *GateSpacingDBNF,
        *ReqPresDBNF, *MidStaDBNF, *MidElevDBNF, *KLossDBNF1, *KLossDBNF2, *ML1DescDBSF, *ML2DescDBSF;
    QLabel *ReqPresLbl1, *ReqPresLbl2, *StaRangeLbl, *Kid1Lbl, *K1Lbl, *Kid2Lbl, *K2Lbl, *DBText5, *DBText6;
    QPushButton *GatedPipeSelecSpdBtn, *HelpOptSegBtn, *Loss1SpdBtn, *Loss2SpdBtn, *ClearEntBtn, *ClearIntBtn;
    QPushButton *OKBtn, *CancelBtn, *HelpBtn;
    QCheckBox* MidChkBox;
    QGroupBox* MidSegGpBox;
    ui::RadioGroup *AltRadioGp1, *AltRadioGp2;

    void FormShow() override;
    void FormClose() override;
    void OKBtnClick();
    void CancelBtnClick();
    void HelpBtnClick();
    void HelpOptSegBtnClick();
    void CheckMidSegmentRange();
    void MidChkBoxClick();
    void AltRadioGp1Click() { lossChoice(1); }
    void AltRadioGp2Click() { lossChoice(2); }
    void OvcNotebook1PageChanged(int index);
    void Loss1SpdBtnClick() { getK(1); }
    void Loss2SpdBtnClick() { getK(2); }
    void ClearEntBtnClick() { clearLoss(1); }
    void ClearIntBtnClick() { clearLoss(2); }
    void GatedPipeSelecSpdBtnClick();
    void BeginStaDBNFExit();
    void GndElevDBNFExit();
    void GatedFieldExit();      // the fields whose exit posts the gated row
    void EndGatedStaDBNFExit();
    void GateSpacingDBNFExit();
    void ReqPresDBNFExit();
    void GatedFieldEnter();

    // The layout last checked (N, L, A, D).
    int Gates = 0;
    double OpenLength = 0.0, FirstEnd = 0.0, LastStart = 0.0;

private:
    // The refusal of an end station at or before the start; empty when the
    // gated pipe has a length.
    QString noLengthText() const;
    struct Slot {
        ui::RadioGroup* group;
        QLabel *kid, *k;
        QList<QWidget*> kControls, headControls;
        QPushButton* getK;
        QLineEdit* headLoss;
    };
    Slot slot(int n) const;
    bool calculatorJob() const;
    bool leavingByOkOrCancel() const;
    bool pipeToChoose() const;
    void layoutFieldLeft();
    void lossChoice(int n);
    void showLossState(int n);
    void showKItem(int n);
    void getK(int n);
    void clearLoss(int n);
    void startNewGatedPipe();
    QList<QWidget*> kControls_[2], headControls_[2];
    double keptStartSta_ = 0.0, keptStartElev_ = 0.0;
    std::optional<KeptTables> opened_;
};

inline TGatedPipeDlg* GatedPipeDlg = nullptr;
