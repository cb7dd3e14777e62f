#pragma once
// The initial node/reach entry dialog: the whole profile of a job entered row
// by row before the user works node by node on the main window. Every control
// is bound to the current WorkProfTable row; the handlers keep stations,
// record numbers, reach lengths, flows and inverts in step.
#include "platform/ui/form.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;
namespace ui { class DBNavigator; }

class TProfEntryDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TProfEntryDlg(QWidget* owner);
    ~TProfEntryDlg() override;

    QWidget* Panel1;
    QPushButton *OKBtn, *CancelBitBtn, *HelpBitBtn, *TextFileBtn;
    QWidget* Panel2;
    QPushButton *EditNodeBtn, *AddNodeBtn, *InsertNodeSpdBtn, *DeleteNodeBtn;
    ui::DBNavigator* DBNavigator1;
    QGroupBox* GroupBox1;
    QLineEdit* NFStation;      // Station
    QLineEdit* NFElev;         // GroundElev
    QComboBox* NodeComboBox;   // NodeTypeDesc
    QLineEdit* NFIn;           // OutQ: the outflow, under its label
    QLineEdit* NFOut;          // InQ: the inflow
    QComboBox* InvComboBox;    // InvElMethDesc
    QLineEdit* SFPipe;         // DownStreamPipeDescription, read-only
    QTableView* DBGrid1;

    // Editing existing rows (a station change also fixes the next reach's
    // length) rather than creating them.
    bool RowEditMode = false;
    // A text file was read in this showing: the pipe field walks forward row
    // by row, carrying the previous pipe into each row.
    bool ImportMode = false;

    void FormShow() override;
    void FormClose() override;
    void OKBtnClick();
    void CancelBitBtnClick();
    void HelpBitBtnClick();
    void TextFileBtnClick();
    void AddNodeBtnClick();
    void InsertNodeSpdBtnClick();
    void DeleteNodeBtnClick();
    void EditNodeBtnClick();
    void NFStationEnter();
    void NFStationExit();
    void NFElevEnter();
    void NFElevExit();
    void NodeComboBoxEnter();
    void NodeComboBoxExit();
    void FlowEnter();
    void FlowExit();
    void InvComboBoxEnter();
    void InvComboBoxChange();
    void InvComboBoxExit();
    void SFPipeEnter();
    void SFPipeExit();
    void InvComboBoxKey();
    void DBGrid1Enter();
    void GroupBox1Click();
    void RefreshProfile();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void enableFlows(bool on);
    // Edit Node without moving the focus.
    void editCurrentRow();
    // A new row is being entered (NewNode) but the user has picked another
    // row in the grid or the navigator: that row is an existing node, and
    // the new-node defaults must not be written over its data. Not during
    // an import walk.
    bool pickedAnotherRow() const;
    void takeUpPickedRow();
    void openMethodDialog();
    // The entrance's invert, to be entered directly and never entered, is
    // asked for before the entry goes on past the entrance.
    void askEntranceInvert();
    // Focus moves on from an exit handler unless a button is being pressed.
    void focusUnlessButton(QWidget* control);
    bool navigating_ = false;   // the pipe field is left by Enter
};

inline TProfEntryDlg* ProfEntryDlg = nullptr;
