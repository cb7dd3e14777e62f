#pragma once
// The dialog that deletes stored jobs of every designer: the header and the
// job's rows in every child table, one job at a time, each removal final.
// Openers create it into RemoveJobsDlg, show it modally, delete it and reset
// the pointer.
#include "platform/ui/form.h"

class QFrame;
class QLabel;
class QPushButton;
class QTableView;

class TRemoveJobsDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TRemoveJobsDlg(QWidget* owner);

    QFrame* Panel1;
    QPushButton* ReturnBitBtn;   // "&Done"
    QPushButton* CancelBitBtn;
    QPushButton* HelpBitBtn;
    QPushButton* DeleteBitBtn;
    QFrame* Panel2;
    QLabel* Label1;
    QLabel* DBText1;   // JobName
    QLabel* DBText2;   // Date
    QLabel* DBText3;   // Location
    QLabel* DBText4;   // Designer
    QTableView* DBGrid1;

    // Lists only the jobs that pass the data module's JobFilterMode (set by
    // the gravity designer before showing); otherwise every job. The opener
    // switches the filtering off again.
    bool ListFiltered = false;

    void FormShow() override;
    void FormClose() override;
    void DeleteBitBtnClick();
    void DBGrid1DblClick() { DeleteBitBtnClick(); }
    // The job in the working tables lost its stored copy: it has nothing
    // left to save, and the opener drops it from its window.
    static void ForgetStoredCopy();
    // Set when the job in the working tables was deleted.
    bool OpenJobRemoved = false;
    void ReturnBitBtnClick();
    void CancelBitBtnClick();
    void HelpBitBtnClick() {}
};

inline TRemoveJobsDlg* RemoveJobsDlg = nullptr;
