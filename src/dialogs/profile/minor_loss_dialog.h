#pragma once
// The minor-loss selection dialog: fills one loss slot of the current node
// (WorkProfTable), suction segment (WorkSuctionTable, PipePickTarget 1) or
// of the gated pipe (WorkGatedTable, GatedLossPick). The user double-clicks
// an item of MinorLoss.DB, chooses the side of the node where the loss
// applies, and OK stores item, K, diameter, side and class into the slot.
// Cancel, Esc and the close box store nothing.
#include "platform/ui/form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class NumField;
namespace db { class Table; }
namespace ui { class StatusBar; }

class TGetKMDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TGetKMDlg(QWidget* owner);

    QPushButton* OKBitBtn1;
    QPushButton* CancelBitBtn2;
    QPushButton* DeleteExitBtn;
    QPushButton* HelpBitBtn3;
    QLabel* DoubleClickLbl;
    QTableView* DBGrid1;
    QLabel* DBText1;
    QLabel* DescriptionLbl;
    QLabel* KFacLbl;
    QGroupBox* GroupBox1;
    QRadioButton* USRadioButton1;
    QLabel *USoutLbl, *USLbl, *USPipeDesLbl;
    QRadioButton* DSRadioBtn2;
    QLabel *DSOutLbl, *DSLbl, *DSPipeDesLbl;
    QRadioButton* SPRadioButton3;
    QLineEdit* IDNF;
    QLabel* SPLbl;
    QGroupBox* SpecialKGpBox;
    QLineEdit* KmNF;
    QLineEdit* DescSF;
    ui::StatusBar* StatusBar1;

    void FormShow() override;
    void FormClose() override;
    void OKBitBtn1Click();
    void HelpBitBtn3Click();
    void DBGrid1DblClick();
    void USRadioButton1Click();
    void DSRadioBtn2Click();
    void SPRadioButton3Click();
    void IDNFExit();
    void DeleteExitBtnClick();

    // K of the current MinorLoss.DB item for a pipe of D inches, by the
    // item's diameter classes (an empty column gives 0).
    double MinorLossKForDiameter(double D) const;
    // The column of the diameter class of D: "K2" below 2.5 in ... "K12" from 11 in.
    static QString MinorLossKColumn(double D);

    // What the dialog holds for the slot (tests, and the store on OK).
    QString ItemDescription() const { return itemDescription_; }
    QString LocationCode() const { return locationCode_; }
    QString ItemClass() const { return itemClass_; }
    double K() const { return K_; }

private:
    void LoadLossItemContext();
    void ChooseUpstreamSide();
    void ChooseDownstreamSide();
    void StoreProfLossItem();
    void StoreSuctionLossItem();
    void StoreGatedLossItem();
    void storeSlot(db::Table* table, bool gated);
    void restoreSlot(db::Table* table);
    void showK();
    void check(QRadioButton* b);

    NumField* id_;
    NumField* km_;
    QString itemDescription_;
    QString locationCode_;
    QString itemClass_;
    QString upstreamDescription_;
    double lookupDiameter_ = 0.0;
    double K_ = 0.0;
    bool special_ = false;
    bool noUpstream_ = false;
    bool storeSuppressed_ = false;
    bool okPressed_ = false;
};

inline TGetKMDlg* GetKMDlg = nullptr;
