#include "support/PrivateTempDir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace kalvo::test {

PrivateTempDir::PrivateTempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kalvo-tests-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    const std::string config = path_ + "/config";
    std::filesystem::create_directory(config);
    ::setenv("TMPDIR", path_.c_str(), 1);
    ::setenv("KALVO_CONFIG_DIR", config.c_str(), 1);
}

PrivateTempDir::~PrivateTempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

} // namespace kalvo::test
