#pragma once

#include <QString>

#include "engine/selection_params.h"

// Filter texts over the catalogue tables. Numbers are written with a point whatever the locale,
// and text values are quoted by the filter language's rule so that a quote inside a code selects
// that code instead of ending the literal.

// 'value' with every ' doubled.
QString FilterQuote(const QString& value);

// Fixed-point text with a point, rounded half away from zero on the value's shortest decimal form
// (2.5 gives "3", 37.5 with two places "37.50").
QString FormatFixed(double value, int decimals);

// Which properties of an element decide its article (FrnItem flags).
struct TElementFlags
{
    bool HasFalzLuft = false;
    bool HasFalzSize = false;
    bool HasFalzPos = false;
    bool CheckWeight = false;
    bool HasDornMass = false;
    bool CheckThickness = false;
    bool CheckProfWidth = false;
    bool HasProfSys = false;
    bool CheckStulpType = false;
    bool CheckDirect = false;
    bool HasColor = false;
};

// The sash's values for one article search.
struct TArticleQuery
{
    QString ElementId;
    QString KeeperSystem;
    int Direction = 0;
    int MullionType = 0;
    double ProfWidth = 0;
    QString Color;
    double Weight = 0;
    TSelectionParams Params;
    double Angle = 0;
    double Radius2 = 0;
    double Radius1 = 0;
    double Length2 = 0;
    double Length1 = 0;
    int FFH = 0;
    int FFB = 0;
    int Principle = 0;
};

struct TArticleFilter
{
    QString Filter;   // F: with the colour clause when the element has a colour
    QString Fallback; // G: the colourless variant, empty when the element has no colour
    double Dimension = 0; // D: the dimension half of which gives a default handle height
};

// Builds the FrnArt filter clause by clause. The caller checks the keeper system before (an
// element with HasProfSys needs one).
TArticleFilter BuildArticleFilter(const TElementFlags& flags, const TArticleQuery& query);

// Keepers (FrnSchl) and accessories (FrnDop) of an article added to a side by a complect.
QString KeeperFilter(const QString& article, int mullionType, int sideNo, const QString& complect);
// Colour accessories (FrnAbd) of an article for a colour (empty for the colourless rows).
QString ColorAccessoryFilter(const QString& article, const QString& color, int sideNo);
// Rows of one key column: "ID = 'x'", "ID='x'" as the tables are walked.
QString KeyFilter(const QString& field, const QString& value, bool spaced);
