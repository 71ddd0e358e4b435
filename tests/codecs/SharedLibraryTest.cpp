// The format libraries opened on first use: a missing library or function is reported by name.
#include "codecs/SharedLibrary.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

using kalvo::TSharedLibrary;

namespace {

std::string failure(const std::function<void()>& f)
{
    try {
        f();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "no failure";
}

} // namespace

TEST(SharedLibrary, OpensBySonameAndNamesWhatIsMissing)
{
    EXPECT_EQ(failure([] { TSharedLibrary("libkalvo-absent.so.1"); }),
              "cannot load libkalvo-absent.so.1 (cannot open shared object file: No such file or directory)");
    const TSharedLibrary zlib("libz.so.1");
    const char* (*version)() = nullptr;
    zlib.resolve(version, "zlibVersion");
    EXPECT_EQ(version()[0], '1');
    EXPECT_EQ(failure([&] { zlib.symbol("kalvo_absent"); }), "cannot load libz.so.1: no kalvo_absent");
}
