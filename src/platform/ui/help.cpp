#include "platform/ui/help.h"

#include "platform/ui/seam/msg.h"
#include "platform/ui/uiseam.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace ui {
namespace {

QString g_helpFile;

QString attr(const QString& tag, const QString& name)
{
    QRegularExpression re(name + QStringLiteral(R"re(\s*=\s*"([^"]*)")re"));
    auto m = re.match(tag);
    return m.hasMatch() ? m.captured(1) : QString();
}

QString unescape(QString s)
{
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return s;
}

// The viewer: topic text on the right, contents or search on the left.
class HelpViewer : public QWidget {
public:
    HelpViewer(HelpBook book, QString file, QWidget* parent)
        : QWidget(parent, parent ? Qt::Dialog : Qt::Window), book_(std::move(book)), file_(std::move(file))
    {
        setObjectName(QStringLiteral("HelpViewer"));
        setAttribute(Qt::WA_DeleteOnClose);
        // Left open, it must not keep the program running after its main window closed.
        setAttribute(Qt::WA_QuitOnClose, false);
        setWindowTitle(QStringLiteral("Help"));
        resize(720, 520);
        auto* lay = new QHBoxLayout(this);
        auto* left = new QVBoxLayout;
        search_ = new QLineEdit(this);
        search_->setObjectName(QStringLiteral("HelpSearch"));
        search_->setPlaceholderText(QStringLiteral("Type a keyword"));
        list_ = new QListWidget(this);
        list_->setObjectName(QStringLiteral("HelpTopics"));
        left->addWidget(new QLabel(QStringLiteral("Topics:"), this));
        left->addWidget(search_);
        left->addWidget(list_);
        lay->addLayout(left, 1);
        text_ = new QTextBrowser(this);
        text_->setObjectName(QStringLiteral("HelpText"));
        text_->setOpenLinks(false);
        lay->addWidget(text_, 3);
        connect(search_, &QLineEdit::textChanged, this, [this](const QString& t) { fill(t); });
        connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
            if (row >= 0) ShowTopic(list_->item(row)->data(Qt::UserRole).toInt());
        });
        connect(text_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
            if (url.scheme() == QLatin1String("ctx")) ShowTopic(url.path().toInt());
        });
        fill(QString());
    }

    const QString& File() const { return file_; }

    void ShowTopic(int context)
    {
        if (const HelpTopic* t = book_.Topic(context)) {
            setWindowTitle(QStringLiteral("Help - ") + t->title);
            text_->setHtml(t->html);
        }
    }
    void ShowContents()
    {
        setWindowTitle(QStringLiteral("Help - Contents"));
        text_->setHtml(book_.ContentsHtml());
    }
    void ShowSearch(const QString& keyword)
    {
        search_->setText(keyword);
        fill(keyword);
        search_->setFocus();
    }

private:
    void fill(const QString& keyword)
    {
        QSignalBlocker b(list_);
        list_->clear();
        for (const HelpTopic* t : book_.Search(keyword)) {
            auto* item = new QListWidgetItem(t->title, list_);
            item->setData(Qt::UserRole, t->context);
        }
    }

    HelpBook book_;
    QString file_;
    QLineEdit* search_;
    QListWidget* list_;
    QTextBrowser* text_;
};

QPointer<HelpViewer> g_viewer;

HelpViewer* openViewer()
{
    QString path = ResolveHelpFile(g_helpFile);
    if (path.isEmpty()) {
        MessageDlg(QStringLiteral("Cannot find the help file \"%1\".").arg(g_helpFile), MsgType::Error, mbOK);
        return nullptr;
    }
    QString error;
    auto book = HelpBook::Load(path, &error);
    if (!book) {
        MessageDlg(error, MsgType::Error, mbOK);
        return nullptr;
    }
    // While a modal dialog runs, the viewer belongs to it so that it takes input.
    QWidget* modal = QApplication::activeModalWidget();
    if (g_viewer && (g_viewer->File() != path || g_viewer->parentWidget() != modal)) g_viewer->close();
    if (!g_viewer) g_viewer = new HelpViewer(std::move(*book), path, modal);
    g_viewer->show();
    g_viewer->raise();
    g_viewer->activateWindow();
    return g_viewer;
}

bool driverTakes(HelpCommand cmd, int context, const QString& keyword)
{
    UiDriver* d = CurrentUiDriver();
    return d && d->Help(HelpRequest{cmd, context, keyword, g_helpFile});
}

} // namespace

void SetHelpFile(const QString& file) { g_helpFile = file; }
QString HelpFile() { return g_helpFile; }

void HelpContext(int context)
{
    if (driverTakes(HelpCommand::Context, context, {})) return;
    QString path = ResolveHelpFile(g_helpFile);
    if (!path.isEmpty()) {
        auto book = HelpBook::Load(path);
        if (book && !book->Topic(context)) {
            MessageDlg(QStringLiteral("The help file has no topic for context %1.").arg(context),
                       MsgType::Error, mbOK);
            return;
        }
    }
    if (HelpViewer* v = openViewer()) v->ShowTopic(context);
}

void HelpContents()
{
    if (driverTakes(HelpCommand::Contents, 0, {})) return;
    if (HelpViewer* v = openViewer()) v->ShowContents();
}

void HelpSearch(const QString& keyword)
{
    if (driverTakes(HelpCommand::Search, 0, keyword)) return;
    if (HelpViewer* v = openViewer()) v->ShowSearch(keyword);
}

// ---- the help file ----------------------------------------------------------

std::optional<HelpBook> HelpBook::Load(const QString& path, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("Cannot read the help file \"%1\".").arg(path);
        return std::nullopt;
    }
    return Parse(QString::fromUtf8(f.readAll()));
}

HelpBook HelpBook::Parse(const QString& text)
{
    HelpBook book;
    static const QRegularExpression open(QStringLiteral(R"(<div\s+class\s*=\s*"topic"[^>]*>)"));
    auto it = open.globalMatch(text);
    while (it.hasNext()) {
        auto m = it.next();
        int start = m.capturedEnd();
        int end = text.indexOf(QStringLiteral("</div>"), start);
        if (end < 0) end = text.size();
        HelpTopic t;
        bool ok = false;
        t.context = attr(m.captured(0), QStringLiteral("data-context")).toInt(&ok);
        if (!ok) continue;
        t.title = unescape(attr(m.captured(0), QStringLiteral("data-title")));
        for (const QString& k : unescape(attr(m.captured(0), QStringLiteral("data-keywords"))).split(u';'))
            if (!k.trimmed().isEmpty()) t.keywords << k.trimmed();
        t.html = text.mid(start, end - start);
        if (t.title.isEmpty()) t.title = QStringLiteral("Topic %1").arg(t.context);
        book.topics_[t.context] = std::move(t);
    }
    return book;
}

const HelpTopic* HelpBook::Topic(int context) const
{
    auto it = topics_.find(context);
    return it == topics_.end() ? nullptr : &it->second;
}

QString HelpBook::ContentsHtml() const
{
    QString html = QStringLiteral("<h2>Contents</h2><ul>");
    for (const HelpTopic* t : Search(QString()))
        html += QStringLiteral("<li><a href=\"ctx:%1\">%2</a></li>").arg(t->context).arg(t->title.toHtmlEscaped());
    return html + QStringLiteral("</ul>");
}

std::vector<const HelpTopic*> HelpBook::Search(const QString& keyword) const
{
    std::vector<const HelpTopic*> out;
    for (const auto& [ctx, t] : topics_) {
        bool hit = keyword.isEmpty() || t.title.contains(keyword, Qt::CaseInsensitive);
        for (const QString& k : t.keywords)
            hit = hit || k.contains(keyword, Qt::CaseInsensitive);
        if (hit) out.push_back(&t);
    }
    std::stable_sort(out.begin(), out.end(), [](const HelpTopic* a, const HelpTopic* b) {
        return a->title.compare(b->title, Qt::CaseInsensitive) < 0;
    });
    return out;
}

QString ResolveHelpFile(const QString& name)
{
    if (name.isEmpty()) return {};
    QString n = name;
    n.replace(u'\\', u'/');
    QFileInfo fi(n);
    QStringList dirs;
    if (fi.isAbsolute() || n.contains(u'/') || (n.size() > 1 && n[1] == u':'))
        dirs << fi.path();
    else
        dirs << QDir::currentPath() << QCoreApplication::applicationDirPath();
    for (const QString& d : dirs) {
        QDir dir(d);
        if (!dir.exists()) continue;
        const auto entries = dir.entryList(QDir::Files);
        for (const QString& e : entries)
            if (e.compare(fi.fileName(), Qt::CaseInsensitive) == 0) return dir.filePath(e);
    }
    return {};
}

} // namespace ui
