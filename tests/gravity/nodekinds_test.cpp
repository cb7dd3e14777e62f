// The node-kind dialogs the gravity designer's node dialogs open.
#include "support/dialogdriver.h"
#include "support/tempdb.h"

#include "gravity/dunstrowform1.h"
#include "model/dbsetup.h"
#include "model/dmod1.h"
#include "model/startup.h"
#include "model/tulclass.h"

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
    for (const char* kind : {"Booster", "Gated", "Manifold"}) NodeKindDialogOpener(QString::fromLatin1(kind));
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TGetPipeDlg", "TGatedPipeDlg", "TManifoldEndDlg"}));

    delete form;
    EXPECT_FALSE(NodeKindDialogOpener);   // nothing left pointing at the closed window
    delete DMod;
    DMod = nullptr;
    DeleteSingleObjects();
}

} // namespace
