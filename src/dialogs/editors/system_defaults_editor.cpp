#include "dialogs/editors/system_defaults_editor.h"

#include "dialogs/editors/password_dialog.h"
#include "dialogs/editors/reference_editing.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/help.h"
#include "platform/ui/radiogroup.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDefSysDlg::TDefSysDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("DefSysDlg"));
    SetCaption(QStringLiteral("System Default Values"));
    SetPosition(ui::Position::OwnerCenter);
    SetHelpContext(81);
    db::DataSource* src = DMod->DefSysData;

    auto* v = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    OKBitBtn = ui::Make<QPushButton>(this, "OKBitBtn", QStringLiteral("OK"));
    OKBitBtn->setToolTip(QStringLiteral("Save changes and return to main"));
    HelpBitBtn = ui::Make<QPushButton>(this, "HelpBitBtn", QStringLiteral("&Help"));
    CancelBitBtn = ui::Make<QPushButton>(this, "CancelBitBtn", QStringLiteral("Cancel"));
    EditBitBtn = ui::Make<QPushButton>(this, "EditBitBtn", QStringLiteral("Edit Data"));
    EditBitBtn->setToolTip(QStringLiteral("Edit data (password required)"));
    for (QPushButton* b : {OKBitBtn, HelpBitBtn, CancelBitBtn, EditBitBtn})
        buttons->addWidget(b);
    buttons->addStretch(1);
    v->addLayout(buttons);

    auto* panel = ui::Make<QGroupBox>(this, "Panel1");
    auto* pl = new QVBoxLayout(panel);
    pl->addWidget(new QLabel(QStringLiteral("DEFAULT VALUES"), panel));
    pl->addWidget(new QLabel(QStringLiteral("Enter values compatable with the region"), panel));
    NoteLbl = ui::Make<QLabel>(panel, "NoteLbl", QStringLiteral("Editing these system values require a password:"));
    pl->addWidget(NoteLbl);
    v->addWidget(panel);
    SetControlHelpContext(panel, 19026);

    CompMethodRadioGroup =
        ui::Make<ui::RadioGroup>(this, "CompMethodRadioGroup", QStringLiteral("Set Friction Computation Method Presedence"));
    CompMethodRadioGroup->SetItems({QStringLiteral("DarcyWeisbach Only"), QStringLiteral("DarcyWeisbach, Hazen, Mannings"),
                                    QStringLiteral("Hazen, DarcyWeisbach, Mannings"),
                                    QStringLiteral("Hazen, Mannings, DarcyWeisbach"), QStringLiteral("Hazen,Mannings only")});
    new ui::DBRadioGroup(CompMethodRadioGroup, src, QStringLiteral("CompMethod"),
                         {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                          QStringLiteral("4")});
    v->addWidget(CompMethodRadioGroup);

    auto* pct = ui::Make<QGroupBox>(this, "GroupBox1", QStringLiteral("Set Pressure System Start HGL %"));
    auto* gl = new QGridLayout(pct);
    PctLbl1 = ui::Make<QLabel>(pct, "PctLbl1", QStringLiteral("Percent from pump turn-on to turn-off"));
    PctFromPumpNF = ui::Make<QLineEdit>(pct, "PctFromPumpNF");
    PctLbl2 = ui::Make<QLabel>(pct, "PctLbl2", QStringLiteral("% (0 to 99)"));
    gl->addWidget(PctLbl1, 0, 0);
    gl->addWidget(PctFromPumpNF, 0, 1);
    gl->addWidget(PctLbl2, 0, 2);
    new ui::DBNumericEdit(PctFromPumpNF, src, QStringLiteral("AutoPct"), ui::NumericFormat::Picture(QStringLiteral("##"), 0));
    v->addWidget(pct);

    auto* pw = new QHBoxLayout;
    PasswordLbl = ui::Make<QLabel>(this, "PasswordLbl", QStringLiteral("Password (Change?)"));
    PasswordEdit = ui::Make<QLineEdit>(this, "PasswordEdit");
    // Not bound: the table would cut a longer entry to its size; this field
    // refuses it instead, and its text is written at OK.
    LimitLength(PasswordEdit, DMod->DefSysTablePassword->Size());
    pw->addWidget(PasswordLbl);
    pw->addWidget(PasswordEdit);
    v->addLayout(pw);

    OnClick(OKBitBtn, [this] { OKBitBtnClick(); });
    OnClick(CancelBitBtn, [this] { CancelBitBtnClick(); });
    OnClick(HelpBitBtn, [this] { HelpBitBtnClick(); });
    OnClick(EditBitBtn, [this] { EditBitBtnClick(); });
    SetCancelButton(CancelBitBtn);
    SetEnterKey(PctFromPumpNF, ui::EnterKey::NextControl);
    SetEnterKey(PasswordEdit, ui::EnterKey::NextControl);
}

bool TDefSysDlg::Locked() const
{
    return !CompMethodRadioGroup->isEnabled();
}

void TDefSysDlg::setLocked(bool locked)
{
    for (QWidget* w : std::initializer_list<QWidget*>{CompMethodRadioGroup, PctFromPumpNF, PctLbl1, PctLbl2})
        w->setEnabled(!locked);
    PasswordLbl->setVisible(!locked);
    PasswordEdit->setVisible(!locked);
    NoteLbl->setVisible(locked);
}

void TDefSysDlg::FormShow()
{
    Tul->Cancelled = false;
    setLocked(true);
    OpenIfClosed(DMod->DefSysTable);
}

void TDefSysDlg::EditBitBtnClick()
{
    PasswordDlg = new TPasswordDlg(this);
    struct Reset {
        ~Reset()
        {
            delete PasswordDlg;
            PasswordDlg = nullptr;
        }
    } reset;
    PasswordDlg->ShowModal();
    if (!PasswordDlg->Unlocked)
        return;
    SetCaption(QStringLiteral("System Defaults (EDIT MODE)"));
    setLocked(false);
    PasswordEdit->setText(DMod->DefSysTablePassword->AsString());
}

void TDefSysDlg::storePassword()
{
    if (Locked())
        return;
    const QString typed = PasswordEdit->text();
    if (typed == DMod->DefSysTablePassword->AsString())
        return;
    EditIfBrowsing(DMod->DefSysTable);
    DMod->DefSysTablePassword->SetAsString(typed);
}

void TDefSysDlg::OKBitBtnClick()
{
    Tul->Cancelled = false;
    Close();
}

void TDefSysDlg::CancelBitBtnClick()
{
    Tul->Cancelled = true;
    Close();
}

void TDefSysDlg::HelpBitBtnClick()
{
    ui::HelpContext(81);
}

void TDefSysDlg::FormClose()
{
    db::Table* t = DMod->DefSysTable;
    if (!t->Active())
        return;
    if (Tul->Cancelled) {
        // The table stays open, as the next reader finds it.
        t->Cancel();
        return;
    }
    storePassword();
    if (t->State() != db::DataSetState::Browse)
        t->Post();
    t->Close();
}
