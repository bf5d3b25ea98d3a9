// A test program that misbehaves on request, for the harness's own check
// (check-harness.sh): each case below ends the program in a way the test
// runner must report as a failure, naming the cause.
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

volatile int zero = 0;

int Recurse(int depth)
{
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    return Recurse(depth + 1) + frame[0];
}

TEST(HarnessProbe, Passes) { EXPECT_EQ(zero, 0); }
TEST(HarnessProbe, DividesByZero) { EXPECT_NE(10 / zero, 1); }
TEST(HarnessProbe, OverflowsTheStack) { EXPECT_NE(Recurse(0), 1); }
TEST(HarnessProbe, ExitsEarly) { std::exit(0); }

}  // namespace
