// The pixman-backed region against QRegion: the same shapes combined the same way must give the
// same rectangle list, bounding box and region stream bytes (what the undo history, the
// clipboard's shape and files of other programs hold).
#include "RegionTestSupport.h"

#include "image/Region.h"
#include "image/RegionConvert.h"

#include <QPolygon>
#include <QRegion>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// Qt's region of the same pixels, built by Qt's own unions one rectangle at a time.
QRegion QtUnionOf(const TRegion& region)
{
    QRegion q;
    for (const TRect& r : region.rects())
        q = q.united(QRect(r.left, r.top, r.width(), r.height()));
    return q;
}

// The region stream as Qt's rectangle list gives it.
std::vector<std::uint8_t> QtStreamBytes(const QRegion& q)
{
    const std::vector<TRect> rects = RectsOf(q);
    std::vector<std::uint8_t> v;
    const QRect b = q.boundingRect();
    const TRect box = q.isEmpty() ? TRect{} : TRect{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    for (std::uint32_t x : {32u, 1u, std::uint32_t(rects.size()), std::uint32_t(rects.size() * 16)})
        AppendLE32(v, x);
    for (int x : {box.left, box.top, box.right, box.bottom})
        AppendLE32(v, std::uint32_t(x));
    for (const TRect& r : rects)
        for (int x : {r.left, r.top, r.right, r.bottom})
            AppendLE32(v, std::uint32_t(x));
    return v;
}

// True when two neighbouring bands of the list cover the same columns and touch.
bool HasUnmergedBands(const std::vector<TRect>& rects)
{
    std::vector<std::vector<TRect>> bands;
    for (const TRect& r : rects) {
        if (bands.empty() || bands.back().front().top != r.top)
            bands.emplace_back();
        bands.back().push_back(r);
    }
    for (std::size_t i = 1; i < bands.size(); ++i) {
        const auto& a = bands[i - 1];
        const auto& b = bands[i];
        if (a.front().bottom == b.front().top && a.size() == b.size()
            && std::equal(a.begin(), a.end(), b.begin(),
                          [](const TRect& p, const TRect& q) { return p.left == q.left && p.right == q.right; }))
            return true;
    }
    return false;
}

// Our region against Qt's: the same rectangles and stream bytes. Qt's shortcuts for a single
// rectangle intersected and for a region appended wholly below leave two equal touching bands of
// several rectangles unmerged; there the pixels must agree and ours must be the merged list that
// Qt's general algorithm gives. Returns whether the lists were identical.
bool SameAsQt(const TRegion& ours, const QRegion& theirs)
{
    const std::vector<TRect> qt = RectsOf(theirs);
    if (ours.rects() == qt) {
        EXPECT_EQ(RegionToBytes(ours), QtStreamBytes(theirs));
        return true;
    }
    EXPECT_TRUE(HasUnmergedBands(qt));
    EXPECT_EQ(ours.rects(), FromQRegion(theirs).rects());
    return false;
}

class Shapes {
public:
    explicit Shapes(unsigned seed) : rng_(seed) { }

    int coord(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    // A rectangle, an ellipse or a polygon of our own; or one of Qt's own ellipses and polygons
    // taken over rectangle by rectangle.
    TRegion next()
    {
        const TRect box{coord(-20, 120), coord(-20, 120), coord(-20, 120), coord(-20, 120)};
        switch (coord(0, 4)) {
        case 0: return TRegion::rect(box);
        case 1: return TRegion::ellipse(box);
        case 2: return *TRegion::polygon(points());
        case 3: {
            const TRect n = box.normalized();
            return FromQRegion(QRegion(QRect(n.left, n.top, n.width(), n.height()), QRegion::Ellipse));
        }
        default: {
            const std::vector<QPoint> p = points();
            return FromQRegion(QRegion(QPolygon(QList<QPoint>(p.begin(), p.end())), Qt::OddEvenFill));
        }
        }
    }

private:
    std::vector<QPoint> points()
    {
        std::vector<QPoint> p(std::size_t(coord(3, 9)));
        for (QPoint& q : p)
            q = QPoint(coord(-20, 120), coord(-20, 120));
        return p;
    }

    std::mt19937 rng_;
};

QRegion QtCombine(const QRegion& a, const QRegion& b, TCombineMode op)
{
    switch (op) {
    case RGN_AND: return a.intersected(b);
    case RGN_OR: return a.united(b);
    case RGN_XOR: return a.xored(b);
    default: return a.subtracted(b);
    }
}

} // namespace

TEST(RegionVersusQRegion, RandomShapesUnderAllFourOperationsGiveTheSameRectanglesAndBytes)
{
    Shapes shapes(20261211);
    const TCombineMode ops[] = {RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF};
    int complexResults = 0, identical = 0;
    for (int session = 0; session < 60; ++session) {
        // A selection built up step by step, as Shift and Ctrl gestures do, checked at each step.
        TRegion ours = shapes.next();
        QRegion theirs = QtUnionOf(ours);
        ASSERT_EQ(ours.rects(), RectsOf(theirs)) << "session " << session;
        for (int step = 0; step < 12; ++step) {
            const TRegion shape = shapes.next();
            const QRegion qshape = QtUnionOf(shape);
            ASSERT_EQ(shape.rects(), RectsOf(qshape));
            const TCombineMode op = ops[shapes.coord(0, 3)];
            // Both orders of the operands, then one of them carried on.
            TRegion swapped;
            const int cls = TRegion::combine(swapped, shape, ours, op);
            const QRegion qswapped = QtCombine(qshape, theirs, op);
            identical += SameAsQt(swapped, qswapped);
            EXPECT_EQ(cls, qswapped.isEmpty() ? rcEmpty : qswapped.rectCount() == 1 ? rcSimple : rcComplex);
            TRegion::combine(ours, ours, shape, op);
            theirs = QtCombine(theirs, qshape, op);
            identical += SameAsQt(ours, theirs);
            ASSERT_FALSE(HasFailure()) << session << "/" << step << " op " << int(op);
            complexResults += ours.rectCount() > 1;
            // An emptied selection starts again from a fresh shape.
            if (ours.isEmpty()) {
                ours = shapes.next();
                theirs = QtUnionOf(ours);
            }
        }
    }
    EXPECT_GT(complexResults, 300);
    EXPECT_GT(identical, 2 * 60 * 12 * 99 / 100);
}

TEST(RegionVersusQRegion, OffsetBoundsAndContainsAgree)
{
    Shapes shapes(7);
    for (int i = 0; i < 100; ++i) {
        TRegion ours = shapes.next();
        QRegion theirs = QtUnionOf(ours);
        const int dx = shapes.coord(-50, 50), dy = shapes.coord(-50, 50);
        ours.offset(dx, dy);
        theirs.translate(dx, dy);
        ASSERT_TRUE(SameAsQt(ours, theirs));
        const TRect box = ours.boundingRect();
        const QRect qbox = theirs.boundingRect();
        EXPECT_EQ(box,
                  theirs.isEmpty() ? TRect{} : (TRect{qbox.left(), qbox.top(), qbox.right() + 1, qbox.bottom() + 1}));
        for (int k = 0; k < 50; ++k) {
            const int x = shapes.coord(-80, 180), y = shapes.coord(-80, 180);
            ASSERT_EQ(ours.contains(x, y), theirs.contains(QPoint(x, y))) << x << "," << y;
        }
        const TRect clip{shapes.coord(-30, 100), shapes.coord(-30, 100), shapes.coord(-30, 150),
                         shapes.coord(-30, 150)};
        const QRect qclip(clip.left, clip.top, clip.width(), clip.height());
        SameAsQt(ours.intersected(clip), clip.isEmpty() ? QRegion() : theirs.intersected(qclip));
    }
}
