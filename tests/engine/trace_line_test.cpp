// The runs' trace lines: the same bytes as the C library's fprintf makes of
// the same format, for numbers of every size and sign, halves and the
// values printf must round at the sixth decimal.
#include "engine/run_steps.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace {

std::string Contents(std::FILE* f)
{
    std::rewind(f);
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, n);
    return out;
}

TEST(TraceLine, WritesWhatFprintfWrites)
{
    std::vector<double> values = {0.0, -0.0, 1.0, -1.0, 0.5, 2.5e-7, 1.5e-6, -1.5e-6, 0.0000005, 0.0000015,
                                  123456.7890125, 1e21, 1.7976931348623157e308, 4.9e-324, 1.0 / 3.0,
                                  -2.0 / 3.0, 1000.0000005, 99.9999995,
                                  // halves of the sixth decimal held exactly, carries, the edges of 2^33
                                  0.0078125, -0.0078125, 12.0000025, 3.9999995, 0.9999999, -0.9999996,
                                  8589934591.9999995, 8589934592.25, -8589934591.5, 1e-300,
                                  std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN()};
    unsigned seed = 7;
    for (int i = 0; i < 3000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const double u = double((seed >> 8) & 0xFFFFFF) / double(0x1000000);
        values.push_back((i % 3 ? 1 : -1) * std::pow(10.0, u * 16 - 8) * (1 + u));
        values.push_back(std::round(u * 1e9) / 1e6 + 5e-7);   // at a rounding point of the sixth decimal
        values.push_back((i % 2 ? 1 : -1) * (std::round(u * 1e6) + 0.5) / 128.0);   // exact halves and quarters
    }
    std::FILE* ours = std::tmpfile();
    std::FILE* theirs = std::tmpfile();
    ASSERT_TRUE(ours && theirs);
    for (size_t k = 0; k + 1 < values.size(); ++k) {
        TracePrint(ours, "Final int Sta= %s, hgl= %f, psi = %f,\n", {"12+34", values[k], values[k + 1]});
        std::fprintf(theirs, "Final int Sta= %s, hgl= %f, psi = %f,\n", "12+34", values[k], values[k + 1]);
    }
    TracePrint(nullptr, "%f\n", {1.0});   // no file, nothing written and no fault
    EXPECT_EQ(Contents(ours), Contents(theirs));
    std::fclose(ours);
    std::fclose(theirs);
}

} // namespace
