#include "canvas/drawing/Path.h"
#include "canvas/drawing/StrokePoints.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace kalvo;

TEST(Path, EllipseOutlineIsFourQuarterArcsCounterClockwise)
{
    TPath path;
    DrawEllipseOutline(path, 0, 0, 11, 7); // rx 5, ry 3 around (5.5, 3.5)
    ASSERT_EQ(path.count(), 13);
    EXPECT_EQ(path.types().front(), PT_MOVETO);
    for (int i = 1; i < 12; ++i)
        EXPECT_EQ(path.types()[std::size_t(i)], PT_BEZIERTO);
    EXPECT_EQ(path.types().back(), PT_BEZIERTO | PT_CLOSEFIGURE);
    const TPoints& p = path.points();
    EXPECT_EQ(p[0], QPoint(10, 3)); // angle 0: 10.4999, 3.4999
    EXPECT_EQ(p[3], QPoint(5, 0));  // top first: counter-clockwise on screen
    EXPECT_EQ(p[6], QPoint(0, 3));
    EXPECT_EQ(p[9], QPoint(5, 6));
    EXPECT_EQ(p[12], QPoint(10, 3));
    // A box of width or height 1 has radius 0 there.
    TPath flat;
    DrawEllipseOutline(flat, 4, 2, 5, 9);
    for (const QPoint& q : flat.points())
        EXPECT_EQ(q.x(), 4);
}

TEST(Path, CaptureReplayAndAssign)
{
    TPath path;
    path.moveTo({1, 1});
    path.lineTo({5, 1});
    path.bezierTo({6, 2}, {6, 4}, {5, 5});
    path.lineTo({1, 1});
    path.closeFigure();
    path.moveTo({9, 9});
    path.lineTo({12, 9});
    const QPainterPath qp = path.replay();
    EXPECT_EQ(qp.elementCount(), 8);
    const TPath back = TPath::capture(qp);
    EXPECT_EQ(back.points(), path.points());
    EXPECT_EQ(back.types(), path.types());
    TPath copy;
    copy.assign(path);
    EXPECT_EQ(copy.types(), path.types());
    // A truncated Bezier ends the walk instead of reading past the points.
    TPath broken;
    broken.moveTo({0, 0});
    broken.bezierTo({1, 1}, {2, 2}, {3, 3});
    TPath cut = TPath::capture(broken.replay());
    EXPECT_EQ(cut.count(), 4);
}

TEST(StrokePoints, WidePolylinePaintsOnceWithRoundEnds)
{
    QImage img(30, 30, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter painter(&img);
    const QPen before(Qt::blue, 3);
    painter.setPen(before);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    StrokePoints(painter, {QPoint(5, 5), QPoint(20, 5), QPoint(20, 20)}, false, RGB(255, 0, 0), 5);
    EXPECT_EQ(painter.pen(), before);
    painter.end();
    const QRgb painted = qRgb(0, 255, 255); // white XOR red
    EXPECT_EQ(img.pixel(12, 5), painted);
    EXPECT_EQ(img.pixel(20, 5), painted); // the joint is painted once, not cancelled
    EXPECT_EQ(img.pixel(20, 12), painted);
    EXPECT_EQ(img.pixel(12, 4), painted);
    EXPECT_EQ(img.pixel(4, 5), painted); // round end beyond the first point
    EXPECT_EQ(img.pixel(12, 10), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(1, 5), qRgb(255, 255, 255));
}

TEST(StrokePoints, PairsModeDrawsSeparateSegments)
{
    QImage img(30, 30, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter painter(&img);
    StrokePoints(painter, {QPoint(2, 2), QPoint(10, 2), QPoint(2, 20), QPoint(10, 20), QPoint(25, 25)}, true,
                 RGB(0, 0, 255), 3);
    painter.end();
    EXPECT_EQ(img.pixel(6, 2), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(6, 20), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(10, 11), qRgb(255, 255, 255)); // no line between the pairs
    EXPECT_EQ(img.pixel(25, 25), qRgb(255, 255, 255)); // the unpaired last point
}
