#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <vector>

#include "model/construction.h"
#include "model/position_proposal.h"

class TokfOrder;
class TokfOrderSelection;

// The order and selection documents of diravir-cli; every key, default and rule is in docs/cli.md.
// Reading validates the whole document first and raises TError naming the key and the position.

// What a new order takes when the document leaves a header field out (the order window fills
// these from the settings and the catalogue's base colours).
struct TNewOrderDefaults
{
    QString ProfSys;
    QString InnerProfColor;
    QString OuterProfColor;
    QString FurnSys;
    QString FurnColor;
    QString Handle;
    int Material = 0;
    int FalzType = 0;
    int DornType = 0;
    int StulpType = 0;
    int OpenType = 0;
    int Currency = 0;
    int PriceGroupNo = 0;
    float NDSTax = 0;
    bool TotalNDS = false;
    bool ShowIncludingNDS = false;
    int ObjectType = 0;          // the position dialog's product type at opening
    float ProfWidth = 0;         // the fittings dialog's profile sizes
    float ProfThickness = 0;
};

// One position of the document, with the proposals filled in.
struct TPositionInput
{
    QString PosNo;
    QString Name;
    int Number = 1;
    int ObjectType = 0;
    bool Included = true;
    QStringList Note;
    TOutlineShape Shape;
    std::uint8_t Arrangement = arSingle;
    bool HasFittings = false;
    TFittingsChoice Fittings;
};

struct TOrderInput
{
    QJsonObject Header; // the validated document
    std::vector<TPositionInput> Positions;
};

// Parses and validates a document; raises TError on bad JSON, unknown keys, wrong types, a figure
// outside 0..7, a wrong number of sashes or a malformed property line.
TOrderInput ReadOrderInput(const QByteArray& json, const TNewOrderDefaults& defaults);

// The header fields of the document, the defaults for those it leaves out.
void ApplyOrderHeader(TokfOrder& order, const TOrderInput& input, const TNewOrderDefaults& defaults);

// Fills a position owned by the order as the position dialog and the fittings dialog do: the
// values, the order's systems and codes, the outline (BuildOutline), then the fittings
// (SetFittings, which calculates). Engine failures raise.
void BuildPosition(TokfConstruction& position, const TPositionInput& input);

// The order with everything computed: the input's keys (the shape read off the outline, ShapeOf)
// plus Version, Currencies, totals, and per position Price, Cost, Width, Height, Arrangement, per
// sash FFB, FFH, Items and MatList. ReadOrderInput takes it back and ignores the computed keys.
QJsonObject OrderToJson(const TokfOrder& order);

// A selection document: No, Date, Name, Currency, NDSTax, RoundMode, Note and either Orders
// (order file paths) or Entries ([{OrderFile, PosNo, Included}]).
struct TSelectionEntryInput
{
    QString OrderFile;
    QString PosNo;
    bool Included = true;
};

struct TSelectionInput
{
    QJsonObject Header;
    QStringList Orders;
    std::vector<TSelectionEntryInput> Entries;
    bool HasEntries = false;
};

TSelectionInput ReadSelectionInput(const QByteArray& json);
// Header values; the currency and VAT rate given, or the defaults.
void ApplySelectionHeader(TokfOrderSelection& selection, const TSelectionInput& input, int defaultCurrency,
                          float defaultNDSTax);
QJsonObject SelectionToJson(const TokfOrderSelection& selection);

// Money as a JSON number with at most four decimals.
double MoneyNumber(TMoney value);
