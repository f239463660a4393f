#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "model/furn_comp.h"
#include "model/mat_list.h"
#include "model/outline.h"

class TSpecStream;
class TokfConstruction;

// The rebate size of a sash in whole millimetres.
struct TFalzSize
{
    int Width = 0;  // FFB
    int Height = 0; // FFH
};

// One sash: a closed outline of corners and sides, its backset, complect and material list.
class TokfFlugel
{
public:
    explicit TokfFlugel(TokfConstruction* construction = nullptr);
    ~TokfFlugel();
    TokfFlugel(const TokfFlugel&) = delete;
    TokfFlugel& operator=(const TokfFlugel&) = delete;

    TokfConstruction* Construction = nullptr; // owner, not stored
    std::int32_t DornType = 0;
    std::unique_ptr<TokfFurnComp> Complect;
    TokfMatList MatList;

    int PointCount() const { return static_cast<int>(Points.size()); }
    int SideCount() const { return static_cast<int>(Sides.size()); }
    TokfPoint& Point(int index) { return *Points.at(static_cast<size_t>(index)); }
    const TokfPoint& Point(int index) const { return *Points.at(static_cast<size_t>(index)); }
    TokfLine& Side(int index) { return *Sides.at(static_cast<size_t>(index)); }
    const TokfLine& Side(int index) const { return *Sides.at(static_cast<size_t>(index)); }

    // Replaces the outline by the corners given, one straight side from each corner to the next.
    void SetOutline(const std::vector<TPoint>& corners);
    // Frees corners and sides.
    void ClearOutline();
    // Sets every side's end points (side i from corner i to corner i + 1, the last back to 0).
    void LinkSides();

    void SetComplect(const QString& furnSys, const QString& profSys, const QString& color,
                     const TComplectChoice& choice);
    void SetComplectNoRecalc(const TComplectChoice& choice);
    // Frees the complect, clears every side's roles and applies the system check.
    void RemoveComplect();
    TokfFlugel* OtherFlugel() const;

    // Millimetres, the chord for an arc; -0.1 when the side or an end point is missing.
    double SideLength(int side) const;
    TFalzSize FalzSize() const;
    // Degrees at the start of side `index` between the previous side and this one.
    double CornerAngle(int index) const;
    int FirstHandleSide() const;
    int FirstBandedSide() const;
    int HandleHeightOfSash() const;
    // A catalogue length formula with the sash's variables and functions.
    double Evaluate(const QString& formula) const;

    // Rebuilds the lines from the complect, one per item, priced in the context currency.
    void BuildMatList();
    TMoney MatListCost() const;

    void Write(TSpecStream& stream) const;
    void Read(TSpecStream& stream, const QString& version);

private:
    void SystemCheck();

    std::vector<std::unique_ptr<TokfPoint>> Points;
    std::vector<std::unique_ptr<TokfLine>> Sides;
};
