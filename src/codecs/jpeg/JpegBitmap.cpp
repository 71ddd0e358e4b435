#include "codecs/jpeg/JpegBitmap.h"

#include <memory>

namespace kalvo {

namespace {

// Lends a decompressor a progress handler for one decoding and detaches the stream afterwards.
class TLentDecompressor {
public:
    TLentDecompressor(TJPEGStreamDecompressor& jpeg, std::function<void()> onProgress)
        : jpeg_(jpeg), saved_(std::move(jpeg.OnProgressReport))
    {
        jpeg_.OnProgressReport = std::move(onProgress);
    }
    ~TLentDecompressor()
    {
        jpeg_.Detach();
        jpeg_.OnProgressReport = std::move(saved_);
    }
    TLentDecompressor(const TLentDecompressor&) = delete;
    TLentDecompressor& operator=(const TLentDecompressor&) = delete;

private:
    TJPEGStreamDecompressor& jpeg_;
    std::function<void()> saved_;
};

} // namespace

void TJPEGBitmap::LoadFromStream(std::istream& stream)
{
    auto notify = [this](TJpegProgressStage stage, int percent, const char* text) {
        if (OnProgress)
            OnProgress(stage, percent, text);
    };
    notify(TJpegProgressStage::Starting, 0, "Opening JPEG Image");
    std::unique_ptr<TJPEGStreamDecompressor> own;
    TJPEGStreamDecompressor* jpeg = TJPEGStreamDecompressor::Default();
    if (!jpeg) {
        own = std::make_unique<TJPEGStreamDecompressor>();
        jpeg = own.get();
    }
    TBitmap decoded;
    {
        TLentDecompressor lent(
            *jpeg, [&] { notify(TJpegProgressStage::Running, jpeg->PercentDone(), "Decompressing Image"); });
        jpeg->Attach(stream);
        decoded = jpeg->ToBitmap(jpeg->DefaultOutputKind());
    }
    Bitmap = std::move(decoded);
    notify(TJpegProgressStage::Ending, 100, "Decompression completed");
}

} // namespace kalvo
