// Entry point of the widget tests: a QApplication on the offscreen platform with a fresh, empty
// settings directory, then every GoogleTest test. Built with KALVO_TEST_SCALE_FACTOR the screen
// has that device pixel ratio (a high-density screen).
#include "app/Application.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
#ifdef KALVO_TEST_SCALE_FACTOR
    ::setenv("QT_SCALE_FACTOR", KALVO_TEST_SCALE_FACTOR, 1);
#endif
    QTemporaryDir configDir;
    ::setenv("KALVO_CONFIG_DIR", QDir::toNativeSeparators(configDir.path()).toLocal8Bit().constData(), 1);
    kalvo::TKalvoApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
