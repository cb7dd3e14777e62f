#pragma once
// The initial node/reach entry dialog: the whole profile of a job entered row
// by row before the user works node by node on the main window.
#include "platform/ui/form.h"

class QPushButton;

class TProfEntryDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TProfEntryDlg(QWidget* owner);

    QPushButton* OKBtn;
    QPushButton* CancelBitBtn;

    void OKBtnClick();
    void CancelBitBtnClick();
};

inline TProfEntryDlg* ProfEntryDlg = nullptr;
