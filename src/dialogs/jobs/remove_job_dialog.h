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
    // The loaded job lost its stored copy: a save stores it as a new job.
    static void ForgetStoredCopy();
    void ReturnBitBtnClick();
    void CancelBitBtnClick();
    void HelpBitBtnClick() {}
};

inline TRemoveJobsDlg* RemoveJobsDlg = nullptr;
