#include "codecs/jpeg/JpegMetadata.h"

#include "codecs/exif/ExifBlock.h"
#include "codecs/jpeg/JpegCompressor.h"

#include <algorithm>
#include <cstring>

namespace kalvo {

namespace {

constexpr char kIccSignature[] = "ICC_PROFILE"; // with its terminating zero: 12 bytes
constexpr std::size_t kIccHeader = sizeof kIccSignature + 2;
constexpr std::size_t kMaxMarkerPayload = 65533;

bool StartsWith(std::span<const std::uint8_t> data, const void* prefix, std::size_t size)
{
    return data.size() >= size && std::memcmp(data.data(), prefix, size) == 0;
}

} // namespace

void TJpegMetadataReader::addAppMarker(int appNumber, std::span<const std::uint8_t> payload)
{
    if (appNumber == 1 && exif_.empty() && StartsWith(payload, kExifMarkerPrefix.data(), kExifMarkerPrefix.size())) {
        const auto tiff = payload.subspan(kExifMarkerPrefix.size());
        if (IsWellFormedExif(tiff))
            exif_.assign(tiff.begin(), tiff.end());
        return;
    }
    if (appNumber != 2 || !StartsWith(payload, kIccSignature, sizeof kIccSignature))
        return;
    if (payload.size() < kIccHeader) {
        iccBroken_ = true;
        return;
    }
    const int sequence = payload[kIccHeader - 2], count = payload[kIccHeader - 1];
    if (sequence < 1 || sequence > count || (iccCount_ != 0 && count != iccCount_) || iccPieces_.count(sequence)) {
        iccBroken_ = true;
        return;
    }
    iccCount_ = count;
    iccPieces_[sequence].assign(payload.begin() + kIccHeader, payload.end());
}

TImageMetadata TJpegMetadataReader::take()
{
    TImageMetadata metadata;
    metadata.Exif = std::move(exif_);
    if (!iccBroken_ && iccCount_ > 0 && int(iccPieces_.size()) == iccCount_)
        for (auto& [sequence, piece] : iccPieces_)
            metadata.IccProfile.insert(metadata.IccProfile.end(), piece.begin(), piece.end());
    *this = TJpegMetadataReader();
    return metadata;
}

void WriteJpegMetadata(TJPEGCompressor& jpeg, const TImageMetadata& metadata, int width, int height)
{
    if (!metadata.Exif.empty()) {
        const auto exif = ExifForSavedPicture(metadata.Exif, width, height);
        if (exif && exif->size() + kExifMarkerPrefix.size() <= kMaxMarkerPayload) {
            std::vector<std::uint8_t> payload(kExifMarkerPrefix.size() + exif->size());
            std::copy(kExifMarkerPrefix.begin(), kExifMarkerPrefix.end(), payload.begin());
            std::copy(exif->begin(), exif->end(), payload.begin() + std::ptrdiff_t(kExifMarkerPrefix.size()));
            jpeg.WriteMarker(0xE1, payload);
        }
    }
    const std::vector<std::uint8_t>& icc = metadata.IccProfile;
    constexpr std::size_t kPiece = kMaxMarkerPayload - kIccHeader;
    const std::size_t pieces = (icc.size() + kPiece - 1) / kPiece;
    if (icc.empty() || pieces > 255)
        return;
    for (std::size_t i = 0; i < pieces; ++i) {
        std::vector<std::uint8_t> payload(kIccSignature, kIccSignature + sizeof kIccSignature);
        payload.push_back(std::uint8_t(i + 1));
        payload.push_back(std::uint8_t(pieces));
        const std::size_t begin = i * kPiece, end = std::min(icc.size(), begin + kPiece);
        payload.insert(payload.end(), icc.begin() + std::ptrdiff_t(begin), icc.begin() + std::ptrdiff_t(end));
        jpeg.WriteMarker(0xE2, payload);
    }
}

} // namespace kalvo
