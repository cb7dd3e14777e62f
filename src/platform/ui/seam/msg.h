#pragma once
// The message seam. Everything that shows a message dialog goes through
// MessageDlg, so tests can answer dialogs and read what was said. This header
// knows no widgets: the engine and the model report through it too.
#include <QString>
#include <QStringList>

namespace ui {

enum class MsgType { Warning, Error, Information, Confirmation, Custom };

// Button set flags, combined with |.
enum MsgButton : unsigned {
    mbYes = 1u << 0, mbNo = 1u << 1, mbOK = 1u << 2, mbCancel = 1u << 3,
    mbAbort = 1u << 4, mbRetry = 1u << 5, mbIgnore = 1u << 6, mbAll = 1u << 7,
    mbHelp = 1u << 8,
};
using MsgButtons = unsigned;
constexpr MsgButtons mbYesNo = mbYes | mbNo;
constexpr MsgButtons mbOKCancel = mbOK | mbCancel;
constexpr MsgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;

// What a closed dialog answers.
enum ModalResult : int {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
    mrYes = 6, mrNo = 7, mrAll = 8,
};

struct Message {
    MsgType type = MsgType::Information;
    QString text;
    MsgButtons buttons = mbOK;
    int helpContext = 0;
    QString caption;   // empty: the application title
    bool plainBox = false; // the one plain Yes/No message box of the pipe editor
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual int show(const Message& m) = 0;   // returns a ModalResult
};

// Shows a message dialog with the given type and buttons; returns the ModalResult.
int MessageDlg(const QString& text, MsgType type, MsgButtons buttons, int helpContext = 0);
// The plain Yes/No message box (caption given); returns mrYes or mrNo.
int MessageBoxYesNo(const QString& text, const QString& caption);
// Short form: information dialog with OK.
void ShowMessage(const QString& text);

// Installs the sink every dialog goes through; returns the previous one.
// With no sink installed, messages are written to stderr and answered with
// the first of Yes, OK.
MessageSink* SetMessageSink(MessageSink* sink);
MessageSink* CurrentMessageSink();

// Notes the error and warning messages shown while it lives and passes every message on
// as before: a caller can tell from them whether what it ran went wrong.
class ErrorWatch : public MessageSink {
public:
    ErrorWatch();
    ~ErrorWatch() override;
    ErrorWatch(const ErrorWatch&) = delete;
    ErrorWatch& operator=(const ErrorWatch&) = delete;
    int show(const Message& m) override;
    // The texts of the error messages shown, in order.
    const QStringList& Errors() const { return errors_; }
    // The texts of the error and warning messages shown, in order.
    const QStringList& Faults() const { return faults_; }

private:
    MessageSink* previous_;
    QStringList errors_;
    QStringList faults_;
};

// While it lives, holds back each error and warning message that an earlier
// pass of a run showed, so a pass run again says only what it finds anew;
// within one pass every message passes on.
class RepeatHold : public MessageSink {
public:
    RepeatHold();
    ~RepeatHold() override;
    RepeatHold(const RepeatHold&) = delete;
    RepeatHold& operator=(const RepeatHold&) = delete;
    int show(const Message& m) override;
    // What the pass so far showed counts as said.
    void NextPass();

private:
    MessageSink* previous_;
    QStringList said_;
    QStringList saying_;
};

} // namespace ui
