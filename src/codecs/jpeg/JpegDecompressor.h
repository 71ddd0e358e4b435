#pragma once
// JPEG decoding into an image bitmap over the IJG 6b interface.
//
// Use: create a TJPEGStreamDecompressor, Attach() a stream (reads the header), read
// ImageWidth/ImageHeight/Progressive, call ToBitmap(), Detach(). Every failure throws
// (EJPEGError for library and adapter errors; what a stream or an event handler raised passes on).
#include "codecs/jpeg/JpegBase.h"
#include "image/Bitmap.h"

#include <cstdint>
#include <functional>
#include <istream>
#include <span>
#include <vector>

namespace kalvo {

// Output kinds of ToBitmap.
constexpr int kJpegOutput24 = 0;        // 24 bits per pixel
constexpr int kJpegOutputColors256 = 1; // 8 bits, quantised to DesiredColors colours
constexpr int kJpegOutputColors16 = 2;  // 4 bits, quantised to 16 colours
constexpr int kJpegOutputGray = 3;      // 8 bits, grey with a 256-entry grey palette

class TJPEGDecompressor : public TJPEGBase {
public:
    ~TJPEGDecompressor() override;

    J_DCT_METHOD DCTMethod = JDCT_ISLOW;
    bool FancyUpsampling = true;
    bool BlockSmoothing = true;
    bool GrayscaleOutput = false;
    bool TwoPassQuantize = true;
    J_DITHER_MODE DitherMode = JDITHER_FS;
    int DesiredColors = 64;

    // Receives the text of each comment marker.
    std::function<void(const std::string&)> OnComment;
    // Receives APP1..APP13 and APP15 markers: the marker number minus 0xE0 and the payload.
    std::function<void(int appNumber, std::span<const std::uint8_t> data)> OnAppMarker;

    // Valid after the header was read.
    int ImageWidth() const { return int(cinfo_.image_width); }
    int ImageHeight() const { return int(cinfo_.image_height); }
    bool Progressive() const { return cinfo_.progressive_mode != 0; }
    // The kind the decoding path uses: grey for grey files (or GrayscaleOutput), else 24 bits.
    int DefaultOutputKind() const;
    // Decodes at eighths/8 of the image size (1..8, rounded up to whole pixels) through the
    // library's scaled inverse transforms; set after the header was read, before ToBitmap.
    void SetScaleEighths(int eighths);

    // Decodes the whole image into a new bitmap of the given output kind.
    TBitmap ToBitmap(int kind);
    // Whether ToBitmapInBands may share the decoding of this file of the given output kind: one
    // scan (the rows come in order), no colour quantisation (its dithering runs across rows), no
    // scaling and no progress handler.
    bool CanDecodeInBands(int kind) const;
    // A row near where two threads decoding in bands finish together: the rows above it cost their
    // whole decoding, the lower band's decompressor reads their data without transforming it.
    int BandSplitRow() const;
    // ToBitmap for a large picture on two threads: lower(bitmap) runs on a second thread and fills
    // the rows from splitRow on (ReadRowsFrom of a second decompressor of the same data) while
    // this one decodes the rows above. A failure of either is the decoding's failure, the upper
    // band's first.
    TBitmap ToBitmapInBands(int kind, int splitRow, const std::function<void(TBitmap&)>& lower);
    // Decodes only the rows from firstRow on into bitmap (of this file's output size): the data
    // of the rows above is read without its inverse transforms.
    void ReadRowsFrom(TBitmap& bitmap, int kind, int firstRow);
    // For a progressive file: the picture as far as the first scans of every component give it
    // (at least their DC coefficients), without reading the rest of the file; a quick preview,
    // exact at a scale of 1/8. For other files the same as ToBitmap. The decompressor is
    // finished with the file afterwards.
    TBitmap ToBitmapFromFirstScans(int kind);

protected:
    TJPEGDecompressor();
    // Reads the header and applies the decoding settings; the source must be attached.
    void readHeader();

    jpeg_decompress_struct cinfo_{};

private:
    static boolean readCommentMarker(j_decompress_ptr cinfo);
    static boolean readAppMarker(j_decompress_ptr cinfo);
    static boolean readMarker(j_decompress_ptr cinfo, bool comment);
    bool readMarkerPayload(long length) noexcept;
    void parkReadBeyondEnd() noexcept;
    bool deliverComment() noexcept;
    bool deliverAppMarker(int appNumber) noexcept;
    void prepareOutput(int kind);
    // Reads rows up to endRow (the picture's end when negative).
    void readRows(TBitmap& bitmap, int kind, int endRow = -1);
    bool dcKnownForAllComponents() const;
    void finishBitmap(TBitmap& bitmap, int kind);

    std::vector<std::uint8_t> markerData_;
};

class TJPEGStreamDecompressor : public TJPEGDecompressor {
public:
    // With defaultDecompressor, the first such object serves TJPEGBitmap until destroyed.
    explicit TJPEGStreamDecompressor(bool defaultDecompressor = false);
    ~TJPEGStreamDecompressor() override;

    // Attaches the stream and reads the header; on failure the stream is detached again.
    void Attach(std::istream& stream);
    void Detach();
    // The input buffer size (4096 bytes at creation). EJPEGError while the library still holds
    // unread data in the buffer.
    void SetBufferSize(std::size_t size);

    static TJPEGStreamDecompressor* Default();

private:
    struct SourceMgr {
        jpeg_source_mgr pub;
        TJPEGStreamDecompressor* owner;
    };
    static void initSource(j_decompress_ptr cinfo);
    static boolean fillInputBuffer(j_decompress_ptr cinfo);
    static void skipInputData(j_decompress_ptr cinfo, long count);
    static void termSource(j_decompress_ptr cinfo);
    long readChunk() noexcept;
    bool skipStream(std::uint64_t count) noexcept;

    SourceMgr source_{};
    std::istream* stream_ = nullptr;
    std::vector<JOCTET> buffer_;
    std::uint64_t delivered_ = 0;
    bool isDefault_ = false;
};

} // namespace kalvo
