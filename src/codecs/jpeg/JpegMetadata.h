#pragma once
// EXIF and ICC profile in JPEG markers: EXIF in one APP1 marker ("Exif\0\0" and the TIFF
// structure), the profile in APP2 markers ("ICC_PROFILE\0", sequence number, count, a piece).
#include "codecs/ImageMetadata.h"

#include <cstdint>
#include <map>
#include <span>
#include <vector>

namespace kalvo {

class TJPEGCompressor;

// Gathers the metadata from the application markers a decompressor hands over (OnAppMarker).
class TJpegMetadataReader {
public:
    void addAppMarker(int appNumber, std::span<const std::uint8_t> payload);
    // The first well-formed EXIF block and the profile when its pieces are complete and
    // consistent; anything else is left out.
    TImageMetadata take();

private:
    std::vector<std::uint8_t> exif_;
    std::map<int, std::vector<std::uint8_t>> iccPieces_;
    int iccCount_ = 0;
    bool iccBroken_ = false;
};

// Writes the metadata for a saved picture of width x height (from OnWriteMarkers): the EXIF
// block made fit for it (ExifForSavedPicture) when it fits one marker, and the profile in pieces.
void WriteJpegMetadata(TJPEGCompressor& jpeg, const TImageMetadata& metadata, int width, int height);

} // namespace kalvo
