#pragma once
// The editor of the local defaults: the values most typical for the area,
// on six pages (general, pump and thrust block, manifold, stock water,
// gated pipe, air vacuum).
// Created by its opener with the opener as owner, shown modally, deleted.
#include "platform/ui/form.h"

class QPushButton;
namespace ui { class Notebook; class RadioGroup; }

class TDefLocDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TDefLocDlg(QWidget* owner);

    QPushButton* OKBitBtn1;
    QPushButton* CancelBitBtn2;
    QPushButton* HelpBitBtn3;
    ui::Notebook* OvcNotebook1;
    ui::RadioGroup* InvElMethodRadGp;

    void FormShow() override;
    void FormClose() override;
    void InvElMethodRadGpClick();
    void OKBitBtn1Click();
    void CancelBitBtn2Click();
    void HelpBitBtn3Click();
};

inline TDefLocDlg* DefLocDlg = nullptr;
