#pragma once
// The depth dialog: the depth of cover to the top of the pipe of the current
// WorkProfTable row, from which the invert elevation follows.
#include "platform/ui/form.h"

#include <QVariant>

class QLabel;
class QLineEdit;
class QPushButton;

// What the depth and invert dialogs change in the node row, kept as it was
// when they were shown: their Cancel puts back their own edit and nothing
// else, and leaves the job object's cancel flag to the dialog that opened
// them (a cancel here is no cancel of the node).
class NodeInvertEdit {
public:
    void Keep();
    void PutBack(bool cancelled);

private:
    QVariant method_, depth_, invert_;
    bool openerCancelled_ = false;
};

class TDepthInDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TDepthInDlg(QWidget* owner);

    QLineEdit* OvcDbNumericField1;  // PipeDepth, inches
    QLabel* InvElevLbl;
    QLabel* InvElevTxt;             // InvertElev, feet
    QLabel* NoPipeTxt;
    QPushButton* OKBtn;
    QPushButton* BitBtn2;           // Cancel

    void FormShow() override;
    void FormClose() override;
    void OvcDbNumericField1Enter();
    void OvcDbNumericField1Exit();
    void OKBtnClick();
    void BitBtn2Click();

private:
    NodeInvertEdit before_;
};

inline TDepthInDlg* DepthInDlg = nullptr;

// The layout the depth and invert dialogs share: an entry field bound to a
// field of the node row, the value derived from it, the note shown when the
// node has no pipe, OK (default) and Cancel (the Escape button).
struct EntryLayout {
    QLineEdit* entry;
    QLabel* derivedLbl;
    QLabel* derived;
    QLabel* noPipe;
    QPushButton* ok;
    QPushButton* cancel;
};
EntryLayout BuildEntryLayout(ui::Form* form, const QString& entryCaption, const char* entryName, const QString& field,
                             const QString& picture, const QString& derivedCaption, const char* derivedLblName,
                             const char* derivedName, const QString& derivedField);

// Puts the node row into edit state unless it is editing.
void EditNodeRow();

// The wall thickness and inside diameter (inches) that set the invert of the
// current WorkProfTable row: for node types 5, 6 and 7 the pipe arriving,
// that of the row before (as the runs take it), the row's own pipe for every
// other node.
void InvertPipeOf(double& wallThick, double& diaIn);
// The current WorkProfTable row, in edit state, takes the invert its method
// gives: from its cover over that pipe, or at its ground; an invert entered
// directly stays as entered.
void InvertFollowsMethod();
