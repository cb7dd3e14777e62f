#pragma once
// The password asked before the system defaults can be edited.
// Created by the system defaults editor, shown modally, deleted.
#include "platform/ui/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The password that always unlocks, whatever is stored.
inline const QString kFixedPassword = QStringLiteral("Quillbar");

// True when the entry unlocks: equal, with case, to the stored password or
// to the fixed one. An empty stored password is matched by an empty entry.
bool PasswordUnlocks(const QString& entry, const QString& stored);

class TPasswordDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TPasswordDlg(QWidget* owner);

    QLabel* Label1;
    QLineEdit* Password;
    QLabel* WrongLbl;
    QPushButton* OKBitBtn;
    QPushButton* CancelBitBtn;

    void FormShow() override;
    void OKBitBtnClick();

    // Set by a successful check; DefSysTable is then in edit state.
    bool Unlocked = false;
};

inline TPasswordDlg* PasswordDlg = nullptr;
