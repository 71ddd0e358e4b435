#pragma once
// JPEG encoding of an image bitmap over the IJG 6b interface.
//
// Use: create a TJPEGFileCompressor, set Quality and ProgressiveJPEG, call CompressToStream().
// Every failure throws (EJPEGError for library and adapter errors, EFileError when the stream
// does not take the data).
#include "codecs/jpeg/JpegBase.h"
#include "image/Bitmap.h"

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace kalvo {

class TJPEGCompressor : public TJPEGBase {
public:
    ~TJPEGCompressor() override;

    // 1..100; sets the quantisation tables with values limited to 1..255 (baseline).
    int Quality() const { return quality_; }
    void setQuality(int quality);

    bool ProgressiveJPEG = false;
    bool WriteAllTables = true;
    bool GrayscaleOutput = false;
    std::string Comment;
    // Runs after the comment was written; may call WriteMarker.
    std::function<void()> OnWriteMarkers;

    // The library's fields of the same meaning, with the library's defaults.
    double InputGamma() const { return cinfo_.input_gamma; }
    void setInputGamma(double gamma) { cinfo_.input_gamma = gamma; }
    J_DCT_METHOD DCTMethod() const { return cinfo_.dct_method; }
    void setDCTMethod(J_DCT_METHOD method) { cinfo_.dct_method = method; }
    bool OptimizeCoding() const { return cinfo_.optimize_coding != 0; }
    void setOptimizeCoding(bool on) { cinfo_.optimize_coding = on ? TRUE : FALSE; }
    unsigned RestartInterval() const { return cinfo_.restart_interval; }
    void setRestartInterval(unsigned mcus) { cinfo_.restart_interval = mcus; }
    int RestartInRows() const { return cinfo_.restart_in_rows; }
    void setRestartInRows(int rows) { cinfo_.restart_in_rows = rows; }
    int SmoothingFactor() const { return cinfo_.smoothing_factor; }
    void setSmoothingFactor(int factor) { cinfo_.smoothing_factor = factor; }
    bool WriteJFIFHeader() const { return cinfo_.write_JFIF_header != 0; }
    void setWriteJFIFHeader(bool on) { cinfo_.write_JFIF_header = on ? TRUE : FALSE; }
    int DensityUnit() const { return cinfo_.density_unit; }
    void setDensityUnit(int unit) { cinfo_.density_unit = UINT8(unit); }
    int X_Density() const { return cinfo_.X_density; }
    void setX_Density(int d) { cinfo_.X_density = UINT16(d); }
    int Y_Density() const { return cinfo_.Y_density; }
    void setY_Density(int d) { cinfo_.Y_density = UINT16(d); }

    // Writes a marker while compressing (from OnWriteMarkers).
    void WriteMarker(int marker, std::span<const std::uint8_t> data);

protected:
    TJPEGCompressor();
    // Compresses bitmap to the attached destination.
    void compress(const TBitmap& bitmap);

    jpeg_compress_struct cinfo_{};

private:
    void startCompress();
    void writeRows(const TBitmap& bitmap);

    int quality_ = 75;
};

class TJPEGStreamCompressor : public TJPEGCompressor {
public:
    // With defaultCompressor, the first such object becomes the process-wide default compressor
    // until it is destroyed.
    explicit TJPEGStreamCompressor(bool defaultCompressor = false);
    ~TJPEGStreamCompressor() override;

    // Compresses bitmap into stream; the stream is detached again on every path.
    void CompressToStream(const TBitmap& bitmap, std::ostream& stream);
    // The output buffer size (4096 bytes at creation). EJPEGError while the library holds
    // unwritten data in it.
    void SetBufferSize(std::size_t size);

    static TJPEGStreamCompressor* Default();

private:
    struct DestinationMgr {
        jpeg_destination_mgr pub;
        TJPEGStreamCompressor* owner;
    };
    static void initDestination(j_compress_ptr cinfo);
    static boolean emptyOutputBuffer(j_compress_ptr cinfo);
    static void termDestination(j_compress_ptr cinfo);
    bool writeOut(std::size_t count) noexcept;

    DestinationMgr destination_{};
    std::ostream* stream_ = nullptr;
    std::vector<JOCTET> buffer_;
    bool isDefault_ = false;
};

// The class the save path uses.
class TJPEGFileCompressor : public TJPEGStreamCompressor {
public:
    using TJPEGStreamCompressor::TJPEGStreamCompressor;
};

} // namespace kalvo
