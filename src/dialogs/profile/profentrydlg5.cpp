#include "dialogs/profile/profentrydlg5.h"

#include "model/tulclass.h"

#include <QHBoxLayout>
#include <QPushButton>

TProfEntryDlg::TProfEntryDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("ProfEntryDlg"));
    SetCaption(QStringLiteral("Initial Node/Reach Data Entry"));
    auto* buttons = new QHBoxLayout(this);
    OKBtn = ui::Make<QPushButton>(this, "OKBtn", QStringLiteral("OK"));
    CancelBitBtn = ui::Make<QPushButton>(this, "CancelBitBtn", QStringLiteral("Cancel"));
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBitBtn);
    OnClick(OKBtn, [this] { OKBtnClick(); }, ui::mrOk);
    OnClick(CancelBitBtn, [this] { CancelBitBtnClick(); }, ui::mrCancel);
    SetCancelButton(CancelBitBtn);
}

void TProfEntryDlg::OKBtnClick()
{
    Tul->ProfileEntryActive = false;
    Close();
}

void TProfEntryDlg::CancelBitBtnClick()
{
    Tul->ProfEntryCancelled = true;
    Close();
}
