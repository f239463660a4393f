#include <gtest/gtest.h>

#include "foundation/error.h"
#include "foundation/geometry.h"

#include <QImage>
#include <QPainter>

#include <cmath>

TEST(Geometry, RoundingHalfAwayFromZero)
{
    const struct { double x; int result; } cases[] = {
        {0.5, 1}, {-0.5, -1}, {1.49999, 1}, {2.5, 3}, {-2.5, -3}, {0, 0}, {2147483646.6, 2147483647}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfAway(c.x), c.result) << c.x;
    EXPECT_THROW(RoundHalfAway(2147483647.5), TError);
    EXPECT_THROW(RoundHalfAway(NAN), TError);

    EXPECT_DOUBLE_EQ(RoundTo(1.25, 1), 1.3);
    EXPECT_DOUBLE_EQ(RoundTo(-1.25, 1), -1.3);
    EXPECT_DOUBLE_EQ(RoundTo(3316.62479036, 4), 3316.6248);
    EXPECT_DOUBLE_EQ(RoundTo(268.337520964, 8), 268.33752096);
}

TEST(Geometry, CeilTolAndFloorTol)
{
    const struct { double x; int ceil; int floor; } cases[] = {
        {2.00004, 2, 2}, {2.0002, 3, 1}, {2.3, 3, 1}, {7.0, 7, 7}, {-2.3, -1, -3},
        {-7.0, -7, -7}, {-2.00004, -2, -2}, {0, 0, 0}, {0.5, 1, -0}};
    for (const auto& c : cases) {
        EXPECT_EQ(CeilTol(c.x), c.ceil) << c.x;
        EXPECT_EQ(FloorTol(c.x), c.floor) << c.x;
    }
}

TEST(Geometry, ToleranceComparisonsAndConversions)
{
    EXPECT_TRUE(Less(1.0, 1.01));
    EXPECT_FALSE(Less(1.0, 1.005));
    EXPECT_TRUE(Greater(1.01, 1.0));
    EXPECT_FALSE(Greater(1.005, 1.0));

    EXPECT_EQ(MmToUnits(12.25), 123);
    EXPECT_EQ(MmToUnits(-12.25), -123);
    EXPECT_DOUBLE_EQ(MmToUnitsReal(12.35), 123.5);
    EXPECT_DOUBLE_EQ(UnitsToMm(125), 12.5);
    EXPECT_EQ(UnitsToMmRound(125), 13);
    EXPECT_EQ(UnitsToMmRound(-125), -13);
    EXPECT_EQ(ScaleDown(TPoint{1005, -995}, 10), (TPoint{101, -100}));
    EXPECT_DOUBLE_EQ(ScaleDownReal(1006, 100), 10.1);
    EXPECT_EQ(RoundPoint(TRealPoint{1.5, -1.5}), (TPoint{2, -2}));
    EXPECT_EQ(RoundPoint4(TRealPoint{1.23456, -1.23455}), (TRealPoint{1.2346, -1.2346}));
    EXPECT_EQ(Midpoint(TPoint{0, 0}, TPoint{3, -3}), (TPoint{2, -2}));
    EXPECT_DOUBLE_EQ(Distance(TPoint{0, 0}, TPoint{3, 4}), 5.0);
}

TEST(Geometry, DirectionAngleAndOctants)
{
    const TRealPoint origin{0, 0};
    const struct { double x, y, angle; int octant; } cases[] = {
        {10, 0, 0, 2}, {0, -10, 90, 8}, {-10, 0, 180, 6}, {0, 10, 270, 4},
        {10, -10, 45, 1}, {10, 10, 315, 3}, {-10, -10, 135, 7}, {-10, 10, 225, 5}, {0, 0, 0, 0}};
    for (const auto& c : cases) {
        const TRealPoint q{c.x, c.y};
        EXPECT_NEAR(DirectionAngle(origin, q), c.angle, 1e-12) << c.x << "," << c.y;
        EXPECT_EQ(Octant(origin, q), c.octant) << c.x << "," << c.y;
        if (c.octant) {
            EXPECT_EQ(AngleOctant(c.angle), c.octant) << c.angle;
        }
    }
    // Axis-parallel directions are exact even far from the origin.
    EXPECT_EQ(DirectionAngle(TPoint{123456, 7}, TPoint{123456, -99}), 90.0);
    EXPECT_EQ(AngleOctant(360), 2);
    EXPECT_EQ(AngleOctant(-1), 0);
    EXPECT_EQ(AngleOctant(361), 0);
}

TEST(Geometry, RotationAndPointsAlongDirections)
{
    EXPECT_EQ(Rotate(TRealPoint{10, 0}, TRealPoint{0, 0}, 90), (TRealPoint{0, -10}));
    EXPECT_EQ(Rotate(TRealPoint{15, 5}, TRealPoint{5, 5}, 180), (TRealPoint{-5, 5}));
    const TRealPoint r = Rotate(TRealPoint{10, 0}, TRealPoint{0, 0}, 30);
    EXPECT_DOUBLE_EQ(r.X, 8.6603);
    EXPECT_DOUBLE_EQ(r.Y, -5.0);

    const TRealPoint t = PointToward(TRealPoint{0, 0}, TRealPoint{3, 4}, 10);
    EXPECT_DOUBLE_EQ(t.X, 6);
    EXPECT_DOUBLE_EQ(t.Y, 8);
    EXPECT_EQ(PointToward(TRealPoint{1, 1}, TRealPoint{1, 1}, 10), (TRealPoint{1, 1}));

    // Direction right plus 90 degrees is up on the screen.
    const TRealPoint a = PointAtAngle(TRealPoint{5, 5}, TRealPoint{0, 0}, TRealPoint{1, 0}, 90, 10);
    EXPECT_NEAR(a.X, 5, 1e-12);
    EXPECT_NEAR(a.Y, -5, 1e-12);
}

TEST(Geometry, ArcCentreRiseRadius)
{
    const TRealPoint s{0, 0}, e{10000, 0};
    EXPECT_EQ(ArcCentre(s, e, 5000), (TRealPoint{5000, 0}));
    EXPECT_EQ(ArcCentre(s, e, 6000), (TRealPoint{5000, 3316.6248}));
    // Reversed direction: the centre moves to the other side.
    EXPECT_EQ(ArcCentre(e, s, 6000), (TRealPoint{5000, -3316.6248}));
    EXPECT_EQ(ArcCentre(s, e, 4000), (TRealPoint{5000, 0})); // too small for the chord
    EXPECT_EQ(ArcCentre(s, e, 0), (TRealPoint{0, 0}));
    // A vertical chord running down: right of it on the screen is to the left (negative X).
    EXPECT_EQ(ArcCentre(TRealPoint{0, 0}, TRealPoint{0, 10000}, 6000), (TRealPoint{-3316.6248, 5000}));

    const TRealPoint c = ArcCentre(s, e, 5000);
    EXPECT_TRUE(OnArc(s, e, c, TRealPoint{5000, -5000}, 5000));
    EXPECT_FALSE(OnArc(s, e, c, TRealPoint{5000, 5000}, 5000));
    EXPECT_TRUE(OnArc(s, e, c, TRealPoint{5000, -5000.4}, 5000));
    EXPECT_FALSE(OnArc(s, e, c, TRealPoint{5000, -5000.6}, 5000));

    EXPECT_DOUBLE_EQ(ArcRise(600, 1000), 268.33752096);
    EXPECT_DOUBLE_EQ(ArcRise(500, 1000), 500);
    EXPECT_EQ(ArcRise(400, 1000), 0);
    EXPECT_EQ(ArcRise(600, 0), 0);
    EXPECT_NEAR(ArcRadius(268.33752, 1000), 600, 1e-5);
    EXPECT_EQ(ArcRadius(0, 1000), 0);
    EXPECT_EQ(ArcRadius(10, -1), 0);
    EXPECT_DOUBLE_EQ(ArcRadius(500, 1000), 500);
}

TEST(Geometry, TurnAngleAndCornerAngle)
{
    // A rectangle traced clockwise on the screen (Y down): 90 at every corner.
    const TPoint rect[] = {{0, 0}, {1000, 0}, {1000, 500}, {0, 500}};
    for (int i = 0; i < 4; ++i)
        EXPECT_DOUBLE_EQ(TurnAngle(rect[(i + 3) % 4], rect[i], rect[(i + 1) % 4]), 90) << i;
    // Traced the other way, every corner is a left turn: 270.
    for (int i = 0; i < 4; ++i)
        EXPECT_DOUBLE_EQ(TurnAngle(rect[(i + 1) % 4], rect[i], rect[(i + 3) % 4]), 270) << i;
    EXPECT_DOUBLE_EQ(TurnAngle(TPoint{0, 0}, TPoint{10, 0}, TPoint{20, 0}), 180);
    EXPECT_NEAR(TurnAngle(TPoint{0, 0}, TPoint{10, 0}, TPoint{20, 10}), 135, 1e-9);
    EXPECT_EQ(TurnAngle(TPoint{0, 0}, TPoint{0, 0}, TPoint{20, 0}), -1);
    EXPECT_EQ(TurnAngle(TPoint{0, 0}, TPoint{5, 0}, TPoint{5, 0}), -1);

    // Straight sides: the turn angle.
    const TRealPoint none{0, 0};
    EXPECT_DOUBLE_EQ(CornerAngle(TRealPoint{0, 500}, TRealPoint{0, 0}, TRealPoint{1000, 0}, 0, 0, none, none), 90);
    // A semicircular top (outline clockwise: left side going up, arc from (0,0) to (1000,0)
    // bulging up, centre (500,0)): the arc's tangent at (0,0) is vertical, so the corner is 180.
    const TRealPoint centre = ArcCentre(TRealPoint{0, 0}, TRealPoint{1000, 0}, 500);
    EXPECT_NEAR(CornerAngle(TRealPoint{0, 500}, TRealPoint{0, 0}, TRealPoint{1000, 0}, 500, 0, centre, none), 180, 1e-9);
    // And at (1000,0), from the arc into the right side going down.
    EXPECT_NEAR(CornerAngle(TRealPoint{0, 0}, TRealPoint{1000, 0}, TRealPoint{1000, 500}, 0, 500, none, centre), 180, 1e-9);
}

TEST(Geometry, DrawRotatedTextExtent)
{
    QImage image(200, 200, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QFont before = painter.font();
    const QSize flat = DrawRotatedText(painter, TPoint{100, 100}, QStringLiteral("1200"), 20,
                                       TextAlignBottom | TextAlignCenter, 0);
    const QSize upright = DrawRotatedText(painter, TPoint{100, 100}, QStringLiteral("1200"), 20,
                                          TextAlignBottom | TextAlignCenter, 90);
    EXPECT_GT(flat.width(), flat.height());
    EXPECT_EQ(upright.width(), flat.height());
    EXPECT_EQ(upright.height(), flat.width());
    EXPECT_EQ(painter.font(), before);
    painter.end();

    bool drawn = false;
    for (int y = 0; y < image.height() && !drawn; ++y)
        for (int x = 0; x < image.width() && !drawn; ++x)
            drawn = image.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_TRUE(drawn);
}
