#pragma once
// The dialog driver: answers every dialog of the program in tests, without a
// screen. Make one at the start of a test; it installs itself as the message
// sink and the UI driver, and restores the previous ones when it goes.
//
//   DialogDriver d;
//   d.Answer(ui::mrYes);                               // the next message box answers Yes
//   d.OnForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "OKBtn"); });
//   d.AnswerFile("/tmp/profile.txt");                  // the next file dialog picks this
//   ... run the code under test ...
//   EXPECT_EQ(d.MessageTexts(), QStringList{"Job will be saved as X."});
//   EXPECT_EQ(d.HelpContexts(), std::vector<int>{19});
//
// A modal form with no handler is logged and closed the Esc way; a message
// with no queued answer gets the default answer (the first of Yes, OK).
#include "platform/ui/form.h"
#include "platform/ui/uiseam.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

class DialogDriver : public ui::MessageSink, public ui::UiDriver {
public:
    using FormAction = std::function<void(ui::Form&)>;

    DialogDriver();
    ~DialogDriver() override;
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Messages.
    void Answer(int modalResult) { answers_.push_back(modalResult); }
    void SetDefaultAnswer(int modalResult) { default_ = modalResult; }
    const std::vector<ui::Message>& Messages() const { return messages_; }
    QStringList MessageTexts() const;

    // Modal forms, matched by class name, object name or caption. A handler
    // given with OnForm answers every showing; OnceForm only the next one.
    void OnForm(const QString& which, FormAction action);
    void OnceForm(const QString& which, FormAction action);
    // The next form shown, whatever it is, before every other handler.
    void NextForm(FormAction action);
    const QStringList& FormsShown() const { return formsShown_; }   // class names, in order
    const QStringList& Unanswered() const { return unanswered_; }

    // File dialogs: queued answers; an empty queue cancels.
    void AnswerFile(const QString& path) { files_.push_back(path); }
    const std::vector<ui::FileRequest>& FileRequests() const { return fileRequests_; }

    // Help requests are recorded; with PassHelp(true) the help layer goes on.
    const std::vector<ui::HelpRequest>& HelpRequests() const { return help_; }
    std::vector<int> HelpContexts() const;
    void PassHelp(bool on) { passHelp_ = on; }

    void ClearLog();

    // Acting as the user on a form.
    static QWidget* Find(ui::Form& f, const QString& name);   // fails the test when missing
    static void Focus(ui::Form& f, const QString& control);
    static void Type(ui::Form& f, const QString& control, const QString& text);
    static void Press(ui::Form& f, const QString& button);
    static void Check(ui::Form& f, const QString& box, bool on);
    static void Choose(ui::Form& f, const QString& combo, const QString& item);
    static void Key(ui::Form& f, int qtKey);   // to the focused control
    // Typed key by key into the focused control as a user types, and the Tab
    // key there; the form becomes the active window first.
    static void Keys(ui::Form& f, const QString& text);
    static void Tab(ui::Form& f);
    // Keyed in as a user does: a mouse click into the control, its text
    // selected with Ctrl+A, then `text` key by key, and Tab to leave it.
    static void KeyIn(ui::Form& f, const QString& control, const QString& text);
    static void Enter(ui::Form& f) { Key(f, Qt::Key_Return); }
    static void Escape(ui::Form& f) { Key(f, Qt::Key_Escape); }
    static void CloseBox(ui::Form& f);          // the frame's close box

    // ui::MessageSink, ui::UiDriver
    int show(const ui::Message& m) override;
    void FormShown(ui::Form& form) override;
    std::optional<QString> FileDialog(const ui::FileRequest& request) override;
    bool Help(const ui::HelpRequest& request) override;

private:
    struct Rule { QString which; FormAction action; bool once; };
    static bool matches(const ui::Form& f, const QString& which);

    std::deque<int> answers_;
    int default_ = ui::mrNone;
    std::vector<ui::Message> messages_;
    std::vector<Rule> rules_;
    QStringList formsShown_, unanswered_;
    std::deque<QString> files_;
    std::vector<ui::FileRequest> fileRequests_;
    std::vector<ui::HelpRequest> help_;
    bool passHelp_ = false;
    ui::MessageSink* oldSink_;
    ui::UiDriver* oldDriver_;
};
