#pragma once
// A designer's main window over a temporary database, for the job-command,
// system type, system dialog and page tests: single objects made, data
// module installed, window shown, and put back afterwards. Mersol's window is
// JobWindowTest; the gravity designer's tests use the same fixture.
#include "support/dialogdriver.h"
#include "support/tempdb.h"
#include "support/workprofile.h"

#include "mainwindow/mersol_window.h"
#include "model/database_setup.h"
#include "model/data_module.h"
#include "engine/single_objects.h"
#include "model/job.h"

#include <QDir>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace testsupport {

using Values = std::initializer_list<std::pair<QString, QVariant>>;

template <class Window>
class DesignerWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        makeSingleObjects();
        DMod = new TDMod();
        form = new Window();
        registerWindow();
        form->Show();
    }
    // The program's own single objects, and its window's global pointer.
    virtual void makeSingleObjects() { CreateSingleObjects(); }
    virtual void registerWindow() = 0;
    void TearDown() override
    {
        NodeKindDialogOpener = nullptr;
        if (form->isVisible()) form->Close();
        delete form;
        delete DMod;
        DMod = nullptr;
        CreateSingleObjects();   // the close deleted them
    }

    // Appends and posts a row, opening the table when closed.
    static void addRow(db::Table* t, Values values)
    {
        if (!t->Active()) t->Open();
        t->Append();
        for (const auto& [name, value] : values) t->FieldByName(name)->SetValue(value);
        t->Post();
    }
    // A stored job header and its profile rows; returns its job number.
    int storeJob(const QString& name, int profileRows = 2)
    {
        db::Table* jobs = DMod->JobPipeTable;
        addRow(jobs, {{"JobName", name}, {"SysType", "GRAVITY"}});
        const int number = DMod->JobPipeTableJobNumber->AsInteger();
        // An entrance, nodes in line and an end, as the node dialogs make them.
        for (int i = 0; i < profileRows; ++i)
            addRow(DMod->JobProfTable, {{"JobNumber", number},
                                        {"Station", 100.0 * i},
                                        {"NodeType", i == 0 ? 0 : i + 1 == profileRows ? 4 : 1}});
        return number;
    }
    // Writes fields of the one local defaults row.
    static void setDefaults(Values values)
    {
        db::Table* t = DMod->DefLocTable;
        if (!t->Active()) t->Open();
        t->First();
        t->Edit();
        for (const auto& [name, value] : values) t->FieldByName(name)->SetValue(value);
        t->Post();
    }
    // New Job, then the name typed and the field left for the location.
    void newNamedJob(const QString& name)
    {
        DialogDriver::Press(*form, "NewJobBtn");
        DialogDriver::Type(*form, "JobNameDBEdit", name);
        DialogDriver::Focus(*form, "JobLocationDBSF");
        driver.ClearLog();
    }
    QWidget* focused() const { return form->ActiveControl(); }

    DialogDriver driver;
    TempDb temp{MersolCreateScript(), TransferCreateScript()};
    Window* form = nullptr;
};

class JobWindowTest : public DesignerWindowTest<TMersolForm> {
protected:
    void registerWindow() override { MersolForm = form; }
    // A job as Previous Job leaves it: the header (stored under `number`),
    // its profile rows and the window on the job page.
    void loadedJob(Values header, int number = 7)
    {
        db::Table* pipe = DMod->WorkPipeTable;
        if (!pipe->Active()) pipe->Open();
        pipe->First();
        pipe->Edit();   // an empty table starts its one row
        DMod->WorkPipeTableJobNumber->SetAsInteger(number);
        for (const auto& [name, value] : header) pipe->FieldByName(name)->SetValue(value);
        pipe->Post();
        Tul->JobName = DMod->WorkPipeTableJobName->AsString();
        Tul->JobNumber = number;
        Tul->NewJob = false;
        Tul->StoredJob = true;
        Tul->PrevJobLoaded = true;
        Tul->SaveState = 2;
        DMod->WorkTablesFree = false;
        ShowSystemData(form);
    }
};

// A window fixture for tests that run the computations: the runs write their
// trace files into a temporary folder, and the friction method is fixed.
template <class WindowTest>
class WithRuns : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        oldDir = QDir::currentPath();
        QDir::setCurrent(workDir.path());
        SetCompMethod(2);
    }
    void TearDown() override
    {
        QDir::setCurrent(oldDir);
        WindowTest::TearDown();
    }

    QTemporaryDir workDir;
    QString oldDir;
};

class RunsJobWindowTest : public WithRuns<JobWindowTest> {};

} // namespace testsupport
