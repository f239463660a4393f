#include "model/outline.h"

#include "foundation/typed_stream.h"
#include "model/stored_reader.h"

void TokfPoint::Write(TSpecStream& stream) const
{
    stream.WriteInteger(X);
    stream.WriteInteger(Y);
}

void TokfPoint::Read(TSpecStream& stream, const QString&)
{
    TStoredReader in(stream);
    X = in.Integer();
    Y = in.Integer();
}

double TokfLine::Length() const
{
    if (!StartPoint || !EndPoint)
        return -0.1;
    return static_cast<float>(Distance(StartPoint->AsPoint(), EndPoint->AsPoint()) / 10.0);
}

bool TokfLine::IsFullArc() const
{
    if (!IsCircular() || !StartPoint || !EndPoint)
        return false;
    return static_cast<float>(Distance(StartPoint->AsPoint(), EndPoint->AsPoint()) / 2.0) == Radius1;
}

bool TokfLine::IsPartialArc() const
{
    if (!IsCircular() || !StartPoint || !EndPoint)
        return false;
    return static_cast<float>(Distance(StartPoint->AsPoint(), EndPoint->AsPoint()) / 2.0) != Radius1;
}

void TokfLine::UpdateCentre()
{
    if (Radius1 == 0 || !StartPoint || !EndPoint) {
        Centre = {};
        return;
    }
    const TRealPoint centre = ArcCentre(ToReal(StartPoint->AsPoint()), ToReal(EndPoint->AsPoint()), Radius1);
    // Kept in single precision, as stored.
    Centre = {static_cast<float>(centre.X), static_cast<float>(centre.Y)};
}

void TokfLine::ClearRoles()
{
    OpenSide = false;
    RotSide = -1;
    HandleSide = false;
    Banded = false;
    Drived = false;
    HandleHeight = 0;
    HandleMark = {};
}

void TokfLine::SetHandle(int height, int direction)
{
    if (!HandleSide || !StartPoint || !EndPoint) {
        HandleHeight = 0;
        HandleMark = {};
        return;
    }
    HandleHeight = height;
    const TRealPoint start = ToReal(StartPoint->AsPoint());
    const TRealPoint end = ToReal(EndPoint->AsPoint());
    const TRealPoint base = direction != 0 ? PointToward(end, start, height * 10.0L)
                                           : PointToward(start, end, height * 10.0L);
    // The mark sits 1 mm inside a clockwise outline: the chord's direction turned by -90 degrees.
    HandleMark = RoundPoint(PointAtAngle(base, start, end, -90, 10));
}

int TokfLine::Orientation() const
{
    if (!StartPoint || !EndPoint)
        return 3;
    const double angle = DirectionAngle(StartPoint->AsPoint(), EndPoint->AsPoint());
    if (angle == 90 || angle == 270)
        return 1;
    if (angle == 0 || angle == 180)
        return 0;
    return 3;
}

void TokfLine::Write(TSpecStream& stream) const
{
    stream.WriteDouble(Radius1);
    stream.WriteDouble(Radius2);
    stream.WriteDouble(Centre.X);
    stream.WriteDouble(Centre.Y);
    stream.WriteBoolean(OpenSide);
    stream.WriteInteger(RotSide);
    stream.WriteBoolean(HandleSide);
    stream.WriteBoolean(Banded);
    stream.WriteBoolean(Drived);
    stream.WriteInteger(HandleHeight);
    stream.WriteInteger(HandleMark.X);
    stream.WriteInteger(HandleMark.Y);
}

void TokfLine::Read(TSpecStream& stream, const QString&)
{
    TStoredReader in(stream);
    Radius1 = in.Single();
    Radius2 = in.Single();
    Centre.X = in.Single();
    Centre.Y = in.Single();
    OpenSide = in.Boolean();
    RotSide = in.Integer();
    HandleSide = in.Boolean();
    Banded = in.Boolean();
    Drived = in.Boolean();
    HandleHeight = in.Integer();
    HandleMark.X = in.Integer();
    HandleMark.Y = in.Integer();
}
