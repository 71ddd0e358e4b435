#pragma once
// A test process's own temporary and settings directories: TMPDIR and KALVO_CONFIG_DIR point
// into a fresh directory for the life of the object, removed with its contents afterwards, so
// that tests running side by side never see each other's temporary files or settings.
#include <string>

namespace kalvo::test {

class PrivateTempDir {
public:
    PrivateTempDir();
    ~PrivateTempDir();
    PrivateTempDir(const PrivateTempDir&) = delete;
    PrivateTempDir& operator=(const PrivateTempDir&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace kalvo::test
