#include "platform/ui/form.h"

#include "platform/ui/application.h"
#include "platform/ui/dbcontrols.h"
#include "platform/db/db.h"
#include "platform/ui/help.h"
#include "platform/ui/uiseam.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QTextEdit>

namespace ui {
namespace {
// The data-aware binding of a control, if it has one (a child object that is a data link).
db::DataLink* bindingOf(QWidget* w)
{
    if (!w) return nullptr;
    // A binding is attached to its control; a navigator placed inside a
    // panel does not make the panel a data-aware control.
    for (QObject* c : w->children())
        if (!c->isWidgetType())
            if (auto* l = dynamic_cast<db::DataLink*>(c)) return l;
    return nullptr;
}

struct DepthGuard {
    int& d;
    explicit DepthGuard(int& depth) : d(depth) { ++d; }
    ~DepthGuard() { --d; }
};
} // namespace

Form::Form(QWidget* owner) : QWidget(owner, owner ? Qt::Dialog : Qt::Window)
{
    EnsureApplication();
    connect(qApp, &QApplication::focusChanged, this, &Form::focusChanged);
    qApp->installEventFilter(this);
}

Form::~Form()
{
    // Qt would keep the connection until QObject's own destructor: the focus
    // moving while the widgets go would call the slot on a form already
    // half destroyed.
    if (qApp) {
        qApp->removeEventFilter(this);
        disconnect(qApp, &QApplication::focusChanged, this, &Form::focusChanged);
    }
}

Form* Form::Of(QWidget* control)
{
    return control ? qobject_cast<Form*>(control->window()) : nullptr;
}

// ---- lifecycle --------------------------------------------------------------

int CaptionWidth(const QString& caption)
{
    // Window managers draw the caption bold, beside the icon and three
    // buttons; common desktops make those about 200 px together.
    QFont bold = QApplication::font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    return fm.horizontalAdvance(caption) + 8 * fm.height() + 88;
}

void Form::place()
{
    // A form never sized by its code takes its layout's size only when shown;
    // centre it by that size, not by the small default a hidden window has.
    if (!testAttribute(Qt::WA_Resized)) adjustSize();
    // A frame too narrow for the caption shows it cut ("Known Flow G...").
    const int captionWidth = CaptionWidth(windowTitle());
    if (width() < captionWidth && maximumWidth() >= captionWidth) resize(captionWidth, height());
    QScreen* screen = QApplication::primaryScreen();
    if (position_ == Position::ScreenCenter && screen) {
        QRect r = frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    } else if (position_ == Position::OwnerCenter && parentWidget()) {
        QRect r = frameGeometry();
        r.moveCenter(parentWidget()->window()->frameGeometry().center());
        move(r.topLeft());
    }
}

void Form::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (e->spontaneous()) return;
    closing_ = false;
    inShow_ = true;
    Run([this] { FormShow(); });
    inShow_ = false;
}

void Form::hideIfClosedInShow()
{
    if (!closing_ || !isVisible()) return;
    if (!Modal()) QWidget::close();
    else hide();
}

void Form::fireActivate()
{
    active_ = true;
    seenModalSerial_ = ModalSerial();
    Run([this] { FormActivate(); });
}

void Form::Show()
{
    place();
    show();
    hideIfClosedInShow();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) raise();
    activateWindow();
    if (!active_ && isVisible()) fireActivate();
}

int Form::ShowModal()
{
    modalResult_ = mrNone;
    ModalScope scope;
    KeyboardReturns keyboard(this);
    modalRunning_ = true;
    setWindowModality(Qt::ApplicationModal);
    place();
    show();   // FormShow runs here, before the window is mapped
    hideIfClosedInShow();
    if (!isVisible() || closing_) {   // closed by its own show handler
        modalRunning_ = false;
        return modalResult_;
    }
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) raise();
    activateWindow();
    if (!active_) fireActivate();
    if (UiDriver* d = CurrentUiDriver()) {
        if (isVisible() && !closing_) d->FormShown(*this);
        if (isVisible() && !closing_) {
            // Nobody pressed anything: leave the way Esc does; a form that
            // Esc leaves open is left by its Cancel, or else by its frame.
            if (EscapeAllowed()) {
                if (!escapeKey()) Close();
            } else if (cancel_ && cancel_->isEnabled() && cancel_->isVisible()) {
                cancel_->click();
            } else {
                Close();
            }
        }
    } else if (isVisible() && !closing_) {
        QEventLoop loop;
        loop_ = &loop;
        loop.exec(QEventLoop::DialogExec);
        loop_ = nullptr;
    }
    modalRunning_ = false;
    active_ = false;
    return modalResult_;
}

void Form::SetModalResult(int result)
{
    modalResult_ = result;
    if (result != mrNone && Modal() && handlerDepth_ == 0) Close();
}

void Form::Close()
{
    if (closing_ && !isVisible()) return;
    closeNow();
}

void Form::closeEvent(QCloseEvent* e)
{
    e->accept();
    if (!closing_) {
        closeNow();
    }
}

void Form::closeNow()
{
    if (!closing_) {
        closing_ = true;
        // A window closed with a refused entry abandons that entry.
        if (auto* e = qobject_cast<QLineEdit*>(current_.data())) DropRefusedEntry(e);
        if (Modal() && modalResult_ == mrNone) modalResult_ = mrCancel;
        Run([this] { FormClose(); });
    }
    // Qt maps the window after its show handler: hidden in there it would be
    // mapped all the same, and as a modal form go on blocking the mouse in
    // every other window. It is hidden once shown.
    if (inShow_) return;
    // A window that is only hidden is not closed for the application: after
    // the main form's Exit the program would run on without a window. Modal
    // forms end their own loop.
    if (isWindow() && isVisible() && !Modal())
        QWidget::close();
    else
        hide();
    active_ = false;
    if (loop_) loop_->quit();
}

void Form::Run(const Handler& handler)
{
    // A button without a handler still closes the form by its modal result.
    if (handler) {
        try {
            DepthGuard g(handlerDepth_);
            handler();
        } catch (...) {
            HandleException(std::current_exception());
        }
    }
    if (handlerDepth_ == 0 && modalResult_ != mrNone && Modal() && !closing_) closeNow();
}

bool Form::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::WindowActivate:
        if (!active_ && isVisible()) {
            if (seenModalSerial_ != ModalSerial() || !lostToForm_) {
                // Back from a modal form or message box opened meanwhile, or from
                // another program or the help viewer: not a new activation.
                seenModalSerial_ = ModalSerial();
                active_ = true;
            } else {
                fireActivate();
            }
        }
        break;
    case QEvent::WindowDeactivate: {
        active_ = false;
        QWidget* next = QApplication::activeWindow();
        lostToForm_ = next && next != this && qobject_cast<Form*>(next);
        break;
    }
    default:
        break;
    }
    return QWidget::event(e);
}

// ---- buttons ----------------------------------------------------------------

void Form::OnClick(QAbstractButton* button, Handler handler, int modalResult)
{
    connect(button, &QAbstractButton::clicked, this, [this, button, h = std::move(handler), modalResult] {
        if (takeShownEntry(button)) {
            // The focus the press was refused goes to the button now; a
            // field that still cannot be left keeps it.
            refused_ = nullptr;
            if (button->focusPolicy() & Qt::ClickFocus) {
                SetFocus(button);
                if (current_ != button) return;
            }
        }
        if (refused_ == button && button != cancel_) {
            refused_ = nullptr;
            RemindRefusedEntry(current_);
            return;
        }
        // A button that takes no focus goes no further past a refused entry.
        if (button != cancel_ && current_ && HoldsRefusedEntry(current_)) {
            restoreQtFocus(current_);
            RemindRefusedEntry(current_);
            QApplication::beep();
            return;
        }
        if (modalResult != mrNone) modalResult_ = modalResult;
        Run(h);
    });
}

bool Form::takeShownEntry(QAbstractButton* button)
{
    return button != cancel_ && current_ && TakeRefusedEntry(current_);
}

void Form::Press(QAbstractButton* button)
{
    if (!button || !button->isEnabled() || !button->isVisible()) return;
    takeShownEntry(button);
    if (button->focusPolicy() & Qt::ClickFocus) SetFocus(button);
    if (current_ == button || !(button->focusPolicy() & Qt::ClickFocus)) button->click();
}

// ---- focus ------------------------------------------------------------------

void Form::OnEnter(QWidget* control, Handler handler) { controls_[control].enter = std::move(handler); }
void Form::OnExit(QWidget* control, Handler handler) { controls_[control].exit = std::move(handler); }

void Form::SetEnterKey(QWidget* control, EnterKey action, QWidget* target)
{
    controls_[control].enterKey = action;
    controls_[control].target = target;
}

void Form::SetControlHelpContext(QWidget* control, int context) { controls_[control].helpContext = context; }

QWidget* Form::logical(QWidget* w) const
{
    for (QWidget* p = w; p && p != this; p = p->parentWidget()) {
        if (controls_.contains(p) || bindingOf(p)) return p;
        if (p->isWindow()) break;
    }
    // Inner editors of compound controls (spin boxes, editable combos) count as the compound.
    for (QWidget* p = w ? w->parentWidget() : nullptr; p && p != this; p = p->parentWidget())
        if (qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QComboBox*>(p)) return p;
    return w;
}

void Form::focusChanged(QWidget*, QWidget* now)
{
    if (!now || now->window() != this) return;
    // The menu bar takes the keyboard while its keys are used and gives it
    // back after: the control being worked in is neither left nor entered.
    if (qobject_cast<QMenuBar*>(now)) return;
    QWidget* control = logical(now);
    // The control the form had comes back to it (the form shown or active
    // again): no handlers run, but its text is selected as on any entry.
    const bool back = control == current_ && !inExit_ && !inEnter_;
    focusArrived(control);
    if (back) {
        autoSelect(control);
        scrollIntoView(control);
    }
}

void Form::restoreQtFocus(QWidget* w)
{
    if (w && QApplication::focusWidget() != w && w->isVisible()) w->setFocus(Qt::OtherFocusReason);
}

// A text field reached by Tab, Enter or the program shows its text selected,
// so that typing replaces it; the exit and enter handlers may have rewritten
// the text (a re-found row reloads its fields), which drops Qt's own
// selection. A click places the caret where it was clicked; a masked field
// keeps its caret.
void Form::autoSelect(QWidget* w)
{
    auto* e = qobject_cast<QLineEdit*>(w);
    if (!e || e->isReadOnly() || !e->inputMask().isEmpty() || e->window()->focusWidget() != e) return;
    if (QGuiApplication::mouseButtons() & Qt::LeftButton) return;
    e->selectAll();
}

// The focused control of a scroll box is brought into view, by every scroll
// box it sits in, however the focus got there.
void Form::scrollIntoView(QWidget* w)
{
    if (!w || w->window()->focusWidget() == nullptr) return;
    for (QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (auto* box = qobject_cast<QScrollArea*>(p))
            if (box->widget() && box->widget()->isAncestorOf(w)) box->ensureWidgetVisible(w);
}

void Form::SetFocus(QWidget* control)
{
    if (!control) return;
    if (!control->isVisible() || !control->isEnabled()) {
        // The class library refused this with an exception; a hidden target just keeps the focus.
        return;
    }
    // In the active window Qt reports the move at once, and the handlers it
    // ran may have sent the focus on elsewhere: that stands.
    const unsigned arrivals = arrivals_;
    control->setFocus(Qt::OtherFocusReason);
    if (arrivals == arrivals_) focusArrived(logical(control));
}

void Form::focusArrived(QWidget* now)
{
    ++arrivals_;
    if (inExit_) { pending_ = now; return; }
    if (inEnter_) { deferred_ = now; hasDeferred_ = true; return; }
    if (now == current_) return;

    QPointer<QWidget> old = current_;
    if (old && HoldsRefusedEntry(old)) {
        // A field holding a refused entry keeps the focus until the entry is
        // corrected; a press of Cancel abandons it, and so does the field
        // going out of sight.
        if (now != cancel_ && old->isVisible() && old->isEnabled()) {
            refused_ = now;
            restoreQtFocus(old);
            RemindRefusedEntry(old);
            return;
        }
        if (auto* e = qobject_cast<QLineEdit*>(old.data())) DropRefusedEntry(e);
    }
    if (old) {
        inExit_ = true;
        pending_ = now;
        try {
            DepthGuard g(handlerDepth_);
            if (db::DataLink* b = bindingOf(old)) b->UpdateRecord();
            auto it = controls_.find(old);
            if (it != controls_.end() && it->exit) {
                Handler h = it->exit;
                h();
            }
        } catch (...) {
            // The move is refused: the focus stays where it was.
            refused_ = now;
            inExit_ = false;
            restoreQtFocus(old);
            HandleException(std::current_exception());
            restoreQtFocus(old);
            return;
        }
        inExit_ = false;
        now = pending_;
        if (!now) return;   // the target went away meanwhile
    }
    current_ = now;
    refused_ = nullptr;
    restoreQtFocus(now);
    inEnter_ = true;
    hasDeferred_ = false;
    auto it = controls_.find(now);
    if (it != controls_.end() && it->enter) {
        Handler h = it->enter;
        inEnter_ = true;
        Run(h);
    }
    inEnter_ = false;
    if (hasDeferred_) {
        hasDeferred_ = false;
        QWidget* d = deferred_;
        if (d && d != current_) focusArrived(d);
        else restoreQtFocus(current_);
    }
    autoSelect(current_);
    scrollIntoView(current_);
    if (handlerDepth_ == 0 && modalResult_ != mrNone && Modal() && !closing_) closeNow();
}

static bool takesTab(QWidget* w, QWidget* form)
{
    if (w->window() != form || !(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() ||
        !w->isVisibleTo(form))
        return false;
    if (w->focusProxy()) return false;
    if (auto* r = qobject_cast<QRadioButton*>(w); r && r->autoExclusive() && !r->isChecked()) {
        // In a group of radio buttons only the checked one (or the first, when none) is a stop.
        const auto sibs = r->parentWidget()->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
        for (QRadioButton* s : sibs)
            if (s->isChecked()) return false;
        for (QRadioButton* s : sibs)
            if (s->isEnabled() && s->isVisibleTo(form)) return s == r;
    }
    return true;
}

void Form::SelectNext(QWidget* from)
{
    if (!from) from = current_ ? current_.data() : focusWidget();
    if (!from) from = this;
    QWidget* start = from;
    // Skip the inner widgets of the control we leave.
    for (QWidget* w = start->nextInFocusChain(); w && w != start; w = w->nextInFocusChain()) {
        if (from != this && from->isAncestorOf(w)) continue;
        if (takesTab(w, this)) {
            SetFocus(w);
            return;
        }
    }
}

// ---- keys -------------------------------------------------------------------

bool Form::escapeKey()
{
    if (cancel_ && cancel_->isEnabled() && cancel_->isVisible()) {
        if (EscapeAllowed()) cancel_->click();
        return true;
    }
    if (Modal()) {
        if (EscapeAllowed()) Close();
        return true;
    }
    return false;
}

bool Form::enterKey(QWidget* w)
{
    QWidget* c = logical(w);
    ControlInfo info;
    if (auto it = controls_.find(c); it != controls_.end()) info = *it;
    switch (info.enterKey) {
    case EnterKey::Ignore:
        return false;
    case EnterKey::NextControl:
        SelectNext(c);
        return true;
    case EnterKey::PressDefault:
        if (default_) Press(default_);
        return true;
    case EnterKey::FocusTarget:
        if (info.target) SetFocus(info.target);
        return true;
    case EnterKey::PressTarget:
        if (auto* b = qobject_cast<QAbstractButton*>(info.target.data())) Press(b);
        return true;
    case EnterKey::Standard:
        break;
    }
    if (qobject_cast<QPlainTextEdit*>(c) || qobject_cast<QTextEdit*>(c) ||
        qobject_cast<QAbstractItemView*>(c))
        return false;
    if (qobject_cast<QCheckBox*>(c) || qobject_cast<QRadioButton*>(c)) {
        SelectNext(c);
        return true;
    }
    if (auto* b = qobject_cast<QAbstractButton*>(c)) {
        b->click();
        return true;
    }
    if (qobject_cast<QLineEdit*>(c) || qobject_cast<QComboBox*>(c) || qobject_cast<QAbstractSpinBox*>(c)) {
        SelectNext(c);
        return true;
    }
    if (default_ && default_->isEnabled()) {
        Press(default_);
        return true;
    }
    return false;
}

bool Form::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != this) return false;
    // Only the first delivery of a key, to the focused control (not its parents).
    QWidget* fw = focusWidget();
    if (fw ? w != fw : w != this) return false;
    // Typing after a refused move corrects the field: a click that comes
    // after it is the user's own again.
    refused_ = nullptr;
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    // The menu bar worked by keys takes its own Escape and Enter: they close
    // or open its menus, not the window's commands.
    if (qobject_cast<QMenuBar*>(fw)) return false;
    switch (k->key()) {
    case Qt::Key_Escape:
        // The first Escape takes back a refused entry; the next one cancels.
        if (auto* e = qobject_cast<QLineEdit*>(fw); e && DropRefusedEntry(e)) return true;
        return escapeKey();
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return enterKey(w);
    case Qt::Key_F1: {
        QWidget* c = logical(w);
        int ctx = controls_.contains(c) ? controls_[c].helpContext : 0;
        if (!ctx) ctx = helpContext_;
        if (ctx) ui::HelpContext(ctx);
        return ctx != 0;
    }
    default:
        return false;
    }
}

} // namespace ui

#include "moc_form.cpp"
