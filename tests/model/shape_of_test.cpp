#include <gtest/gtest.h>

#include <functional>

#include "model/construction.h"
#include "model/position_proposal.h"
#include "model_fixtures.h"

namespace {

struct TShapeCase
{
    const char* Name;
    int Figure;
    TPositionSizes Sizes;
};

class ShapeOfFigure : public ::testing::TestWithParam<TShapeCase>
{
};

// A position as an order document creates it: the dialog's proposal, then the outline.
void Build(TokfConstruction& c, int figure, const TPositionSizes& sizes)
{
    c.Arrangement = ArrangementOfFigure(figure);
    c.BuildOutline(ProposeShape(figure, 0, sizes), 201);
}

TPositionSizes SizesOf(const TOutlineShape& s)
{
    return {double(s.Width), double(s.Height), double(s.X), double(s.Y), double(s.Radius1)};
}

} // namespace

// The shape read back is the one entered, and entering it again builds the same outline.
TEST_P(ShapeOfFigure, GivesBackWhatBuiltTheOutline)
{
    const TShapeCase& c = GetParam();
    const TOutlineShape entered = ProposeShape(c.Figure, 0, c.Sizes);
    TokfConstruction built;
    Build(built, c.Figure, c.Sizes);

    bool recognised = false;
    const TOutlineShape shape = ShapeOf(built, &recognised);
    EXPECT_TRUE(recognised);
    EXPECT_EQ(shape.Figure, entered.Figure);
    EXPECT_EQ(shape.Width, entered.Width);
    EXPECT_EQ(shape.Height, entered.Height);
    EXPECT_EQ(shape.X, entered.X);
    EXPECT_EQ(shape.Y, entered.Y);
    EXPECT_FLOAT_EQ(shape.Radius1, entered.Radius1);
    EXPECT_EQ(shape.Radius2, shape.Radius1);

    TokfConstruction again;
    Build(again, shape.Figure, SizesOf(shape));
    EXPECT_EQ(StoredBytes(again), StoredBytes(built));
}

INSTANTIATE_TEST_SUITE_P(
    Figures, ShapeOfFigure,
    ::testing::Values(TShapeCase{"standard", 0, {1000.0, 1400.0, {}, {}, {}}},
                      TShapeCase{"two_sashes_right_main", 1, {1401.0, 1500.0, {}, {}, {}}},
                      TShapeCase{"two_sashes_left_main", 2, {1400.0, 1500.0, 600.0, 800.0, {}}},
                      TShapeCase{"trapezoid_left_lower", 3, {1000.0, 1400.0, 1000.0, {}, {}}},
                      TShapeCase{"trapezoid_right_lower", 4, {1000.0, 1400.0, 400.0, {}, {}}},
                      TShapeCase{"trapezoid_above_its_height", 4, {1000.0, 1400.0, 1600.0, {}, {}}},
                      TShapeCase{"triangle_apex_right", 5, {900.0, 1200.0, {}, {}, {}}},
                      TShapeCase{"triangle_apex_left", 6, {900.0, 1200.0, {}, {}, {}}},
                      TShapeCase{"semicircular_arch", 7, {1200.0, 1600.0, {}, {}, {}}},
                      TShapeCase{"arch_by_radius", 7, {1000.0, 1500.0, {}, {}, 725.0}},
                      // A radius of 566.666... shows as 566.7, which is what the position keeps.
                      TShapeCase{"arch_by_rise", 7, {1000.0, 1400.0, 300.0, {}, {}}},
                      TShapeCase{"arch_rise_and_radius", 7, {1200.0, 1600.0, 300.0, {}, 900.0}},
                      TShapeCase{"arch_on_the_top_line", 7, {1000.0, 1400.0, 0.0, {}, 600.0}}),
    [](const auto& test) { return std::string(test.param.Name); });

TEST(ShapeOf, DegenerateFiguresReadAsThePlainerOne)
{
    TokfConstruction c;
    Build(c, 3, {1000.0, 1400.0, 1400.0, {}, {}}); // a trapezoid whose slope is level
    const TOutlineShape shape = ShapeOf(c);
    EXPECT_EQ(shape.Figure, 0);
    EXPECT_EQ(shape.Width, 1000);
    EXPECT_EQ(shape.Height, 1400);
    EXPECT_EQ(shape.X, 0);
}

TEST(ShapeOf, AFigureAnywhereOnTheLineIsRecognised)
{
    TokfConstruction c;
    c.Flugel1.SetOutline({{5000, 14000}, {5000, 10000}, {15000, 0}, {15000, 14000}});
    bool recognised = false;
    const TOutlineShape shape = ShapeOf(c, &recognised);
    EXPECT_TRUE(recognised);
    EXPECT_EQ(shape.Figure, 3);
    EXPECT_EQ(shape.Width, 1000);
    EXPECT_EQ(shape.X, 400);
}

// Outlines no figure makes give a rectangle of the sash's size and never fail.
TEST(ShapeOf, ForeignOutlinesFallBackToTheSashSize)
{
    const auto elliptic = [](TokfFlugel& f) {
        f.SetOutline({{0, 14000}, {0, 3000}, {10000, 3000}, {10000, 14000}});
        f.Side(1).Radius1 = 6000;
        f.Side(1).Radius2 = 7000;
        f.Side(1).UpdateCentre();
    };
    const struct
    {
        const char* Name;
        std::function<void(TokfFlugel&)> Make;
        std::uint8_t Arrangement;
    } cases[] = {
        {"pentagon", [](TokfFlugel& f) { f.SetOutline({{0, 14000}, {0, 4000}, {5000, 0}, {10000, 4000}, {10000, 14000}}); }, arSingle},
        {"lowered rectangle", [](TokfFlugel& f) { f.SetOutline({{0, 15000}, {0, 1000}, {10000, 1000}, {10000, 15000}}); }, arSingle},
        {"corners off the millimetre", [](TokfFlugel& f) { f.SetOutline({{0, 14005}, {0, 0}, {10000, 0}, {10000, 14005}}); }, arSingle},
        {"elliptic top", elliptic, arSingle},
        {"arch without radius", [](TokfFlugel& f) { f.SetOutline({{0, 14000}, {0, 3000}, {10000, 3000}, {10000, 14000}}); }, arSingle},
        {"no corners", [](TokfFlugel&) {}, arSingle},
        {"unknown arrangement", [](TokfFlugel& f) { f.SetOutline({{0, 14000}, {0, 0}, {10000, 0}, {10000, 14000}}); }, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TokfConstruction construction;
        construction.Arrangement = c.Arrangement;
        c.Make(construction.Flugel1);
        bool recognised = true;
        const TOutlineShape shape = ShapeOf(construction, &recognised);
        EXPECT_FALSE(recognised);
        EXPECT_EQ(shape.Figure, 0);
        EXPECT_EQ(shape.Width, construction.Flugel1.FalzSize().Width);
        EXPECT_EQ(shape.Height, construction.Flugel1.FalzSize().Height);
        EXPECT_EQ(shape.X, 0);
        EXPECT_EQ(shape.Y, 0);
        EXPECT_EQ(shape.Radius1, 0);
    }
}

// Two sashes always read as the two-sash figure of their arrangement, with their own sizes.
TEST(ShapeOf, TwoSashesOfUnequalHeight)
{
    TokfConstruction c;
    c.Arrangement = arRightMain;
    c.Flugel1.SetOutline({{0, 14000}, {0, 0}, {6000, 0}, {6000, 14000}});
    c.Flugel2.SetOutline({{6000, 12000}, {6000, 0}, {13000, 0}, {13000, 12000}});
    bool recognised = true;
    const TOutlineShape shape = ShapeOf(c, &recognised);
    EXPECT_FALSE(recognised);
    EXPECT_EQ(shape.Figure, 1);
    EXPECT_EQ(shape.Width, 1300);
    EXPECT_EQ(shape.Height, 1400);
    EXPECT_EQ(shape.X, 600);
    EXPECT_EQ(shape.Y, 700);
}
