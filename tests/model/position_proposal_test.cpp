#include <gtest/gtest.h>

#include "model/position_proposal.h"

namespace {

TOutlineShape Shape(int figure, TPositionSizes sizes, int objectType = 0)
{
    return ProposeShape(figure, objectType, sizes);
}

} // namespace

TEST(PositionProposal, NumbersNamesAndDefaultSizes)
{
    EXPECT_EQ(ProposedPosNo(0), QStringLiteral("001"));
    EXPECT_EQ(ProposedPosNo(9), QStringLiteral("010"));
    EXPECT_EQ(ProposedPositionName(1, 0), QStringLiteral("Дверь с порогом: Комплект стандартный"));
    EXPECT_EQ(ProposedPositionName(0, 2), QStringLiteral("Окно: Комплект штульповый"));
    EXPECT_EQ(ProposedPositionName(0, 7), QStringLiteral("Окно: Комплект арка"));
    const TOutlineShape door = Shape(0, {}, 1);
    EXPECT_EQ(door.Width, 900);
    EXPECT_EQ(door.Height, 2100);
    const TOutlineShape window = Shape(5, {});
    EXPECT_EQ(window.Width, 700);
    EXPECT_EQ(window.Height, 1400);
    EXPECT_EQ(window.X, 0);
    EXPECT_EQ(window.Radius1, 0);
    EXPECT_EQ(ArrangementOfFigure(1), arRightMain);
    EXPECT_EQ(ArrangementOfFigure(2), arLeftMain);
    EXPECT_EQ(ArrangementOfFigure(7), arSingle);
}

TEST(PositionProposal, TwoSashesSplitTheWidth)
{
    const struct
    {
        TPositionSizes Sizes;
        int X;
        int Y;
    } cases[] = {
        {{1401.0, {}, {}, {}, {}}, 700, 701},
        {{1401.0, {}, 500.0, {}, {}}, 500, 901},
        {{1401.0, {}, 1500.0, {}, {}}, 1500, 701}, // beyond B: Y keeps its proposal
        {{1401.0, {}, {}, 400.0, {}}, 1001, 400},
        {{1400.0, {}, 600.0, 900.0, {}}, 600, 900}, // both given: taken as they are
    };
    for (const auto& c : cases) {
        const TOutlineShape s = Shape(1, c.Sizes);
        EXPECT_EQ(s.X, c.X);
        EXPECT_EQ(s.Y, c.Y);
    }
    EXPECT_EQ(Shape(3, {1000.0, 1401.0, {}, {}, {}}).X, 700); // trapezoid: H div 2
}

TEST(PositionProposal, ArchRiseAndRadius)
{
    const TOutlineShape semicircle = Shape(7, {1000.0, 1500.0, {}, {}, {}});
    EXPECT_FLOAT_EQ(semicircle.Radius1, 500);
    EXPECT_EQ(semicircle.X, 500);
    EXPECT_FLOAT_EQ(semicircle.Radius2, semicircle.Radius1);
    const TOutlineShape raised = Shape(7, {1000.0, 1500.0, {}, {}, 400.0}); // below B / 2
    EXPECT_FLOAT_EQ(raised.Radius1, 500);
    EXPECT_EQ(raised.X, 500);
    const TOutlineShape flat = Shape(7, {1000.0, 1500.0, 200.0, {}, {}});
    EXPECT_FLOAT_EQ(flat.Radius1, 725);
    EXPECT_EQ(flat.X, 200);
    EXPECT_EQ(Shape(7, {1000.0, 1500.0, 250.6, {}, {}}).X, 251);
    EXPECT_EQ(Shape(7, {1000.0, 1500.0, 800.0, {}, {}}).X, 500); // beyond a semicircle
    const TOutlineShape byRadius = Shape(7, {1000.0, 1500.0, {}, {}, 725.0});
    EXPECT_EQ(byRadius.X, 200);
}
