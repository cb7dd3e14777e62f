#pragma once
// The pump selection of a pumped system: the chosen pump type goes into the job header and that pump's data dialog opens at once.
// Created by its opener with the main window as owner, shown modally, deleted;
// the opener reads the job object's WasCancelled afterwards.
#include "dialogs/dialog_helpers.h"
#include "platform/ui/form.h"

#include <optional>

class QPushButton;
namespace ui { class RadioGroup; }

class TPumpSelDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TPumpSelDlg(QWidget* owner);

    ui::RadioGroup* PumpSelRadioGroup;
    QPushButton *OKBitBtn1, *CancelBitBtn2, *HelpBitBtn3;

    void FormShow() override;
    void FormClose() override;
    void PumpSelRadioGroupClick();
    void OKBitBtn1Click();
    void CancelBitBtn2Click();
    void HelpBitBtn3Click();

private:
    bool showing_ = false;   // the pump of the row reopened at show keeps this dialog open
    bool changeAsked_ = false;   // the last pump dialog ended by Change Pump Type
    std::optional<KeptJob> opening_;   // the job as the selection opened
};

inline TPumpSelDlg* PumpSelDlg = nullptr;
