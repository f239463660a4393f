#include "engine/rules.h"

#include <QStringList>
#include <cmath>
#include <limits>

#include "foundation/error.h"

bool HasBit(int value, int k)
{
    if (k < 1 || k > 32)
        return false;
    return (static_cast<unsigned>(value) >> (k - 1)) & 1u;
}

bool StulpTypeAdmits(int restriction, int mullionType)
{
    return restriction == 0 || HasBit(restriction, 1) || HasBit(restriction, mullionType + 1);
}

int RoundHalfAway(double value)
{
    const double r = std::round(value); // std::round is half away from zero
    if (!(r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max()))
        throw TError(QStringLiteral("Integer overflow"));
    return static_cast<int>(r);
}

int MillimetresToCentimetres(int millimetres)
{
    return RoundHalfAway(millimetres / 10.0);
}

int CountScheme(const QString& scheme, double value)
{
    int n = 0;
    const QStringList parts = scheme.split(QLatin1Char(';'));
    for (const QString& part : parts) {
        bool ok = false;
        const int entry = part.trimmed().toInt(&ok);
        if (ok && entry != -1 && entry <= value)
            ++n;
    }
    return n;
}

namespace {

int Checked(long long v)
{
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        throw TError(QStringLiteral("Integer overflow"));
    return static_cast<int>(v);
}

} // namespace

TScaleResult ScaleCount(const TScaleRule& rule, double value, bool roundValue, int& count)
{
    if (!rule.Scheme.isEmpty()) {
        count = Checked(static_cast<long long>(CountScheme(rule.Scheme, value)) * rule.Num + rule.Number);
        return TScaleResult::Ok;
    }
    if (rule.Step < 1)
        return TScaleResult::ZeroStep;
    if (value < rule.Start) {
        count = rule.Number;
        return TScaleResult::Ok;
    }
    const long long base = roundValue ? RoundHalfAway(value - rule.Start)
                                      : static_cast<long long>(value) - rule.Start;
    count = Checked((base / rule.Step + rule.Number + 1) * static_cast<long long>(rule.Num));
    return TScaleResult::Ok;
}
