#pragma once

#include <QSet>
#include <vector>

#include "sizing/sizing.h"

class QPainter;
class TokfConstruction;
class TokfFlugel;

// Which chains Build collects: 0 the overall width and height of the construction, 1 the side
// dimensions, 2 the side dimensions without the corner positions that lie on the sash's own box.
using TSizeOptions = QSet<int>;

// A sash outline as the dimension grid sees it, in whole millimetres.
struct TSizeBox
{
    std::int32_t X0 = 0;
    std::int32_t Y0 = 0;
    std::int32_t X1 = 0;
    std::int32_t Y1 = 0;
};

struct TSizeSide
{
    TPoint Start;
    TPoint End;
    int Orientation = 3; // 1 vertical, 0 horizontal, 3 slanted
};

// The dimension chains of one construction or one sash: horizontal chains packed into rows below
// the sketch, vertical chains into columns to its right, so that the chains of a row never overlap.
class TokfSizeGrid
{
public:
    explicit TokfSizeGrid(QPainter* canvas = nullptr);

    QPainter* Canvas = nullptr;
    std::vector<TokfSizing> Rows;
    std::vector<TokfSizing> Columns;
    TPoint Origin;   // top-left corner of the measured box, millimetres
    int Width = 0;   // size of the measured box, millimetres
    int Height = 0;
    int RowHeight = 0; // text height of "0" on the canvas + 2

    void Clear();
    // Sorts the chain along its axis and packs it; false when it was discarded because an equal
    // chain is already there or it has fewer than two points.
    bool AddHorizontal(TokfSizePointList chain);
    bool AddVertical(TokfSizePointList chain);
    // The side chains of a sash and its box chains.
    void AddSashChains(const TSizeBox& box, const std::vector<TSizeSide>& sides, const TSizeOptions& options);

    // Box (0, 0)-OverallSize, the chains of both sashes, then with option 0 the overall chains.
    void Build(const TokfConstruction& construction, const TSizeOptions& options);
    // A sash alone: the box is the sash's own box (FFB x FFH), then its chains.
    void Build(const TokfFlugel& flugel, const TSizeOptions& options);

    int HorizontalBandHeight() const { return static_cast<int>(Rows.size()) * RowHeight; }
    int VerticalBandWidth() const { return static_cast<int>(Columns.size()) * RowHeight; }

    // Draws the rows below and the columns right of the box scaled by scale (millimetres per
    // canvas unit), the box's top-left corner at the canvas origin.
    void Draw(double scale) const;

private:
    static bool Add(std::vector<TokfSizing>& band, TokfSizePointList chain, bool vertical);
};

// The options as a set; only 0, 1 and 2 mean something.
TSizeOptions SizeOptions(std::initializer_list<int> values);
