// Importing a profile from a text file of station and elevation pairs.
#include "dialogs/profile/profile_text_import_dialog.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/profile_text.h"
#include "platform/ui/dbgrid.h"
#include "support/dialogdriver.h"
#include "support/workjob.h"
#include "support/workprofile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using testsupport::ProfText;
using testsupport::ProfValue;

namespace {

class ProfileImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        job.SetHeader({{"SysType", "GRAVITY"}, {"DesignFlow", 450.0}, {"PumpType", ""}, {"NoEnd", true}});
        db::Table* defaults = DMod->DefLocTable;
        if (!defaults->Active()) defaults->Open();
        defaults->First();
        defaults->Edit();
        DMod->DefLocTableDepthOfCover->SetAsFloat(30);
        DMod->DefLocTablePipeTypeOthers->SetAsString(QStringLiteral("PVC"));
        DMod->DefLocTablePipeTypePressure->SetAsString(QStringLiteral("STEEL"));
        defaults->Post();
    }
    QString file(const QByteArray& text)
    {
        const QString path = dir.filePath(QStringLiteral("profile%1.txt").arg(++files));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return path;
    }
    // An existing two-node profile that a bad import must leave alone.
    void existingProfile()
    {
        job.AddProfRow({{"Station", 0.0}, {"GroundElev", 90.0}, {"NodeType", 0}});
        job.AddProfRow({{"Station", 300.0}, {"GroundElev", 80.0}, {"NodeType", 4}});
    }
    void expectExistingProfile()
    {
        ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 2);
        EXPECT_DOUBLE_EQ(ProfValue(0, "GroundElev"), 90.0);
        EXPECT_DOUBLE_EQ(ProfValue(1, "Station"), 300.0);
    }

    testsupport::WorkJob job;
    DialogDriver driver;
    QTemporaryDir dir;
    int files = 0;
};

TEST_F(ProfileImport, ThreePairsGiveEntranceInLineAndEndNodes)
{
    existingProfile();
    TProfFromTxtDlg dlg(nullptr);
    driver.AnswerFile(file("0,350\r\n500,348\r\n1200,345\r\n"));
    dlg.SelectFileBitBtnClick();

    EXPECT_TRUE(driver.MessageTexts().isEmpty());
    ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 3);
    const double station[] = {0, 500, 1200}, ground[] = {350, 348, 345}, length[] = {0, 500, 700};
    const int type[] = {0, 1, 4};
    const char* reach[] = {"GRAVBEG", "GRAVMID", "GRAVEND"};
    const char* desc[] = {"Pipe entrance (any type)", "In line (normal)", "End of line (normal)"};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Station"), station[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "GroundElev"), ground[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "PipeLength"), length[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "RecordNo"), k + 1);
        EXPECT_EQ(int(ProfValue(k, "NodeType")), type[k]);
        EXPECT_EQ(ProfText(k, "ReachType"), QString::fromLatin1(reach[k]));
        EXPECT_EQ(ProfText(k, "NodeTypeDesc"), QString::fromLatin1(desc[k]));
    }
    EXPECT_DOUBLE_EQ(ProfValue(0, "PipeQ"), 450.0);
    EXPECT_EQ(ProfText(0, "PipeType"), QStringLiteral("PVC"));
    EXPECT_EQ(int(ProfValue(0, "InvElMethod")), 1);
    EXPECT_EQ(int(ProfValue(1, "InvElMethod")), 0);
    EXPECT_DOUBLE_EQ(ProfValue(1, "PipeDepth"), 30.0);
    EXPECT_EQ(Tul->NumNodes, 3);
    EXPECT_EQ(dlg.Name->text(), dlg.FileName);
}

TEST_F(ProfileImport, RowsTakeTheReachKeywordsOfTheJobsSystemType)
{
    struct Case { const char* sysType; const char* reach[3]; };
    for (const Case& c : {Case{"GRAVITY", {"GRAVBEG", "GRAVMID", "GRAVEND"}},
                          Case{"FULLFLOW", {"FULLBEG", "FULLMID", "FULLEND"}},
                          Case{"PUMPED", {"PUMPBEG", "PUMPMID", "PUMPEND"}},
                          Case{"PRESSURE", {"PUMPBEG", "PUMPMID", "PUMPEND"}},
                          Case{"", {"GRAVBEG", "GRAVMID", "GRAVEND"}}}) {
        SCOPED_TRACE(c.sysType);
        job.SetHeader({{"SysType", c.sysType}});
        TProfFromTxtDlg dlg(nullptr);
        driver.AnswerFile(file("0,350\n500,348\n1200,345\n"));
        dlg.SelectFileBitBtnClick();
        for (int k = 0; k < 3; ++k) EXPECT_EQ(ProfText(k, "ReachType"), c.reach[k]) << k;
    }
}

TEST_F(ProfileImport, FileDialogStartsInTheHomeFolderThenTheLastFolderUsed)
{
    TProfFromTxtDlg dlg(nullptr);
    dlg.SelectFileBitBtnClick();   // cancelled: no folder was used
    driver.AnswerFile(file("0,350\n500,348\n"));
    dlg.SelectFileBitBtnClick();
    dlg.SelectFileBitBtnClick();
    const auto& asked = driver.FileRequests();
    ASSERT_EQ(asked.size(), 3u);
    // Some earlier test of this program may have used a folder already.
    EXPECT_NE(asked[0].directory, QString());
    EXPECT_TRUE(QDir::isAbsolutePath(asked[0].directory));
    EXPECT_NE(QDir(asked[0].directory), QDir::current());
    EXPECT_EQ(QDir(asked[2].directory), QDir(dir.path()));
}

TEST_F(ProfileImport, AutomaticPumpGetsThePressurePipeAndOnePairIsAnEndNode)
{
    job.SetHeader({{"PumpType", "AUTOPUMP"}});
    ASSERT_TRUE(ImportProfileFile(file("25 100")));
    ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 1);
    EXPECT_EQ(ProfText(0, "PipeType"), QStringLiteral("STEEL"));
    EXPECT_EQ(int(ProfValue(0, "NodeType")), 4);
    EXPECT_EQ(ProfText(0, "ReachType"), QStringLiteral("GRAVEND"));
}

TEST_F(ProfileImport, BadFileLeavesTheProfileAndNamesTheLine)
{
    QByteArray hundredAndOne;
    for (int i = 0; i <= 100; ++i) hundredAndOne += QByteArray::number(i * 10) + ",100\n";
    struct Case {
        QByteArray text;
        QString line;
    };
    const Case cases[] = {
        {"0,350\n500,3x8\n", "Line 2: \"3x8\" is not a number."},
        {"0,350\n500,348\n450,345\n", "Line 3: station 450 does not increase."},
        {hundredAndOne, "Line 101: a profile holds at most 100 nodes."},
        {"", "The file holds no station and elevation pairs."},
    };
    existingProfile();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        driver.ClearLog();
        const QString path = file(c.text);
        EXPECT_FALSE(ImportProfileFile(path));
        ASSERT_EQ(driver.MessageTexts().size(), 1);
        EXPECT_TRUE(driver.MessageTexts()[0].contains(c.line)) << driver.MessageTexts()[0].toStdString();
        expectExistingProfile();
    }
}

TEST_F(ProfileImport, OversizedFileIsRefusedUnreadAndLongTokensAreQuotedInPart)
{
    existingProfile();
    // Good pairs padded past any profile's size: refused by its size alone.
    QByteArray big = "0,350\n";
    big += QByteArray(MaxProfileTextBytes, ' ');
    big += "10,340\n";
    EXPECT_FALSE(ImportProfileFile(file(big)));
    ASSERT_EQ(driver.MessageTexts().size(), 1);
    EXPECT_TRUE(driver.MessageTexts()[0].contains(QStringLiteral("is never larger than 64 KB")))
        << driver.MessageTexts()[0].toStdString();
    expectExistingProfile();

    // A pipe is no file to read: refused unopened, rather than waited on.
    driver.ClearLog();
    const QString pipe = dir.filePath(QStringLiteral("pipe.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(ImportProfileFile(pipe));
    ASSERT_EQ(driver.MessageTexts().size(), 1);
    EXPECT_TRUE(driver.MessageTexts()[0].contains(QStringLiteral("is not a plain file")))
        << driver.MessageTexts()[0].toStdString();
    expectExistingProfile();

    // A file just within the limit is read.
    driver.ClearLog();
    QByteArray within = "0,350\n";
    within += QByteArray(MaxProfileTextBytes - 20, ' ');
    within += "10,340\n";
    ASSERT_LE(within.size(), MaxProfileTextBytes);
    EXPECT_TRUE(ImportProfileFile(file(within)));
    EXPECT_TRUE(driver.MessageTexts().isEmpty());
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 2);

    // A bad token of 40 KB is named by its first characters only.
    driver.ClearLog();
    const QByteArray token = "9" + QByteArray(40000, 'x');
    EXPECT_FALSE(ImportProfileFile(file("0," + token + "\n")));
    ASSERT_EQ(driver.MessageTexts().size(), 1);
    const QString shown = driver.MessageTexts()[0];
    EXPECT_TRUE(shown.contains(QStringLiteral("\"9xxxxxxxxxxxxxxxxxxx...\" is not a number."))) << shown.toStdString();
    EXPECT_LT(shown.size(), 300);
}

TEST_F(ProfileImport, EnterInTheGridMovesOn)
{
    existingProfile();
    driver.OnceForm("TProfFromTxtDlg", [](ui::Form& f) {
        DialogDriver::Focus(f, "DBGrid1");
        DialogDriver::Enter(f);
        EXPECT_NE(f.ActiveControl(), DialogDriver::Find(f, "DBGrid1"));
        DialogDriver::Press(f, "OKBitBtn");
    });
    TProfFromTxtDlg dlg(nullptr);
    dlg.ShowModal();   // no file chosen: the profile stays
    expectExistingProfile();
}

TEST_F(ProfileImport, CancelledFileChoiceKeepsTheProfile)
{
    existingProfile();
    TProfFromTxtDlg dlg(nullptr);
    dlg.SelectFileBitBtnClick();   // no file answered: the dialog is cancelled
    EXPECT_EQ(driver.FileRequests().size(), 1u);
    expectExistingProfile();
    EXPECT_TRUE(dlg.FileName.isEmpty());
}

TEST_F(ProfileImport, GridShowsTheValuesAUserEditsAndAnInsertedRowTakesTypedValues)
{
    driver.AnswerFile(file("0,350\n1200,345\n"));
    QStringList titles;
    QStringList cells;
    driver.OnceForm("TProfFromTxtDlg", [&](ui::Form& f) {
        auto& dlg = static_cast<TProfFromTxtDlg&>(f);
        ui::DBGrid* grid = ui::DBGrid::Of(dlg.DBGrid1);
        for (int c = 0; c < dlg.DBGrid1->model()->columnCount(); ++c)
            titles << dlg.DBGrid1->model()->headerData(c, Qt::Horizontal).toString();
        // A row inserted before the end node, typed into as the user would.
        grid->SelectRow(1);
        dlg.DBNavigator1->Press(ui::nbInsert);
        grid->EditCell(0, "500");
        grid->EditCell(1, "348");
        dlg.DBNavigator1->Press(ui::nbPost);
        for (int r = 0; r < grid->RowCount(); ++r) cells << grid->CellText(r, 0) + "/" + grid->CellText(r, 2);
        DialogDriver::Press(f, "OKBitBtn");
    });
    TProfFromTxtDlg dlg(nullptr);
    EXPECT_EQ(dlg.ShowModal(), ui::mrOk);

    EXPECT_EQ(titles, (QStringList{"Station (ft)", "Ground Elev (ft)", "Node"}));
    EXPECT_EQ(cells, (QStringList{"0/Pipe entrance (any type)", "500/In line (normal)", "1200/End of line (normal)"}));
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join("|").toStdString();
    ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 3);
    EXPECT_EQ(Tul->NumNodes, 3);
    const double station[] = {0, 500, 1200}, ground[] = {350, 348, 345}, length[] = {0, 500, 700};
    const int type[] = {0, 1, 4};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Station"), station[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "GroundElev"), ground[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "PipeLength"), length[k]);
        EXPECT_EQ(int(ProfValue(k, "NodeType")), type[k]);
        EXPECT_EQ(int(ProfValue(k, "RecordNo")), k + 1);
    }
    EXPECT_DOUBLE_EQ(ProfValue(1, "PipeDepth"), 30.0);   // the local default cover
}

TEST_F(ProfileImport, OKRefusesARowLeftWithoutItsElevation)
{
    driver.AnswerFile(file("0,350\n1200,345\n"));
    bool stayedOpen = false;
    driver.OnceForm("TProfFromTxtDlg", [&](ui::Form& f) {
        auto& dlg = static_cast<TProfFromTxtDlg&>(f);
        dlg.DBNavigator1->Press(ui::nbInsert);
        ui::DBGrid::Of(dlg.DBGrid1)->EditCell(0, "700");
        DialogDriver::Press(f, "OKBitBtn");
        stayedOpen = f.isVisible();
        // Deleting the half-typed row lets the import go on.
        driver.Answer(ui::mrOk);
        dlg.DBNavigator1->Press(ui::nbDelete);
        DialogDriver::Press(f, "OKBitBtn");
    });
    TProfFromTxtDlg dlg(nullptr);
    EXPECT_EQ(dlg.ShowModal(), ui::mrOk);
    EXPECT_TRUE(stayedOpen);
    ASSERT_GE(driver.MessageTexts().size(), 1);
    EXPECT_EQ(driver.MessageTexts()[0],
              "Row 2 has no station or no ground elevation. Please type both in, or delete the row.");
    ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 2);
    EXPECT_EQ(int(ProfValue(1, "NodeType")), 4);
}

TEST_F(ProfileImport, FileThatIsNotTextIsRefusedWithoutQuotingIt)
{
    existingProfile();
    const QByteArray notText[] = {
        QByteArray("PK\x03\x04\x14\x00\x06\x00", 8) + "0,350\n",   // an archive
        "0,350\n500,\xff\xfe\xfd\n",                                   // not UTF-8
        "0,350\n\x1b[31m500,348\n",                                      // a terminal escape
    };
    for (const QByteArray& bytes : notText) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        driver.ClearLog();
        const QString path = file(bytes);
        EXPECT_FALSE(ImportProfileFile(path));
        ASSERT_EQ(driver.MessageTexts().size(), 1);
        const QString shown = driver.MessageTexts()[0];
        EXPECT_EQ(shown, QFileInfo(path).fileName() +
                             " is not a text file of station and elevation pairs. The profile was not changed.");
        expectExistingProfile();
    }
    // Tabs, CR LF line ends and a byte-order mark are text.
    driver.ClearLog();
    EXPECT_TRUE(ImportProfileFile(file("\xef\xbb\xbf" "0\t350\r\n500\t348\r\n")));
    EXPECT_TRUE(driver.MessageTexts().isEmpty());
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 2);
}

} // namespace
