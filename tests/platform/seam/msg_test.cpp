#include "platform/ui/seam/msg.h"

#include <gtest/gtest.h>

namespace {
struct Recorder : ui::MessageSink {
    std::vector<ui::Message> seen;
    int answer = ui::mrNo;
    int show(const ui::Message& m) override { seen.push_back(m); return answer; }
};
} // namespace

TEST(MessageSeam, InstalledSinkAnswersAndKeepsTextExactly)
{
    Recorder r;
    auto* old = ui::SetMessageSink(&r);
    int res = ui::MessageDlg("Do you really want to DELETE Station 12+34?", ui::MsgType::Confirmation, ui::mbYesNo);
    ui::ShowMessage("Job will be saved as  X. ");
    ui::SetMessageSink(old);
    EXPECT_EQ(res, ui::mrNo);
    ASSERT_EQ(r.seen.size(), 2u);
    EXPECT_EQ(r.seen[0].buttons, ui::mbYesNo);
    EXPECT_EQ(r.seen[1].type, ui::MsgType::Information);
    EXPECT_EQ(r.seen[1].text, QString("Job will be saved as  X. "));
}
