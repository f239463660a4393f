#include "sizing/size_grid.h"

#include <algorithm>

#include "model/construction.h"
#include "sizing/sash_measure.h"

void TokfSizeGrid::Build(const TokfConstruction& construction, const TSizeOptions& options)
{
    Clear();
    const TOverallSize size = construction.OverallSize();
    Width = RoundHalfAway(size.Width);
    Height = RoundHalfAway(size.Height);
    if (!options.contains(0) && !options.contains(1) && !options.contains(2))
        return;
    // The overall chains span the sashes' boxes. The overall size rounds the box outwards,
    // so an arc rising a fraction of a millimetre above the corners would otherwise show a
    // second, one millimetre larger height beside the sash's own.
    TSizeBox overall{0, 0, Width, Height};
    bool first = true;
    for (const TokfFlugel* flugel : {&construction.Flugel1, &construction.Flugel2}) {
        if (flugel->PointCount() == 0)
            continue;
        const TSizeBox box = SashSizeBox(*flugel);
        AddSashChains(box, SashSizeSides(*flugel), options);
        if (first)
            overall = box;
        overall = {std::min(overall.X0, box.X0), std::min(overall.Y0, box.Y0), std::max(overall.X1, box.X1),
                   std::max(overall.Y1, box.Y1)};
        first = false;
    }
    if (options.contains(0)) {
        TokfSizePointList across;
        across.Add(TokfSizePoint::CreateX(overall.X0));
        across.Add(TokfSizePoint::CreateX(overall.X1));
        AddHorizontal(std::move(across));
        TokfSizePointList down;
        down.Add(TokfSizePoint::CreateY(overall.Y0));
        down.Add(TokfSizePoint::CreateY(overall.Y1));
        AddVertical(std::move(down));
    }
}

void TokfSizeGrid::Build(const TokfFlugel& flugel, const TSizeOptions& options)
{
    Clear();
    const TSizeBox box = SashSizeBox(flugel);
    const TFalzSize size = flugel.FalzSize();
    // The sash keeps its place in the construction; the grid measures from its own corner.
    Origin = {box.X0, box.Y0};
    Width = size.Width;
    Height = size.Height;
    if (flugel.PointCount() == 0 || (!options.contains(0) && !options.contains(1) && !options.contains(2)))
        return;
    AddSashChains(box, SashSizeSides(flugel), options);
}

