#include "dialogs/editors/password_dialog.h"

#include "dialogs/editors/reference_editing.h"
#include "model/data_module.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

bool PasswordUnlocks(const QString& entry, const QString& stored)
{
    return entry == stored || entry == kFixedPassword;
}

TPasswordDlg::TPasswordDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("PasswordDlg"));
    SetCaption(QStringLiteral("Password Dialog"));
    SetPosition(ui::Position::OwnerCenter);
    auto* v = new QVBoxLayout(this);
    Label1 = ui::Make<QLabel>(this, "Label1", QStringLiteral("Enter password:"));
    Password = ui::Make<QLineEdit>(this, "Password");
    Password->setEchoMode(QLineEdit::Password);
    Password->setToolTip(QStringLiteral("Enter password"));
    // As many characters as the stored password holds, and no more.
    LimitLength(Password, DMod->DefSysTablePassword->Size());
    WrongLbl = ui::Make<QLabel>(this, "WrongLbl", QStringLiteral("Wrong password, please re-enter."));
    QFont bold = WrongLbl->font();
    bold.setBold(true);
    WrongLbl->setFont(bold);
    WrongLbl->setStyleSheet(QStringLiteral("color: blue"));
    v->addWidget(Label1);
    v->addWidget(Password);
    v->addWidget(WrongLbl);
    auto* buttons = new QHBoxLayout;
    OKBitBtn = ui::Make<QPushButton>(this, "OKBitBtn", QStringLiteral("OK"));
    CancelBitBtn = ui::Make<QPushButton>(this, "CancelBitBtn", QStringLiteral("Cancel"));
    buttons->addWidget(OKBitBtn);
    buttons->addWidget(CancelBitBtn);
    v->addLayout(buttons);

    OnClick(OKBitBtn, [this] { OKBitBtnClick(); });
    OnClick(CancelBitBtn, [] {}, ui::mrCancel);
    SetCancelButton(CancelBitBtn);
    SetDefaultButton(OKBitBtn);
    SetControlHelpContext(Password, 19026);
}

void TPasswordDlg::FormShow()
{
    WrongLbl->hide();
    Password->clear();
    Unlocked = false;
    SetFocus(Password);
}

void TPasswordDlg::OKBitBtnClick()
{
    db::Table* t = DMod->DefSysTable;
    OpenIfClosed(t);
    if (!PasswordUnlocks(Password->text(), DMod->DefSysTablePassword->AsString())) {
        WrongLbl->show();
        Password->clear();
        SetFocus(Password);
        return;
    }
    WrongLbl->hide();
    EditIfBrowsing(t);
    Unlocked = true;
    SetModalResult(ui::mrOk);
}
