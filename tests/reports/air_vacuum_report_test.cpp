// The air-vacuum valve report, opened by the calculator's "Detailed" button
// and read back from its text dump.
#include "reports_fixture.h"

#include "dialogs/calculators/air_vacuum_calculator.h"
#include "model/data_module.h"
#include "reports/air_vacuum_report.h"

using testsupport::WorkJob;

namespace {

class AirVacReportTest : public ReportFormTest {
protected:
    // The six-inch PVC job as the calculator leaves it after computing.
    void ComputedJob(testsupport::FieldValues more = {})
    {
        WorkJob::AddRow(DMod->WorkAvacTable,
                        {{"JobName", "Ridge line"}, {"Location", "North slope"}, {"Designer", "R. Ames"},
                         {"Landuser", "J. Smith"}, {"ID", "A-17"}, {"JobClass", "III"}, {"Date", "12/09/2026"},
                         {"JobNotes", "Valve at the high point above the road crossing."},
                         {"PipeDescription", "6 in PVC typed"}, {"PipeMaterial", "PVC"}, {"DiaIn", 5.8},
                         {"OD", 6.0}, {"PipeWallT", 0.1}, {"Cfac", 150}, {"FlowCoef", 0.6}, {"AirDen", 0.08},
                         {"PoissonsRatio", 0.38}, {"Modulus", 400000}, {"FillVel", 1.0}, {"Slope", 0.05},
                         {"SlpeGiven", true}, {"VacQ", 932}, {"PCollapse", 4.3}, {"VacOrifice", 0.95},
                         {"AirRelOrifice", 0.34}, {"FillQ", 82}});
        if (more.size()) {
            DMod->WorkAvacTable->Edit();
            for (const auto& [field, value] : more)
                DMod->WorkAvacTable->FieldByName(field)->SetValue(value);
            DMod->WorkAvacTable->Post();
        }
    }

    void PressDetailed()
    {
        TAirVacDlg dlg(owner.get());
        dlg.QRDetailedSpdBtnClick();
    }
};

} // namespace

TEST_F(AirVacReportTest, DetailedPrintsTheJobItsInputsAndTheStoredResultsOnOnePage)
{
    ComputedJob();
    DMod->WorkAvacTable->Close();   // the button opens it
    ui::SetScreenCursor(ui::Cursor::Default);
    PressDetailed();
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(QRAirvac, nullptr);
    EXPECT_EQ(ui::ScreenCursor(), ui::Cursor::Default);
    ASSERT_EQ(shown.PageCount(), 1);
    EXPECT_EQ(shown.Texts(1).mid(0, 2), (QStringList{"Mersol", "Air Vac Valve Orifice Computations"}));
    for (const char* text : {"Ridge line", "North slope", "by:", "R. Ames", "Land User:", "J. Smith", "A-17",
                             "Job Class:", "III", "12/09/2026", "Job Comments:", "INPUT DATA", "OUTPUT",
                             "Vacuum Relief Orifice Diameter", "Air Release orifice Diameter", "Page number:",
                             "Printed:"})
        EXPECT_TRUE(shown.Contains(text)) << text;
    EXPECT_EQ(shown.TextsOf("QRDBText2"), QStringList{"Valve at the high point above the road crossing."});

    // Results as stored: whole gpm, 0.1 psi, 0.01 in.
    EXPECT_EQ(shown.TextsOf("VacOrifice"), QStringList{"0.95"});
    EXPECT_EQ(shown.TextsOf("VacQ"), QStringList{"932"});
    EXPECT_EQ(shown.TextsOf("PCollapse"), QStringList{"4.3"});
    EXPECT_EQ(shown.TextsOf("AirRelOrifice"), QStringList{"0.34"});
    EXPECT_EQ(shown.TextsOf("FillQ"), QStringList{"82"});
    EXPECT_EQ(shown.TextsOf("VacOrificeUnit"), QStringList{"inches"});
    EXPECT_EQ(shown.TextsOf("PCollapseCap"), QStringList{"Pipe collapse pressuure = "});

    // Inputs.
    EXPECT_EQ(shown.TextsOf("PipeDescription"), QStringList{"6 in PVC typed"});
    EXPECT_EQ(shown.TextsOf("PipeMaterial"), QStringList{"PVC"});
    EXPECT_EQ(shown.TextsOf("DiaIn"), QStringList{"5.800"});
    EXPECT_EQ(shown.TextsOf("Modulus"), QStringList{"400000"});
    EXPECT_EQ(shown.TextsOf("AirDen"), QStringList{"0.08"});
    EXPECT_EQ(shown.TextsOf("Slope"), QStringList{"0.05"});
    EXPECT_EQ(shown.TextsOf("PageFooterBand1Date"), QStringList{"12/9/2026"});
}

TEST_F(AirVacReportTest, CappedPressureKeepsItsDecimalAndAKnownDrainPrintsItsStoredSlope)
{
    ComputedJob({{"PCollapse", 5.0}, {"VacOrifice", 0.91}, {"SlpeGiven", false}, {"Slope", 0.0}, {"VacQ", 500}});
    PressDetailed();
    EXPECT_EQ(shown.TextsOf("PCollapse"), QStringList{"5.0"});
    EXPECT_EQ(shown.TextsOf("VacOrifice"), QStringList{"0.91"});
    EXPECT_EQ(shown.TextsOf("Slope"), QStringList{"0"});
    EXPECT_EQ(shown.TextsOf("VacQ"), QStringList{"500"});
}

TEST_F(AirVacReportTest, LongCommentsGrowTheirBandAndPushTheInputsDown)
{
    QString notes;
    for (int i = 0; i < 12; ++i)
        notes += QStringLiteral("The line crosses a ridge and a creek, so the valve sits at the high point. ");
    ComputedJob({{"JobNotes", notes}});
    PressDetailed();
    ASSERT_EQ(shown.PageCount(), 1);
    const QStringList lines = shown.TextsOf("QRDBText2");
    EXPECT_GT(lines.size(), 3);
    double lastNote = 0, input = 0;
    for (const report::DumpLine& l : shown.lines) {
        if (l.control == "QRDBText2")
            lastNote = std::max(lastNote, l.top);
        if (l.control == "InputLbl")
            input = l.top;
    }
    EXPECT_GT(input, lastNote);
}
