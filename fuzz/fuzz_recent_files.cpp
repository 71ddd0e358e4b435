// libFuzzer target: the recent-file list reader and the menu captions.
#include "config/RecentFileText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList entries = kalvo::ParseRecentFileText(bytes);
    if (entries.size() > kalvo::kMaxRecentFiles)
        std::abort();
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).isEmpty() || entries.at(i).size() > kalvo::kMaxRecentPathChars)
            std::abort();
        (void)kalvo::RecentFileCaption(i, entries.at(i));
    }
    // What the list writes it reads back unchanged.
    if (kalvo::ParseRecentFileText(kalvo::RecentFileBytes(entries)) != entries)
        std::abort();
    return 0;
}
