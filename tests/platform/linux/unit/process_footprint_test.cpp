#include "platform/linux/process_footprint.h"

#include <gtest/gtest.h>

namespace {

TEST(ProcessFootprintTest, ReadsProportionalOrResidentSizeInBytes) {
    using namespace zendra::linux_process;
    EXPECT_EQ(
        pssBytes("55a0-7ffd ---p 00000000 00:00 0 [rollup]\nRss:  9000 kB\nPss:   4321 kB\nPss_Anon: 1 kB\n"),
        4321u * 1024);
    EXPECT_EQ(residentBytes("Name:\tzendra\nVmHWM:\t  300000 kB\nVmRSS:\t  195313 kB\n"), 195313u * 1024);
    EXPECT_EQ(pssBytes(""), 0u);
    EXPECT_EQ(pssBytes("Pss: lots kB\n"), 0u);
    EXPECT_EQ(residentBytes("VmRSS: 12 MB\n"), 0u) << "an unknown unit is not guessed";
    EXPECT_GT(ProcFootprint().bytes(), 0u) << "this very process has a footprint";
}

} // namespace
