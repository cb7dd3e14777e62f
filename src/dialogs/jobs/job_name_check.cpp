#include "dialogs/jobs/job_name_check.h"

#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/job_transfer.h"
#include "platform/ui/form.h"
#include "platform/ui/seam/msg.h"
#include "platform/ui/statusbar.h"

// Keeps stored job names unique: a name another stored job has replaces that
// job when the user agrees twice.
void JobNameFieldExit(ui::Form* form, bool& jobNameEntered, QWidget* nameField, QWidget* nextField,
                      ui::StatusBar* status)
{
    db::Table* pipe = DMod->WorkPipeTable;
    db::Table* jobs = DMod->JobPipeTable;
    OpenIfClosed(pipe);   // a cancelled dialog may have closed it
    Tul->JobName = DMod->WorkPipeTableJobName->AsString();
    OpenIfClosed(jobs);
    const QString name = Tul->JobName;
    // A name new to the store: the job will be stored under a new number.
    auto storeAsNew = [pipe] {
        PostIfEditing(pipe);
        pipe->Edit();
        Tul->SaveState = 0;
    };
    auto goOn = [form, nextField, status] {
        form->SetFocus(nextField);
        status->SetPanelText(1, QStringLiteral("Job Name: ") + DMod->WorkPipeTableJobName->AsString());
    };
    if (name.isEmpty()) {
        // nothing to check
    } else if (jobs->Locate(QStringLiteral("JobName"), name)) {
        const int found = DMod->JobPipeTableJobNumber->AsInteger();
        if (found == DMod->WorkPipeTableJobNumber->AsInteger()) {
            // The job's own stored name.
            if (!jobNameEntered) {
                jobNameEntered = true;
                form->SetFocus(nextField);
            }
        } else if (ui::MessageDlg(QStringLiteral("The job ") + name +
                                      QStringLiteral(" already exists.  Do you want to replace it?"),
                                  ui::MsgType::Confirmation, ui::mbYesNo) != ui::mrYes) {
            form->SetFocus(nameField);
        } else if (ui::MessageDlg(QStringLiteral("Are you sure you want to delete ") + name + QStringLiteral(" ?"),
                                  ui::MsgType::Confirmation, ui::mbYesNo) != ui::mrYes) {
            form->SetFocus(nameField);   // the name must become unique before the job goes on
        } else {
            JobTrans->RemoveStoredJob(found);   // its rows in every child table go with it
        }
    } else if (Tul->PrevJobLoaded) {
        if (ui::MessageDlg(QStringLiteral("Save job as: ") + name + QStringLiteral("?"), ui::MsgType::Confirmation,
                           ui::mbYesNo) == ui::mrYes) {
            storeAsNew();
            goOn();
        } else {
            form->SetFocus(nameField);
        }
    } else {
        storeAsNew();
        ui::MessageDlg(QStringLiteral("Job will be saved as ") + name + QStringLiteral("."), ui::MsgType::Information,
                       ui::mbOK);
        goOn();
    }
    Tul->JobName = DMod->WorkPipeTableJobName->AsString();
}
