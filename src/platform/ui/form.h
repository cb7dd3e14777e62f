#pragma once
// ui::Form: the base of every window and dialog.
//
// How to use it:
//   class TSaveForm : public ui::Form {
//       Q_OBJECT                          // lets the test driver find it by class name
//   public:
//       explicit TSaveForm(QWidget* owner) : ui::Form(owner) {
//           SetCaption("Save Job?");
//           OKBtn = ui::Make<QPushButton>(this, "OKBtn", "OK");
//           OnClick(OKBtn, [this] { OKBtnClick(); }, ui::mrOk);   // closes after the handler
//           SetDefaultButton(OKBtn);                                 // Enter elsewhere presses it
//       }
//       void FormShow() override;  void FormClose() override;
//   };
//   auto* f = new TSaveForm(this); f->ShowModal(); delete f;
//
// Lifecycle: FormShow runs just before the window becomes visible (it may
// open modal dialogs), FormActivate when it is first activated and whenever
// the user comes back to it from another non-modal window, but not when a
// modal form or message box it opened returns. FormClose runs once for
// every way of closing: Close(), a button with a modal result, Esc, the
// frame's close box. Nothing vetoes a close.
//
// Focus: OnEnter/OnExit handlers run in order (the old control's exit,
// then the new control's enter); a data-aware control writes its text into
// the row before its exit handler runs; SetFocus inside an enter or exit
// handler overrides the move in progress. Enter in a single-line field moves
// to the next control in tab order unless SetEnterKey says otherwise.
//
// A click that moves the focus onto a button is dropped when leaving the
// control before it is refused (the message of the refusal is all the user
// sees), except on the cancel button, which abandons the form anyway, and
// unless the user has typed since.
//
// A number field holding a refused entry (ui::SetNumericPicture) keeps the
// focus, with its tip, until the entry is corrected: no move and no button
// but Cancel goes past it. Escape there first gives back what the field
// showed before.
//
// Every handler runs through Run(): an exception is shown by the
// application's exception display and the form goes on.
#include "platform/ui/seam/msg.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

#include <QAbstractButton>
class QEventLoop;

namespace ui {

using Handler = std::function<void()>;

enum class Position { Designed, ScreenCenter, OwnerCenter };

// What Enter does in a control.
enum class EnterKey {
    Standard,      // single-line fields: next control; buttons: click; memos and grids: their own
    NextControl,   // move to the next control in tab order
    PressDefault,  // press the form's default button
    FocusTarget,   // move to a named control
    PressTarget,   // press a named button
    Ignore,        // the control handles Enter itself
};

class Form : public QWidget {
    Q_OBJECT
public:
    // owner: the opener (for centring and stacking); nullptr for the main window.
    explicit Form(QWidget* owner = nullptr);
    ~Form() override;

    // Handlers the derived forms override (each is also callable directly).
    virtual void FormShow() {}
    virtual void FormActivate() {}
    virtual void FormClose() {}
    // Asked before the Escape key presses the cancel button or closes a
    // modal form; false keeps the form as it is. A key pressed by mistake
    // must not throw work away.
    virtual bool EscapeAllowed() { return true; }

    void Show();              // non-modal
    int ShowModal();          // returns when closed; returns the modal result
    void Close();
    bool Modal() const { return loop_ != nullptr || modalRunning_; }

    // A non-zero result on a modal form closes it once the running handler returns.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result);

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    void SetPosition(Position p) { position_ = p; }
    void SetHelpContext(int context) { helpContext_ = context; }
    int HelpContext() const { return helpContext_; }

    // Buttons. The modal result is set before the handler and acted on after it.
    void OnClick(QAbstractButton* button, Handler handler, int modalResult = mrNone);
    void SetDefaultButton(QAbstractButton* button) { default_ = button; }
    void SetCancelButton(QAbstractButton* button) { cancel_ = button; }
    QAbstractButton* DefaultButton() const { return default_; }
    QAbstractButton* CancelButton() const { return cancel_; }
    // A user press: focus moves to the button when it takes focus, then it clicks.
    void Press(QAbstractButton* button);

    // Connects any signal to a handler run through Run().
    template <class Sender, class Signal>
    void Handle(Sender* sender, Signal signal, Handler handler)
    {
        connect(sender, signal, this, [this, h = std::move(handler)] { Run(h); });
    }
    // Runs a handler: exceptions go to the exception display; a modal
    // result set inside closes the form afterwards.
    void Run(const Handler& handler);

    // Focus.
    void OnEnter(QWidget* control, Handler handler);
    void OnExit(QWidget* control, Handler handler);
    void SetEnterKey(QWidget* control, EnterKey action, QWidget* target = nullptr);
    void SetFocus(QWidget* control);
    QWidget* ActiveControl() const { return current_; }
    // Inside an exit handler: the control the focus is moving to (else nullptr).
    QWidget* FocusTarget() const { return inExit_ ? pending_.data() : nullptr; }
    void SelectNext(QWidget* from = nullptr);   // the next control in tab order
    void SetControlHelpContext(QWidget* control, int context);

    // A control by its object name (tests and drivers).
    template <class T = QWidget>
    T* Control(const QString& name) const { return findChild<T*>(name); }

    // The form a control belongs to (nullptr when none).
    static Form* Of(QWidget* control);

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct ControlInfo {
        Handler enter, exit;
        EnterKey enterKey = EnterKey::Standard;
        QPointer<QWidget> target;
        int helpContext = 0;
    };
    QWidget* logical(QWidget* w) const;
    void focusChanged(QWidget* old, QWidget* now);
    void focusArrived(QWidget* now);
    void fireActivate();
    void closeNow();
    // A close asked for by the show handler, carried out once Qt has shown the window.
    void hideIfClosedInShow();
    void place();
    bool enterKey(QWidget* w);
    bool escapeKey();
    // A button other than Cancel pressed past a refused entry takes what the
    // field shows where only decimals it does not hold were refused; true then.
    bool takeShownEntry(QAbstractButton* button);
    void restoreQtFocus(QWidget* w);
    static void autoSelect(QWidget* w);
    static void scrollIntoView(QWidget* w);

    QHash<QWidget*, ControlInfo> controls_;
    QPointer<QWidget> current_;
    QPointer<QWidget> pending_;
    QPointer<QWidget> deferred_;
    QPointer<QWidget> refused_;     // the control the last refused move was heading for
    unsigned arrivals_ = 0;         // focus arrivals handled, to tell whether Qt reported one
    bool inExit_ = false;
    bool inEnter_ = false;
    bool hasDeferred_ = false;

    QPointer<QAbstractButton> default_;
    QPointer<QAbstractButton> cancel_;
    QEventLoop* loop_ = nullptr;
    bool modalRunning_ = false;
    int modalResult_ = mrNone;
    int handlerDepth_ = 0;
    bool closing_ = false;      // FormClose of this show has run
    bool inShow_ = false;       // FormShow is running
    bool active_ = false;
    bool lostToForm_ = false;
    unsigned seenModalSerial_ = 0;
    Position position_ = Position::Designed;
    int helpContext_ = 0;
};

// The width a window needs to show its whole caption in its frame's title
// bar; every form is at least this wide when shown.
int CaptionWidth(const QString& caption);

// Creates a child widget with its component name, e.g.
//   auto* ok = ui::Make<QPushButton>(panel, "OKBitBtn1", "OK");
template <class T, class... Args>
T* Make(QWidget* parent, const char* name, Args&&... args)
{
    T* w = new T(std::forward<Args>(args)..., parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace ui
