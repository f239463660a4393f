#pragma once

#include <cstdint>

#include "foundation/geometry.h"

class TSpecStream;
class TokfFlugel;
class QString;

// A corner of a sash outline, in tenths of a millimetre, Y growing downwards.
class TokfPoint
{
public:
    explicit TokfPoint(TokfFlugel* flugel = nullptr) : Flugel(flugel) {}
    TokfPoint(TokfFlugel* flugel, std::int32_t x, std::int32_t y) : X(x), Y(y), Flugel(flugel) {}

    std::int32_t X = 0;
    std::int32_t Y = 0;
    TokfFlugel* Flugel = nullptr; // owner, not stored

    TPoint AsPoint() const { return {X, Y}; }
    void Write(TSpecStream& stream) const;
    void Read(TSpecStream& stream, const QString& version);
};

// One side of a sash outline: straight, or an arc of Radius1 bulging outwards. The roles are set
// from the catalogue by the complect and cleared when the sash loses its complect.
class TokfLine
{
public:
    explicit TokfLine(TokfFlugel* flugel = nullptr) : Flugel(flugel) {}
    TokfLine(TokfFlugel* flugel, TRealPoint centre, float radius1, float radius2)
        : Radius1(radius1), Radius2(radius2), Centre(centre), Flugel(flugel) {}

    float Radius1 = 0; // tenths of a millimetre; 0 for a straight side
    float Radius2 = 0;
    TRealPoint Centre;  // centre of the arc; (0, 0) for a straight side
    TokfPoint* StartPoint = nullptr; // not stored; rebuilt after reading
    TokfPoint* EndPoint = nullptr;
    bool OpenSide = false;
    std::int32_t RotSide = -1;
    bool HandleSide = false;
    bool Banded = false;
    bool Drived = false;
    std::int32_t HandleHeight = 0; // millimetres along the side
    TPoint HandleMark;             // where the handle symbol is drawn
    TokfFlugel* Flugel = nullptr;  // owner, not stored

    bool IsCircular() const { return Radius1 != 0 && Radius1 == Radius2; }
    // A semicircle: half the chord equals the radius.
    bool IsFullArc() const;
    bool IsPartialArc() const;
    bool IsElliptic() const { return Radius1 != 0 && Radius2 != 0 && Radius1 != Radius2; }
    // Chord length in millimetres; -0.1 when an end point is missing.
    double Length() const;

    void UpdateCentre();
    void ClearRoles();
    // Places the handle `height` millimetres along the chord, from the end point when direction is
    // non-zero, else from the start point, and the mark 1 mm beside it. Without HandleSide the
    // handle fields are cleared.
    void SetHandle(int height, int direction);
    // 1 vertical, 0 horizontal, 3 slanted.
    int Orientation() const;

    void Write(TSpecStream& stream) const;
    void Read(TSpecStream& stream, const QString& version);
};
