// Notebook, radio group, status bar, cursor and file dialog behaviour.
#include "support/dialogdriver.h"

#include "platform/ui/cursor.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/statusbar.h"
#include "platform/ui/uiseam.h"

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTabBar>

#include <gtest/gtest.h>

namespace {

class ControlsTest : public ::testing::Test {
protected:
    DialogDriver driver;
};

TEST_F(ControlsTest, PageChangedFiresSynchronouslyOnRealChangesAndClickOnlyForTheUser)
{
    ui::Notebook nb;
    nb.AddPage("&General Job Data");
    nb.AddPage("&Profile Edit Data");
    nb.AddPage("&Output");
    QStringList log;
    QObject::connect(&nb, &ui::Notebook::PageChanged, [&](int i) { log << QString("Changed %1").arg(i); });
    QObject::connect(&nb, &ui::Notebook::Clicked, [&] { log << QString("Click on %1").arg(nb.PageIndex()); });
    EXPECT_TRUE(log.isEmpty());   // building the pages fires nothing

    nb.SetPageIndex(2);
    log << "after";
    nb.SetPageIndex(2);           // already shown: nothing
    EXPECT_EQ(log, (QStringList{"Changed 2", "after"}));

    log.clear();
    nb.tabBar()->setCurrentIndex(1);   // as a click on the tab does
    EXPECT_EQ(log, (QStringList{"Changed 1", "Click on 1"}));

    // A page handler that sends the notebook elsewhere: the nested change fires at once.
    log.clear();
    bool redirect = true;
    QObject::connect(&nb, &ui::Notebook::PageChanged, [&](int i) {
        if (i == 2 && redirect) { redirect = false; nb.SetPageIndex(1); }
    });
    nb.SetPageIndex(2);
    EXPECT_EQ(log, (QStringList{"Changed 2", "Changed 1"}));
    EXPECT_EQ(nb.PageIndex(), 1);

    // A disabled notebook still turns its page by code.
    log.clear();
    nb.setEnabled(false);
    nb.SetPageIndex(0);
    EXPECT_EQ(log, (QStringList{"Changed 0"}));
}

TEST_F(ControlsTest, TabsOnTheSideAreTallEnoughForTheirCaptions)
{
    for (auto position : {QTabWidget::North, QTabWidget::East}) {
        SCOPED_TRACE(int(position));
        ui::Notebook nb;
        nb.setTabPosition(position);
        nb.SetActiveTabStyle(nb.font().family(), 9, Qt::red, 22);
        nb.AddPage("&Node/Reach Data");
        nb.AddPage("&Minor Loss Data");
        nb.resize(600, 400);
        nb.show();
        QApplication::processEvents();
        QFont bold(nb.font().family(), 9, QFont::Bold);
        const int caption = QFontMetrics(bold).horizontalAdvance("Node/Reach Data");
        const QRect tab = nb.tabBar()->tabRect(0);
        const bool side = position == QTabWidget::East;
        // Along the tab the whole caption; across it the tab height asked for.
        EXPECT_GE(side ? tab.height() : tab.width(), caption);
        EXPECT_EQ(side ? tab.width() : tab.height(), 22);
    }
}

TEST_F(ControlsTest, RadioGroupClickIsForUserChoicesOnly)
{
    ui::RadioGroup g("Select System Type");
    g.setObjectName("SysTypeRadioGroup");
    g.SetItems({"Gravity system, known flow", "Gravity system, maximum flow", "Pumped system, known flow"});
    int clicks = 0, changes = 0;
    QObject::connect(&g, &ui::RadioGroup::Clicked, [&] { ++clicks; });
    QObject::connect(&g, &ui::RadioGroup::Changed, [&] { ++changes; });
    EXPECT_EQ(g.ItemIndex(), -1);
    g.SetItemIndex(1);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(changes, 1);
    g.ClickItem(2);
    EXPECT_EQ(g.ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);
    g.ClickItem(2);                // the checked item again: no change
    EXPECT_EQ(clicks, 1);
    g.SetItemIndex(-1);            // no choice at all
    EXPECT_EQ(g.ItemIndex(), -1);
    EXPECT_FALSE(g.Button(2)->isChecked());
    EXPECT_EQ(g.Button(0)->objectName(), "SysTypeRadioGroupItem0");
}

TEST_F(ControlsTest, StatusBarPanelsByIndex)
{
    ui::StatusBar sb;
    sb.SetPanels({150, 150});
    sb.SetPanelText(0, "Please make selection");
    sb.SetPanelText(1, "Welcome to Mersol!");
    sb.SetPanelText(5, "ignored");
    EXPECT_EQ(sb.PanelCount(), 2);
    EXPECT_EQ(sb.PanelText(0), "Please make selection");
    EXPECT_EQ(sb.PanelText(1), "Welcome to Mersol!");
    EXPECT_EQ(sb.PanelText(5), "");

    // The last panel reaches the right edge, so a long job name is not cut off.
    sb.resize(650, 20);
    sb.show();
    QApplication::processEvents();
    auto* first = sb.findChild<QLabel*>("Panel0");
    auto* last = sb.findChild<QLabel*>("Panel1");
    ASSERT_TRUE(first && last);
    EXPECT_EQ(first->width(), 150);
    EXPECT_GT(last->width(), 400);
}

TEST_F(ControlsTest, CursorIsRestoredAlsoWhenAnExceptionPasses)
{
    ASSERT_EQ(ui::ScreenCursor(), ui::Cursor::Default);
    try {
        ui::CursorScope wait;
        EXPECT_EQ(ui::ScreenCursor(), ui::Cursor::HourGlass);
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        {
            ui::CursorScope arrow(ui::Cursor::Arrow);   // nested: restores the hourglass
        }
        EXPECT_EQ(ui::ScreenCursor(), ui::Cursor::HourGlass);
        throw std::runtime_error("load failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(ui::ScreenCursor(), ui::Cursor::Default);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ControlsTest, FileDialogsGoThroughTheDriver)
{
    driver.AnswerFile("/tmp/profile.txt");
    EXPECT_EQ(ui::OpenFileDialog("Open profile", "/tmp", "Text files (*.txt)"), "/tmp/profile.txt");
    EXPECT_EQ(ui::SaveFileDialog("Save", "", ""), "");   // nothing queued: cancelled
    ASSERT_EQ(driver.FileRequests().size(), 2u);
    EXPECT_FALSE(driver.FileRequests()[0].save);
    EXPECT_EQ(driver.FileRequests()[0].filter, "Text files (*.txt)");
    EXPECT_TRUE(driver.FileRequests()[1].save);
}

TEST_F(ControlsTest, MessagesAreAnsweredInOrderAndLoggedExactly)
{
    driver.Answer(ui::mrNo);
    int a = ui::MessageDlg("The job X already exists.  Do you want to replace it?", ui::MsgType::Confirmation, ui::mbYesNo);
    int b = ui::MessageDlg("Job will be saved as X. ", ui::MsgType::Information, ui::mbOK);
    int c = ui::MessageBoxYesNo("Delete?", "Pipe Sizes");
    EXPECT_EQ(a, ui::mrNo);
    EXPECT_EQ(b, ui::mrOk);
    EXPECT_EQ(c, ui::mrYes);
    ASSERT_EQ(driver.Messages().size(), 3u);
    EXPECT_EQ(driver.Messages()[0].text, "The job X already exists.  Do you want to replace it?");
    EXPECT_EQ(driver.Messages()[1].text, "Job will be saved as X. ");
    EXPECT_TRUE(driver.Messages()[2].plainBox);
    EXPECT_EQ(driver.Messages()[2].caption, "Pipe Sizes");
}

} // namespace
