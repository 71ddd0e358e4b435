// kalvo-cli runs on the core libraries alone: no graphical library and no Qt library is loaded,
// and the WebP, TIFF and HEIF libraries only when such a file is read or written, which is what
// lets it start about as fast as the codecs' own tools.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

using kalvo::test::RunCli;

TEST(CliLibraries, VersionAndNoQtOrGraphicalLibraryLoaded)
{
    const auto version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("kalvo-cli ", 0), 0u) << version.out;
    // The dynamic loader lists what it loads instead of starting the program.
    const auto loaded = RunCli({"--version"}, {"LD_TRACE_LOADED_OBJECTS=1"});
    ASSERT_EQ(loaded.status, 0);
    ASSERT_NE(loaded.out.find("libjpeg"), std::string::npos) << loaded.out;
    for (const char* library : {"libQt6", "libX11", "libxcb", "libEGL", "libGL", "libfontconfig", "libfreetype",
                                "libwebp", "libtiff", "libheif"})
        EXPECT_EQ(loaded.out.find(library), std::string::npos) << library << " in\n" << loaded.out;
}
