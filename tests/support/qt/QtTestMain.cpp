// Entry point of the widget tests: a QApplication on the offscreen platform with a fresh, empty
// settings directory and a temporary directory of the process's own, then every GoogleTest test.
// Built with KALVO_TEST_SCALE_FACTOR the screen has that device pixel ratio (a high-density screen).
#include "app/startup/Application.h"
#include "support/PrivateTempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
#ifdef KALVO_TEST_SCALE_FACTOR
    ::setenv("QT_SCALE_FACTOR", KALVO_TEST_SCALE_FACTOR, 1);
#endif
    const kalvo::test::PrivateTempDir temp;
    kalvo::TKalvoApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
