#include <gtest/gtest.h>

#include "sizing/size_grid.h"

#include <QFont>
#include <QImage>
#include <QPainter>

namespace {
TokfSizePointList ChainX(std::initializer_list<int> xs)
{
    TokfSizePointList chain;
    for (int x : xs)
        chain.Add(TokfSizePoint::CreateX(x));
    return chain;
}

TokfSizePointList ChainY(std::initializer_list<int> ys)
{
    TokfSizePointList chain;
    for (int y : ys)
        chain.Add(TokfSizePoint::CreateY(y));
    return chain;
}

std::vector<int> Xs(const TokfSizePointList& chain)
{
    std::vector<int> xs;
    for (int i = 0; i < chain.Count(); ++i)
        xs.push_back(chain.Point(i).X);
    return xs;
}

std::vector<int> Ys(const TokfSizePointList& chain)
{
    std::vector<int> ys;
    for (int i = 0; i < chain.Count(); ++i)
        ys.push_back(chain.Point(i).Y);
    return ys;
}

// The rows of a band as lists of x (or y) chains.
std::vector<std::vector<std::vector<int>>> Band(const std::vector<TokfSizing>& band, bool vertical)
{
    std::vector<std::vector<std::vector<int>>> rows;
    for (const auto& row : band) {
        rows.emplace_back();
        for (int i = 0; i < row.Count(); ++i)
            rows.back().push_back(vertical ? Ys(row.Chain(i)) : Xs(row.Chain(i)));
    }
    return rows;
}

// A rectangle outline traced like the outline builder does: up the left side, along the top,
// down the right side, back along the bottom.
std::vector<TSizeSide> Rectangle(int x0, int y0, int x1, int y1)
{
    return {{{x0, y1}, {x0, y0}, 1}, {{x0, y0}, {x1, y0}, 0}, {{x1, y0}, {x1, y1}, 1}, {{x1, y1}, {x0, y1}, 0}};
}
} // namespace

TEST(SizePointList, KeepsPointsUniqueAndSortsAlongItsAxis)
{
    TokfSizePointList chain;
    EXPECT_EQ(chain.Add(TokfSizePoint::CreateX(700)), 0);
    EXPECT_EQ(chain.Add(TokfSizePoint::CreateX(0)), 1);
    EXPECT_EQ(chain.Add(TokfSizePoint::CreateX(700)), -1);
    EXPECT_EQ(chain.Add(TokfSizePoint::CreateY(700)), 2); // (0, 700) differs from (700, 0)
    EXPECT_TRUE(chain.Contains({0, 700}));
    EXPECT_FALSE(chain.Contains({0, 1}));

    TokfSizePointList x = ChainX({1300, 0, 600});
    x.SortByX();
    EXPECT_EQ(Xs(x), (std::vector<int>{0, 600, 1300}));
    EXPECT_EQ(x.First().X, 0);
    EXPECT_EQ(x.Last().X, 1300);
    TokfSizePointList y = ChainY({1400, 0, 500});
    y.SortByY();
    EXPECT_EQ(Ys(y), (std::vector<int>{0, 500, 1400}));

    EXPECT_TRUE(ChainX({0, 600}).SameAs(ChainX({0, 600})));
    EXPECT_FALSE(ChainX({0, 600}).SameAs(ChainX({600, 0})));
    EXPECT_FALSE(ChainX({0, 600}).SameAs(ChainX({0, 600, 700})));
    TokfSizePointList captioned = ChainX({0, 600});
    captioned.Caption = QStringLiteral("x");
    EXPECT_TRUE(captioned.SameAs(ChainX({0, 600})));
}

TEST(SizeGrid, PacksChainsIntoTheFirstRowWithRoom)
{
    TokfSizeGrid grid;
    // Each step adds one chain; the expected rows after it.
    EXPECT_TRUE(grid.AddHorizontal(ChainX({400, 600})));
    EXPECT_TRUE(grid.AddHorizontal(ChainX({900, 1000})));    // at the end
    EXPECT_TRUE(grid.AddHorizontal(ChainX({0, 100, 400})));  // at the front, touching
    EXPECT_TRUE(grid.AddHorizontal(ChainX({600, 900})));     // between two, touching both
    EXPECT_TRUE(grid.AddHorizontal(ChainX({500, 700})));     // overlaps: a new row
    EXPECT_TRUE(grid.AddHorizontal(ChainX({1300, 1000})));   // sorted first; fits row 1's end
    EXPECT_TRUE(grid.AddHorizontal(ChainX({0, 300})));       // row 1 full there; front of row 2
    EXPECT_FALSE(grid.AddHorizontal(ChainX({500, 700})));    // same as a chain of row 2
    EXPECT_FALSE(grid.AddHorizontal(ChainX({1000, 1300}))); // same once sorted
    EXPECT_FALSE(grid.AddHorizontal(ChainX({50})));          // a single point measures nothing
    EXPECT_TRUE(grid.AddHorizontal(ChainX({0, 1300})));
    using R = std::vector<std::vector<std::vector<int>>>;
    EXPECT_EQ(Band(grid.Rows, false),
              (R{{{0, 100, 400}, {400, 600}, {600, 900}, {900, 1000}, {1000, 1300}},
                 {{0, 300}, {500, 700}},
                 {{0, 1300}}}));
    EXPECT_TRUE(grid.Columns.empty());
    EXPECT_EQ(grid.HorizontalBandHeight(), 3 * grid.RowHeight);
    EXPECT_EQ(grid.VerticalBandWidth(), 0);
    EXPECT_EQ(grid.Rows[0].Angle, 0);

    EXPECT_TRUE(grid.AddVertical(ChainY({1400, 0})));
    EXPECT_TRUE(grid.AddVertical(ChainY({0, 500})));
    EXPECT_EQ(Band(grid.Columns, true), (R{{{0, 1400}}, {{0, 500}}}));
    EXPECT_EQ(grid.Columns[0].Angle, 90);
    EXPECT_EQ(grid.VerticalBandWidth(), 2 * grid.RowHeight);
}

TEST(SizeGrid, RowHeightFollowsTheCanvasFont)
{
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(20);
    painter.setFont(font);
    TokfSizeGrid grid(&painter);
    EXPECT_EQ(grid.RowHeight, QFontMetrics(font, &image).height() + 2);
}

TEST(SizeGrid, SashChainsPerOption)
{
    using R = std::vector<std::vector<std::vector<int>>>;
    const TSizeBox box{0, 0, 1000, 1400};
    // Trapezoid with the left side lower: corners (0, 1400), (0, 1000), (1000, 0), (1000, 1400).
    const std::vector<TSizeSide> trapezoid{
        {{0, 1400}, {0, 1000}, 1}, {{0, 1000}, {1000, 0}, 3}, {{1000, 0}, {1000, 1400}, 1}, {{1000, 1400}, {0, 1400}, 0}};
    const struct {
        const char* name;
        std::vector<TSizeSide> sides;
        TSizeOptions options;
        R rows;
        R columns;
    } cases[] = {
        {"rectangle, overall only", Rectangle(0, 0, 1000, 1400), SizeOptions({0}), R{{{0, 1000}}}, R{{{0, 1400}}}},
        {"rectangle, sides", Rectangle(0, 0, 1000, 1400), SizeOptions({1}), R{{{0, 1000}}}, R{{{0, 1400}}}},
        {"trapezoid, sides without box corners", trapezoid, SizeOptions({2}), R{{{0, 1000}}},
         R{{{0, 1000, 1400}}, {{0, 1400}}}},
        {"trapezoid, all side corners", trapezoid, SizeOptions({1}), R{{{0, 1000}}},
         R{{{0, 1000, 1400}}, {{0, 1400}}}},
    };
    for (const auto& c : cases) {
        TokfSizeGrid grid;
        grid.AddSashChains(box, c.sides, c.options);
        EXPECT_EQ(Band(grid.Rows, false), c.rows) << c.name;
        EXPECT_EQ(Band(grid.Columns, true), c.columns) << c.name;
    }

    // A slanted side between two inner corners: option 1 measures both ends, option 2 too, since
    // neither lies on the box; a side from a box corner to an inner one keeps only the inner one.
    const std::vector<TSizeSide> slanted{{{200, 300}, {700, 100}, 3}, {{0, 0}, {400, 500}, 3}};
    TokfSizeGrid grid;
    grid.AddSashChains(box, slanted, SizeOptions({2}));
    EXPECT_EQ(Band(grid.Rows, false), (R{{{0, 200, 700, 1000}}, {{0, 400, 1000}}, {{0, 1000}}}));
    EXPECT_EQ(Band(grid.Columns, true), (R{{{0, 100, 300, 1400}}, {{0, 500, 1400}}, {{0, 1400}}}));
    TokfSizeGrid withCorners;
    withCorners.AddSashChains(box, slanted, SizeOptions({1}));
    EXPECT_EQ(Band(withCorners.Rows, false), (R{{{0, 200, 700, 1000}}, {{0, 400, 1000}}, {{0, 1000}}}));
}

TEST(SizeGrid, TwoSashesTouchInOneRow)
{
    using R = std::vector<std::vector<std::vector<int>>>;
    TokfSizeGrid grid;
    const TSizeOptions options = SizeOptions({0, 1});
    grid.AddSashChains({0, 0, 600, 1400}, Rectangle(0, 0, 600, 1400), options);
    grid.AddSashChains({600, 0, 1300, 1400}, Rectangle(600, 0, 1300, 1400), options);
    grid.AddHorizontal(ChainX({0, 1300}));
    grid.AddVertical(ChainY({0, 1400}));
    EXPECT_EQ(Band(grid.Rows, false), (R{{{0, 600}, {600, 1300}}, {{0, 1300}}}));
    EXPECT_EQ(Band(grid.Columns, true), (R{{{0, 1400}}}));
}

TEST(SizeGrid, DimensionLabels)
{
    EXPECT_EQ(DimensionLabel(1000, {}), QStringLiteral("1000"));
    EXPECT_EQ(DimensionLabel(1234.5, {}), QStringLiteral("1234,5"));
    EXPECT_EQ(DimensionLabel(0.25, {}), QStringLiteral("0,3"));
    EXPECT_EQ(DimensionLabel(1234.5, QStringLiteral("B")), QStringLiteral("B"));
}
