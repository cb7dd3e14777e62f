#pragma once
// Builds a new profile in WorkProfTable from a text file of station and
// ground-elevation pairs and lets the user touch it up with a navigator
// before handing it back to the profile entry.
#include "platform/ui/form.h"

class QLabel;
class QPushButton;
class QTableView;
namespace ui { class DBNavigator; }

class TProfFromTxtDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TProfFromTxtDlg(QWidget* owner);

    QTableView* DBGrid1;
    ui::DBNavigator* DBNavigator1;
    QPushButton *OKBitBtn, *HelpBitBtn, *SelectFileBitBtn, *CancelBitBtn;
    QLabel* Name;          // the chosen file's path
    QString FileName;

    void FormShow() override;
    void FormClose() override;
    void SelectFileBitBtnClick();
    void OKBitBtnClick();
    void CancelBitBtnClick();

    // Writes the profile again from the stations and elevations in the grid,
    // in station order; false, with a message, while a row lacks either.
    bool RebuildProfile();

private:
    // The profile ends in an end node (node type 4 to 7).
    static bool ImportedEndNode();
    bool touched_ = false;   // a file was read or the navigator changed rows
};

inline TProfFromTxtDlg* ProfFromTxtDlg = nullptr;

// Reads the file into the profile. The profile is replaced only after the
// whole file has been read without fault; otherwise an error naming the line
// is shown and the profile stays as it was. False when nothing was imported.
bool ImportProfileFile(const QString& path);
