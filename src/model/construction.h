#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "foundation/money.h"
#include "model/flugel.h"

class TSpecStream;
class TokfOrder;

// The shape of a new position as the position dialog enters it, in millimetres.
struct TOutlineShape
{
    int Width = 0;  // B
    int Height = 0; // H
    std::uint8_t Figure = 0; // 0 rectangle, 1 and 2 two sashes, 3..6 trapezoids and triangles, 7 arch
    int X = 0;
    int Y = 0;
    float Radius1 = 0;
    float Radius2 = 0;
};

// The fittings choice of the fittings dialog for a whole position.
struct TFittingsChoice
{
    QString FurnSys;
    QString ProfSys;
    QString Color;
    int FalzType = 0;
    int StulpType = 0;
    int OpenType = 0;
    float ProfWidth = 0;
    float ProfThickness = 0;
    TComplectChoice First;  // left-sash page
    TComplectChoice Second;
};

// Sash arrangement of a position.
enum TArrangement : std::uint8_t { arLeftMain = 0, arRightMain = 1, arSingle = 2 };

struct TOverallSize
{
    double Width = 0;
    double Height = 0;
};

// A position of an order: a window or a door made in Number identical pieces, of one or two sashes.
class TokfConstruction
{
public:
    explicit TokfConstruction(TokfOrder* order = nullptr);
    ~TokfConstruction();
    TokfConstruction(const TokfConstruction&) = delete;
    TokfConstruction& operator=(const TokfConstruction&) = delete;

    bool Included = true;
    QString PosNo;
    QString Name;
    std::int32_t Number = 0;
    std::uint8_t ObjectType = 0; // 0 window, 1 door with threshold
    QString FurnSys;
    QString ProfSys;
    QString Color;
    std::int32_t FalzType = 0;
    std::int32_t StulpType = 0;
    std::int32_t OpenType = 0;
    float ProfWidth = 0;
    float ProfThickness = 0;
    QStringList Note;
    TMoney Price; // one piece
    std::uint8_t Arrangement = arSingle;
    TokfFlugel Flugel1;
    TokfFlugel Flugel2;
    TokfOrder* Order = nullptr; // owner, not stored

    void Write(TSpecStream& stream) const;
    void Read(TSpecStream& stream, const QString& version);

    void Assign(const TokfConstruction& source);
    void SaveBackup(TSpecStream& stream) const;
    void RestoreBackup(TSpecStream& stream);

    TMoney Cost() const;
    void AddToMatList(TokfMatList& list) const;
    void SetFittings(const TFittingsChoice& choice);
    void SetFittingsNoRecalc(const TComplectChoice& first, const TComplectChoice& second);
    void BuildOutline(const TOutlineShape& shape, int dornType);
    // 1 frees Flugel1's complect, anything else Flugel2's.
    void DropComplect(int which);
    TOverallSize OverallSize() const;
    void RecalcPrice();

    TokfFurnComp* FirstComplect();
    TokfFurnComp* NextComplect();
    // Catalogue names of the main, handle, hinge, cylinder and closer complects of both sashes.
    void ComplectNames(QStringList& names) const;

private:
    bool ComplectCursor = false;
};

// The shape record that builds the position's outline again, as the position dialog needs it to
// reopen an existing position: two sashes give figure 2 (Arrangement 0) or 1 (Arrangement 1) with
// X and Y the sash widths and H the left sash's height; a single sash gives the figure whose
// corners and top arc it has, wherever it lies horizontally. An outline no figure makes (a damaged
// or foreign file, a sash without corners) gives figure 0 with the sash size (FFB x FFH) and sets
// *recognised to false; nothing raises.
TOutlineShape ShapeOf(const TokfConstruction& construction, bool* recognised = nullptr);
