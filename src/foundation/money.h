#pragma once

#include <QString>
#include <compare>
#include <cstdint>

// The currency type: an amount held as a whole number of ten-thousandths, so sums are exact and
// every stored or shown amount has at most four decimals. Products and quotients are computed in
// long double and rounded half to even back into the type, as the money arithmetic of the
// catalogue prices demands.
class TMoney
{
public:
    constexpr TMoney() = default;

    static constexpr TMoney FromRaw(std::int64_t tenThousandths) { return TMoney(tenThousandths); }
    // Rounded half to even to four decimals; fails with TError outside the type's range or on NaN.
    static TMoney FromDouble(long double amount);
    // A decimal text with a point or a comma ("12.5", "-0,0001"); fails with TError when it is none.
    static TMoney Parse(const QString& text);

    constexpr std::int64_t Raw() const { return Value; }
    double ToDouble() const { return static_cast<double>(Value) / 10000.0; }
    long double ToLongDouble() const { return static_cast<long double>(Value) / 10000.0L; }
    constexpr bool IsZero() const { return Value == 0; }

    // Plain decimal text with a point and exactly `decimals` places (0..4), rounded half to even.
    QString ToString(int decimals = 4) const;

    TMoney operator+(TMoney other) const;
    TMoney operator-(TMoney other) const;
    TMoney operator-() const;
    TMoney& operator+=(TMoney other) { return *this = *this + other; }
    TMoney& operator-=(TMoney other) { return *this = *this - other; }
    TMoney operator*(long double factor) const { return FromDouble(ToLongDouble() * factor); }
    TMoney operator*(TMoney other) const { return FromDouble(ToLongDouble() * other.ToLongDouble()); }
    // Fails with TError on division by zero.
    TMoney operator/(long double divisor) const;

    constexpr auto operator<=>(const TMoney&) const = default;

private:
    constexpr explicit TMoney(std::int64_t raw) : Value(raw) {}
    std::int64_t Value = 0;
};
