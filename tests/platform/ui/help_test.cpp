// The help layer: the help file format, finding the file, and what a request does.
#include "support/dialogdriver.h"

#include "platform/ui/help.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QApplication>

#include <gtest/gtest.h>

namespace {

const char* kBook = R"(<html><body>
<div class="topic" data-context="19" data-title="General Job Data" data-keywords="job;job name">
<h1>General Job Data</h1><p>Identify the job.</p></div>
<div class="topic" data-context="160" data-title="Learning to use Mersol &amp; Dunstrow"><p>Start here.</p></div>
<div class="topic" data-context="x" data-title="Broken"><p>no number</p></div>
</body></html>)";

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        old = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QFile f(dir.filePath("Mersol.HLP"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kBook);
    }
    void TearDown() override
    {
        QDir::setCurrent(old);
        ui::SetHelpFile({});
    }
    DialogDriver driver;
    QTemporaryDir dir;
    QString old;
};

TEST_F(HelpTest, ParsesTopicsByContextNumber)
{
    ui::HelpBook book = ui::HelpBook::Parse(kBook);
    ASSERT_EQ(book.Topics().size(), 2u);
    ASSERT_NE(book.Topic(19), nullptr);
    EXPECT_EQ(book.Topic(19)->title, "General Job Data");
    EXPECT_EQ(book.Topic(19)->keywords, (QStringList{"job", "job name"}));
    EXPECT_TRUE(book.Topic(19)->html.contains("Identify the job."));
    EXPECT_EQ(book.Topic(160)->title, "Learning to use Mersol & Dunstrow");
    EXPECT_EQ(book.Topic(46), nullptr);
    EXPECT_EQ(book.Search("name").size(), 1u);
    EXPECT_EQ(book.Search("").size(), 2u);
    EXPECT_TRUE(book.ContentsHtml().contains("ctx:160"));
}

TEST_F(HelpTest, FindsTheFileWhateverTheCaseOfItsName)
{
    EXPECT_EQ(QFileInfo(ui::ResolveHelpFile("Mersol.hlp")).fileName(), "Mersol.HLP");
    EXPECT_EQ(QFileInfo(ui::ResolveHelpFile("mersol.Hlp")).fileName(), "Mersol.HLP");
    EXPECT_EQ(ui::ResolveHelpFile("C:\\Program Files\\Brae\\Mersol\\Mersol.Hlp"), "");
    EXPECT_EQ(ui::ResolveHelpFile(dir.path() + "\\Mersol.hlp"), dir.filePath("Mersol.HLP"));
    EXPECT_EQ(ui::ResolveHelpFile(""), "");
}

TEST_F(HelpTest, RequestsAreRecordedByTheDriver)
{
    ui::SetHelpFile("Mersol.HLP");
    ui::HelpContext(19);
    ui::HelpContents();
    ui::HelpSearch("");
    ASSERT_EQ(driver.HelpRequests().size(), 3u);
    EXPECT_EQ(driver.HelpContexts(), std::vector<int>{19});
    EXPECT_EQ(driver.HelpRequests()[0].helpFile, "Mersol.HLP");
    EXPECT_EQ(driver.HelpRequests()[1].command, ui::HelpCommand::Contents);
    EXPECT_EQ(driver.HelpRequests()[2].command, ui::HelpCommand::Search);
}

TEST_F(HelpTest, MissingFileOrTopicGivesAClearMessage)
{
    driver.PassHelp(true);
    ui::SetHelpFile("C:\\Program Files\\Brae\\Mersol\\Mersol.Hlp");
    ui::HelpContext(19);
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Error);
    EXPECT_TRUE(driver.Messages()[0].text.contains("Cannot find the help file")) << driver.Messages()[0].text.toStdString();

    ui::SetHelpFile("Mersol.HLP");
    ui::HelpContext(999);
    ASSERT_EQ(driver.Messages().size(), 2u);
    EXPECT_TRUE(driver.Messages()[1].text.contains("999"));
}

TEST_F(HelpTest, ViewerShowsTheTopicAsked)
{
    driver.PassHelp(true);
    ui::SetHelpFile("Mersol.HLP");
    ui::HelpContext(19);
    EXPECT_TRUE(driver.Messages().empty());
    QWidget* viewer = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "HelpViewer" && w->isVisible()) viewer = w;
    ASSERT_NE(viewer, nullptr);
    auto* text = viewer->findChild<QTextBrowser*>("HelpText");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->toPlainText().contains("Identify the job."));
    // Left open, it does not keep the program running after its main window closed.
    EXPECT_FALSE(viewer->testAttribute(Qt::WA_QuitOnClose));
    viewer->close();
}

} // namespace
