#include "engine/filter_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

QString FilterQuote(const QString& value)
{
    QString quoted;
    quoted.reserve(value.size() + 2);
    quoted += QLatin1Char('\'');
    if (value.contains(QLatin1Char('\'')))
        quoted += QString(value).replace(QLatin1Char('\''), QStringLiteral("''"));
    else
        quoted += value;
    quoted += QLatin1Char('\'');
    return quoted;
}

QString FormatFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    const bool negative = value < 0;
    double scaled = std::fabs(value) * std::pow(10.0, decimals);
    QString digits;
    if (scaled < 1e15 && scaled == std::floor(scaled)) {
        // Whole values (sizes in millimetres, most of them) print exactly; the rounding below
        // would give the same digits through two formatted conversions.
        digits = QString::number(static_cast<qint64>(scaled));
    } else {
        // Round on the 15-digit decimal form of the scaled value, so that 1.005 counts as written
        // rather than as its binary neighbour below.
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", scaled);
        scaled = std::floor(std::strtod(buf, nullptr) + 0.5);
        std::snprintf(buf, sizeof buf, "%.0f", scaled);
        digits = QString::fromLatin1(buf);
    }
    if (decimals > 0) {
        while (digits.size() <= decimals)
            digits.prepend(QLatin1Char('0'));
        digits.insert(digits.size() - decimals, QLatin1Char('.'));
    }
    if (negative && scaled != 0)
        digits.prepend(QLatin1Char('-'));
    return digits;
}

namespace {

QString Int(int v)
{
    return QString::number(v);
}

// "<name>Min <= v and <name>Max >= v ": a window clause. Filters are built for every article
// search, so the clauses are put together by appending rather than by placeholder substitution.
QString Window(QLatin1StringView name, const QString& v)
{
    QString c;
    c.reserve(2 * name.size() + 2 * v.size() + 20);
    c += name;
    c += QLatin1String("Min <= ");
    c += v;
    c += QLatin1String(" and ");
    c += name;
    c += QLatin1String("Max >= ");
    c += v;
    c += QLatin1Char(' ');
    return c;
}

// Appends a clause as it stands while the text is empty, else after its joint ("and " or
// " and ", as each clause has always been written).
void Add(QString& f, QLatin1StringView joint, const QString& clause)
{
    if (!f.isEmpty())
        f += joint;
    f += clause;
}

const QLatin1StringView And("and ");
const QLatin1StringView SpacedAnd(" and ");

} // namespace

TArticleFilter BuildArticleFilter(const TElementFlags& flags, const TArticleQuery& q)
{
    TArticleFilter out;
    QString& f = out.Filter;
    f.reserve(256);
    switch (q.Principle) {
    case 1:
        f = Window(QLatin1StringView("FFB"), Int(q.FFB));
        out.Dimension = q.FFB;
        break;
    case 2:
        f = Window(QLatin1StringView("FFH"), Int(q.FFH));
        out.Dimension = q.FFH;
        break;
    case 3:
        f = Window(QLatin1StringView("FFB"), Int(q.FFB)) + And + Window(QLatin1StringView("FFH"), Int(q.FFH));
        break;
    case 4:
        f = Window(QLatin1StringView("FFL1"), FormatFixed(q.Length1, 0));
        out.Dimension = q.Length1;
        break;
    case 5:
        f = Window(QLatin1StringView("FFL2"), FormatFixed(q.Length2, 0));
        out.Dimension = q.Length2;
        break;
    case 6:
        f = Window(QLatin1StringView("FFL1"), FormatFixed(q.Length1, 0)) + And +
            Window(QLatin1StringView("FFL2"), FormatFixed(q.Length2, 0));
        out.Dimension = q.Length1;
        break;
    case 7:
        f = Window(QLatin1StringView("FFA"), FormatFixed(q.Angle, 2));
        break;
    case 8:
        f = Window(QLatin1StringView("FFR1"), FormatFixed(q.Radius1, 0));
        break;
    case 9:
        f = Window(QLatin1StringView("FFR2"), FormatFixed(q.Radius2, 0));
        break;
    case 10:
        f = Window(QLatin1StringView("FFR1"), FormatFixed(q.Radius1, 0)) + And +
            Window(QLatin1StringView("FFR2"), FormatFixed(q.Radius2, 0));
        break;
    default:
        break;
    }

    if (flags.HasFalzLuft)
        Add(f, And, QLatin1String("FalzLuft = ") + Int(q.Params.FalzLuft) + QLatin1Char(' '));
    if (flags.HasFalzSize)
        Add(f, And, QLatin1String("FalzSize = ") + Int(q.Params.FalzSize) + QLatin1Char(' '));
    if (flags.HasFalzPos)
        Add(f, And, QLatin1String("FalzPos = ") + Int(q.Params.FalzPos) + QLatin1Char(' '));
    if (flags.CheckWeight) {
        const QString w = FormatFixed(q.Weight, 2);
        Add(f, And, QLatin1String("WeightMin <= ") + w + QLatin1String(" and  WeightMax >= ") + w + QLatin1Char(' '));
    }
    if (flags.HasDornMass)
        Add(f, And, Window(QLatin1StringView("DornMass"), FormatFixed(q.Params.DornMass, 2)));
    if (flags.CheckThickness)
        Add(f, SpacedAnd, Window(QLatin1StringView("Thickness"), FormatFixed(q.Params.Thickness, 0)));
    if (flags.CheckProfWidth)
        Add(f, SpacedAnd, Window(QLatin1StringView("ProfWidth"), FormatFixed(q.ProfWidth, 0)));
    if (flags.HasProfSys)
        Add(f, And, QLatin1String("ProfSys = ") + FilterQuote(q.KeeperSystem) + QLatin1Char(' '));
    if (flags.CheckStulpType)
        Add(f, And, QLatin1String("StulpType = ") + Int(q.MullionType) + QLatin1Char(' '));
    if (flags.CheckDirect)
        Add(f, And, QLatin1String("(Direct = 3 or Direct = ") + Int(q.Direction) + QLatin1String(") "));

    Add(f, And, QLatin1String("ID=") + FilterQuote(q.ElementId) + QLatin1Char(' '));

    if (flags.HasColor) {
        // F is never empty here, so only the second forms occur.
        out.Fallback = f + QLatin1String("and Color = '' ");
        f += QLatin1String("and Color = ") + FilterQuote(q.Color) + QLatin1Char(' ');
    }
    return out;
}

QString KeeperFilter(const QString& article, int mullionType, int sideNo, const QString& complect)
{
    QString f;
    f.reserve(200);
    f += QLatin1String("CatalogID = ") + FilterQuote(article);
    f += QLatin1String(" and (StulpType=") + Int(mullionType) + QLatin1String(" or StulpType=0)");
    f += QLatin1String(" and (ItemSideNo=") + Int(sideNo) + QLatin1String(" or ItemSideNo=0)");
    f += QLatin1String(" and (ItemComplectID=") + FilterQuote(complect) + QLatin1String(" or ItemComplectID='')");
    return f;
}

QString ColorAccessoryFilter(const QString& article, const QString& color, int sideNo)
{
    QString f;
    f.reserve(120);
    f += QLatin1String("CatalogID = ") + FilterQuote(article);
    f += QLatin1String(" and Color=") + FilterQuote(color);
    f += QLatin1String(" and (ItemSideNo=") + Int(sideNo) + QLatin1String(" or ItemSideNo=0)");
    return f;
}

QString KeyFilter(const QString& field, const QString& value, bool spaced)
{
    return field + (spaced ? QStringLiteral(" = ") : QStringLiteral("=")) + FilterQuote(value);
}
