#pragma once
// The two filters of the pipe data editor: one material, or a range of
// nominal diameters. Each is created by the editor, shown modally and
// deleted; OK leaves the job object's Cancelled clear, Cancel sets it.
#include "platform/ui/form.h"

class NumField;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// "Select Pipe Material": the material that is TypeTable's current row when
// it closes is the one the editor filters by.
class TFilterMaterialDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TFilterMaterialDlg(QWidget* owner);

    QTableView* DBGrid1;
    QLabel* DBText1;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    void FormShow() override;
    void DBGrid1DblClick();
};

// "Filter Diameter ": Low and High bounds (in); OK stores them in the data
// module's FilterLow and FilterHigh.
class TFilterDiameterDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TFilterDiameterDlg(QWidget* owner);

    QLineEdit* LowNF;
    QLineEdit* HighNF;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    void FormShow() override;
    void FormClose() override;

private:
    NumField* low_;
    NumField* high_;
};

inline TFilterMaterialDlg* FilterMaterialDlg = nullptr;
inline TFilterDiameterDlg* FilterDiameterDlg = nullptr;
