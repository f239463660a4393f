#include "sizing/size_point.h"

#include <algorithm>

int TokfSizePointList::Add(const TokfSizePoint& point)
{
    if (Contains(point))
        return -1;
    Points.push_back(point);
    return Count() - 1;
}

void TokfSizePointList::SortByX()
{
    std::stable_sort(Points.begin(), Points.end(),
                     [](const TokfSizePoint& a, const TokfSizePoint& b) { return a.X < b.X; });
}

void TokfSizePointList::SortByY()
{
    std::stable_sort(Points.begin(), Points.end(),
                     [](const TokfSizePoint& a, const TokfSizePoint& b) { return a.Y < b.Y; });
}

bool TokfSizePointList::Contains(const TokfSizePoint& point) const
{
    return std::find(Points.begin(), Points.end(), point) != Points.end();
}
