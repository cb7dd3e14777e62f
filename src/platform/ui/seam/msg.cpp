#include "platform/ui/seam/msg.h"

#include <cstdio>

namespace ui {
namespace {
MessageSink* g_sink = nullptr;

int defaultAnswer(const Message& m)
{
    std::fprintf(stderr, "[message] %s\n", m.text.toLocal8Bit().constData());
    if (m.buttons & mbYes) return mrYes;
    if (m.buttons & mbOK) return mrOk;
    return mrCancel;
}
} // namespace

MessageSink* SetMessageSink(MessageSink* sink)
{
    MessageSink* old = g_sink;
    g_sink = sink;
    return old;
}

MessageSink* CurrentMessageSink() { return g_sink; }

ErrorWatch::ErrorWatch() : previous_(SetMessageSink(this)) {}

ErrorWatch::~ErrorWatch()
{
    // Watches end in the order they began; one that did not is left in place.
    if (g_sink == this) g_sink = previous_;
}

int ErrorWatch::show(const Message& m)
{
    if (m.type == MsgType::Error) errors_ << m.text;
    if (m.type == MsgType::Error || m.type == MsgType::Warning) faults_ << m.text;
    return previous_ ? previous_->show(m) : defaultAnswer(m);
}

RepeatHold::RepeatHold() : previous_(SetMessageSink(this)) {}

RepeatHold::~RepeatHold()
{
    if (g_sink == this) g_sink = previous_;
}

int RepeatHold::show(const Message& m)
{
    const bool fault = m.type == MsgType::Error || m.type == MsgType::Warning;
    if (fault && said_.contains(m.text)) return mrOk;
    if (fault) saying_ << m.text;
    return previous_ ? previous_->show(m) : defaultAnswer(m);
}

void RepeatHold::NextPass()
{
    said_ += saying_;
    saying_.clear();
}

int MessageDlg(const QString& text, MsgType type, MsgButtons buttons, int helpContext)
{
    Message m{type, text, buttons, helpContext, {}, false};
    return g_sink ? g_sink->show(m) : defaultAnswer(m);
}

int MessageBoxYesNo(const QString& text, const QString& caption)
{
    Message m{MsgType::Confirmation, text, mbYesNo, 0, caption, true};
    return g_sink ? g_sink->show(m) : defaultAnswer(m);
}

void ShowMessage(const QString& text)
{
    MessageDlg(text, MsgType::Information, mbOK);
}

} // namespace ui
