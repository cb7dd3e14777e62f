// Event order of forms: show, activate, close, focus moves and the Enter key.
#include "support/dialogdriver.h"

#include "platform/ui/application.h"
#include "platform/ui/form.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWindow>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A dialog that logs every handler it runs.
class LogForm : public ui::Form {
    Q_OBJECT
public:
    explicit LogForm(QStringList* log, QWidget* owner = nullptr) : ui::Form(owner), log_(log)
    {
        setObjectName("LogForm");
        SetCaption("Log Form");
        auto* lay = new QVBoxLayout(this);
        for (const char* n : {"Edit1", "Edit2", "Edit3"}) {
            auto* e = ui::Make<QLineEdit>(this, n);
            lay->addWidget(e);
            QString name = QString::fromLatin1(n);
            OnEnter(e, [this, name] { *log_ << name + ".Enter"; if (onEnter) onEnter(name); });
            OnExit(e, [this, name] { *log_ << name + ".Exit"; if (onExit) onExit(name); });
        }
        OKBtn = ui::Make<QPushButton>(this, "OKBtn", "OK");
        CancelBtn = ui::Make<QPushButton>(this, "CancelBtn", "Cancel");
        lay->addWidget(OKBtn);
        lay->addWidget(CancelBtn);
        OnClick(OKBtn, [this] { *log_ << "OK.Click(" + QString::number(Modal()) + ")"; }, ui::mrOk);
        OnClick(CancelBtn, [this] { *log_ << "Cancel.Click"; }, ui::mrCancel);
        SetDefaultButton(OKBtn);
        SetCancelButton(CancelBtn);
    }
    void FormShow() override
    {
        bool onScreen = windowHandle() && windowHandle()->isVisible();
        *log_ << "Show(" + QString::number(onScreen) + ")";
        if (onShow) onShow();
    }
    void FormActivate() override { *log_ << "Activate"; }
    void FormClose() override { *log_ << "Close(" + QString::number(ModalResult()) + ")"; }

    std::function<void()> onShow;
    std::function<void(const QString&)> onEnter, onExit;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    QStringList* log_;
};

class FormTest : public ::testing::Test {
protected:
    DialogDriver driver;
    QStringList log;
};

TEST_F(FormTest, ModalFormRunsShowThenActivateAndClosesAfterTheClickHandler)
{
    LogForm f(&log);
    driver.OnForm("LogForm", [](ui::Form& form) { DialogDriver::Press(form, "OKBtn"); });
    int result = f.ShowModal();
    EXPECT_EQ(result, ui::mrOk);
    EXPECT_FALSE(f.isVisible());
    // Show runs before the window is visible; the form is still modal in the click handler.
    EXPECT_EQ(log, (QStringList{"Show(0)", "Activate", "OK.Click(1)", "Close(1)"}));
    EXPECT_EQ(driver.FormsShown().size(), 1);
}

TEST_F(FormTest, EveryWayOfClosingRunsTheCloseHandlerOnce)
{
    struct Way { const char* name; std::function<void(ui::Form&)> act; int result; };
    const Way ways[] = {
        {"cancel button", [](ui::Form& f) { DialogDriver::Press(f, "CancelBtn"); }, ui::mrCancel},
        {"Esc", [](ui::Form& f) { DialogDriver::Escape(f); }, ui::mrCancel},
        {"close box", [](ui::Form& f) { DialogDriver::CloseBox(f); }, ui::mrCancel},
        {"Close()", [](ui::Form& f) { f.Close(); }, ui::mrCancel},
        {"untouched", [](ui::Form&) {}, ui::mrCancel},
        {"Enter presses default", [](ui::Form& f) { DialogDriver::Focus(f, "OKBtn"); DialogDriver::Enter(f); }, ui::mrOk},
    };
    for (const Way& w : ways) {
        log.clear();
        LogForm f(&log);
        driver.OnceForm("LogForm", w.act);
        EXPECT_EQ(f.ShowModal(), w.result) << w.name;
        EXPECT_EQ(log.filter("Close(").size(), 1) << w.name << ": " << log.join(",").toStdString();
        EXPECT_FALSE(f.isVisible()) << w.name;
    }
}

TEST_F(FormTest, ClosingTheMainFormByCodeEndsTheProgram)
{
    // Windows other tests left open would keep the program running.
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    LogForm main(&log);
    main.Show();
    bool lastClosed = false;
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, &main, [&] { lastClosed = true; });
    QTimer::singleShot(0, &main, [&] { main.Close(); });   // as an Exit button does
    QTimer guard;   // only for a failure: the loop would never end by itself
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, &QCoreApplication::quit);
    guard.start(5000);
    QApplication::exec();
    EXPECT_TRUE(lastClosed);
    EXPECT_TRUE(guard.isActive());
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(log.filter("Close(").size(), 1) << log.join(",").toStdString();
}

TEST_F(FormTest, ButtonWithoutAHandlerClosesByItsModalResult)
{
    LogForm f(&log);
    auto* plain = ui::Make<QPushButton>(&f, "PlainBtn", "Cancel");
    f.layout()->addWidget(plain);
    f.OnClick(plain, {}, ui::mrCancel);
    driver.OnceForm("LogForm", [](ui::Form& form) {
        DialogDriver::Press(form, "PlainBtn");
        EXPECT_FALSE(form.isVisible());
    });
    EXPECT_EQ(f.ShowModal(), ui::mrCancel);
    EXPECT_EQ(log.filter("Close(").size(), 1);
}

TEST_F(FormTest, ShowHandlerMayOpenAModalDialogBeforeTheFormIsVisible)
{
    LogForm f(&log);
    f.onShow = [] { ui::MessageDlg("Enter the flow first", ui::MsgType::Information, ui::mbOK); };
    driver.OnForm("LogForm", [](ui::Form& form) { form.Close(); });
    f.ShowModal();
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(log.first(), "Show(0)");
    EXPECT_EQ(log.count("Activate"), 1);
}

TEST_F(FormTest, FormClosedByItsShowHandlerLeavesNoWindowOnScreen)
{
    LogForm f(&log);
    f.onShow = [&f] { f.Close(); };
    EXPECT_EQ(f.ShowModal(), ui::mrCancel);
    EXPECT_FALSE(f.windowHandle()->isVisible());   // a modal left there blocks every other window
}

TEST_F(FormTest, ActivateFiresOnReturnFromAnotherWindowButNotFromAModalItOpened)
{
    LogForm main(&log);
    main.Show();
    EXPECT_EQ(log, (QStringList{"Show(0)", "Activate"}));
    QApplication::setActiveWindow(&main);

    // The user goes to another non-modal window of the program and back.
    QStringList otherLog;
    LogForm other(&otherLog);
    other.Show();
    QApplication::setActiveWindow(&other);
    QApplication::setActiveWindow(&main);
    EXPECT_EQ(log.count("Activate"), 2);

    // A message box and a modal form opened from the window take the activation and give it back.
    log.clear();
    ui::MessageDlg("A note", ui::MsgType::Information, ui::mbOK);
    QStringList childLog;
    {
        LogForm child(&childLog, &main);
        driver.OnceForm("LogForm", [](ui::Form& f) {
            QApplication::setActiveWindow(&f);
            f.Close();
        });
        child.ShowModal();
    }
    QApplication::setActiveWindow(&main);
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    EXPECT_EQ(log.count("Activate"), 0) << log.join(",").toStdString();
    other.Close();
    main.Close();
}

TEST_F(FormTest, ExitRunsBeforeEnterAndSetFocusInExitOverridesTheMove)
{
    LogForm f(&log);
    f.Show();
    log.clear();
    DialogDriver::Focus(f, "Edit1");
    DialogDriver::Focus(f, "Edit2");
    EXPECT_EQ(log, (QStringList{"Edit1.Enter", "Edit1.Exit", "Edit2.Enter"}));

    log.clear();
    f.onExit = [&f](const QString& name) {
        if (name == "Edit2") f.SetFocus(f.Control<QLineEdit>("Edit1"));
    };
    DialogDriver::Focus(f, "Edit3");
    // Edit3 never gets its enter handler: the exit handler sent the focus back.
    EXPECT_EQ(log, (QStringList{"Edit2.Exit", "Edit1.Enter"}));
    EXPECT_EQ(f.ActiveControl(), f.Control<QLineEdit>("Edit1"));
    f.Close();
}

TEST_F(FormTest, SetFocusInEnterMovesOnAfterTheEnterHandlerFinishes)
{
    LogForm f(&log);
    f.Show();
    DialogDriver::Focus(f, "Edit1");
    log.clear();
    f.onEnter = [&f](const QString& name) {
        if (name == "Edit2") f.SetFocus(f.Control<QLineEdit>("Edit3"));
    };
    DialogDriver::Focus(f, "Edit2");
    EXPECT_EQ(log, (QStringList{"Edit1.Exit", "Edit2.Enter", "Edit2.Exit", "Edit3.Enter"}));
    f.Close();
}

TEST_F(FormTest, MessageFromAnExitHandlerDoesNotRefireHandlers)
{
    LogForm f(&log);
    f.Show();
    DialogDriver::Focus(f, "Edit1");
    log.clear();
    f.onExit = [](const QString&) { ui::MessageDlg("You must enter a Job Name", ui::MsgType::Error, ui::mbOK); };
    DialogDriver::Focus(f, "Edit2");
    QApplication::processEvents();
    EXPECT_EQ(log, (QStringList{"Edit1.Exit", "Edit2.Enter"}));
    EXPECT_EQ(driver.MessageTexts(), QStringList{"You must enter a Job Name"});
    f.Close();
}

TEST_F(FormTest, EnterMovesToTheNextControlOrAsTheFieldSays)
{
    LogForm f(&log);
    f.Show();
    DialogDriver::Focus(f, "Edit1");
    DialogDriver::Enter(f);
    EXPECT_EQ(f.ActiveControl()->objectName(), "Edit2");
    DialogDriver::Enter(f);
    EXPECT_EQ(f.ActiveControl()->objectName(), "Edit3");

    // A field whose Enter goes to a named control, and one whose Enter presses OK.
    f.SetEnterKey(f.Control<QLineEdit>("Edit1"), ui::EnterKey::FocusTarget, f.Control<QLineEdit>("Edit3"));
    DialogDriver::Focus(f, "Edit1");
    DialogDriver::Enter(f);
    EXPECT_EQ(f.ActiveControl()->objectName(), "Edit3");
    log.clear();
    f.SetEnterKey(f.Control<QLineEdit>("Edit3"), ui::EnterKey::PressDefault);
    DialogDriver::Enter(f);
    EXPECT_EQ(log, (QStringList{"Edit3.Exit", "OK.Click(0)"}));
    f.Close();
}

TEST_F(FormTest, FieldEnteredFromTheKeyboardHasItsTextSelectedAfterItsHandlers)
{
    // Handlers that re-find a row reload the bound text; typing must still
    // replace it, not append to it.
    LogForm f(&log);
    f.Show();
    auto* edit2 = f.Control<QLineEdit>("Edit2");
    auto* edit3 = f.Control<QLineEdit>("Edit3");
    edit2->setText("0.00");
    f.onEnter = [edit2](const QString& name) {
        if (name == "Edit2") edit2->setText("0.00");
    };
    f.onExit = [edit3](const QString& name) {
        if (name == "Edit2") edit3->setText("3.34");
    };
    DialogDriver::Focus(f, "Edit1");
    DialogDriver::Enter(f);
    ASSERT_EQ(f.ActiveControl(), edit2);
    EXPECT_EQ(edit2->selectedText(), "0.00");
    DialogDriver::Enter(f);
    ASSERT_EQ(f.ActiveControl(), edit3);
    EXPECT_EQ(edit3->selectedText(), "3.34");
    f.SetFocus(edit2);
    EXPECT_EQ(edit2->selectedText(), "0.00");
    f.Close();
}

TEST_F(FormTest, FieldFocusedByTheShowHandlerHasItsTextSelectedOnceTheFormIsUp)
{
    // The show handler focuses a field, then reloads the row under it: the
    // field the form opens on still takes typing in place of its value.
    LogForm f(&log);
    auto* edit2 = f.Control<QLineEdit>("Edit2");
    f.onShow = [&f, edit2] {
        f.SetFocus(edit2);
        edit2->setText("0.0");
    };
    QString selected;
    driver.OnceForm("LogForm", [&selected, edit2](ui::Form& form) {
        QApplication::processEvents();
        selected = edit2->selectedText();
        DialogDriver::Press(form, "OKBtn");
    });
    f.ShowModal();
    EXPECT_EQ(selected, "0.0");
}

TEST_F(FormTest, FocusedFieldInAScrollBoxIsScrolledIntoView)
{
    ui::Form f(nullptr);
    auto* lay = new QVBoxLayout(&f);
    auto* box = new QScrollArea(&f);
    box->setWidgetResizable(true);
    auto* inner = new QWidget;
    auto* col = new QVBoxLayout(inner);
    col->addSpacing(900);
    auto* far = ui::Make<QLineEdit>(inner, "Far");
    col->addWidget(far);
    box->setWidget(inner);
    lay->addWidget(box);
    f.resize(300, 200);
    f.Show();
    QApplication::processEvents();
    ASSERT_EQ(box->verticalScrollBar()->value(), 0);
    f.SetFocus(far);
    QApplication::processEvents();
    const QRect seen = box->viewport()->rect();
    const QRect at(far->mapTo(box->viewport(), QPoint()), far->size());
    EXPECT_TRUE(seen.contains(at)) << at.y() << " not within " << seen.height();
    f.Close();
}

TEST_F(FormTest, DialogCentredOnItsOwnerIsCentredByItsLaidOutSize)
{
    LogForm owner(&log);
    owner.setGeometry(300, 200, 660, 540);
    owner.Show();
    LogForm dlg(&log, &owner);   // never resized: its layout gives its size
    dlg.SetPosition(ui::Position::OwnerCenter);
    QPoint centre;
    driver.OnceForm("LogForm", [&centre](ui::Form& f) {
        centre = f.frameGeometry().center();
        DialogDriver::Press(f, "OKBtn");
    });
    dlg.ShowModal();
    const QPoint want = owner.frameGeometry().center();
    EXPECT_LE((centre - want).manhattanLength(), 4) << centre.x() << "," << centre.y();
    owner.Close();
}

TEST_F(FormTest, FormIsShownAtLeastAsWideAsItsCaption)
{
    LogForm dlg(&log);
    dlg.SetCaption("A caption far longer than anything the small form holds");
    int shownWidth = 0;
    driver.OnceForm("LogForm", [&](ui::Form& f) {
        shownWidth = f.width();
        DialogDriver::Press(f, "OKBtn");
    });
    ASSERT_LT(dlg.sizeHint().width(), ui::CaptionWidth(dlg.Caption()));
    dlg.ShowModal();
    EXPECT_GE(shownWidth, ui::CaptionWidth(dlg.Caption()));
    // Room for the caption beside the frame's buttons, whatever the font.
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GE(ui::CaptionWidth(dlg.Caption()), QFontMetrics(bold).horizontalAdvance(dlg.Caption()) + 150);

    // A form sized by its code and wide enough keeps its size.
    LogForm wide(&log);
    wide.SetCaption("Short");
    wide.resize(500, 300);
    driver.OnceForm("LogForm", [&](ui::Form& f) {
        shownWidth = f.width();
        DialogDriver::Press(f, "OKBtn");
    });
    wide.ShowModal();
    EXPECT_EQ(shownWidth, 500);
}

TEST_F(FormTest, DisabledOrHiddenControlsAreSkippedByEnter)
{
    LogForm f(&log);
    f.Show();
    f.Control<QLineEdit>("Edit2")->setEnabled(false);
    DialogDriver::Focus(f, "Edit1");
    DialogDriver::Enter(f);
    EXPECT_EQ(f.ActiveControl()->objectName(), "Edit3");
    f.Close();
}

TEST_F(FormTest, ExceptionInAHandlerIsShownAndTheFormGoesOn)
{
    LogForm f(&log);
    driver.OnForm("LogForm", [](ui::Form& form) {
        form.Run([] { throw std::runtime_error("Table is not open"); });
        DialogDriver::Press(form, "OKBtn");
    });
    EXPECT_EQ(f.ShowModal(), ui::mrOk);
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Error);
    EXPECT_EQ(driver.Messages()[0].text, "Table is not open");
}

TEST_F(FormTest, ModalResultSetInAHandlerClosesOnlyAfterIt)
{
    LogForm f(&log);
    QStringList order;
    driver.OnForm("LogForm", [&order](ui::Form& form) {
        form.Run([&] {
            form.SetModalResult(ui::mrOk);
            order << QString("visible=%1").arg(form.isVisible());
        });
        order << QString("after=%1").arg(form.isVisible());
    });
    EXPECT_EQ(f.ShowModal(), ui::mrOk);
    EXPECT_EQ(order, (QStringList{"visible=1", "after=0"}));
}

TEST_F(FormTest, UnansweredFormIsLoggedAndLeftTheEscWay)
{
    LogForm f(&log);
    EXPECT_EQ(f.ShowModal(), ui::mrCancel);
    EXPECT_TRUE(log.contains("Cancel.Click"));
    EXPECT_EQ(driver.Unanswered().size(), 1);
}

} // namespace

#include "form_test.moc"
