#include "engine/filter_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

QString FilterQuote(const QString& value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString FormatFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    const bool negative = value < 0;
    // Round on the 15-digit decimal form of the scaled value, so that 1.005 counts as written
    // rather than as its binary neighbour below.
    double scaled = std::fabs(value) * std::pow(10.0, decimals);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", scaled);
    scaled = std::floor(std::strtod(buf, nullptr) + 0.5);
    std::snprintf(buf, sizeof buf, "%.0f", scaled);
    QString digits = QString::fromLatin1(buf);
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

// Appends a clause in its first form while the text is empty, else in its second form.
void Add(QString& f, const QString& first, const QString& second)
{
    f += f.isEmpty() ? first : second;
}

} // namespace

TArticleFilter BuildArticleFilter(const TElementFlags& flags, const TArticleQuery& q)
{
    TArticleFilter out;
    QString& f = out.Filter;
    const QString l1 = FormatFixed(q.Length1, 0), l2 = FormatFixed(q.Length2, 0);
    const QString r1 = FormatFixed(q.Radius1, 0), r2 = FormatFixed(q.Radius2, 0);
    switch (q.Principle) {
    case 1:
        f = QStringLiteral("FFBMin <= %1 and FFBMax >= %1 ").arg(q.FFB);
        out.Dimension = q.FFB;
        break;
    case 2:
        f = QStringLiteral("FFHMin <= %1 and FFHMax >= %1 ").arg(q.FFH);
        out.Dimension = q.FFH;
        break;
    case 3:
        f = QStringLiteral("FFBMin <= %1 and FFBMax >= %1 and FFHMin <= %2 and FFHMax >= %2 ").arg(q.FFB).arg(q.FFH);
        break;
    case 4:
        f = QStringLiteral("FFL1Min <= %1 and FFL1Max >= %1 ").arg(l1);
        out.Dimension = q.Length1;
        break;
    case 5:
        f = QStringLiteral("FFL2Min <= %1 and FFL2Max >= %1 ").arg(l2);
        out.Dimension = q.Length2;
        break;
    case 6:
        f = QStringLiteral("FFL1Min <= %1 and FFL1Max >= %1 and FFL2Min <= %2 and FFL2Max >= %2 ").arg(l1, l2);
        out.Dimension = q.Length1;
        break;
    case 7:
        f = QStringLiteral("FFAMin <= %1 and FFAMax >= %1 ").arg(FormatFixed(q.Angle, 2));
        break;
    case 8:
        f = QStringLiteral("FFR1Min <= %1 and FFR1Max >= %1 ").arg(r1);
        break;
    case 9:
        f = QStringLiteral("FFR2Min <= %1 and FFR2Max >= %1 ").arg(r2);
        break;
    case 10:
        f = QStringLiteral("FFR1Min <= %1 and FFR1Max >= %1 and FFR2Min <= %2 and FFR2Max >= %2 ").arg(r1, r2);
        break;
    default:
        break;
    }

    if (flags.HasFalzLuft)
        Add(f, QStringLiteral("FalzLuft = %1 ").arg(q.Params.FalzLuft),
            QStringLiteral("and FalzLuft = %1 ").arg(q.Params.FalzLuft));
    if (flags.HasFalzSize)
        Add(f, QStringLiteral("FalzSize = %1 ").arg(q.Params.FalzSize),
            QStringLiteral("and FalzSize = %1 ").arg(q.Params.FalzSize));
    if (flags.HasFalzPos)
        Add(f, QStringLiteral("FalzPos = %1 ").arg(q.Params.FalzPos),
            QStringLiteral("and FalzPos = %1 ").arg(q.Params.FalzPos));
    if (flags.CheckWeight) {
        const QString w = FormatFixed(q.Weight, 2);
        Add(f, QStringLiteral("WeightMin <= %1 and  WeightMax >= %1 ").arg(w),
            QStringLiteral("and WeightMin <= %1 and  WeightMax >= %1 ").arg(w));
    }
    if (flags.HasDornMass) {
        const QString d = FormatFixed(q.Params.DornMass, 2);
        Add(f, QStringLiteral("DornMassMin <= %1 and DornMassMax >= %1 ").arg(d),
            QStringLiteral("and DornMassMin <= %1 and DornMassMax >= %1 ").arg(d));
    }
    if (flags.CheckThickness) {
        const QString t = FormatFixed(q.Params.Thickness, 0);
        Add(f, QStringLiteral("ThicknessMin <= %1 and ThicknessMax >= %1 ").arg(t),
            QStringLiteral(" and ThicknessMin <= %1 and ThicknessMax >= %1 ").arg(t));
    }
    if (flags.CheckProfWidth) {
        const QString p = FormatFixed(q.ProfWidth, 0);
        Add(f, QStringLiteral("ProfWidthMin <= %1 and ProfWidthMax >= %1 ").arg(p),
            QStringLiteral(" and ProfWidthMin <= %1 and ProfWidthMax >= %1 ").arg(p));
    }
    if (flags.HasProfSys) {
        const QString s = FilterQuote(q.KeeperSystem);
        Add(f, QStringLiteral("ProfSys = %1 ").arg(s), QStringLiteral("and ProfSys = %1 ").arg(s));
    }
    if (flags.CheckStulpType)
        Add(f, QStringLiteral("StulpType = %1 ").arg(q.MullionType),
            QStringLiteral("and StulpType = %1 ").arg(q.MullionType));
    if (flags.CheckDirect)
        Add(f, QStringLiteral("(Direct = 3 or Direct = %1) ").arg(q.Direction),
            QStringLiteral("and (Direct = 3 or Direct = %1) ").arg(q.Direction));

    const QString id = FilterQuote(q.ElementId);
    Add(f, QStringLiteral("ID=%1 ").arg(id), QStringLiteral("and ID=%1 ").arg(id));

    if (flags.HasColor) {
        // F is never empty here, so only the second forms occur.
        out.Fallback = f + QStringLiteral("and Color = '' ");
        f += QStringLiteral("and Color = %1 ").arg(FilterQuote(q.Color));
    }
    return out;
}

QString KeeperFilter(const QString& article, int mullionType, int sideNo, const QString& complect)
{
    return QStringLiteral("CatalogID = %1 and (StulpType=%2 or StulpType=%3) and (ItemSideNo=%4 or "
                          "ItemSideNo=%5) and (ItemComplectID=%6 or ItemComplectID=%7)")
        .arg(FilterQuote(article), Int(mullionType), Int(0), Int(sideNo), Int(0), FilterQuote(complect),
             FilterQuote(QString()));
}

QString ColorAccessoryFilter(const QString& article, const QString& color, int sideNo)
{
    return QStringLiteral("CatalogID = %1 and Color=%2 and (ItemSideNo=%3 or ItemSideNo=%4)")
        .arg(FilterQuote(article), FilterQuote(color), Int(sideNo), Int(0));
}

QString KeyFilter(const QString& field, const QString& value, bool spaced)
{
    return field + (spaced ? QStringLiteral(" = ") : QStringLiteral("=")) + FilterQuote(value);
}
