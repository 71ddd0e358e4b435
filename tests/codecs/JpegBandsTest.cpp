// Decoding in two bands on two threads gives the pixels of decoding in one, whatever the
// sampling, the row where the bands meet, restart markers or a cut-off file.
#include "codecs/JpegTestSupport.h"

#include <gtest/gtest.h>

#include <jpeglib.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// Encodes a 24-bit picture (or its grey) with the given luma sampling factors, through the
// library directly so that every sampling can be made.
std::vector<std::uint8_t> EncodeSampled(const TBitmap& bitmap, int h, int v, bool grey = false, int restartRows = 0)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(bitmap.width());
    cinfo.image_height = JDIMENSION(bitmap.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 92, TRUE);
    if (grey)
        jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
    cinfo.comp_info[0].h_samp_factor = h;
    cinfo.comp_info[0].v_samp_factor = v;
    cinfo.restart_in_rows = restartRows;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(bitmap.scanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> bytes(out, out + size);
    std::free(out);
    return bytes;
}

TBitmap DecodeInBands(const std::vector<std::uint8_t>& bytes, int split)
{
    const std::string data(bytes.begin(), bytes.end());
    std::istringstream in(data);
    TJPEGStreamDecompressor upper;
    upper.Attach(in);
    const int kind = upper.DefaultOutputKind();
    EXPECT_TRUE(upper.CanDecodeInBands(kind));
    return upper.ToBitmapInBands(kind, split, [&](TBitmap& bitmap) {
        std::istringstream again(data);
        TJPEGStreamDecompressor lower;
        lower.Attach(again);
        lower.ReadRowsFrom(bitmap, kind, split);
    });
}

} // namespace

TEST(JpegBands, BandsGiveTheSamePixelsAsOneDecoding)
{
    const TBitmap picture = PhotoLike(301, 203);
    struct Case {
        int h, v;
        bool grey;
        int restartRows;
    };
    for (const Case c : {Case{2, 2, false, 0}, Case{2, 1, false, 0}, Case{1, 2, false, 0}, Case{1, 1, false, 0},
                         Case{1, 1, true, 0}, Case{2, 2, false, 1}}) {
        SCOPED_TRACE(testing::Message() << c.h << "x" << c.v << (c.grey ? " grey" : "") << " restart "
                                        << c.restartRows);
        const auto bytes = EncodeSampled(picture, c.h, c.v, c.grey, c.restartRows);
        const TBitmap whole = DecodeJpeg(bytes);
        std::istringstream in(std::string(bytes.begin(), bytes.end()));
        TJPEGStreamDecompressor probe;
        probe.Attach(in);
        const int chosen = probe.BandSplitRow();
        EXPECT_EQ(chosen % (8 * c.v), 0);
        EXPECT_GT(chosen, 0);
        for (int split : {chosen, 1, 16, 17, 202, 203}) {
            SCOPED_TRACE(split);
            EXPECT_TRUE(DecodeInBands(bytes, split) == whole);
        }
    }
}

TEST(JpegBands, ACutOffFileGivesTheSameRowsAndFailuresPassOn)
{
    auto bytes = EncodeSampled(PhotoLike(200, 160), 2, 2);
    bytes.resize(bytes.size() * 3 / 5);
    const TBitmap whole = DecodeJpeg(bytes);
    EXPECT_TRUE(DecodeInBands(bytes, 96) == whole);
    EXPECT_TRUE(DecodeInBands(bytes, 32) == whole);

    // The lower band's failure is the decoding's.
    const auto good = EncodeSampled(PhotoLike(64, 64), 2, 2);
    std::istringstream in(std::string(good.begin(), good.end()));
    TJPEGStreamDecompressor upper;
    upper.Attach(in);
    EXPECT_THROW(upper.ToBitmapInBands(kJpegOutput24, 32, [](TBitmap&) { throw std::runtime_error("lower"); }),
                 std::runtime_error);

    // Progressive files and quantised outputs decode in one piece.
    const auto progressive = EncodeJpeg(PhotoLike(64, 64), {.progressive = true});
    std::istringstream pin(std::string(progressive.begin(), progressive.end()));
    TJPEGStreamDecompressor p;
    p.Attach(pin);
    EXPECT_FALSE(p.CanDecodeInBands(kJpegOutput24));
    std::istringstream gin(std::string(good.begin(), good.end()));
    TJPEGStreamDecompressor q;
    q.Attach(gin);
    EXPECT_FALSE(q.CanDecodeInBands(kJpegOutputColors256));
    EXPECT_TRUE(q.CanDecodeInBands(kJpegOutput24));
}
