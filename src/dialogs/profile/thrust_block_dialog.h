#pragma once
// The thrust block dialog: the fitting at the node and the soil bearing
// strength behind it, edited in the current WorkProfTable row. The opener
// (the reach data dialog) has the row in edit state and posts it; a Cancel
// here gives the row back as the dialog found it.
#include "dialogs/dialog_helpers.h"
#include "platform/ui/form.h"

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

class TThrustBlkDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TThrustBlkDlg(QWidget* owner);

    QComboBox* DBComboBox1 = nullptr;       // fitting
    QComboBox* SoilComboBox = nullptr;
    QLineEdit* OvcDbNumericField1 = nullptr; // bearing strength, lb/sq ft
    QPushButton* OKBitBtn1 = nullptr;
    QPushButton* CancelBitBtn2 = nullptr;
    QPushButton* HelpBitBtn3 = nullptr;

    void SoilComboBoxChange();
    void SoilComboBoxExit();
    void DBComboBox1DblClick();
    void OKBitBtn1Click() { Close(); }
    void CancelBitBtn2Click() { Close(); }
    void HelpBitBtn3Click();
    void FormShow() override;
    void FormClose() override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    std::optional<KeptTables> opened_;
};

inline TThrustBlkDlg* ThrustBlkDlg = nullptr;
