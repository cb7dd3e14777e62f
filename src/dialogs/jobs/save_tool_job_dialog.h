#pragma once
// The save prompt of the calculators with jobs of their own: stock water and air vacuum.
// Asks whether to store the calculator's job, stores it as a new job or over
// its stored copy, or exports it to the transfer directory. DMod ToolKind
// says which calculator asks (5 stock water, 6 air vacuum). Openers create
// it with themselves as owner into SaveTJob, show it modally, delete it and
// reset the pointer; what it leaves is Tul SaveState, the stored table and
// the calculator's job buttons.
#include "platform/ui/form.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;

class TSaveTJob : public ui::Form {
    Q_OBJECT
public:
    explicit TSaveTJob(QWidget* owner);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* JobNameLbl;
    QGroupBox* GroupBox1;
    QPushButton* OKBitBtn;   // "Yes"
    QPushButton* NoBitBtn;
    QPushButton* ExportBtn;
    QToolButton* HelpExport;

    void FormShow() override;
    void OKBitBtnClick();
    void NoBitBtnClick();
    void ExportBtnClick();
    void HelpExportClick();

    // Stores the calculator's job by Tul SaveState (0 new, 1 over its stored
    // copy, 2 nothing); after a store the calculator may start and review
    // jobs again, its Save Job waits, and SaveState is 2.
    void SaveCurrentToolJob();
    // Each returns false when the stock-water job was refused (its name) and
    // nothing stored.
    bool SaveNewStockJob();
    bool OverwriteStockJob();
};

inline TSaveTJob* SaveTJob = nullptr;
