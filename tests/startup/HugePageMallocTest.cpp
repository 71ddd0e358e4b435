// The tunable that starts a program again with huge-page malloc.
#include "startup/HugePageMalloc.h"

#include <gtest/gtest.h>

using namespace kalvo;

TEST(HugePageMalloc, TunablesAddTheSettingOnce)
{
    EXPECT_EQ(TunablesWithHugePages(nullptr), "glibc.malloc.hugetlb=1");
    EXPECT_EQ(TunablesWithHugePages(""), "glibc.malloc.hugetlb=1");
    EXPECT_EQ(TunablesWithHugePages("glibc.malloc.arena_max=2"), "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1");
    // A setting of the user's own, whatever its value, is left alone; so is the restarted process.
    EXPECT_EQ(TunablesWithHugePages("glibc.malloc.hugetlb=0"), std::nullopt);
    EXPECT_EQ(TunablesWithHugePages("glibc.malloc.arena_max=2:glibc.malloc.hugetlb=2"), std::nullopt);
}
