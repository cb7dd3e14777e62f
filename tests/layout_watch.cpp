// Every report a test program prints, by whatever command or dialog, has its
// page layout checked: a test that makes an overprinted page fails.
#include "support/layoutcheck.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class LayoutWatchEnvironment : public ::testing::Environment {
public:
    void SetUp() override { watch_ = std::make_unique<testsupport::LayoutWatch>(); }
    void TearDown() override { watch_.reset(); }

private:
    std::unique_ptr<testsupport::LayoutWatch> watch_;
};

[[maybe_unused]] ::testing::Environment* const kWatch =
    ::testing::AddGlobalTestEnvironment(new LayoutWatchEnvironment);

} // namespace
