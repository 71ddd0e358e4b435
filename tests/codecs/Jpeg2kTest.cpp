#include "codecs/FormatDispatch.h"
#include "codecs/jpeg2000/Jpeg2kDecode.h"
#include "codecs/jpeg2000/Jpeg2kEncode.h"
#include "codecs/jpeg2000/Jpeg2kError.h"
#include "codecs/jpeg2000/Jpeg2kSignature.h"
#include "codecs/jpeg2000/TpxJpeg2k.h"
#include "codecs/jpeg2000/YCbCrTables.h"
#include "image/ImageErrors.h"
#include "support/TestSupport.h"

#include <openjpeg.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace kalvo;
using kalvo::test::PatternBitmap;
using kalvo::test::ReadAll;
using kalvo::test::TempDir;
using kalvo::test::WriteAll;

namespace {

using Bytes = std::vector<std::uint8_t>;

// One plane of a picture written with OpenJPEG's own encoder.
struct TestPlane {
    int dx = 1;
    int dy = 1;
    int prec = 8;
    std::vector<int> samples; // ceil(width / dx) x ceil(height / dy), row by row
};

int ceilDiv(int a, int b)
{
    return (a + b - 1) / b;
}

// Encodes the planes losslessly with OpenJPEG, independently of the adapter's encoder.
Bytes encodeWithOpenJpeg(int width, int height, const std::vector<TestPlane>& planes, OPJ_COLOR_SPACE space,
                         OPJ_CODEC_FORMAT format, int tileSize = 0)
{
    std::vector<opj_image_cmptparm_t> parms(planes.size());
    for (std::size_t c = 0; c < planes.size(); ++c) {
        parms[c] = {};
        parms[c].dx = OPJ_UINT32(planes[c].dx);
        parms[c].dy = OPJ_UINT32(planes[c].dy);
        parms[c].w = OPJ_UINT32(ceilDiv(width, planes[c].dx));
        parms[c].h = OPJ_UINT32(ceilDiv(height, planes[c].dy));
        parms[c].prec = OPJ_UINT32(planes[c].prec);
    }
    opj_image_t* image = opj_image_create(OPJ_UINT32(planes.size()), parms.data(), space);
    image->x1 = OPJ_UINT32(width);
    image->y1 = OPJ_UINT32(height);
    for (std::size_t c = 0; c < planes.size(); ++c)
        std::copy(planes[c].samples.begin(), planes[c].samples.end(), image->comps[c].data);
    opj_cparameters_t p;
    opj_set_default_encoder_parameters(&p);
    p.tcp_numlayers = 1;
    p.tcp_rates[0] = 0;
    p.cp_disto_alloc = 1;
    p.numresolution = 2;
    if (tileSize > 0) {
        p.tile_size_on = OPJ_TRUE;
        p.cp_tdx = p.cp_tdy = tileSize;
    }
    TempDir dir;
    const std::string path = dir.file("raw.bin");
    opj_codec_t* codec = opj_create_compress(format);
    opj_stream_t* stream = opj_stream_create_default_file_stream(path.c_str(), OPJ_FALSE);
    const bool ok = opj_setup_encoder(codec, &p, image) && opj_start_compress(codec, image, stream)
        && opj_encode(codec, stream) && opj_end_compress(codec, stream);
    opj_stream_destroy(stream);
    opj_destroy_codec(codec);
    opj_image_destroy(image);
    EXPECT_TRUE(ok);
    return ReadAll(path);
}

TBitmap decode(const Bytes& data)
{
    TJpeg2kInfo info;
    return DecodeJpeg2k(data, info);
}

// A picture with smooth areas and noise, so that compression has something to do.
TBitmap NoisyPicture(int width, int height)
{
    TBitmap bmp(width, height, 24);
    std::uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bmp.scanLine(y);
        for (int x = 0; x < 3 * width; ++x) {
            seed = seed * 1103515245u + 12345u;
            row[x] = std::uint8_t((x + y) / 3 + (seed >> 27));
        }
    }
    return bmp;
}

// Progression order, layer count and colour transform of the first COD marker.
struct CodingStyle {
    int progression;
    int layers;
    int mct;
};
CodingStyle codingStyle(const Bytes& file)
{
    for (std::size_t i = 0; i + 9 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0x52)
            return {file[i + 5], file[i + 6] << 8 | file[i + 7], file[i + 8]};
    ADD_FAILURE() << "no COD marker";
    return {};
}

TpxImageInfo infoFor(const std::string& fileName)
{
    TpxImageInfo info;
    info.FileName = fileName;
    return info;
}

} // namespace

TEST(Jpeg2kSignatureTest, RecognisesOnlyDataStartingWithASignature)
{
    const Bytes jp2 = {0, 0, 0, 12, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A, 0, 0};
    const Bytes codeStream = {0xFF, 0x4F, 0xFF, 0x51, 0};
    EXPECT_EQ(DetectJpeg2kFormat(jp2), TJpeg2kFormat::Jp2);
    EXPECT_EQ(DetectJpeg2kFormat(codeStream), TJpeg2kFormat::CodeStream);
    EXPECT_EQ(DetectJpeg2kFormat(Bytes(jp2.begin(), jp2.begin() + 11)), TJpeg2kFormat::None);
    EXPECT_EQ(DetectJpeg2kFormat(Bytes{0xFF, 0x4F, 0xFF, 0x52}), TJpeg2kFormat::None);
    EXPECT_EQ(DetectJpeg2kFormat(Bytes{0x00, 0xFF, 0x4F, 0xFF, 0x51}), TJpeg2kFormat::None);
}

TEST(YCbCrTablesTest, HoldTheRoundedColourDifferences)
{
    const TYCbCrTables& t = YCbCrTables();
    EXPECT_EQ(t.CR[128], 0);
    EXPECT_EQ(t.CG[128], 0);
    EXPECT_EQ(t.CR[255], 178);  // round(1.402 * 127 = 178.05)
    EXPECT_EQ(t.CB[0], -227);   // round(1.772 * -128 = -226.8)
    EXPECT_EQ(t.CG[0], 91);     // -round(0.714136 * -128 = -91.4)
    EXPECT_EQ(t.CBG[255], -44); // -round(0.344136 * 127 = 43.7)
    EXPECT_EQ(t.CB[129], 2);    // round(1.772)
    EXPECT_EQ(t.CBG[130], -1);  // -round(0.688)
}

TEST(Jpeg2kFileTest, JP2AndCodeStreamHoldTheSamePictureLosslessly)
{
    TempDir dir;
    const TBitmap original = NoisyPicture(37, 23);
    std::vector<TBitmap> loaded;
    for (const char* name : {"a.jp2", "b.J2K", "c.jpc", "d.j2c"}) {
        TpxImageInfo info = infoFor(dir.file(name));
        TBitmap bmp = original;
        SaveImageFile(bmp, info);
        ASSERT_EQ(info.Result, 0) << name;
        const Bytes file = ReadAll(info.FileName);
        const TJpeg2kFormat expected = std::string(name) == "a.jp2" ? TJpeg2kFormat::Jp2 : TJpeg2kFormat::CodeStream;
        EXPECT_EQ(DetectJpeg2kFormat(file), expected) << name;
        info.Interlaced = true;
        info.Transparent = true;
        auto result = LoadImageFile(info);
        ASSERT_TRUE(result) << name;
        EXPECT_EQ(info.Result, 0);
        EXPECT_EQ(info.Width, 37);
        EXPECT_EQ(info.Height, 23);
        EXPECT_FALSE(info.Interlaced);
        EXPECT_FALSE(info.Transparent);
        loaded.push_back(*result);
    }
    for (const TBitmap& bmp : loaded)
        EXPECT_TRUE(bmp == original);
}

TEST(Jpeg2kFileTest, ReversibleSaveIsLosslessForSmallAndOddSizes)
{
    TempDir dir;
    for (auto [w, h] : {std::pair{1, 1}, {2, 7}, {17, 1}, {33, 65}, {130, 70}}) {
        const TBitmap original = NoisyPicture(w, h);
        TpxImageInfo info = infoFor(dir.file("x.jp2"));
        TBitmap bmp = original;
        SaveImageFile(bmp, info);
        ASSERT_EQ(info.Result, 0) << w << "x" << h;
        auto loaded = LoadImageFile(info);
        ASSERT_TRUE(loaded) << w << "x" << h;
        EXPECT_TRUE(*loaded == original) << w << "x" << h;
    }
}

TEST(Jpeg2kFileTest, SaveConvertsTheDocumentTo24Bits)
{
    TempDir dir;
    for (int bits : {1, 4, 8}) {
        TBitmap bmp = PatternBitmap(19, 11, bits);
        const TBitmap expected = bmp.toTrueColor();
        TpxImageInfo info = infoFor(dir.file("p.j2k"));
        SaveImageFile(bmp, info);
        ASSERT_EQ(info.Result, 0);
        EXPECT_EQ(bmp.bitCount(), 24);
        EXPECT_TRUE(bmp == expected);
        auto loaded = LoadImageFile(info);
        ASSERT_TRUE(loaded);
        EXPECT_TRUE(*loaded == expected) << bits;
    }
}

TEST(Jpeg2kFileTest, RateFollowsTheSaveOptions)
{
    TempDir dir;
    const TBitmap picture = NoisyPicture(256, 256);
    auto save = [&](bool reversible, int quality) {
        TpxImageInfo info = infoFor(dir.file("r.jp2"));
        info.Jpeg2kReversible = reversible;
        info.Jpeg2kQuality = quality;
        TBitmap bmp = picture;
        SaveImageFile(bmp, info);
        EXPECT_EQ(info.Result, 0);
        return ReadAll(info.FileName);
    };
    const Bytes lossless = save(true, 1);
    const Bytes smallest = save(false, 1); // rate 0.002
    const Bytes medium = save(false, 200); // rate 0.4
    EXPECT_GT(lossless.size(), 256u * 256u * 3u / 4u);
    EXPECT_LT(smallest.size(), 256u * 256u * 3u * 4u / 1000u);
    EXPECT_LT(medium.size(), 256u * 256u * 3u * 41u / 100u);
    EXPECT_GT(medium.size(), smallest.size() * 20);
    for (const Bytes* file : {&lossless, &smallest, &medium}) {
        const CodingStyle cod = codingStyle(*file);
        EXPECT_EQ(cod.progression, 0); // LRCP
        EXPECT_EQ(cod.layers, 1);
        EXPECT_EQ(cod.mct, 1);
    }
    const TBitmap decoded = decode(smallest);
    EXPECT_EQ(decoded.width(), 256);
    EXPECT_EQ(decoded.bitCount(), 24);
}

TEST(Jpeg2kEncodeTest, ProgressionAndComponentRules)
{
    const TBitmap picture = NoisyPicture(40, 30);
    TJpeg2kInfo info;
    info.Progression = 1;
    EXPECT_EQ(codingStyle(EncodeJpeg2k(picture, info, true)).progression, 1); // RLCP

    // Grey from 24 bits: (21 r + 71 g + 8 b) div 100 in one plane.
    info.ColorMode = 0;
    const Bytes grey = EncodeJpeg2k(picture, info, true);
    EXPECT_EQ(codingStyle(grey).mct, 0);
    const TBitmap decoded = decode(grey);
    ASSERT_EQ(decoded.width(), 40);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const TColor c = picture.pixelColor(x, y);
            const int g = (21 * GetRValue(c) + 71 * GetGValue(c) + 8 * GetBValue(c)) / 100;
            ASSERT_EQ(decoded.pixelColor(x, y), RGB(g, g, g)) << x << "," << y;
        }

    // A 1-bit bitmap is written as 1-bit grey and comes back as the same bits.
    const TBitmap mono = PatternBitmap(21, 9, 1);
    info.ColorMode = 1;
    const TBitmap back = decode(EncodeJpeg2k(mono, info, false));
    ASSERT_EQ(back.bitCount(), 1);
    EXPECT_TRUE(std::equal(back.bits(), back.bits() + back.byteSize(), mono.bits()));
}

TEST(Jpeg2kEncodeTest, ReducedPrecisionScalesTheBytes)
{
    TBitmap bmp(3, 1, 24);
    const int values[] = {0, 128, 255};
    for (int x = 0; x < 3; ++x)
        std::fill_n(bmp.scanLine(0) + 3 * x, 3, std::uint8_t(values[x]));
    TJpeg2kInfo info;
    info.BitsPerSample = 4;
    const TBitmap back = decode(EncodeJpeg2k(bmp, info, true));
    ASSERT_EQ(back.width(), 3);
    // 0, 128, 255 -> 0, 7, 15 (of 15) -> 0, 119, 255
    EXPECT_EQ(back.pixelColor(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(back.pixelColor(1, 0), RGB(119, 119, 119));
    EXPECT_EQ(back.pixelColor(2, 0), RGB(255, 255, 255));
}

TEST(Jpeg2kEncodeTest, SeveralThreadsGiveTheSameBytesAndPixels)
{
    const TBitmap picture = NoisyPicture(300, 200);
    TJpeg2kInfo one;
    one.Threads = 1;
    TJpeg2kInfo two;
    two.Threads = 2;
    for (double rate : {1.0, 0.1}) {
        one.Rate = two.Rate = rate;
        const Bytes a = EncodeJpeg2k(picture, one, false);
        const Bytes b = EncodeJpeg2k(picture, two, false);
        EXPECT_EQ(a, b) << rate;
        EXPECT_TRUE(DecodeJpeg2k(a, one) == DecodeJpeg2k(a, two)) << rate;
    }
}

TEST(Jpeg2kEncodeTest, RefusesWhatCannotBeEncoded)
{
    TJpeg2kInfo info;
    EXPECT_THROW(EncodeJpeg2k(TBitmap(), info, true), EJpeg2kError);
    info.Rate = 0;
    EXPECT_THROW(EncodeJpeg2k(NoisyPicture(4, 4), info, true), EJpeg2kError);
    info.Rate = 1;
    info.BitsPerSample = 17;
    EXPECT_THROW(EncodeJpeg2k(NoisyPicture(4, 4), info, true), EJpeg2kError);
}

TEST(Jpeg2kDecodeTest, OneBitGreyCodeStreamGivesAOneBitBitmap)
{
    const int w = 13, h = 5;
    TestPlane plane;
    plane.prec = 1;
    for (int i = 0; i < w * h; ++i)
        plane.samples.push_back((i * 7 / 3) % 2);
    const Bytes stream = encodeWithOpenJpeg(w, h, {plane}, OPJ_CLRSPC_GRAY, OPJ_CODEC_J2K);
    TJpeg2kInfo info;
    const TBitmap bmp = DecodeJpeg2k(stream, info);
    ASSERT_EQ(bmp.bitCount(), 1);
    EXPECT_EQ(info.BitsPerSample, 1);
    EXPECT_EQ(info.SamplesPerPixel, 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool set = (bmp.scanLine(y)[x >> 3] >> (7 - (x & 7))) & 1;
            EXPECT_EQ(set, plane.samples[std::size_t(y * w + x)] == 1) << x << "," << y;
        }
}

TEST(Jpeg2kDecodeTest, TwelveBitGreyIsScaledWithTruncation)
{
    const int w = 64, h = 64;
    TestPlane plane;
    plane.prec = 12;
    for (int i = 0; i < w * h; ++i)
        plane.samples.push_back(i);
    TJpeg2kInfo info;
    const TBitmap bmp = DecodeJpeg2k(encodeWithOpenJpeg(w, h, {plane}, OPJ_CLRSPC_GRAY, OPJ_CODEC_JP2), info);
    ASSERT_EQ(bmp.bitCount(), 24);
    EXPECT_EQ(info.BitsPerSample, 12);
    for (int v = 0; v < w * h; ++v) {
        const int g = v * 255 / 4095;
        ASSERT_EQ(bmp.pixelColor(v % w, v / w), RGB(g, g, g)) << v;
    }
}

TEST(Jpeg2kDecodeTest, SubsampledYCbCrUsesEachChromaSampleForItsBlock)
{
    const int w = 7, h = 5; // odd sizes: the last chroma column and row cover one pixel
    TestPlane lum, cb, cr;
    for (int i = 0; i < w * h; ++i)
        lum.samples.push_back(40 + 4 * i);
    cb.dx = cb.dy = cr.dx = cr.dy = 2;
    for (int i = 0; i < 4 * 3; ++i) {
        cb.samples.push_back(20 * i + 10);
        cr.samples.push_back(250 - 21 * i);
    }
    const TBitmap bmp = decode(encodeWithOpenJpeg(w, h, {lum, cb, cr}, OPJ_CLRSPC_SYCC, OPJ_CODEC_JP2));
    ASSERT_EQ(bmp.width(), w);
    ASSERT_EQ(bmp.bitCount(), 24);
    auto clamp = [](double v) { return std::clamp(int(v), 0, 255); };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int Y = lum.samples[std::size_t(y * w + x)];
            const int d1 = cb.samples[std::size_t((y / 2) * 4 + x / 2)] - 128;
            const int d2 = cr.samples[std::size_t((y / 2) * 4 + x / 2)] - 128;
            const int r = clamp(Y + std::nearbyint(1.402 * d2));
            const int g = clamp(Y - std::nearbyint(0.714136 * d2) - std::nearbyint(0.344136 * d1));
            const int b = clamp(Y + std::nearbyint(1.772 * d1));
            ASSERT_EQ(bmp.pixelColor(x, y), RGB(r, g, b)) << x << "," << y;
        }
}

TEST(Jpeg2kDecodeTest, ColourSpaceDecidesHowPlanesAreRead)
{
    TJpeg2kInfo info;
    const TBitmap picture = NoisyPicture(6, 4);
    const Bytes jp2 = EncodeJpeg2k(picture, info, false);
    // The enumerated colour space follows the "colr" box type and three bytes of method,
    // precedence and approximation.
    auto withColourSpace = [&](std::uint32_t enumcs) {
        Bytes v = jp2;
        const auto at = std::search(v.begin(), v.end(), std::begin("colr"), std::end("colr") - 1);
        EXPECT_NE(at, v.end());
        for (int i = 0; i < 4; ++i)
            at[7 + i] = std::uint8_t(enumcs >> (24 - 8 * i));
        return v;
    };
    EXPECT_TRUE(decode(withColourSpace(16)) == picture); // sRGB
    EXPECT_TRUE(decode(withColourSpace(12)).empty());    // CMYK
    EXPECT_TRUE(decode(withColourSpace(24)).empty());    // e-sYCC
    EXPECT_TRUE(decode(withColourSpace(14)).empty());    // CIE Lab
    EXPECT_TRUE(decode(withColourSpace(20)) == picture); // unnamed: three planes are RGB
    const TBitmap grey = decode(withColourSpace(17));    // grey: the first plane only
    ASSERT_FALSE(grey.empty());
    const int r = GetRValue(picture.pixelColor(5, 3));
    EXPECT_EQ(grey.pixelColor(5, 3), RGB(r, r, r));

    // Without a colour space a code stream of four planes reads as RGB from the first three.
    std::vector<TestPlane> planes(4);
    for (TestPlane& p : planes)
        p.samples.assign(16, 9);
    planes[0].samples.assign(16, 255);
    const TBitmap rgb = decode(encodeWithOpenJpeg(4, 4, planes, OPJ_CLRSPC_UNSPECIFIED, OPJ_CODEC_J2K));
    ASSERT_FALSE(rgb.empty());
    EXPECT_EQ(rgb.pixelColor(3, 3), RGB(255, 9, 9));
}

TEST(Jpeg2kDecodeTest, BadInputFailsCleanly)
{
    TJpeg2kInfo info;
    const Bytes stream = EncodeJpeg2k(NoisyPicture(64, 48), info, true);
    const Bytes jp2 = EncodeJpeg2k(NoisyPicture(64, 48), info, false);
    ASSERT_FALSE(decode(stream).empty());
    // Truncated anywhere: never a picture from partial data.
    for (std::size_t n = 0; n < stream.size() - 2; n += 7)
        EXPECT_TRUE(decode(Bytes(stream.begin(), stream.begin() + long(n))).empty()) << n;
    for (std::size_t n = 0; n < jp2.size() - 2; n += 29)
        EXPECT_TRUE(decode(Bytes(jp2.begin(), jp2.begin() + long(n))).empty()) << n;
    // Data in front of the code stream.
    Bytes prefixed = stream;
    prefixed.insert(prefixed.begin(), 0x00);
    EXPECT_TRUE(decode(prefixed).empty());
    // Corrupt tile data: any result is a whole picture of the right size or nothing.
    for (std::size_t at = stream.size() / 3; at < stream.size() - 2; at += 97) {
        Bytes corrupt = stream;
        for (std::size_t i = at; i < std::min(at + 40, corrupt.size() - 2); ++i)
            corrupt[i] = std::uint8_t(corrupt[i] * 31 + 7);
        const TBitmap bmp = decode(corrupt);
        EXPECT_TRUE(bmp.empty() || (bmp.width() == 64 && bmp.height() == 48)) << at;
    }
}

TEST(Jpeg2kDecodeTest, AbsurdHeadersAreRefused)
{
    TJpeg2kInfo info;
    const Bytes stream = EncodeJpeg2k(NoisyPicture(16, 16), info, true);
    // SIZ: FF51, Lsiz, Rsiz, Xsiz at 8, Ysiz at 12, XOsiz, YOsiz, XTsiz at 24, YTsiz at 28.
    auto put32 = [](Bytes& b, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + std::size_t(i)] = std::uint8_t(v >> (24 - 8 * i));
    };
    for (std::uint32_t size : {60000u, 2000000000u, 0xFFFFFFFFu}) {
        Bytes huge = stream;
        put32(huge, 8, size);
        put32(huge, 12, size);
        put32(huge, 24, size);
        put32(huge, 28, size);
        EXPECT_TRUE(decode(huge).empty()) << size;
    }
    // 40 000 x 40 000 in one bit per sample is a small bitmap but far too many samples.
    TestPlane plane;
    plane.prec = 1;
    plane.samples.assign(16 * 16, 1);
    Bytes oneBit = encodeWithOpenJpeg(16, 16, {plane}, OPJ_CLRSPC_GRAY, OPJ_CODEC_J2K);
    put32(oneBit, 8, 40000);
    put32(oneBit, 12, 40000);
    put32(oneBit, 24, 40000);
    put32(oneBit, 28, 40000);
    EXPECT_TRUE(decode(oneBit).empty());
    // A main header declaring 16 384 planes of 1000 x 1000.
    Bytes many = {0xFF, 0x4F, 0xFF, 0x51};
    const std::uint32_t planes = 16384;
    const std::uint32_t lsiz = 38 + 3 * planes;
    Bytes siz(lsiz, 0);
    siz[0] = std::uint8_t(lsiz >> 8);
    siz[1] = std::uint8_t(lsiz);
    put32(siz, 4, 1000); // Xsiz, Ysiz, XTsiz, YTsiz after Lsiz and Rsiz
    put32(siz, 8, 1000);
    put32(siz, 20, 1000);
    put32(siz, 24, 1000);
    siz[36] = std::uint8_t(planes >> 8);
    siz[37] = std::uint8_t(planes & 0xFF);
    for (std::uint32_t c = 0; c < planes; ++c) {
        siz[38 + 3 * c] = 7;
        siz[39 + 3 * c] = 1;
        siz[40 + 3 * c] = 1;
    }
    many.insert(many.end(), siz.begin(), siz.end());
    many.resize(many.size() + 64, 0);
    EXPECT_TRUE(decode(many).empty());

    // Tilings finer than one tile per 64 pixels are refused.
    TestPlane grey;
    grey.samples.assign(32 * 32, 77);
    EXPECT_FALSE(decode(encodeWithOpenJpeg(32, 32, {grey}, OPJ_CLRSPC_GRAY, OPJ_CODEC_J2K, 8)).empty());
    EXPECT_TRUE(decode(encodeWithOpenJpeg(32, 32, {grey}, OPJ_CLRSPC_GRAY, OPJ_CODEC_J2K, 4)).empty());

    // The sample budget counts every plane.
    const Bytes picture = EncodeJpeg2k(NoisyPicture(64, 48), info, false);
    info.MaxSamples = 64 * 48 * 3 - 1;
    EXPECT_TRUE(DecodeJpeg2k(picture, info).empty());
    info.MaxSamples = 64 * 48 * 3;
    EXPECT_FALSE(DecodeJpeg2k(picture, info).empty());
}

TEST(TpxJpeg2kTest, EmptyPictureHasNoSizeAndAssignCopies)
{
    TpxJpeg2k picture;
    EXPECT_TRUE(picture.Empty());
    EXPECT_THROW(picture.Width(), EJpeg2kError);
    EXPECT_THROW(picture.Height(), EJpeg2kError);

    TJpeg2kInfo info;
    TpxJpeg2k source;
    source.LoadFromMemory(EncodeJpeg2k(NoisyPicture(5, 3), info, false));
    ASSERT_FALSE(source.Empty());
    EXPECT_EQ(source.Info().SamplesPerPixel, 3);
    int changes = 0;
    picture.OnChange = [&] { ++changes; };
    picture.Assign(source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(picture.Height(), 3);
    TBitmap copy;
    picture.AssignTo(copy);
    EXPECT_TRUE(copy == NoisyPicture(5, 3));
    picture.LoadFromMemory(Bytes{1, 2, 3});
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(changes, 2);
}

TEST(Jpeg2kFileTest, FailuresOnLoadAndSave)
{
    TempDir dir;
    TpxImageInfo info = infoFor(dir.file("missing.jp2"));
    EXPECT_FALSE(LoadImageFile(info));
    EXPECT_EQ(info.Result, -1);
    WriteAll(dir.file("empty.j2k"), {});
    info.FileName = dir.file("empty.j2k");
    EXPECT_FALSE(LoadImageFile(info));
    EXPECT_EQ(info.Result, -1);

    // A file that cannot be created escapes as an exception.
    TBitmap bmp = PatternBitmap(4, 4, 8);
    info.FileName = dir.file("no/such/dir/x.jp2");
    EXPECT_THROW(SaveImageFile(bmp, info), EFileError);
    EXPECT_EQ(info.Result, -1);

    // A failed encode shows only in Result and leaves the old file alone.
    const std::string target = dir.file("keep.jp2");
    WriteAll(target, {1, 2, 3});
    info.FileName = target;
    info.Jpeg2kReversible = false;
    info.Jpeg2kQuality = 0;
    EXPECT_NO_THROW(SaveImageFile(bmp, info));
    EXPECT_EQ(info.Result, -1);
    EXPECT_EQ(ReadAll(target), (Bytes{1, 2, 3}));
    EXPECT_EQ(kalvo::test::ListDir(dir.path()).size(), 2u); // no directory made, no temporary left
}
