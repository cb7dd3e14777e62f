#include "dialogs/profile/profile_text_import_dialog.h"

#include "dialogs/profile/profile_entry_dialog.h"
#include "model/data_module.h"
#include "model/node_rules.h"
#include "model/profile_text.h"
#include "model/job.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/seam/msg.h"
#include "platform/ui/uiseam.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

bool ImportProfileFile(const QString& path)
{
    // A pipe or a device would be waited on for a writer, or read without
    // end: only a plain file is opened.
    if (const QFileInfo info(path); info.exists() && !info.isFile()) {
        ui::MessageDlg(path + QStringLiteral("\nThis is not a plain file, and not a profile text. The profile was not "
                                             "changed."),
                       ui::MsgType::Error, ui::mbOK);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ui::MessageDlg(QStringLiteral("Can't open ") + path + QStringLiteral("."), ui::MsgType::Error, ui::mbOK);
        return false;
    }
    if (file.size() > MaxProfileTextBytes) {
        ui::MessageDlg(path + QStringLiteral("\nThe file is %1 KB; a profile of at most %2 station and elevation pairs "
                                             "is never larger than %3 KB. The profile was not changed.")
                                  .arg((file.size() + 1023) / 1024)
                                  .arg(MaxProfileNodes)
                                  .arg(MaxProfileTextBytes / 1024),
                       ui::MsgType::Error, ui::mbOK);
        return false;
    }
    const QByteArray bytes = file.read(MaxProfileTextBytes);
    if (!IsProfileText(bytes)) {
        ui::MessageDlg(QFileInfo(path).fileName() +
                           QStringLiteral(" is not a text file of station and elevation pairs. The profile was not changed."),
                       ui::MsgType::Error, ui::mbOK);
        return false;
    }
    const ProfTextResult parsed = ParseProfileText(QString::fromUtf8(bytes));
    if (!parsed.ok()) {
        ui::MessageDlg(path + QStringLiteral("\n") + parsed.error + QStringLiteral("\nThe profile was not changed."),
                       ui::MsgType::Error, ui::mbOK);
        return false;
    }
    WriteImportedProfile(parsed.pairs);
    return true;
}

TProfFromTxtDlg::TProfFromTxtDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("ProfFromTxtDlg"));
    SetCaption(QStringLiteral("Get Station and Elevation Data From a Text File"));
    SetPosition(ui::Position::OwnerCenter);
    auto* v = new QVBoxLayout(this);
    auto* name = new QHBoxLayout;
    name->addWidget(new QLabel(QStringLiteral("Filename:"), this));
    Name = ui::Make<QLabel>(this, "Name");
    name->addWidget(Name, 1);
    v->addLayout(name);
    for (const char* text : {"After entering the profile in the database, use the navigator bar to insert or delete "
                             "or edit stations.",
                             "Press OK when done.",
                             "Press the Select New Text File button to select a different text file."})
        v->addWidget(new QLabel(QString::fromLatin1(text), this));
    DBGrid1 = ui::Make<QTableView>(this, "DBGrid1");
    v->addWidget(DBGrid1, 1);
    DBNavigator1 = new ui::DBNavigator(DMod->WorkProfData,
                                       ui::nbFirst | ui::nbPrior | ui::nbNext | ui::nbLast | ui::nbInsert |
                                           ui::nbDelete | ui::nbEdit | ui::nbPost | ui::nbCancel,
                                       this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    v->addWidget(DBNavigator1);
    auto* buttons = new QHBoxLayout;
    OKBitBtn = ui::Make<QPushButton>(this, "OKBitBtn", QStringLiteral("OK"));
    SelectFileBitBtn = ui::Make<QPushButton>(this, "SelectFileBitBtn", QStringLiteral("Select New Text File"));
    CancelBitBtn = ui::Make<QPushButton>(this, "CancelBitBtn", QStringLiteral("Cancel"));
    HelpBitBtn = ui::Make<QPushButton>(this, "HelpBitBtn", QStringLiteral("&Help"));
    for (QPushButton* b : {OKBitBtn, SelectFileBitBtn, CancelBitBtn, HelpBitBtn}) buttons->addWidget(b);
    v->addLayout(buttons);
    // The user touches up what a file gave: the two values of each pair,
    // typed into the grid, also into a row the navigator inserts. The node
    // kinds follow from the order of the stations.
    auto* grid = new ui::DBGrid(DBGrid1, DMod->WorkProfData,
                                {{QStringLiteral("Station"), QStringLiteral("Station (ft)"), 90},
                                 {QStringLiteral("GroundElev"), QStringLiteral("Ground Elev (ft)"), 100},
                                 {QStringLiteral("NodeTypeDesc"), QStringLiteral("Node"), 170, nullptr, true}});
    grid->SetReadOnly(false);
    DBNavigator1->OnClick = [this](ui::NavButton b) {
        if (b == ui::nbInsert || b == ui::nbEdit || b == ui::nbDelete) touched_ = true;
        if (b == ui::nbPost || b == ui::nbDelete) RebuildProfile();
    };

    OnClick(OKBitBtn, [this] { OKBitBtnClick(); });
    OnClick(SelectFileBitBtn, [this] { SelectFileBitBtnClick(); });
    OnClick(CancelBitBtn, [this] { CancelBitBtnClick(); });
    SetEnterKey(DBGrid1, ui::EnterKey::NextControl);
}

void TProfFromTxtDlg::FormShow()
{
    SelectFileBitBtnClick();
    FileName.clear();
}

void TProfFromTxtDlg::SelectFileBitBtnClick()
{
    // A cancelled choice keeps the profile as it is.
    const QString path = ui::OpenFileDialog(QString(), QString(),
                                            QStringLiteral("Text files (*.txt);;All files (*.*)"));
    if (path.isEmpty()) return;
    FileName = path;
    Name->setText(path);
    if (ImportProfileFile(path)) touched_ = true;
}

bool TProfFromTxtDlg::RebuildProfile()
{
    int incomplete = 0;
    const std::vector<ProfTextPair> pairs = WorkProfilePairs(&incomplete);
    if (incomplete) {
        ui::MessageDlg(QStringLiteral("Row %1 has no station or no ground elevation. Please type both in, "
                                      "or delete the row.")
                           .arg(incomplete),
                       ui::MsgType::Error, ui::mbOK);
        return false;
    }
    if (!pairs.empty()) WriteImportedProfile(pairs);
    return true;
}

void TProfFromTxtDlg::OKBitBtnClick()
{
    // Rows inserted, moved or deleted become entrance, in-line and end nodes
    // again. A profile this dialog neither read nor touched is left as it is.
    if (touched_ && !RebuildProfile()) return;
    // The profile is read: the entry dialog goes on from it.
    if (ProfEntryDlg) ProfEntryDlg->TextFileBtn->setEnabled(false);
    Tul->NumNodes = DMod->WorkProfTable->RecordCount();
    SetModalResult(ui::mrOk);
}

void TProfFromTxtDlg::CancelBitBtnClick()
{
    db::Table* prof = DMod->WorkProfTable;
    if (prof->Active() && !prof->IsEmpty()) {
        prof->Close();
        prof->EmptyTable();
    }
    if (!prof->Active()) prof->Open();
    // The entry dialog starts again from its entrance row.
    if (ProfEntryDlg) ProfEntryDlg->FormShow();
    SetModalResult(ui::mrCancel);
}

void TProfFromTxtDlg::FormClose()
{
    db::Table* pipe = DMod->WorkPipeTable;
    if (!pipe->Active()) pipe->Open();
    if (pipe->State() != db::DataSetState::Edit && pipe->State() != db::DataSetState::Insert) pipe->Edit();
    // An imported profile ends in its end node; a cancelled or failed import
    // leaves none, and the profile page offers Add Node by this flag.
    if (ImportedEndNode()) DMod->WorkPipeTableNoEnd->SetAsBoolean(false);
    pipe->Post();
    pipe->Edit();
}

bool TProfFromTxtDlg::ImportedEndNode()
{
    db::Table* prof = DMod->WorkProfTable;
    if (!prof->Active() || prof->IsEmpty()) return false;
    // The entry dialog goes back to the first row after this dialog.
    prof->CheckBrowseMode();
    prof->Last();
    const int type = DMod->WorkProfTableNodeType->AsInteger();
    return IsEndNodeType(type);
}
