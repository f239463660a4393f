#include "foundation/money.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "foundation/error.h"

namespace {

[[noreturn]] void Overflow() { throw TError(QStringLiteral("Переполнение денежной величины")); }

} // namespace

TMoney TMoney::FromDouble(long double amount)
{
    const long double scaled = amount * 10000.0L;
    // Both limits are exactly representable in long double's 64-bit mantissa.
    if (!std::isfinite(scaled) || scaled >= 9223372036854775807.0L || scaled < -9223372036854775808.0L)
        Overflow();
    // llrint rounds half to even in the default rounding mode (and is a single instruction).
    return TMoney(static_cast<std::int64_t>(std::llrintl(scaled)));
}

TMoney TMoney::Parse(const QString& text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || t.isEmpty())
        throw TError(QStringLiteral("\"%1\" не является денежной величиной").arg(text));
    return FromDouble(value);
}

QString TMoney::ToString(int decimals) const
{
    decimals = std::clamp(decimals, 0, 4);
    static constexpr std::int64_t Scale[] = {10000, 1000, 100, 10, 1};
    const std::int64_t step = Scale[decimals];
    // Round half to even to the wanted places, on the integer itself so no binary fraction intrudes.
    std::int64_t units = Value / step;
    const std::int64_t rest = Value % step;
    if (2 * std::abs(rest) > step || (2 * std::abs(rest) == step && (units % 2 != 0)))
        units += Value < 0 ? -1 : 1;
    const bool negative = units < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    std::uint64_t divisor = 1;
    for (int i = 0; i < decimals; ++i)
        divisor *= 10;
    QString out = QString::number(magnitude / divisor);
    if (decimals > 0)
        out += QLatin1Char('.') + QString::number(magnitude % divisor).rightJustified(decimals, QLatin1Char('0'));
    return negative ? QLatin1Char('-') + out : out;
}

TMoney TMoney::operator+(TMoney other) const
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(Value, other.Value, &sum))
        Overflow();
    return TMoney(sum);
}

TMoney TMoney::operator-(TMoney other) const
{
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(Value, other.Value, &difference))
        Overflow();
    return TMoney(difference);
}

TMoney TMoney::operator-() const
{
    if (Value == std::numeric_limits<std::int64_t>::min())
        Overflow();
    return TMoney(-Value);
}

TMoney TMoney::operator/(long double divisor) const
{
    if (divisor == 0.0L)
        throw TError(QStringLiteral("Деление на ноль"));
    return FromDouble(ToLongDouble() / divisor);
}
