#include <gtest/gtest.h>

#include <cmath>

#include "foundation/error.h"
#include "foundation/typed_stream.h"
#include "model/construction.h"

namespace {

std::vector<TPoint> Corners(const TokfFlugel& f)
{
    std::vector<TPoint> result;
    for (int i = 0; i < f.PointCount(); ++i)
        result.push_back(f.Point(i).AsPoint());
    return result;
}

struct TFigureCase
{
    const char* Name;
    TOutlineShape Shape;
    std::vector<TPoint> Corners;
    int FFB, FFH;
};

class Figures : public ::testing::TestWithParam<TFigureCase>
{
};

} // namespace

TEST_P(Figures, CornersAndSize)
{
    const TFigureCase& c = GetParam();
    TokfConstruction construction;
    construction.BuildOutline(c.Shape, 205);
    const TokfFlugel& f = construction.Flugel1;
    EXPECT_EQ(Corners(f), c.Corners);
    EXPECT_EQ(f.SideCount(), f.PointCount());
    EXPECT_EQ(f.DornType, 205);
    EXPECT_EQ(f.FalzSize().Width, c.FFB);
    EXPECT_EQ(f.FalzSize().Height, c.FFH);
    EXPECT_EQ(construction.Flugel2.PointCount(), 0);
    for (int i = 0; i < f.SideCount(); ++i) {
        EXPECT_EQ(f.Side(i).StartPoint, &f.Point(i));
        EXPECT_EQ(f.Side(i).EndPoint, &f.Point((i + 1) % f.PointCount()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outline, Figures,
    ::testing::Values(
        TFigureCase{"standard", {1000, 1400, 0, 0, 0, 0, 0}, {{0, 14000}, {0, 0}, {10000, 0}, {10000, 14000}}, 1000, 1400},
        TFigureCase{"trapezoid_left_lower", {1000, 1400, 3, 400, 0, 0, 0}, {{0, 14000}, {0, 10000}, {10000, 0}, {10000, 14000}}, 1000, 1400},
        TFigureCase{"trapezoid_right_lower", {1000, 1400, 4, 400, 0, 0, 0}, {{0, 14000}, {0, 0}, {10000, 10000}, {10000, 14000}}, 1000, 1400},
        TFigureCase{"triangle_apex_right", {900, 1200, 5, 0, 0, 0, 0}, {{0, 12000}, {9000, 0}, {9000, 12000}}, 900, 1200},
        TFigureCase{"triangle_apex_left", {900, 1200, 6, 0, 0, 0, 0}, {{0, 12000}, {0, 0}, {9000, 12000}}, 900, 1200},
        // A semicircular arch of radius 500 over 1000: the rise reaches the top at 0.
        TFigureCase{"arch", {1000, 1400, 7, 500, 0, 500, 500}, {{0, 14000}, {0, 5000}, {10000, 5000}, {10000, 14000}}, 1000, 1400},
        // A shallow arch: radius 600 over 1000 rises 268.34 mm; its top lies between whole units.
        TFigureCase{"shallow_arch", {1000, 1400, 7, 268, 0, 600, 600}, {{0, 14000}, {0, 2680}, {10000, 2680}, {10000, 14000}}, 1000, 1400}),
    [](const auto& test) { return std::string(test.param.Name); });

TEST(Outline, ArchTopSideCarriesTheArc)
{
    TokfConstruction construction;
    construction.BuildOutline({1000, 1400, 7, 500, 0, 500, 500}, 0);
    const TokfFlugel& f = construction.Flugel1;
    const TokfLine& top = f.Side(1);
    EXPECT_EQ(top.Radius1, 5000.0f);
    EXPECT_EQ(top.Radius2, 5000.0f);
    EXPECT_EQ(top.Centre, (TRealPoint{5000, 5000}));
    EXPECT_TRUE(top.IsFullArc());
    EXPECT_FALSE(top.IsPartialArc());
    EXPECT_FALSE(top.IsElliptic());
    for (int i : {0, 2, 3})
        EXPECT_EQ(f.Side(i).Radius1, 0.0f);
    EXPECT_EQ(f.Side(0).Centre, (TRealPoint{0, 0}));
    // The tangent of a semicircle continues the jambs straight on.
    EXPECT_NEAR(f.CornerAngle(1), 180, 1e-6);
    EXPECT_NEAR(f.CornerAngle(2), 180, 1e-6);
}

TEST(Outline, ShallowArchSizeCountsTheRise)
{
    TokfConstruction construction;
    construction.BuildOutline({1000, 1400, 7, 268, 0, 600, 600}, 0);
    const TokfLine& top = construction.Flugel1.Side(1);
    EXPECT_TRUE(top.IsPartialArc());
    // The highest point of the arc is 2680 - 2683.38 = -3.38 units: FloorTol takes -4.
    EXPECT_NEAR(top.Centre.Y - top.Radius1, -3.3752, 1e-3);
    EXPECT_EQ(construction.Flugel1.FalzSize().Height, 1400); // (14000 + 4) / 10 rounded
}

TEST(Outline, TwoSashesSideBySide)
{
    TokfConstruction construction;
    construction.Arrangement = arLeftMain;
    construction.BuildOutline({1300, 1400, 1, 600, 700, 0, 0}, 210);
    EXPECT_EQ(Corners(construction.Flugel1), (std::vector<TPoint>{{0, 14000}, {0, 0}, {6000, 0}, {6000, 14000}}));
    EXPECT_EQ(Corners(construction.Flugel2), (std::vector<TPoint>{{6000, 14000}, {6000, 0}, {13000, 0}, {13000, 14000}}));
    EXPECT_EQ(construction.Flugel2.DornType, 210);
    const TOverallSize size = construction.OverallSize();
    EXPECT_EQ(size.Width, 1300);
    EXPECT_EQ(size.Height, 1400);
    construction.Arrangement = arSingle;
    EXPECT_EQ(construction.OverallSize().Width, 600);
}

TEST(Outline, SideMeasures)
{
    TokfConstruction construction;
    construction.BuildOutline({1000, 1400, 3, 400, 0, 0, 0}, 0);
    const TokfFlugel& f = construction.Flugel1;
    EXPECT_FLOAT_EQ(f.SideLength(0), 400);
    EXPECT_FLOAT_EQ(f.SideLength(1), static_cast<float>(std::sqrt(1000.0 * 1000 + 1000.0 * 1000)));
    EXPECT_EQ(f.SideLength(7), -0.1);
    EXPECT_EQ(f.Side(0).Orientation(), 1);
    EXPECT_EQ(f.Side(1).Orientation(), 3);
    EXPECT_EQ(f.Side(3).Orientation(), 0);
    EXPECT_NEAR(f.CornerAngle(0), 90, 1e-9);  // bottom-left
    EXPECT_NEAR(f.CornerAngle(1), 135, 1e-9); // slope meets the short jamb
    EXPECT_NEAR(f.CornerAngle(2), 45, 1e-9);
}

TEST(Outline, HandleMarkSitsInsideNearTheMeasuredPoint)
{
    TokfConstruction construction;
    construction.BuildOutline({1000, 1400, 0, 0, 0, 0, 0}, 0);
    TokfLine& left = construction.Flugel1.Side(0); // runs up from (0, 14000) to (0, 0)
    left.SetHandle(700, 0);
    EXPECT_EQ(left.HandleHeight, 0); // not a handle side
    EXPECT_EQ(left.HandleMark, (TPoint{0, 0}));
    left.HandleSide = true;
    left.SetHandle(700, 0);
    EXPECT_EQ(left.HandleHeight, 700);
    EXPECT_EQ(left.HandleMark, (TPoint{10, 7000}));
    left.SetHandle(300, 1); // measured from the end point (the top)
    EXPECT_EQ(left.HandleMark, (TPoint{10, 3000}));
}

TEST(Outline, FormulaVariablesAndFunctions)
{
    TokfConstruction construction;
    construction.Arrangement = arLeftMain;
    construction.BuildOutline({1700, 1400, 1, 1000, 700, 0, 0}, 0);
    TokfFlugel& f = construction.Flugel1;
    construction.Flugel2.Side(2).HandleHeight = 650;
    f.Side(0).HandleHeight = 720;
    struct
    {
        const char16_t* Formula;
        double Value;
    } cases[] = {
        {u"FFB/2", 500},
        {u"FB+FRB", 2000},
        {u"F\u041D", 1400},
        {u"FF\u041D - 100", 1300},
        {u"FRH", 1400},
        {u"FFH", 0}, // Latin H: an unknown variable
        {u"UNKNOWN + 3", 3},
        {u"FL(1)", 1400},
        {u"ffl(2) + 1", 1001},
        {u"FL(5)", 0},
        {u"FL(0)", 0},
        {u"FL(256)", 0},
        {u"FG(1)", 720},
        {u"FFGA(3)", 650},
        {u"FGA(9)", 0},
        {u"NOSUCH(1)", 0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(f.Evaluate(QString::fromUtf16(c.Formula)), c.Value) << QString::fromUtf16(c.Formula).toStdString();
}

TEST(Outline, CopyBackupAndRestore)
{
    TokfConstruction source;
    source.PosNo = QStringLiteral("007");
    source.Arrangement = arRightMain;
    source.BuildOutline({1300, 1400, 1, 600, 700, 300, 300}, 203);
    TokfConstruction copy;
    copy.Assign(source);
    EXPECT_EQ(copy.PosNo, QStringLiteral("007"));
    EXPECT_EQ(copy.Flugel2.Point(3).X, 13000);
    EXPECT_EQ(copy.Flugel2.Side(1).Radius1, 3000.0f);
    EXPECT_EQ(copy.Flugel2.Side(1).Centre, source.Flugel2.Side(1).Centre);

    TSpecStream backup;
    copy.SaveBackup(backup);
    copy.PosNo = QStringLiteral("changed");
    copy.Flugel1.ClearOutline();
    copy.RestoreBackup(backup);
    EXPECT_EQ(copy.PosNo, QStringLiteral("007"));
    EXPECT_EQ(copy.Flugel1.PointCount(), 4);

    TSpecStream damaged(QByteArray("\x03\0\0\0", 4));
    try {
        copy.RestoreBackup(damaged);
        FAIL();
    } catch (const TError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Ошибка восстановления объекта из резервной копии!\r\n(")));
    }
}

TEST(Outline, CostIsPriceTimesPieces)
{
    TokfConstruction c;
    c.Number = 3;
    c.Price = TMoney::Parse(QStringLiteral("10.3333"));
    EXPECT_EQ(c.Cost(), TMoney::Parse(QStringLiteral("30.9999")));
}
