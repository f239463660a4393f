#include "model/flugel.h"

#include <algorithm>

#include "foundation/error.h"
#include "foundation/typed_stream.h"
#include "model/construction.h"
#include "model/stored_reader.h"
#include "model/versions.h"

namespace {
constexpr int PointBytes = 2 * 16;
constexpr int SideBytes = 12 * 16;
} // namespace

TokfFlugel::TokfFlugel(TokfConstruction* construction) : Construction(construction) {}

TokfFlugel::~TokfFlugel() = default;

void TokfFlugel::ClearOutline()
{
    Sides.clear();
    Points.clear();
}

void TokfFlugel::SetOutline(const std::vector<TPoint>& corners)
{
    ClearOutline();
    for (const TPoint& corner : corners) {
        Points.push_back(std::make_unique<TokfPoint>(this, corner.X, corner.Y));
        Sides.push_back(std::make_unique<TokfLine>(this));
    }
    LinkSides();
}

void TokfFlugel::LinkSides()
{
    const size_t n = Sides.size();
    for (size_t i = 0; i < n; ++i) {
        Sides[i]->StartPoint = i < Points.size() ? Points[i].get() : nullptr;
        Sides[i]->EndPoint = i + 1 < n ? (i + 1 < Points.size() ? Points[i + 1].get() : nullptr)
                                       : (Points.empty() ? nullptr : Points[0].get());
    }
}

TokfFlugel* TokfFlugel::OtherFlugel() const
{
    if (!Construction)
        return nullptr;
    return this == &Construction->Flugel1 ? &Construction->Flugel2 : &Construction->Flugel1;
}

void TokfFlugel::SetComplect(const QString& furnSys, const QString& profSys, const QString& color,
                             const TComplectChoice& choice)
{
    if (choice.NoComplects() && choice.ExtraComplects.join(QString()).isEmpty()) {
        RemoveComplect();
        return;
    }
    const bool created = !Complect;
    if (created)
        Complect = std::make_unique<TokfFurnComp>(this);
    DornType = choice.DornType;
    try {
        Complect->SetAll(furnSys, profSys, color, choice);
    } catch (...) {
        if (created)
            RemoveComplect();
        throw;
    }
    SystemCheck();
}

void TokfFlugel::SetComplectNoRecalc(const TComplectChoice& choice)
{
    if (choice.NoComplects()) {
        RemoveComplect();
        return;
    }
    const bool created = !Complect;
    if (created)
        Complect = std::make_unique<TokfFurnComp>(this);
    try {
        Complect->SetCodes(choice);
    } catch (...) {
        if (created)
            RemoveComplect();
        throw;
    }
}

void TokfFlugel::RemoveComplect()
{
    Complect.reset();
    for (auto& side : Sides)
        side->ClearRoles();
    SystemCheck();
}

void TokfFlugel::SystemCheck()
{
    if (!Construction || Construction->Arrangement == arSingle)
        return;
    TokfFlugel& secondary = Construction->Arrangement == arLeftMain ? Construction->Flugel2 : Construction->Flugel1;
    if (!secondary.Complect || &secondary == this)
        return;
    if (!Complect || Complect->FurnSys != secondary.Complect->FurnSys)
        secondary.RemoveComplect();
}

double TokfFlugel::SideLength(int side) const
{
    if (side < 0 || side >= SideCount())
        return -0.1;
    return Sides[static_cast<size_t>(side)]->Length();
}

TFalzSize TokfFlugel::FalzSize() const
{
    if (Points.empty())
        return {};
    long double minX = Points[0]->X, maxX = minX, minY = Points[0]->Y, maxY = minY;
    const auto take = [&](long double x, long double y) {
        if (Less(x, minX)) minX = x;
        if (Greater(x, maxX)) maxX = x;
        if (Less(y, minY)) minY = y;
        if (Greater(y, maxY)) maxY = y;
    };
    for (const auto& point : Points)
        take(point->X, point->Y);
    for (const auto& side : Sides) {
        if (side->Radius1 == 0 || !side->StartPoint || !side->EndPoint)
            continue;
        const TRealPoint start = ToReal(side->StartPoint->AsPoint());
        const TRealPoint end = ToReal(side->EndPoint->AsPoint());
        const double r = side->Radius1;
        const TRealPoint c = side->Centre;
        for (const TRealPoint& candidate : {TRealPoint{c.X + r, c.Y}, TRealPoint{c.X - r, c.Y},
                                            TRealPoint{c.X, c.Y + r}, TRealPoint{c.X, c.Y - r}})
            if (OnArc(start, end, c, candidate, r))
                take(candidate.X, candidate.Y);
    }
    const long double width = std::abs(static_cast<long double>(CeilTol(maxX)) - FloorTol(minX));
    const long double height = std::abs(static_cast<long double>(CeilTol(maxY)) - FloorTol(minY));
    return {RoundHalfAway(width / 10), RoundHalfAway(height / 10)};
}

double TokfFlugel::CornerAngle(int index) const
{
    const int n = SideCount();
    if (index < 0 || index >= n)
        return 0;
    const TokfLine& next = *Sides[static_cast<size_t>(index)];
    const TokfLine& previous = *Sides[static_cast<size_t>(index == 0 ? n - 1 : index - 1)];
    if (!next.StartPoint || !next.EndPoint || !previous.StartPoint)
        return 0;
    return ::CornerAngle(ToReal(previous.StartPoint->AsPoint()), ToReal(next.StartPoint->AsPoint()),
                         ToReal(next.EndPoint->AsPoint()), next.Radius1, previous.Radius1, next.Centre,
                         previous.Centre);
}

int TokfFlugel::FirstHandleSide() const
{
    for (int i = 0; i < SideCount(); ++i)
        if (Sides[static_cast<size_t>(i)]->HandleSide)
            return i;
    return -1;
}

int TokfFlugel::FirstBandedSide() const
{
    for (int i = 0; i < SideCount(); ++i)
        if (Sides[static_cast<size_t>(i)]->Banded)
            return i;
    return -1;
}

int TokfFlugel::HandleHeightOfSash() const
{
    const int side = FirstHandleSide();
    return side < 0 ? 0 : Sides[static_cast<size_t>(side)]->HandleHeight;
}

void TokfFlugel::Write(TSpecStream& stream) const
{
    stream.WriteInteger(PointCount());
    for (const auto& point : Points)
        point->Write(stream);
    stream.WriteInteger(SideCount());
    for (const auto& side : Sides)
        side->Write(stream);
    stream.WriteInteger(DornType);
    stream.WriteBoolean(Complect != nullptr);
    if (Complect)
        Complect->Write(stream);
    MatList.Write(stream);
}

void TokfFlugel::Read(TSpecStream& stream, const QString& version)
{
    TStoredReader in(stream);
    ClearOutline();
    MatList.Clear();
    const int points = in.Count(PointBytes);
    for (int i = 0; i < points; ++i)
        Points.emplace_back(std::make_unique<TokfPoint>(this))->Read(stream, version);
    const int sides = in.Count(SideBytes);
    // Every side runs between two corners of the sash, so the two lists must match.
    if (sides != points)
        throw TStreamError(QStringLiteral("Число сторон створки (%1) не совпадает с числом углов (%2)")
                               .arg(sides)
                               .arg(points));
    for (int i = 0; i < sides; ++i)
        Sides.emplace_back(std::make_unique<TokfLine>(this))->Read(stream, version);
    LinkSides();
    DornType = IsVersionNotOlder(version, VersionSashDornType()) ? in.Integer() : 0;
    if (in.Boolean()) {
        if (!Complect)
            Complect = std::make_unique<TokfFurnComp>(this);
        Complect->Read(stream, version);
    } else
        Complect.reset();
    MatList.Read(stream, version);
}
