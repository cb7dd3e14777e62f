// The job page as a user sees it at the window's first size: what shows
// without scrolling once the system panel is up, the cfs beside the design
// flow, and system dialogs wide enough for their captions.
#include "support/jobwindow.h"

#include "dialogs/system/known_flow_dialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>

#include "platform/ui/radiogroup.h"

namespace {

using testsupport::JobWindowTest;

class JobPageLayoutTest : public JobWindowTest {
protected:
    // Lets the layouts settle as they would before the window is painted.
    void settle()
    {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            form->layout()->activate();
        }
    }
    // True when no part of the control is clipped by anything it sits in.
    bool unclipped(QWidget* w) const
    {
        if (!w->isVisible()) return false;
        QRect r = w->rect();
        for (QWidget* c = w; c != form; c = c->parentWidget()) {
            r.translate(c->pos());
            if (!c->parentWidget()->rect().contains(r)) return false;
        }
        return true;
    }
    // A new job whose known-flow dialog is answered with a flow of 500 gpm.
    void newGravityJob()
    {
        newNamedJob("Smith");
        driver.OnceForm("TKnownFlowDlg", [](ui::Form& d) {
            DialogDriver::Type(d, "FlowDBNF", "500");
            DialogDriver::Type(d, "OvcDbNumericField2", "100");
            DialogDriver::Press(d, "OKBitBtn1");
        });
        DialogDriver::Press(*form, "SelSystemEditBtn");
        ASSERT_EQ(driver.FormsShown(), QStringList{"TKnownFlowDlg"});
    }
    bool shown(QWidget* w) const { return w->isVisibleTo(form->EntranceDataGroupBox); }
};

TEST_F(JobPageLayoutTest, DateAndButtonsShowWithoutScrollingOnceThePanelIsUp)
{
    ASSERT_EQ(form->size(), QSize(657, 545));   // the window as it first opens
    newGravityJob();
    settle();
    ASSERT_TRUE(form->EntranceDataGroupBox->isVisible());
    for (QWidget* w : {static_cast<QWidget*>(form->DateDBPF), static_cast<QWidget*>(form->OKBitBtn2),
                       static_cast<QWidget*>(form->BitBtn1), static_cast<QWidget*>(form->SelSystemEditBtn)})
        EXPECT_TRUE(unclipped(w)) << w->objectName().toStdString();
    // The gravity panel itself is whole too, down to its entrance notes.
    for (QWidget* w : form->EntranceDataGroupBox->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isVisible()) EXPECT_TRUE(unclipped(w)) << w->objectName().toStdString();
    EXPECT_EQ(form->ScrollArea1->verticalScrollBar()->maximum(), 0);

    // Tab order still runs from the date to the buttons.
    EXPECT_EQ(form->DateDBPF->nextInFocusChain(), form->OKBitBtn2);
}

TEST_F(JobPageLayoutTest, TheTallestPanelStillLeavesDateAndButtonsInSight)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "PUMPED"}, {"PumpType", "CENTRIF"}, {"DesignFlow", 500.0}});
    settle();
    ASSERT_TRUE(shown(form->CentPumpGrid));
    // The panel grows to hold its suction grid and heads; the page scrolls
    // them into reach, but the date and the buttons stay where they are.
    EXPECT_GE(form->EntranceDataGroupBox->height(), form->TDSHDBTxt->geometry().bottom());
    for (QWidget* w : {static_cast<QWidget*>(form->DateDBPF), static_cast<QWidget*>(form->OKBitBtn2),
                       static_cast<QWidget*>(form->BitBtn1)})
        EXPECT_TRUE(unclipped(w)) << w->objectName().toStdString();
}

TEST_F(JobPageLayoutTest, CfsShowsAsSoonAsTheSystemDialogCloses)
{
    newGravityJob();
    EXPECT_TRUE(shown(form->Qcfs));
    EXPECT_TRUE(shown(form->cfsLbl));
    EXPECT_EQ(form->Qcfs->text(), "1.11");
    EXPECT_EQ(form->cfsLbl->text(), "cfs");

    // A pressurised main shows the cfs without its unit, as its page does.
    loadedJob({{"JobName", "Jones"}, {"SysType", "PRESSURE"}, {"PumpType", "PRESSFIND"}, {"DesignFlow", 897.66}});
    form->Qcfs->hide();
    Tul->DesignFlowCfs = 2.0;   // as the job loader leaves it
    driver.OnceForm("TPressureFrmMainDlg", [](ui::Form& d) { DialogDriver::Press(d, "OKBitBtn1"); });
    DialogDriver::Focus(*form, "JobDesignerDBSF");
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_TRUE(driver.FormsShown().contains("TPressureFrmMainDlg"));
    EXPECT_TRUE(shown(form->Qcfs));
    EXPECT_FALSE(shown(form->cfsLbl));
    EXPECT_EQ(form->Qcfs->text(), "2.00");
}

TEST_F(JobPageLayoutTest, SystemDialogsAreWideEnoughForTheirCaptions)
{
    newNamedJob("Smith");
    QFont bold = QApplication::font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    int width = 0, needed = 0;
    driver.OnceForm("TKnownFlowDlg", [&](ui::Form& d) {
        width = d.width();
        // The caption and, beside it, the frame's icon and three buttons, as
        // wide as common desktops draw them (46 px each).
        needed = fm.horizontalAdvance(d.Caption()) + 3 * 46 + 32;
        DialogDriver::Press(d, "CancelBitBtn2");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    ASSERT_GT(needed, 0);
    EXPECT_GE(width, needed);
}

TEST_F(JobPageLayoutTest, PanelCaptionsShowWhole)
{
    const char* const pumps[] = {"CENTRIF", "TURBINE", "PROPELLER", "BOOSTER", "AUTOPUMP"};
    for (const char* pump : pumps) {
        SCOPED_TRACE(pump);
        loadedJob({{"JobName", "Smith"}, {"SysType", "PUMPED"}, {"PumpType", pump}, {"DesignFlow", 500.0}});
        settle();
        QGroupBox* panel = form->EntranceDataGroupBox;
        const int text = QFontMetrics(panel->font()).horizontalAdvance(panel->title());
        EXPECT_LE(text + 8, panel->width()) << panel->title().toStdString();
    }
}

} // namespace
