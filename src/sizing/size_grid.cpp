#include "sizing/size_grid.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

TSizeOptions SizeOptions(std::initializer_list<int> values) { return TSizeOptions(values); }

TokfSizeGrid::TokfSizeGrid(QPainter* canvas) : Canvas(canvas)
{
    const QFontMetrics metrics = canvas ? QFontMetrics(canvas->font(), canvas->device())
                                        : QFontMetrics(QGuiApplication::font());
    RowHeight = metrics.height() + 2;
}

void TokfSizeGrid::Clear()
{
    Rows.clear();
    Columns.clear();
    Origin = {};
    Width = Height = 0;
}

bool TokfSizeGrid::Add(std::vector<TokfSizing>& band, TokfSizePointList chain, bool vertical)
{
    if (chain.Count() < 2)
        return false;
    if (vertical)
        chain.SortByY();
    else
        chain.SortByX();
    for (const auto& row : band)
        if (row.HasSame(chain))
            return false;
    for (auto& row : band) {
        const int at = row.FitIndex(chain, vertical);
        if (at >= 0) {
            row.Insert(at, std::move(chain));
            return true;
        }
    }
    band.emplace_back(vertical ? 90.0 : 0.0);
    band.back().Insert(0, std::move(chain));
    return true;
}

bool TokfSizeGrid::AddHorizontal(TokfSizePointList chain) { return Add(Rows, std::move(chain), false); }
bool TokfSizeGrid::AddVertical(TokfSizePointList chain) { return Add(Columns, std::move(chain), true); }

void TokfSizeGrid::AddSashChains(const TSizeBox& box, const std::vector<TSizeSide>& sides,
                                 const TSizeOptions& options)
{
    const bool sides1 = options.contains(1);
    const bool sides2 = options.contains(2);
    // One axis of one side: the box's ends and the side's ends that are not left out.
    const auto add = [&](std::int32_t low, std::int32_t high, std::int32_t a, std::int32_t b, bool vertical) {
        const bool aOnBox = sides2 && (a == low || a == high);
        const bool bOnBox = sides2 && (b == low || b == high);
        if ((aOnBox && bOnBox) || !(sides1 || sides2))
            return;
        const auto point = vertical ? &TokfSizePoint::CreateY : &TokfSizePoint::CreateX;
        TokfSizePointList chain;
        chain.Add(point(low));
        if (!aOnBox)
            chain.Add(point(a));
        if (!bOnBox)
            chain.Add(point(b));
        chain.Add(point(high));
        if (vertical)
            AddVertical(std::move(chain));
        else
            AddHorizontal(std::move(chain));
    };
    for (const auto& side : sides) {
        if (side.Orientation != 1)
            add(box.X0, box.X1, side.Start.X, side.End.X, false);
        if (side.Orientation != 0)
            add(box.Y0, box.Y1, side.Start.Y, side.End.Y, true);
    }
    TokfSizePointList across;
    across.Add(TokfSizePoint::CreateX(box.X0));
    across.Add(TokfSizePoint::CreateX(box.X1));
    AddHorizontal(std::move(across));
    TokfSizePointList down;
    down.Add(TokfSizePoint::CreateY(box.Y0));
    down.Add(TokfSizePoint::CreateY(box.Y1));
    AddVertical(std::move(down));
}

void TokfSizeGrid::Draw(double scale) const
{
    if (!Canvas)
        return;
    QPainter& painter = *Canvas;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    const int bottom = ScaleDown(Height, scale);
    const int right = ScaleDown(Width, scale);
    for (size_t i = 0; i < Rows.size(); ++i) {
        const int y = bottom + static_cast<int>(i + 1) * RowHeight;
        Rows[i].DrawRow(painter, {0, y}, false, RowHeight, scale, Origin);
    }
    for (size_t i = 0; i < Columns.size(); ++i) {
        const int x = right + static_cast<int>(i + 1) * RowHeight;
        Columns[i].DrawRow(painter, {x, 0}, true, RowHeight, scale, Origin);
    }
    painter.restore();
}
