#pragma once
// The invert dialog: the invert elevation of the current WorkProfTable row,
// from which the depth of cover follows.
#include "dialogs/profile/depth_dialog.h"
#include "platform/ui/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TInvertIndlg : public ui::Form {
    Q_OBJECT
public:
    explicit TInvertIndlg(QWidget* owner);

    QLineEdit* ElevDBNF = nullptr;   // InvertElev, feet
    QLabel* DepthLbl = nullptr;
    QLabel* DepthTxt = nullptr;      // PipeDepth, inches
    QLabel* NoPipeTxt = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* BitBtn2 = nullptr;  // Cancel

    void FormShow() override;
    void FormClose() override;
    void ElevDBNFEnter();
    void ElevDBNFExit();
    void OKBtnClick();
    void BitBtn2Click();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    NodeInvertEdit before_;
};

inline TInvertIndlg* InvertIndlg = nullptr;
