#pragma once
// A working job for the profile dialogs: a temporary database with the
// shipped reference rows, the local defaults open, a gravity job header and
// a dialog driver answering every dialog.
#include "support/dialogdriver.h"
#include "support/running_program.h"
#include "support/workjob.h"

#include "model/data_module.h"
#include "model/job.h"

#include <gtest/gtest.h>

class ProfileDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DMod->DefLocTable->Open();
        job.SetHeader({{"JobName", "Creek"}, {"JobNumber", 1}, {"SysType", "GRAVITY"}, {"DesignFlow", 500}});
        Tul->NewNode = false;
    }

    void AddNode(testsupport::FieldValues values) { job.AddProfRow(values); }

    // Makes the node at the station current, in edit state, as an opener does.
    void GoTo(double station)
    {
        Tul->NewStation = station;
        ASSERT_TRUE(Tul->LocateProfStation());
    }

    // A stored value of the node at the station, after posting what is pending.
    static QVariant At(double station, const QString& field)
    {
        db::Table* t = DMod->WorkProfTable;
        t->CheckBrowseMode();
        EXPECT_TRUE(t->Locate(QStringLiteral("Station"), station)) << station;
        return t->FieldByName(field)->Value();
    }
    static double NumAt(double station, const QString& field) { return At(station, field).toDouble(); }
    static QString TextAt(double station, const QString& field) { return At(station, field).toString(); }

    static QVariant Header(const QString& field)
    {
        db::Table* t = DMod->WorkPipeTable;
        t->CheckBrowseMode();
        t->First();
        return t->FieldByName(field)->Value();
    }

    DialogDriver driver;
    testsupport::WorkJob job;
};
