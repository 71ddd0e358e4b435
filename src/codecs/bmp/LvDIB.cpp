#include "codecs/bmp/LvDIB.h"

#include "codecs/MappedFile.h"
#include "codecs/bmp/LvDIBErrors.h"
#include "image/ImageErrors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

namespace kalvo {

bool TLvDIB::DefaultUseFMO = true;

TLvDIB::TLvDIB()
{
    AssignNone();
}

void TLvDIB::takeStore(std::shared_ptr<TLvInternalDIB> store)
{
    FInternalDIB = std::move(store);
    UpdatePaletteModified();
    Changed();
}

void TLvDIB::AssignNone()
{
    auto store = std::make_shared<TLvInternalDIB>(DefaultUseFMO);
    store->CreateDIB(1, 1, 256, 8);
    takeStore(std::move(store));
}

void TLvDIB::UniqueDIB()
{
    if (FInternalDIB.use_count() == 1)
        return;
    auto copy = std::make_shared<TLvInternalDIB>(FInternalDIB->UseFMO);
    TDibRecord rec;
    rec.Header = FInternalDIB->Rec.Header;
    rec.Colors = FInternalDIB->Rec.Colors;
    rec.Size = FInternalDIB->Rec.Size;
    rec.Memory = TDibMemory(rec.Size, copy->UseFMO);
    std::copy_n(FInternalDIB->Rec.Bits(), rec.Size, rec.Bits());
    copy->Rec = std::move(rec);
    copy->Width = FInternalDIB->Width;
    copy->Height = FInternalDIB->Height;
    copy->PaletteChanged = FInternalDIB->PaletteChanged;
    FInternalDIB = std::move(copy);
    UpdatePaletteModified();
}

void TLvDIB::UpdatePaletteModified()
{
    if (FInternalDIB->PaletteChanged && FInternalDIB.use_count() == 1) {
        FInternalDIB->PaletteChanged = false;
        if (OnPaletteModified)
            OnPaletteModified();
    }
}

void TLvDIB::Changed()
{
    if (OnChange)
        OnChange();
}

void TLvDIB::SetWidth(int value)
{
    if (value <= 0)
        throw ELvDIBInvalidDIBPara("TLvDIB.SetWidth: Invalid Width");
    if (value == Width())
        return;
    const auto& h = FInternalDIB->Rec.Header;
    auto store = std::make_shared<TLvInternalDIB>(FInternalDIB->UseFMO);
    store->CreateDIB(value, h.biHeight, int(h.biClrUsed), h.biBitCount);
    takeStore(std::move(store));
}

void TLvDIB::SetHeight(int value)
{
    if (value == 0)
        throw ELvDIBInvalidDIBPara("TLvDIB.SetHeight: Invalid Height");
    const auto& h = FInternalDIB->Rec.Header;
    if (value == h.biHeight)
        return;
    auto store = std::make_shared<TLvInternalDIB>(FInternalDIB->UseFMO);
    store->CreateDIB(h.biWidth, value, int(h.biClrUsed), h.biBitCount);
    takeStore(std::move(store));
}

void TLvDIB::SetBitCount(int value)
{
    if (value != 1 && value != 4 && value != 8 && value != 24)
        throw ELvDIBInvalidDIBPara("TLvDIB.SetBitCount: Invalid BitCount");
    if (value == BitCount())
        return;
    auto store = std::make_shared<TLvInternalDIB>(FInternalDIB->UseFMO);
    store->CreateDIB(Width(), FInternalDIB->Rec.Header.biHeight, value <= 8 ? (1 << value) : 0, value);
    takeStore(std::move(store));
}

std::optional<std::vector<TColor>> TLvDIB::Palette()
{
    return FInternalDIB->Palette();
}

void TLvDIB::SetPalette(const std::optional<std::vector<TColor>>& palette)
{
    UniqueDIB();
    auto& rec = FInternalDIB->Rec;
    if (palette) {
        if (palette->empty())
            throw ELvDIBInvalidPalette("TLvDIB.SetPalette: Invalid Palette");
        rec.Header.biClrUsed = std::uint32_t(PaletteToRGBQuads(*palette, std::span(rec.Colors).first(256), 255));
    } else {
        rec.Header.biClrUsed = 0;
    }
    FInternalDIB->UpdatePalette();
    UpdatePaletteModified();
    Changed();
}

void TLvDIB::LoadFromStream(std::span<const std::uint8_t> data)
{
    auto store = std::make_shared<TLvInternalDIB>(FInternalDIB->UseFMO);
    store->LoadFromStream(data);
    takeStore(std::move(store));
}

void TLvDIB::LoadFromFile(const std::string& fileName)
{
    // A private writable mapping of the file: plain pixel data becomes the store without a copy
    // (pages are copied only when written), and the file itself is never changed.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw EFileError("Cannot open file \"" + fileName + "\": " + std::strerror(errno));
    struct stat st { };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0) {
        ::close(fd);
        throw EReadError();
    }
    const std::size_t length = std::size_t(st.st_size);
    // Mapped read-only with its pages populated (populating a writable private mapping would copy
    // every page), then made writable: a page is copied only when it is written.
    void* base = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    ::close(fd);
    if (base == MAP_FAILED)
        throw EFileError("Cannot read file \"" + fileName + "\"");
    if (::mprotect(base, length, PROT_READ | PROT_WRITE) != 0) {
        ::munmap(base, length);
        throw EFileError("Cannot read file \"" + fileName + "\"");
    }
    bool adopted = false;
    try {
        auto store = std::make_shared<TLvInternalDIB>(FInternalDIB->UseFMO);
        store->LoadFromStream({static_cast<const std::uint8_t*>(base), length},
                              [&](std::size_t offset, std::size_t size) {
                                  adopted = true;
                                  return TDibMemory::AdoptMapping(base, length, offset, size);
                              });
        if (!adopted)
            ::munmap(base, length);
        takeStore(std::move(store));
    } catch (...) {
        if (!adopted)
            ::munmap(base, length);
        throw;
    }
}

void TLvDIB::SaveToStream(std::ostream& out) const
{
    FInternalDIB->SaveToStream(out);
}

void TLvDIB::SaveToFile(const std::string& fileName) const
{
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (!out)
        throw EFileError("Cannot create file \"" + fileName + "\"");
    SaveToStream(out);
    if (!out.flush())
        throw EFileError("Cannot write file \"" + fileName + "\"");
}

void TLvDIB::LoadFromClipboardFormat(int format, const std::vector<std::uint8_t>* data)
{
    if (!data)
        throw EInvalidGraphic("TLvDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
    LoadFromClipboardFormat(format, std::span<const std::uint8_t>(*data));
}

void TLvDIB::LoadFromClipboardFormat(int format, std::span<const std::uint8_t> data)
{
    if (format != ClipboardFormat)
        throw EInvalidGraphic("TLvDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
    auto store = std::make_shared<TLvInternalDIB>(FInternalDIB->UseFMO);
    store->LoadFromClipboardFormat(data);
    takeStore(std::move(store));
}

std::vector<std::uint8_t> TLvDIB::SaveToClipboardFormat() const
{
    return FInternalDIB->SaveToClipboardFormat();
}

void TLvDIB::Assign(const TLvDIB& source)
{
    if (&source == this)
        return;
    FInternalDIB = source.FInternalDIB;
    BWColor = source.BWColor;
    ConvertMode = source.ConvertMode;
    if (OnPaletteModified)
        OnPaletteModified();
    Changed();
}

void TLvDIB::progressStep()
{
    ++ProgressCount;
    if (ProgressCount == ProgressTotal || !OnProgress)
        return;
    OnProgress(TProgressStage::Running, ProgressCount * 100 / ProgressTotal, false, ProgressText);
}

void TLvDIB::SetPixelFormat(TLvPixelFormat target)
{
    const TLvPixelFormat from = PixelFormat();
    if (target == from)
        return;
    UniqueDIB();
    static const char* names[] = {"1Bit", "4Bit", "4BitRLE", "8Bit", "8BitRLE", "24Bit"};
    const bool reduce4 = (target == lvPf4Bit || target == lvPf4BitRLE)
        && (from == lvPf8Bit || from == lvPf8BitRLE || from == lvPf24Bit);
    const bool reduce8 = (target == lvPf8Bit || target == lvPf8BitRLE) && from == lvPf24Bit;
    const bool started = reduce4 || reduce8;
    if (started) {
        ProgressText = std::string("PixelFormat ") + names[from] + " -> " + names[target];
        ProgressTotal = reduce8 ? 256 : 16;
        ProgressCount = 0;
        if (OnProgress)
            OnProgress(TProgressStage::Starting, 0, false, ProgressText);
    }
    auto finish = [&] {
        UpdatePaletteModified();
        if (started && OnProgress)
            OnProgress(TProgressStage::Ending, 100, true, ProgressText);
    };
    try {
        FInternalDIB->SetPixelsFormat(
            target, ConvertMode, [this](int) { progressStep(); }, BWColor);
    } catch (...) {
        finish();
        throw;
    }
    finish();
    UpdatePaletteModified();
    Changed();
}

} // namespace kalvo
