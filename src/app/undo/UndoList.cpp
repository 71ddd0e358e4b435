#include "app/undo/UndoList.h"

#include "image/BmpFormat.h"
#include "image/ImageErrors.h"
#include "image/MappedFile.h"

#include <new>

namespace kalvo {

bool TUndoStream::SwapOut()
{
    if (FFile)
        return true;
    auto file = std::make_unique<TTempFileStream>("_KV");
    if (!file->Write({FBytes.data(), FBytes.size()}))
        return false;
    FFile = std::move(file);
    TByteBuffer().swap(FBytes);
    return true;
}

void TUndoStream::Read(const std::function<void(std::span<const std::uint8_t>)>& use) const
{
    if (!FFile) {
        use({FBytes.data(), FBytes.size()});
        return;
    }
    // The pixels are copied once, straight from the file's pages into the bitmap.
    TMappedFile file(FFile->FileName());
    use(file.bytes());
}

bool AddUndoItem(TUndoList& list, const std::string& description, const TBitmap* image,
                 const TBitmap* mask, const TRegionRef* region, bool withRegion, bool modified)
{
    try {
        auto item = std::make_unique<TUndoItem>();
        item->Description = description.substr(0, 255);
        item->Modified = modified;
        if ((image && !image->empty()) || mask) {
            TByteBuffer bytes;
            const std::size_t imageBytes = image ? image->byteSize() + 2048 : 0;
            bytes.reserve(imageBytes + (mask ? mask->byteSize() + 2048 : 0));
            if (image && !image->empty()) {
                AppendBmp(*image, bytes);
                item->HasImage = true;
            }
            if (mask) {
                AppendBmp(*mask, bytes);
                item->HasMask = true;
            }
            item->ImageStream = std::make_unique<TUndoStream>(std::move(bytes));
        }
        item->HasRegion = withRegion;
        if (withRegion && region && *region) {
            const auto stream = RegionToBytes(**region);
            item->RegionStream = std::make_unique<TUndoStream>(TByteBuffer(stream.begin(), stream.end()));
        }
        list.push_back(std::move(item));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

TUndoParts GetUndoItem(const TUndoList& list, int index, TBitmap& image, std::optional<TBitmap>& mask,
                       TRegionRef& region, bool& modified)
{
    TUndoParts parts;
    if (index < 0 || index >= int(list.size()))
        return parts;
    const TUndoItem& item = *list[std::size_t(index)];
    modified = item.Modified;
    if (item.ImageStream) {
        item.ImageStream->Read([&](std::span<const std::uint8_t> rest) {
            if (item.HasImage) {
                image = ReadBmp(rest);
                rest = rest.subspan(std::min(rest.size(), BmpFileSize(rest)));
                parts.Image = true;
            }
            if (item.HasMask) {
                mask = ReadBmp(rest);
                parts.Mask = true;
            } else {
                mask.reset();
            }
        });
    }
    if (item.RegionStream) {
        if (item.HasRegion) {
            item.RegionStream->Read([&](std::span<const std::uint8_t> bytes) { region = RegionFromBytes(bytes); });
            parts.Region = true;
        }
    } else if (item.HasRegion) {
        region.reset();
        parts.Region = true;
    }
    return parts;
}

void DeleteUndoItems(TUndoList& list, int from, int to)
{
    from = std::max(from, 0);
    to = std::min(to, int(list.size()) - 1);
    for (int i = to; i >= from; --i)
        list.erase(list.begin() + i);
}

void ClearUndoItems(TUndoList& list)
{
    DeleteUndoItems(list, 0, int(list.size()) - 1);
}

bool SwapOutUndoItem(TUndoList& list, int index)
{
    TUndoItem& item = *list.at(std::size_t(index));
    if (item.SwappedOut)
        return false;
    if (item.ImageStream && !item.ImageStream->SwapOut())
        throw EPxImageError("BmpStream SwapOut ERROR.");
    if (item.RegionStream && !item.RegionStream->SwapOut())
        throw EPxImageError("RgnStream SwapOut ERROR.");
    item.SwappedOut = true;
    return true;
}

int SwapOutUndoItems(TUndoList& list, int keep)
{
    if (keep > int(list.size()))
        return 0;
    int swapped = 0;
    for (int i = 0; i < int(list.size()) - keep; ++i)
        swapped += SwapOutUndoItem(list, i) ? 1 : 0;
    return swapped;
}

} // namespace kalvo
