#pragma once
// The about box: the program's title, version and credits. Openers create
// it with themselves as owner, show it modally and delete it.
#include "platform/ui/form.h"

class QLabel;
class QPushButton;

class TAboutBox : public ui::Form {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* owner);

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Comments;
    QLabel* Version;
    QLabel* Credits;
    QLabel* FaultReports;
    QPushButton* BitBtn1;

    void BitBtn1Click();
};

inline TAboutBox* AboutBox = nullptr;
