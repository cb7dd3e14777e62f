// The local and system defaults editors and the password that guards the
// system defaults, on a temporary database with the shipped defaults rows.
#include "dialogs/editors/local_defaults_editor.h"
#include "dialogs/editors/password_dialog.h"
#include "dialogs/editors/system_defaults_editor.h"
#include "dialogs/dialog_helpers.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "support/dialogdriver.h"
#include "support/workjob.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

class DefaultsEditors : public ::testing::Test {
protected:
    testsupport::WorkJob job;
    DialogDriver driver;

    // A stored value of the one defaults row, read through a fresh opening.
    static QVariant Stored(const char* table, const char* field)
    {
        db::Table t(db::kMersolAlias, QString::fromLatin1(table));
        t.Open();
        return t.FieldByName(QString::fromLatin1(field))->Value();
    }

    static void SetStoredPassword(const QString& password)
    {
        db::Table* t = DMod->DefSysTable;
        t->Open();
        t->Edit();
        DMod->DefSysTablePassword->SetAsString(password);
        t->Post();
        t->Close();
    }

    // Shows the system defaults; `inside` acts on the open dialog.
    void ShowSystemDefaults(const DialogDriver::FormAction& inside)
    {
        driver.OnceForm("TDefSysDlg", inside);
        ShowOwned(DefSysDlg, nullptr);
    }

    // Presses Edit Data and types the entries into the password dialog, one
    // OK each; the last may leave it open, which Cancel then closes.
    static void Unlock(ui::Form& f, DialogDriver& d, QStringList entries)
    {
        d.OnceForm("TPasswordDlg", [entries](ui::Form& p) {
            for (const QString& e : entries) {
                DialogDriver::Type(p, "Password", e);
                DialogDriver::Press(p, "OKBitBtn");
                if (!p.isVisible())
                    return;
            }
        });
        DialogDriver::Press(f, "EditBitBtn");
    }
};

TEST_F(DefaultsEditors, PasswordsMatchExactlyOrByTheFixedWord)
{
    EXPECT_TRUE(PasswordUnlocks(QStringLiteral("Quillbar"), QStringLiteral("secret")));
    EXPECT_TRUE(PasswordUnlocks(QStringLiteral("secret"), QStringLiteral("secret")));
    EXPECT_TRUE(PasswordUnlocks(QString(), QString()));
    EXPECT_FALSE(PasswordUnlocks(QStringLiteral("quillbar"), QStringLiteral("secret")));
    EXPECT_FALSE(PasswordUnlocks(QStringLiteral("SECRET"), QStringLiteral("secret")));
    EXPECT_FALSE(PasswordUnlocks(QString(), QStringLiteral("secret")));
}

TEST_F(DefaultsEditors, SystemDefaultsStayLockedUntilThePasswordIsRight)
{
    SetStoredPassword(QStringLiteral("Granite"));
    bool wrongShown = false;
    ShowSystemDefaults([&](ui::Form& f) {
        auto& dlg = static_cast<TDefSysDlg&>(f);
        EXPECT_TRUE(dlg.Locked());
        EXPECT_FALSE(dlg.PasswordEdit->isVisible());
        EXPECT_TRUE(dlg.NoteLbl->isVisible());
        // Two wrong entries keep the password dialog open; then Cancel.
        driver.OnceForm("TPasswordDlg", [&](ui::Form& p) {
            for (const char* wrong : {"granite", "Quillbar "}) {
                DialogDriver::Type(p, "Password", QString::fromLatin1(wrong));
                DialogDriver::Press(p, "OKBitBtn");
                EXPECT_TRUE(p.isVisible());
                wrongShown = p.Control<QLabel>(QStringLiteral("WrongLbl"))->isVisible();
                EXPECT_TRUE(p.Control<QLineEdit>(QStringLiteral("Password"))->text().isEmpty());
            }
            DialogDriver::Press(p, "CancelBitBtn");
        });
        DialogDriver::Press(f, "EditBitBtn");
        EXPECT_TRUE(dlg.Locked());
        EXPECT_EQ(dlg.Caption(), QStringLiteral("System Default Values"));

        Unlock(f, driver, {QStringLiteral("Granite")});
        EXPECT_FALSE(dlg.Locked());
        EXPECT_EQ(dlg.Caption(), QStringLiteral("System Defaults (EDIT MODE)"));
        EXPECT_TRUE(dlg.PasswordEdit->isVisible());
        EXPECT_FALSE(dlg.NoteLbl->isVisible());
        EXPECT_EQ(dlg.PasswordEdit->text(), QStringLiteral("Granite"));
        EXPECT_EQ(DMod->DefSysTable->State(), db::DataSetState::Edit);
        DialogDriver::Press(f, "CancelBitBtn");
    });
    EXPECT_TRUE(wrongShown);
    EXPECT_TRUE(driver.Messages().empty());

    // The fixed word unlocks whatever is stored.
    ShowSystemDefaults([&](ui::Form& f) {
        Unlock(f, driver, {QStringLiteral("Quillbar")});
        EXPECT_FALSE(static_cast<TDefSysDlg&>(f).Locked());
        DialogDriver::Press(f, "CancelBitBtn");
    });
}

TEST_F(DefaultsEditors, AnEmptyStoredPasswordTakesAnEmptyEntry)
{
    ASSERT_EQ(Stored("DefSystem.db", "Password").toString(), QString());
    ShowSystemDefaults([&](ui::Form& f) {
        Unlock(f, driver, {QString()});
        EXPECT_FALSE(static_cast<TDefSysDlg&>(f).Locked());
        DialogDriver::Press(f, "CancelBitBtn");
    });
}

TEST_F(DefaultsEditors, SystemDefaultsOkStoresCancelDropsAndLeavesTheTableOpen)
{
    ShowSystemDefaults([&](ui::Form& f) {
        Unlock(f, driver, {QStringLiteral("Quillbar")});
        DialogDriver::Choose(f, "CompMethodRadioGroup", QStringLiteral("Hazen,Mannings only"));
        DialogDriver::Type(f, "PctFromPumpNF", "35");
        DialogDriver::Type(f, "PasswordEdit", "Basalt");
        DialogDriver::Press(f, "CancelBitBtn");
    });
    EXPECT_TRUE(DMod->DefSysTable->Active());
    EXPECT_EQ(DMod->DefSysTable->State(), db::DataSetState::Browse);
    EXPECT_EQ(DMod->DefSysTableCompMethod->AsInteger(), 2);
    EXPECT_DOUBLE_EQ(DMod->DefSysTableAutoPct->AsFloat(), 50.0);
    EXPECT_EQ(Stored("DefSystem.db", "Password").toString(), QString());

    ShowSystemDefaults([&](ui::Form& f) {
        Unlock(f, driver, {QString()});
        DialogDriver::Choose(f, "CompMethodRadioGroup", QStringLiteral("Hazen,Mannings only"));
        DialogDriver::Type(f, "PctFromPumpNF", "35");
        DialogDriver::Type(f, "PasswordEdit", "Basalt");
        DialogDriver::Press(f, "OKBitBtn");
    });
    EXPECT_FALSE(DMod->DefSysTable->Active());
    EXPECT_EQ(Stored("DefSystem.db", "CompMethod").toInt(), 4);
    EXPECT_DOUBLE_EQ(Stored("DefSystem.db", "AutoPct").toDouble(), 35.0);
    EXPECT_EQ(Stored("DefSystem.db", "Password").toString(), QStringLiteral("Basalt"));
}

TEST_F(DefaultsEditors, PasswordFieldsTakeWhatTheStoredPasswordHoldsAndRefuseMore)
{
    const QString twenty = QStringLiteral("abcdefghijKLMNOPQRST");
    const QString longer = twenty + QStringLiteral("u");
    ASSERT_EQ(DMod->DefSysTablePassword->Size(), 20);
    ShowSystemDefaults([&](ui::Form& f) {
        Unlock(f, driver, {QStringLiteral("Quillbar")});
        DialogDriver::Type(f, "PasswordEdit", longer);
        // Refused as a whole, not cut to fit.
        EXPECT_EQ(static_cast<TDefSysDlg&>(f).PasswordEdit->text(), QString());
        DialogDriver::Type(f, "PasswordEdit", twenty);
        DialogDriver::Press(f, "OKBitBtn");
    });
    EXPECT_EQ(Stored("DefSystem.db", "Password").toString(), twenty);

    // All twenty characters unlock; a longer entry cannot be typed.
    ShowSystemDefaults([&](ui::Form& f) {
        driver.OnceForm("TPasswordDlg", [&](ui::Form& p) {
            DialogDriver::Type(p, "Password", longer);
            EXPECT_EQ(p.Control<QLineEdit>(QStringLiteral("Password"))->text(), QString());
            DialogDriver::Type(p, "Password", twenty);
            DialogDriver::Press(p, "OKBitBtn");
        });
        DialogDriver::Press(f, "EditBitBtn");
        EXPECT_FALSE(static_cast<TDefSysDlg&>(f).Locked());
        DialogDriver::Press(f, "CancelBitBtn");
    });
}

// ---- local defaults -----------------------------------------------------------

TEST_F(DefaultsEditors, LocalDefaultsOkStoresAndCancelLeavesTheRowAsItWasAndOpen)
{
    driver.OnceForm("TDefLocDlg", [](ui::Form& f) {
        EXPECT_EQ(DMod->DefLocTable->State(), db::DataSetState::Edit);
        DialogDriver::Type(f, "LowVelNF", "1.5");
        DialogDriver::Choose(f, "InvElMethodRadGp", QStringLiteral("Set invert at ground level"));
        DialogDriver::Choose(f, "SysTypeCB", QStringLiteral("Pumped system, known flow"));
        DialogDriver::Choose(f, "PipeTypeOthersCB", QStringLiteral("Steel Sch"));
        DialogDriver::Check(f, "MinorLossDetailCB", true);
        DialogDriver::Press(f, "CancelBitBtn2");
    });
    ShowOwned(DefLocDlg, nullptr);
    // Still open and browsing, for the dialogs that read it next.
    ASSERT_TRUE(DMod->DefLocTable->Active());
    EXPECT_EQ(DMod->DefLocTable->State(), db::DataSetState::Browse);
    EXPECT_DOUBLE_EQ(DMod->DefLocTableLowVel->AsFloat(), 1.0);
    EXPECT_EQ(Stored("DefLocal.DB", "InvElMethod").toInt(), 0);
    EXPECT_EQ(Stored("DefLocal.DB", "SysType").toString(), QStringLiteral("Gravity system, known flow"));

    driver.OnceForm("TDefLocDlg", [](ui::Form& f) {
        DialogDriver::Type(f, "LowVelNF", "1.5");
        DialogDriver::Choose(f, "InvElMethodRadGp", QStringLiteral("Set invert at ground level"));
        DialogDriver::Choose(f, "SysTypeCB", QStringLiteral("Pumped system, known flow"));
        DialogDriver::Choose(f, "PipeTypeOthersCB", QStringLiteral("Steel Sch"));
        DialogDriver::Check(f, "MinorLossDetailCB", true);
        DialogDriver::Press(f, "OKBitBtn1");
    });
    ShowOwned(DefLocDlg, nullptr);
    EXPECT_TRUE(DMod->DefLocTable->Active());
    EXPECT_FALSE(DMod->TypeTable->Active());
    EXPECT_FALSE(DMod->StockTypeTable->Active());
    EXPECT_DOUBLE_EQ(Stored("DefLocal.DB", "LowVel").toDouble(), 1.5);
    EXPECT_EQ(Stored("DefLocal.DB", "InvElMethod").toInt(), 2);
    EXPECT_EQ(Stored("DefLocal.DB", "SysType").toString(), QStringLiteral("Pumped system, known flow"));
    EXPECT_EQ(Stored("DefLocal.DB", "PipeTypeOthers").toString(), QStringLiteral("Steel Sch"));
    EXPECT_TRUE(Stored("DefLocal.DB", "MinorLossDetail").toBool());
}

TEST_F(DefaultsEditors, LocalDefaultsShowTheShippedGrazingSystemAndStoreTheChosenOne)
{
    driver.OnceForm("TDefLocDlg", [](ui::Form& f) {
        EXPECT_EQ(f.Control<QComboBox>(QStringLiteral("SystemTypeCB"))->currentText(),
                  QStringLiteral("Conventional Grazing System"));
        DialogDriver::Choose(f, "SystemTypeCB", QStringLiteral("Intensive Grazing System"));
        DialogDriver::Choose(f, "TerrainCB", QStringLiteral("Rough Terrain Relief"));
        DialogDriver::Press(f, "OKBitBtn1");
    });
    ShowOwned(DefLocDlg, nullptr);
    EXPECT_EQ(Stored("DefLocal.DB", "SystemType").toString(), QStringLiteral("Intensive Grazing System"));
    EXPECT_EQ(Stored("DefLocal.DB", "Terrain").toString(), QStringLiteral("Rough Terrain Relief"));
}

TEST_F(DefaultsEditors, LocalDefaultsPagesOpenTheirHelpTopics)
{
    driver.OnceForm("TDefLocDlg", [](ui::Form& f) {
        const char* buttons[] = {"GenSpeedButton", "PumpSpeedButton", "ManifoldSpeedButton1",
                                 "StockwaterSpeedButton6", "GatedSpeedButton2", "AirvacSpeedButton"};
        auto* notebook = f.Control<ui::Notebook>(QStringLiteral("OvcNotebook1"));
        for (int page = 0; page < 6; ++page) {
            notebook->SetPageIndex(page);
            DialogDriver::Press(f, QString::fromLatin1(buttons[page]));
        }
        DialogDriver::Press(f, "HelpBitBtn3");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    ShowOwned(DefLocDlg, nullptr);
    EXPECT_EQ(driver.HelpContexts(), (std::vector<int>{83, 84, 85, 87, 86, 134, 82}));
}

} // namespace
