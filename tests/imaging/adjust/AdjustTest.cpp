// The per-pixel adjustments: worked values of their formulas at the range ends and at ties,
// identity settings, the mask weighting, and whole images against the per-pixel functions.
#include "imaging/adjust/BrightnessContrast.h"
#include "imaging/adjust/Grayscale.h"
#include "imaging/adjust/HueSaturation.h"
#include "imaging/adjust/Levels.h"
#include "imaging/filter/GaussianBlur.h"
#include "imaging/filter/UnsharpMask.h"
#include "imaging/raster/PixelMath.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <random>

using namespace kalvo;

namespace {

TValueTable Identity()
{
    TValueTable t{};
    for (int v = 0; v < 256; ++v)
        t[v] = std::uint8_t(v);
    return t;
}

// The colour of pixel (x, y) after op on a one-pixel picture of `colour`.
template <typename Op>
TColor OnePixel(TColor colour, Op&& op)
{
    TBitmap image = test::SolidBitmap(1, 1, colour);
    EXPECT_TRUE(op(image));
    return image.pixelColor(0, 0);
}

} // namespace

TEST(BrightnessContrast, WorkedValuesAndRangeEnds)
{
    EXPECT_EQ(BrightnessContrastTable(0, 0), Identity());
    const TValueTable bright = BrightnessContrastTable(100, 0), dark = BrightnessContrastTable(-100, 0);
    const TValueTable flat = BrightnessContrastTable(0, -100), threshold = BrightnessContrastTable(0, 100);
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(bright[v], 255);
        EXPECT_EQ(dark[v], 0);
        EXPECT_EQ(flat[v], 128); // 127.5, ties to even
        EXPECT_EQ(threshold[v], v < 128 ? 0 : 255);
    }
    // Halving: 1.5 -> 2, 2.5 -> 2, 127.5 -> 128; brightening by half: (255 + v) / 2.
    const TValueTable half = BrightnessContrastTable(-50, 0), up = BrightnessContrastTable(50, 0);
    EXPECT_EQ(half[3], 2);
    EXPECT_EQ(half[5], 2);
    EXPECT_EQ(half[255], 128);
    EXPECT_EQ(up[0], 128);
    EXPECT_EQ(up[2], 128);
    EXPECT_EQ(up[3], 129);
    // Contrast 50: slope tan(3 pi / 8) = 2.4142.
    const TValueTable contrast = BrightnessContrastTable(0, 50);
    EXPECT_EQ(contrast[140], 158); // 157.68
    EXPECT_EQ(contrast[120], 109); // 109.39
    EXPECT_EQ(contrast[200], 255);
    EXPECT_EQ(contrast[30], 0);
}

TEST(Levels, WorkedValuesAndAutomaticPoints)
{
    EXPECT_EQ(LevelsTable({}), Identity());
    const TValueTable narrow = LevelsTable({10, 20, 1.0});
    EXPECT_EQ(narrow[5], 0);
    EXPECT_EQ(narrow[11], 26);  // 25.5
    EXPECT_EQ(narrow[13], 76);  // 76.5
    EXPECT_EQ(narrow[15], 128); // 127.5
    EXPECT_EQ(narrow[25], 255);
    EXPECT_EQ(LevelsTable({0, 255, 2.0})[64], 128);         // sqrt(64 * 255) = 127.75
    EXPECT_EQ(LevelsTable({0, 255, 0.5})[128], 64);         // 128^2 / 255 = 64.25
    const TValueTable point = LevelsTable({100, 100, 1.0}); // a span of at least 1
    EXPECT_EQ(point[100], 0);
    EXPECT_EQ(point[101], 255);

    // 1000 pixels: red 6 x 3, 988 x 100, 6 x 200; green all 50; blue 0..9 each 100 times.
    TBitmap image(1000, 1, 24);
    for (int x = 0; x < 1000; ++x) {
        const int red = x < 6 ? 3 : (x < 994 ? 100 : 200);
        std::uint8_t* p = image.scanLine(0) + 3 * x;
        p[0] = std::uint8_t(x / 100);
        p[1] = 50;
        p[2] = std::uint8_t(red);
    }
    const std::array<TLevels, 3> automatic = AutoLevels(image, TRegionRef{}, nullptr);
    EXPECT_EQ(automatic[2], (TLevels{3, 200, 1.0})); // 6 > 5 pixels; 994 < 995
    EXPECT_EQ(automatic[1], (TLevels{50, 50, 1.0}));
    EXPECT_EQ(automatic[0], (TLevels{0, 9, 1.0})); // 100 > 5; 900 < 995 until 9
    // Only the selected pixels count: the last 500 (blue 5..9).
    TBitmap mask(1000, 1, 8);
    std::fill(mask.bits(), mask.bits() + 500, std::uint8_t(255));
    EXPECT_EQ(AutoLevels(image, TRegionRef{}, &mask)[0], (TLevels{5, 9, 1.0}));
    std::fill(mask.bits(), mask.bits() + 1000, std::uint8_t(255));
    EXPECT_EQ(AutoLevels(image, TRegionRef{}, &mask)[0], TLevels{}); // nothing selected: unchanged
}

TEST(Grayscale, LumaRoundsTiesToEvenAndStays24Bit)
{
    EXPECT_EQ(Luma(255, 0, 0), 76);  // 76.245
    EXPECT_EQ(Luma(0, 255, 0), 150); // 149.685
    EXPECT_EQ(Luma(0, 0, 255), 29);  // 29.07
    EXPECT_EQ(Luma(0, 0, 250), 28);  // 28.5
    EXPECT_EQ(Luma(0, 4, 168), 22);  // 21.5
    EXPECT_EQ(Luma(255, 255, 255), 255);
    // Every colour against plain division (the function multiplies and shifts instead).
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                const int n = 299 * r + 587 * g + 114 * b, q = n / 1000, rest = n % 1000;
                ASSERT_EQ(Luma(r, g, b), q + (rest > 500 || (rest == 500 && q % 2 == 1))) << r << " " << g << " " << b;
            }
    TBitmap image = test::PatternBitmap(7, 3, 24);
    const TBitmap before = image;
    ASSERT_TRUE(Grayscale(image, TRegionRef{}, nullptr));
    EXPECT_EQ(image.bitCount(), 24);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) {
            const TColor c = before.pixelColor(x, y);
            const int luma = Luma(GetRValue(c), GetGValue(c), GetBValue(c));
            EXPECT_EQ(image.pixelColor(x, y), RGB(luma, luma, luma));
        }
}

TEST(HueSaturation, WorkedValuesAndIdentity)
{
    const auto apply = [](TColor colour, THueSaturation p) {
        return OnePixel(colour, [&](TBitmap& b) { return HueSaturation(b, TRegionRef{}, nullptr, p); });
    };
    EXPECT_EQ(apply(RGB(255, 0, 0), {180, 0, 0}), RGB(0, 255, 255));
    EXPECT_EQ(apply(RGB(255, 0, 0), {120, 0, 0}), RGB(0, 255, 0));
    EXPECT_EQ(apply(RGB(255, 0, 0), {-120, 0, 0}), RGB(0, 0, 255));
    EXPECT_EQ(apply(RGB(200, 100, 50), {0, -100, 0}), RGB(125, 125, 125)); // L = 125 / 255
    EXPECT_EQ(apply(RGB(150, 100, 100), {0, 100, 0}), RGB(175, 75, 75));   // S 0.2 -> 0.4
    EXPECT_EQ(apply(RGB(200, 100, 50), {0, 0, 100}), clWhite);
    EXPECT_EQ(apply(RGB(200, 100, 50), {0, 0, -100}), clBlack);
    EXPECT_EQ(apply(RGB(255, 0, 0), {0, 0, -50}), RGB(128, 0, 0)); // L 0.5 -> 0.25: 127.5
    // Every fifth value of each channel comes back unchanged at the identity settings.
    for (int r = 0; r < 256; r += 5)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 5) {
                const std::uint8_t in[3] = {std::uint8_t(b), std::uint8_t(g), std::uint8_t(r)};
                std::uint8_t out[3];
                HueSaturationPixel({}, in, out);
                ASSERT_TRUE(std::equal(in, in + 3, out)) << r << " " << g << " " << b;
            }
}

namespace {

// The adjustment's formula in double: blue, green, red of one pixel.
std::array<int, 3> HueSaturationInDouble(const THueSaturation& p, const std::uint8_t* in)
{
    const double b = in[0] / 255.0, g = in[1] / 255.0, r = in[2] / 255.0;
    const double max = std::max({r, g, b}), min = std::min({r, g, b}), d = max - min;
    double h = d == 0 ? 0 : max == r ? (g - b) / d : max == g ? (b - r) / d + 2 : (r - g) / d + 4;
    h = std::fmod(h * 60 + p.Hue + 720, 360.0) / 60;
    const double s0 = d == 0 ? 0 : d / (1 - std::fabs(max + min - 1));
    const double s = std::clamp(s0 * (1 + p.Saturation / 100.0), 0.0, 1.0);
    const double l0 = (max + min) / 2, a = p.Lightness / 100.0;
    const double l = a < 0 ? l0 * (1 + a) : l0 + (1 - l0) * a;
    const double c = (1 - std::fabs(2 * l - 1)) * s, m = l - c / 2;
    const auto value = [&](double f) { return RoundTie(255 * (m + c * std::clamp(f, 0.0, 1.0))); };
    return {value(2 - std::fabs(h - 4)), value(2 - std::fabs(h - 2)), value(std::fabs(h - 3) - 1)};
}

} // namespace

TEST(HueSaturation, WithinOneOfDoubleArithmetic)
{
    // Single precision may move a value by 1, rarely; never by more.
    std::mt19937 random(37);
    int differences = 0;
    constexpr int kCount = 300000;
    for (int i = 0; i < kCount; ++i) {
        const THueSaturation p{int(random() % 361) - 180, int(random() % 201) - 100, int(random() % 201) - 100};
        const std::uint8_t in[3] = {std::uint8_t(random()), std::uint8_t(random()), std::uint8_t(random())};
        std::uint8_t out[3];
        HueSaturationPixel(p, in, out);
        const std::array<int, 3> exact = HueSaturationInDouble(p, in);
        for (int c = 0; c < 3; ++c) {
            ASSERT_LE(std::abs(out[c] - exact[c]), 1) << p.Hue << " " << p.Saturation << " " << p.Lightness << " "
                                                      << int(in[0]) << " " << int(in[1]) << " " << int(in[2]);
            differences += out[c] != exact[c];
        }
    }
    EXPECT_LT(differences, kCount * 3 / 200);
}

TEST(AdjustThroughMask, FeatheredMaskWeightsAsTheNegative)
{
    // MaskBlend is the negative's Round(d c + (1 - c) v), c = m / 255, for every value.
    for (int m = 0; m < 256; ++m)
        for (int d = 0; d < 256; ++d)
            for (int v = 0; v < 256; v += 3) {
                const double c = m / 255.0;
                ASSERT_EQ(MaskBlend(d, v, m), Round(d * c + (1 - c) * v)) << m << " " << d << " " << v;
            }
    TBitmap image(4, 1, 24);
    image.fill(RGB(100, 0, 200));
    TBitmap mask(4, 1, 8);
    const std::uint8_t values[4] = {0, 255, 128, 64};
    std::copy(values, values + 4, mask.scanLine(0));
    ASSERT_TRUE(ApplyTables(image, TRegionRef{}, &mask, SameTables(BrightnessContrastTable(100, 0))));
    EXPECT_EQ(image.pixelColor(0, 0), clWhite);
    EXPECT_EQ(image.pixelColor(1, 0), RGB(100, 0, 200));
    EXPECT_EQ(image.pixelColor(2, 0), RGB(177, 127, 227));
    EXPECT_EQ(image.pixelColor(3, 0), RGB(216, 191, 241));

    // A region without a mask selects its inside fully; palette pictures are refused.
    TBitmap picture = test::SolidBitmap(5, 4, RGB(10, 20, 30));
    ASSERT_TRUE(Grayscale(picture, TRegion::rect(TRect{1, 1, 3, 3}), nullptr));
    EXPECT_EQ(picture.pixelColor(2, 2), RGB(18, 18, 18)); // 18.15
    EXPECT_EQ(picture.pixelColor(3, 1), RGB(10, 20, 30));
    EXPECT_EQ(picture.pixelColor(0, 0), RGB(10, 20, 30));
    TBitmap indexed(2, 2, 8);
    EXPECT_FALSE(ApplyTables(indexed, TRegionRef{}, nullptr, SameTables(Identity())));
}

TEST(AdjustThroughMask, WholeImagesEqualThePerPixelFunctions)
{
    // Large enough for two threads, odd width, and a mask of every kind of row.
    const TBitmap source = test::PatternBitmap(301, 250, 24);
    TBitmap mask(301, 250, 8);
    for (int y = 0; y < 250; ++y)
        for (int x = 0; x < 301; ++x)
            mask.scanLine(y)[x] = std::uint8_t(y < 80 ? 0 : (y < 160 ? 255 : (x * 7 + y) % 256));
    const TChannelTables tables = {BrightnessContrastTable(20, 30), LevelsTable({12, 230, 1.7}),
                                   BrightnessContrastTable(-40, -10)};
    const THueSaturation hue{70, -30, 20};
    TBitmap byTables = source, byHue = source, byGrey = source;
    ASSERT_TRUE(ApplyTables(byTables, TRegionRef{}, &mask, tables));
    ASSERT_TRUE(HueSaturation(byHue, TRegionRef{}, &mask, hue));
    ASSERT_TRUE(Grayscale(byGrey, TRegionRef{}, &mask));
    for (int y = 0; y < 250; ++y)
        for (int x = 0; x < 301; ++x) {
            const std::uint8_t* in = source.scanLine(y) + 3 * x;
            const int m = mask.scanLine(y)[x];
            std::uint8_t h[3];
            HueSaturationPixel(hue, in, h);
            const int luma = Luma(in[2], in[1], in[0]);
            for (int c = 0; c < 3; ++c) {
                ASSERT_EQ(byTables.scanLine(y)[3 * x + c], MaskBlend(in[c], tables[c][in[c]], m)) << x << "," << y;
                ASSERT_EQ(byHue.scanLine(y)[3 * x + c], MaskBlend(in[c], h[c], m)) << x << "," << y;
                ASSERT_EQ(byGrey.scanLine(y)[3 * x + c], MaskBlend(in[c], luma, m)) << x << "," << y;
            }
        }
}

TEST(AdjustIntoDestination, WritesEveryPixelAsTheInPlaceOperation)
{
    // Two threads and two blur bands; a feathered mask shorter than the picture; padded rows.
    const TBitmap source = test::PatternBitmap(301, 260, 24);
    TBitmap mask(301, 250, 8);
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            mask.scanLine(y)[x] = std::uint8_t((x * 7 + y * 3) % 256);
    const TChannelTables tables = SameTables(BrightnessContrastTable(30, 40));
    using TOp = std::function<bool(const TBitmap&, TBitmap&, const std::optional<QRect>&, const TBitmap*)>;
    const std::pair<const char*, TOp> ops[] = {
        {"tables", [&](auto& s, auto& d, auto& a, auto* m) { return ApplyTablesArea(s, d, a, m, tables); }},
        {"hue",
         [](auto& s, auto& d, auto& a, auto* m) {
             return HueSaturationArea(s, d, a, m, {40, 30, -20});
         }},
        {"grey", [](auto& s, auto& d, auto& a, auto* m) { return GrayscaleArea(s, d, a, m); }},
        {"blur", [](auto& s, auto& d, auto& a, auto* m) { return GaussianBlurArea(s, d, a, m, 2.5); }},
        {"sharpen",
         [](auto& s, auto& d, auto& a, auto* m) {
             return UnsharpMaskArea(s, d, a, m, {150, 1.5, 3});
         }},
    };
    for (const auto& [name, op] : ops)
        for (const TBitmap* m : {static_cast<const TBitmap*>(nullptr), static_cast<const TBitmap*>(&mask)})
            for (const auto& area : {std::optional<QRect>(), std::optional<QRect>(QRect(20, 10, 250, 245))}) {
                TBitmap expected = source;
                ASSERT_TRUE(op(expected, expected, area, m)) << name;
                TBitmap dest = TBitmap::sameLayout(source);
                std::fill(dest.bits(), dest.bits() + dest.byteSize(), std::uint8_t(0xA5));
                ASSERT_TRUE(op(source, dest, area, m)) << name;
                EXPECT_EQ(dest, expected) << name << (m ? " with mask" : "") << (area ? " in area" : "");
            }
    TBitmap other(300, 260, 24);
    for (const auto& [name, op] : ops)
        EXPECT_FALSE(op(source, other, {}, nullptr)) << name;
}
