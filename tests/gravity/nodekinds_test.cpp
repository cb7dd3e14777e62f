// The node-kind dialogs the gravity designer's node dialogs open.
#include "support/dialogdriver.h"
#include "support/tempdb.h"

#include "gravity/dunstrow_window.h"
#include "model/database_setup.h"
#include "model/data_module.h"
#include "engine/single_objects.h"
#include "model/job.h"

#include <gtest/gtest.h>

namespace {

TEST(DunstrowNodeKinds, GatedAndManifoldOpenTheirDialogsAndThereIsNoBooster)
{
    DialogDriver driver;
    testsupport::TempDb temp{MersolCreateScript(), TransferCreateScript()};
    DeleteSingleObjects();
    CreateGravitySingleObjects();
    DMod = new TDMod();
    auto* form = new TDunstrowForm();

    ASSERT_TRUE(NodeKindDialogOpener);
    // A target left over from the suction dialog must not send the gated pipe there.
    Tul->PipePickTarget = 1;
    int pickTarget = -1;
    driver.OnForm("TGetPipeDlg", [&](ui::Form& f) {
        pickTarget = Tul->PipePickTarget;
        f.Close();
    });
    for (const char* kind : {"Booster", "Gated", "Manifold"}) NodeKindDialogOpener(QString::fromLatin1(kind));
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TGetPipeDlg", "TGatedPipeDlg", "TManifoldEndDlg"}));
    EXPECT_EQ(pickTarget, 3);
    EXPECT_EQ(Tul->PipePickTarget, 0);

    delete form;
    EXPECT_FALSE(NodeKindDialogOpener);   // nothing left pointing at the closed window
    delete DMod;
    DMod = nullptr;
    DeleteSingleObjects();
}

} // namespace
