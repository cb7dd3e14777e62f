#pragma once
// The help layer: one help file per application, opened by context number.
//
//   ui::SetHelpFile("Mersol.HLP");      // relative to the working directory
//   ui::HelpContext(19);                // the topic with context number 19
//   ui::HelpContents();  ui::HelpSearch("");
//
// The help file is our own format: an HTML file whose topics are
//   <div class="topic" data-context="19" data-title="General Job Data"
//        data-keywords="job;job name">...</div>
// shown in the help viewer window. Names are matched without regard to case
// (the programs spell the same file "Mersol.HLP", "Mersol.hlp", "Mersol.Hlp").
// A missing file or topic is reported with a message; nothing else fails.
// Every request passes the UiDriver first (tests record them there).
#include <QString>
#include <QStringList>

#include <map>
#include <optional>

namespace ui {

void SetHelpFile(const QString& file);
QString HelpFile();

void HelpContext(int context);
void HelpContents();
void HelpSearch(const QString& keyword);

struct HelpTopic {
    int context = 0;
    QString title;
    QStringList keywords;
    QString html;
};

// A parsed help file.
class HelpBook {
public:
    // nullopt with *error set when the file cannot be read.
    static std::optional<HelpBook> Load(const QString& path, QString* error = nullptr);
    static HelpBook Parse(const QString& text);
    const HelpTopic* Topic(int context) const;
    const std::map<int, HelpTopic>& Topics() const { return topics_; }
    QString ContentsHtml() const;
    // Topics whose title or keywords contain the text (all when empty), by title.
    std::vector<const HelpTopic*> Search(const QString& keyword) const;

private:
    std::map<int, HelpTopic> topics_;
};

// The file a help name stands for: Windows separators allowed, the last part
// matched without case, relative names looked for in the working directory
// and then beside the program. Empty when there is no such file.
QString ResolveHelpFile(const QString& name);

} // namespace ui
