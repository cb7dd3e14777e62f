#pragma once
// The stored job under the cursor of JobPipeTable, shown as captioned data
// texts above the grid of the job list and of the removal dialog.
#include <QString>

#include <initializer_list>

class QGridLayout;
class QLabel;
class QWidget;

struct JobHeaderText {
    QString caption;
    const char* name;   // component name of the data text
    QString field;      // field of JobPipeTable
    QLabel** text;      // receives the data text
};

// One row per text: its caption, then the data text bound to JobPipeData.
QGridLayout* MakeJobHeaderTexts(QWidget* parent, std::initializer_list<JobHeaderText> rows);
