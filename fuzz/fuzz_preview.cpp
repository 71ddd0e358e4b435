// libFuzzer target: the open dialog's preview loader (scaled JPEG decoding, reduced JPEG 2000
// decoding, the fit and the smooth reduction). The first byte picks the file name's extension;
// the rest is written to a scratch file, as the loader reads files by name.
#include "codecs/preview/PreviewPicture.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    static const char* const kExtensions[] = {".jpg", ".jp2", ".j2k", ".png", ".gif", ".bmp"};
    const std::string file = "/tmp/kalvo-fuzz-preview-" + std::to_string(getpid()) + kExtensions[data[0] % 6];
    if (std::FILE* out = std::fopen(file.c_str(), "wb")) {
        std::fwrite(data + 1, 1, size - 1, out);
        std::fclose(out);
    }
    for (int box : {150, 400}) {
        const auto preview = kalvo::LoadPreviewPicture(file, box, box);
        if (preview && (preview->Picture.width() > box || preview->Picture.height() > box || preview->Picture.empty()))
            __builtin_trap();
    }
    std::remove(file.c_str());
    return 0;
}
