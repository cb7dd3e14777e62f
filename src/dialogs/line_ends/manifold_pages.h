#pragma once
// The pipe page and the node page both manifold dialogs show: the pipe's material, rating and limits, and the nodes.
// The owning dialog builds them into its notebook and forwards its page changes.
#include "platform/ui/dbcontrols.h"

#include <QObject>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;
class QWidget;
namespace ui { class DBNavigator; class Form; class Notebook; }

class ManifoldPages : public QObject {
    Q_OBJECT
public:
    // endDialog: the manifold at the end of a profile, whose first node is
    // the profile's end node; otherwise the stand-alone calculator.
    ManifoldPages(ui::Form* form, ui::Notebook* notebook, bool endDialog);

    // "Select P&ipe"
    QComboBox* TypeDBLookupComboBox;
    QLineEdit* OvcDbNumericField1;
    QLabel* RatingLbl;
    QTableView* PipeRtngDBGrid;
    QLineEdit *MinPresDBNF, *MaxVelDBNF, *MaxFricDBNF, *SmallestDBNF, *LargestDBNF;
    QPushButton* OKBitBtn2;
    QToolButton* HlpPipeType;
    // "Profile &Data Input"
    QPushButton *EditNodeBtn, *AddNodeBtn, *InsertNodeSpdBtn, *DeleteNodeBtn, *OptionalButton;
    ui::DBNavigator* DBNavigator1;
    QToolButton* HelpButton1;
    QTableView* DBCtrlGrid1;
    QLineEdit *StationNF, *InvertNF, *OutflowNF;

    // Pipe page.
    void TypeDBLookupComboBoxEnter();
    void TypeDBLookupComboBoxClick();
    void TypeDBLookupComboBoxExit();
    void PipeFieldEnter();   // the rating, the limits and the size range
    void PipeFieldExit();    // the rating and the limits
    void RatingFieldExit();
    void SmallestDBNFExit();
    void LargestDBNFExit();
    void PipeRtngDBGridEnter();
    void PipeRtngDBGridExit();
    void PipeRtngDBGridDblClick();
    // Node page.
    void EditNodeBtnClick();
    void AddNodeBtnClick();
    void InsertNodeSpdBtnClick();
    void DeleteNodeBtnClick();
    void OptionalButtonClick();
    void DBNavigator1Click();
    void StationNFEnter();
    void InvertNFEnter();
    void OutflowNFEnter();
    void RenumberTrickleNodes();

    // Sets up the stored material as leaving the selector does.
    void TakeMaterial();
    // The pipe and limits of a new manifold from the local defaults, into the
    // WorkPipe row being edited, which is posted; the rating list shows the
    // ratings of that pipe at once.
    void TakeLocalDefaults();

signals:
    // The calculator's nodes were changed other than by typing into a
    // field: the quick entry, a node deleted, a rating picked from the list.
    void JobEdited();

private:
    void markChanged();
    bool onFirstNode() const;
    ui::Form* form_;
    ui::Notebook* notebook_;
    bool end_;
};

// What the node page's station, invert and outflow fields take, in the
// manifold at a profile's end or in the calculator; the quick entry holds its
// fields to the same ranges.
struct ManifoldNodeFormats {
    ui::NumericFormat station, invert, outflow;
};
ManifoldNodeFormats NodeFormats(bool endDialog);

// The rating kind a pipe material's name shows ("SDR", "Sch", "FtHd", "ga",
// "Ga" in that order, else the wall thickness); byWallThick tells the last.
QString ManifoldRatingKind(const QString& material, bool* byWallThick = nullptr);
