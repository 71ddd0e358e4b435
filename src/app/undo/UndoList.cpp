#include "app/undo/UndoList.h"

#include "codecs/MappedFile.h"
#include "codecs/bmp/BmpFormat.h"
#include "image/ImageErrors.h"
#include "image/PixelBox.h"

#include <fstream>
#include <new>

namespace kalvo {

namespace {

// Writes the held pictures as BMP files one after the other, straight from their rows.
bool WritePictures(const std::string& fileName, const TBitmap* image, const TBitmap* mask)
{
    try {
        std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
        if (image)
            WriteBmp(*image, out);
        if (mask)
            WriteBmp(*mask, out);
        out.close();
        return !out.fail();
    } catch (const EFileError&) {
        return false;
    }
}

} // namespace

bool TUndoStream::SwapOut()
{
    if (FFile)
        return true;
    auto file = std::make_unique<TTempFileStream>("_KV");
    const bool pictures = FHasImage || FHasMask;
    if (pictures ? !WritePictures(file->FileName(), FImage ? &*FImage : nullptr, FMask ? &*FMask : nullptr)
                 : !file->Write({FBytes.data(), FBytes.size()}))
        return false;
    FFile = std::move(file);
    TByteBuffer().swap(FBytes);
    FImage.reset();
    FMask.reset();
    return true;
}

void TUndoStream::ReplaceImage(TBitmap&& image) noexcept
{
    try {
        if (FFile && WritePictures(FFile->FileName(), &image, nullptr))
            return;
    } catch (...) {
        // No memory for the file's buffer: the image stays in memory.
    }
    FFile.reset();
    FImage = std::move(image);
    FHasImage = true;
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

std::size_t TUndoStream::HeldBytes() const
{
    if (FFile)
        return 0;
    return FBytes.size() + (FImage ? FImage->byteSize() : 0) + (FMask ? FMask->byteSize() : 0);
}

void TUndoStream::ReadPictures(std::optional<TBitmap>& image, std::optional<TBitmap>& mask) const
{
    if (!FFile) {
        image = FImage;
        mask = FMask;
        return;
    }
    image.reset();
    mask.reset();
    Read([&](std::span<const std::uint8_t> rest) {
        if (FHasImage) {
            image = ReadBmp(rest);
            rest = rest.subspan(std::min(rest.size(), BmpFileSize(rest)));
        }
        if (FHasMask)
            mask = ReadBmp(rest);
    });
}

namespace {

// Everything of an item but its image; the image is put in by the caller.
std::unique_ptr<TUndoItem> NewItem(const std::string& description, const TRegionRef* region, bool withRegion,
                                   bool modified)
{
    auto item = std::make_unique<TUndoItem>();
    item->Description = description.substr(0, 255);
    item->Modified = modified;
    item->HasRegion = withRegion;
    if (withRegion && region && *region) {
        const auto stream = RegionToBytes(**region);
        item->RegionStream = std::make_unique<TUndoStream>(TByteBuffer(stream.begin(), stream.end()));
    }
    return item;
}

void AttachPictures(TUndoItem& item, std::unique_ptr<TUndoStream> stream)
{
    item.HasImage = stream->HasImage();
    item.HasMask = stream->HasMask();
    if (item.HasImage || item.HasMask)
        item.ImageStream = std::move(stream);
}

std::optional<TBitmap> CopyOf(const TBitmap* bitmap)
{
    return bitmap ? std::optional<TBitmap>(*bitmap) : std::nullopt;
}

} // namespace

bool AddUndoItem(TUndoList& list, const std::string& description, const TBitmap* image, const TBitmap* mask,
                 const TRegionRef* region, bool withRegion, bool modified)
{
    try {
        auto item = NewItem(description, region, withRegion, modified);
        AttachPictures(*item,
                       std::make_unique<TUndoStream>(CopyOf(image && !image->empty() ? image : nullptr), CopyOf(mask)));
        list.push_back(std::move(item));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool AddUndoItemTaking(TUndoList& list, const std::string& description, TBitmap& image, const TBitmap* mask,
                       const TRegionRef* region, bool withRegion, bool modified)
{
    if (image.empty())
        return AddUndoItem(list, description, nullptr, mask, region, withRegion, modified);
    try {
        auto item = NewItem(description, region, withRegion, modified);
        auto stream = std::make_unique<TUndoStream>(std::nullopt, CopyOf(mask));
        list.reserve(list.size() + 1);
        // Nothing can fail from here: the image is moved only now.
        stream->HoldImage(std::move(image));
        AttachPictures(*item, std::move(stream));
        list.push_back(std::move(item));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool AddPartialUndoItem(TUndoList& list, const std::string& description, const TBitmap& picture, TRect box,
                        const TBitmap* mask, const TRegionRef* region, bool withRegion, bool modified,
                        TBitmap* boxPixels, std::span<const TRect> pieces)
{
    try {
        auto item = NewItem(description, region, withRegion, modified);
        AttachPictures(*item, std::make_unique<TUndoStream>(std::nullopt, CopyOf(mask)));
        item->Partial = true;
        item->Box = ByteAlignedBox(picture, box);
        item->PictureWidth = picture.width();
        item->PictureHeight = picture.height();
        item->PictureBits = picture.bitCount();
        item->Pieces.assign(pieces.begin(), pieces.end());
        if (!item->Box.isEmpty() && boxPixels) {
            auto stream = std::make_unique<TUndoStream>(std::nullopt, std::nullopt);
            list.reserve(list.size() + 1);
            // Nothing can fail from here: the pixels are moved only now.
            stream->HoldImage(std::move(*boxPixels));
            item->BoxStream = std::move(stream);
        } else if (!item->Box.isEmpty()) {
            item->BoxStream = std::make_unique<TUndoStream>(
                pieces.empty() ? CopyBox(picture, item->Box) : CopyPieces(picture, pieces), std::nullopt);
        }
        list.push_back(std::move(item));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool IsPartialUndoItem(const TUndoList& list, int index)
{
    return index >= 0 && index < int(list.size()) && list[std::size_t(index)]->Partial;
}

bool ExchangeUndoBox(TUndoList& list, int index, TBitmap& picture)
{
    TUndoItem& item = *list.at(std::size_t(index));
    if (picture.width() != item.PictureWidth || picture.height() != item.PictureHeight
        || picture.bitCount() != item.PictureBits)
        return false;
    if (!item.BoxStream)
        return true;
    const auto exchange = [&](TBitmap& held) {
        if (item.Pieces.empty())
            ExchangeBox(picture, held, item.Box);
        else
            ExchangePieces(picture, held, item.Pieces);
    };
    if (TBitmap* held = item.BoxStream->HeldImage()) {
        exchange(*held);
        return true;
    }
    std::optional<TBitmap> box, none;
    item.BoxStream->ReadPictures(box, none);
    const QSize size = item.Pieces.empty() ? QSize(item.Box.width(), item.Box.height()) : StackSize(item.Pieces);
    if (!box || box->width() != size.width() || box->height() != size.height() || box->bitCount() != item.PictureBits)
        throw EPxImageError("BmpStream Read ERROR.");
    exchange(*box);
    item.BoxStream->ReplaceImage(std::move(*box));
    item.SwappedOut = item.SwappedOut && item.BoxStream->SwappedOut();
    return true;
}

bool HoldsWholePicture(const TUndoList& list, int index)
{
    if (index < 0 || index >= int(list.size()))
        return false;
    const TUndoItem& item = *list[std::size_t(index)];
    return item.HasImage || item.RedoStream;
}

void KeepRedoPicture(TUndoList& list, int index, const std::function<TBitmap()>& exchange)
{
    TUndoItem& item = *list.at(std::size_t(index));
    auto stream = std::make_unique<TUndoStream>(std::nullopt, std::nullopt);
    stream->HoldImage(exchange());
    item.RedoStream = std::move(stream);
    item.SwappedOut = false;
}

bool TakeRedoPicture(TUndoList& list, int index, TBitmap& picture)
{
    TUndoItem& item = *list.at(std::size_t(index));
    if (!item.RedoStream)
        return false;
    std::optional<TBitmap> image, none;
    if (TBitmap* held = item.RedoStream->HeldImage())
        image = std::move(*held);
    else
        item.RedoStream->ReadPictures(image, none);
    if (!image)
        throw EPxImageError("BmpStream Read ERROR.");
    picture = std::move(*image);
    item.RedoStream.reset();
    return true;
}

std::size_t UndoItemMemory(const TUndoItem& item)
{
    std::size_t bytes = 0;
    for (const auto* stream : {&item.ImageStream, &item.RegionStream, &item.BoxStream, &item.RedoStream})
        bytes += *stream ? (*stream)->HeldBytes() : 0;
    return bytes;
}

TUndoParts GetUndoItem(const TUndoList& list, int index, TBitmap& image, std::optional<TBitmap>& mask,
                       TRegionRef& region, bool& modified, bool readImage)
{
    TUndoParts parts;
    if (index < 0 || index >= int(list.size()))
        return parts;
    const TUndoItem& item = *list[std::size_t(index)];
    modified = item.Modified;
    if (item.ImageStream && (readImage || item.HasMask)) {
        std::optional<TBitmap> picture;
        item.ImageStream->ReadPictures(picture, mask);
        if (!readImage)
            picture.reset();
        if (picture) {
            image = std::move(*picture);
            parts.Image = true;
        }
        parts.Mask = mask.has_value();
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
    for (const auto* stream : {&item.BoxStream, &item.RedoStream}) {
        if (*stream && !(*stream)->SwapOut())
            throw EPxImageError("BmpStream SwapOut ERROR.");
    }
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
