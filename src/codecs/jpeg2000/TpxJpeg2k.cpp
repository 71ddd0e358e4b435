#include "codecs/jpeg2000/TpxJpeg2k.h"

#include "codecs/MappedFile.h"
#include "codecs/jpeg2000/Jpeg2kDecode.h"
#include "codecs/jpeg2000/Jpeg2kError.h"

#include <iterator>
#include <vector>

namespace kalvo {

void TpxJpeg2k::LoadFromMemory(std::span<const std::uint8_t> data)
{
    bitmap_.clear();
    bitmap_ = DecodeJpeg2k(data, info_);
    changed();
}

void TpxJpeg2k::LoadFromStream(std::istream& stream)
{
    const std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    LoadFromMemory(data);
}

void TpxJpeg2k::LoadFromFile(const std::string& fileName)
{
    const TMappedFile file(fileName);
    LoadFromMemory(file.bytes());
}

void TpxJpeg2k::Assign(const TpxJpeg2k& other)
{
    bitmap_ = other.bitmap_;
    changed();
}

void TpxJpeg2k::AssignTo(TBitmap& dest) const
{
    dest = bitmap_;
}

TBitmap TpxJpeg2k::ReleaseBitmap()
{
    TBitmap out = std::move(bitmap_);
    bitmap_.clear();
    return out;
}

int TpxJpeg2k::Width() const
{
    if (Empty())
        throw EJpeg2kError("TpxJpeg2k.GetWidth: The picture is empty");
    return bitmap_.width();
}

int TpxJpeg2k::Height() const
{
    if (Empty())
        throw EJpeg2kError("TpxJpeg2k.GetHeight: The picture is empty");
    return bitmap_.height();
}

void TpxJpeg2k::changed()
{
    if (OnChange)
        OnChange();
}

} // namespace kalvo
