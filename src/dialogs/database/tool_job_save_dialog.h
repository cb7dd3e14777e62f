#pragma once
// The save prompt of the calculators with jobs of their own (ToolKind 6 the air-vacuum valve calculator).
// Stores the calculator's working job as a new job or over its stored copy,
// or exports it to the transfer directory. Openers create it with
// themselves as owner into SaveTJob, show it modally, delete it and reset
// the pointer; what it leaves is Tul SaveState and the stored table.
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

    // Stores the job by the data module's ToolKind and Tul SaveState; false
    // when a store was refused (its message has been shown).
    bool SaveCurrentToolJob();
};

inline TSaveTJob* SaveTJob = nullptr;
