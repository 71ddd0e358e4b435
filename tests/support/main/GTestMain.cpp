// Entry point of the toolkit-free tests: every GoogleTest test in a temporary directory of the
// process's own.
#include "support/PrivateTempDir.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const kalvo::test::PrivateTempDir temp;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
