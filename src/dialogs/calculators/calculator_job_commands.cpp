#include "dialogs/calculators/calculator_job_commands.h"

#include "model/data_module.h"
#include "model/job.h"
#include "model/job_transfer.h"
#include "platform/db/db.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/help.h"
#include "platform/ui/notebook.h"
#include "platform/ui/statusbar.h"

#include <QDate>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CalculatorJobForm::CalculatorJobForm(QWidget* owner, const CalculatorDescription& description)
    : ui::Form(owner), layout_(new QVBoxLayout(this)), helpContext_(description.helpContext)
{
    setObjectName(QString::fromLatin1(description.objectName));
    SetCaption(QString::fromLatin1(description.caption));
    SetPosition(ui::Position::OwnerCenter);
    if (!description.size.isEmpty())
        resize(description.size);
    auto* row = new QHBoxLayout;
    struct Usual {
        const char* name;
        const char* caption;
        const char* hint;
    };
    static const Usual usual[] = {{"NewJobBtn", "&New Job", "Start a new pipeline job"},
                                  {"PrevJobBtn", "&Previous Job", "Get a previous job"},
                                  {"SaveJobBtn", "&Save Job", "Save this job"},
                                  {"CloseBtn", "Close", nullptr},
                                  {"CancelBtn", "Cancel", nullptr},
                                  {"HelpBtn", "Help", nullptr}};
    QPushButton** members[] = {&NewJobBtn, &PrevJobBtn, &SaveJobBtn, &CloseBtn, &CancelBtn, &HelpBtn};
    for (const JobCommandButton& b : description.buttons) {
        const auto i = static_cast<int>(b.command);
        const Usual& u = usual[i];
        QPushButton* button =
            ui::Make<QPushButton>(this, u.name, QString::fromLatin1(b.caption ? b.caption : u.caption));
        if (description.hints && u.hint)
            button->setToolTip(QString::fromLatin1(u.hint));
        *members[i] = button;
        row->addWidget(button);
    }
    row->addStretch(1);
    layout_->addLayout(row);
    OnClick(NewJobBtn, [this] { NewJobBtnClick(); });
    OnClick(PrevJobBtn, [this] { PrevJobBtnClick(); });
    OnClick(SaveJobBtn, [this] { SaveJobBtnClick(); });
    OnClick(CloseBtn, [this] { CloseBtnClick(); });
    OnClick(CancelBtn, [this] { CancelBtnClick(); });
    OnClick(HelpBtn, [this] { HelpBtnClick(); });
}

void CalculatorJobForm::OnHelp(QAbstractButton* button, int helpContext)
{
    OnClick(button, [helpContext] { ui::HelpContext(helpContext); });
}

ui::Notebook* CalculatorJobForm::AddNotebook(const char* name)
{
    auto* pages = ui::Make<ui::Notebook>(this, name);
    layout_->addWidget(pages, 1);
    return pages;
}

ui::StatusBar* CalculatorJobForm::AddStatusBar(const char* name, const std::vector<int>& panelWidths)
{
    auto* bar = ui::Make<ui::StatusBar>(this, name);
    bar->SetPanels(panelWidths);
    layout_->addWidget(bar);
    return bar;
}

// The job object's cancel flag tells the close handler to post or drop, and
// the working tables stay the calculator's.
void CalculatorJobForm::closeWith(bool cancelled)
{
    Tul->Cancelled = cancelled;
    DMod->WorkTablesFree = false;
    Close();
}

void CalculatorJobForm::CloseBtnClick() { closeWith(false); }
void CalculatorJobForm::CancelBtnClick() { closeWith(true); }
void CalculatorJobForm::HelpBtnClick() { ui::HelpContext(helpContext_); }

void CalculatorJobForm::JobStored(const QString& name, int number)
{
    CalcJobName = name;
    CalcJobNumber = number;
    PrevJobBtn->setEnabled(true);
    NewJobBtn->setEnabled(true);
    SaveJobBtn->setEnabled(false);
}

void CalculatorJobForm::OfferSave()
{
    if (Tul->SaveState != 2)
        ShowSavePrompt();
}

void CalculatorJobForm::MarkChanged()
{
    if (Tul->SaveState != 0)
        Tul->SaveState = 1;
    SaveJobBtn->setEnabled(true);
}

void CalculatorJobForm::WatchJobEdits(QWidget* root, std::initializer_list<db::DataSource*> job)
{
    const std::vector<db::DataSource*> sources(job);
    for (ui::DBControl* control : root->findChildren<ui::DBControl*>())
        if (std::find(sources.begin(), sources.end(), control->DataSource()) != sources.end())
            connect(control, &ui::DBControl::Edited, this, [this] { MarkChanged(); });
}

void CalculatorJobForm::ReleaseJob()
{
    JobTrans->ResetJobRecord();
}

bool CalculatorJobForm::NoPreviousJobs(db::Table* jobs)
{
    if (!jobs->Active())
        jobs->Open();
    if (!jobs->IsEmpty())
        return false;
    ui::MessageDlg(QStringLiteral("There are no previous jobs available."), ui::MsgType::Information, ui::mbOK);
    PrevJobBtn->setEnabled(false);
    jobs->SetFiltered(false);
    jobs->Close();
    return true;
}

void CalculatorJobForm::StartNewPipeJob()
{
    JobTrans->CloseAllTables();
    JobTrans->ResetJobRecord();
    Tul->NewJob = true;
    Tul->StoredJob = false;
    Tul->SaveState = 0;
    Tul->Date = QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy"));
}
