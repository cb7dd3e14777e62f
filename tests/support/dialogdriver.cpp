#include "dialogdriver.h"

#include "platform/ui/application.h"
#include "platform/ui/radiogroup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

DialogDriver::DialogDriver()
{
    ui::EnsureApplication();
    oldSink_ = ui::SetMessageSink(this);
    oldDriver_ = ui::SetUiDriver(this);
}

DialogDriver::~DialogDriver()
{
    ui::SetMessageSink(oldSink_);
    ui::SetUiDriver(oldDriver_);
}

QStringList DialogDriver::MessageTexts() const
{
    QStringList out;
    for (const auto& m : messages_) out << m.text;
    return out;
}

void DialogDriver::OnForm(const QString& which, FormAction action) { rules_.push_back({which, std::move(action), false}); }
void DialogDriver::OnceForm(const QString& which, FormAction action) { rules_.push_back({which, std::move(action), true}); }
void DialogDriver::NextForm(FormAction action) { rules_.insert(rules_.begin(), {QString(), std::move(action), true}); }

std::vector<int> DialogDriver::HelpContexts() const
{
    std::vector<int> out;
    for (const auto& h : help_)
        if (h.command == ui::HelpCommand::Context) out.push_back(h.context);
    return out;
}

void DialogDriver::ClearLog()
{
    messages_.clear();
    formsShown_.clear();
    unanswered_.clear();
    fileRequests_.clear();
    help_.clear();
}

int DialogDriver::show(const ui::Message& m)
{
    messages_.push_back(m);
    if (!answers_.empty()) {
        int a = answers_.front();
        answers_.pop_front();
        return a;
    }
    if (default_ != ui::mrNone) return default_;
    if (m.buttons & ui::mbYes) return ui::mrYes;
    if (m.buttons & ui::mbOK) return ui::mrOk;
    return ui::mrCancel;
}

bool DialogDriver::matches(const ui::Form& f, const QString& which)
{
    return which.isEmpty() || which == QLatin1String(f.metaObject()->className()) || which == f.objectName() ||
           which == f.windowTitle();
}

void DialogDriver::FormShown(ui::Form& form)
{
    formsShown_ << QString::fromLatin1(form.metaObject()->className());
    for (size_t i = 0; i < rules_.size(); ++i) {
        if (!matches(form, rules_[i].which)) continue;
        FormAction action = rules_[i].action;
        if (rules_[i].once) rules_.erase(rules_.begin() + long(i));
        action(form);
        return;
    }
    unanswered_ << formsShown_.back();
}

std::optional<QString> DialogDriver::FileDialog(const ui::FileRequest& request)
{
    fileRequests_.push_back(request);
    if (files_.empty()) return std::nullopt;
    QString p = files_.front();
    files_.pop_front();
    return p;
}

bool DialogDriver::Help(const ui::HelpRequest& request)
{
    help_.push_back(request);
    return !passHelp_;
}

// ---- acting as the user -----------------------------------------------------

QWidget* DialogDriver::Find(ui::Form& f, const QString& name)
{
    QWidget* w = f.Control<QWidget>(name);
    EXPECT_NE(w, nullptr) << "no control " << name.toStdString() << " on " << f.metaObject()->className();
    return w;
}

void DialogDriver::Focus(ui::Form& f, const QString& control)
{
    if (QWidget* w = Find(f, control)) f.SetFocus(w);
}

void DialogDriver::Type(ui::Form& f, const QString& control, const QString& text)
{
    QWidget* w = Find(f, control);
    if (!w) return;
    f.SetFocus(w);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->selectAll();
        e->insert(text);
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
        m->setPlainText(text);
    } else if (auto* c = qobject_cast<QComboBox*>(w); c && c->isEditable()) {
        c->setEditText(text);
    } else {
        ADD_FAILURE() << control.toStdString() << " takes no typing";
    }
}

void DialogDriver::Press(ui::Form& f, const QString& button)
{
    auto* b = qobject_cast<QAbstractButton*>(Find(f, button));
    EXPECT_NE(b, nullptr) << button.toStdString() << " is not a button";
    if (!b) return;
    EXPECT_TRUE(b->isEnabled() && b->isVisible()) << button.toStdString() << " cannot be pressed";
    f.Press(b);
}

void DialogDriver::Check(ui::Form& f, const QString& box, bool on)
{
    auto* b = qobject_cast<QAbstractButton*>(Find(f, box));
    if (!b) return;
    f.SetFocus(b);
    if (b->isChecked() != on) b->click();
}

void DialogDriver::Choose(ui::Form& f, const QString& combo, const QString& item)
{
    QWidget* w = Find(f, combo);
    if (!w) return;
    f.SetFocus(w);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        int i = c->findText(item);
        EXPECT_GE(i, 0) << item.toStdString() << " is not in " << combo.toStdString();
        if (i < 0) return;
        c->setCurrentIndex(i);
        emit c->activated(i);
    } else if (auto* g = qobject_cast<ui::RadioGroup*>(w)) {
        int i = g->Items().indexOf(item);
        EXPECT_GE(i, 0) << item.toStdString() << " is not in " << combo.toStdString();
        g->ClickItem(i);
    }
}

void DialogDriver::Key(ui::Form& f, int qtKey)
{
    QWidget* target = f.focusWidget() ? f.focusWidget() : &f;
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

namespace {

// Keys reach the window the user works in: the form is made the active
// window first (a modal form shown a moment ago may not be yet).
QWidget* keyTarget(ui::Form& f)
{
    if (QApplication::activeWindow() != &f) QApplication::setActiveWindow(&f);
    return f.focusWidget() ? f.focusWidget() : &f;
}

} // namespace

void DialogDriver::Keys(ui::Form& f, const QString& text) { QTest::keyClicks(keyTarget(f), text); }

void DialogDriver::Tab(ui::Form& f) { QTest::keyClick(keyTarget(f), Qt::Key_Tab); }

void DialogDriver::KeyIn(ui::Form& f, const QString& control, const QString& text)
{
    QWidget* w = Find(f, control);
    if (!w) return;
    keyTarget(f);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QWidget* focused = f.focusWidget();
    EXPECT_TRUE(focused == w || (focused && w->isAncestorOf(focused))) << control.toStdString() << " took no focus";
    if (!focused) return;
    QTest::keyClick(focused, Qt::Key_A, Qt::ControlModifier);
    Keys(f, text);
    Tab(f);
}

void DialogDriver::CloseBox(ui::Form& f)
{
    QCloseEvent e;
    QApplication::sendEvent(&f, &e);
    if (e.isAccepted()) f.hide();
}
