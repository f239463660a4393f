#include "platform/expr/expr_operations.h"

#include <cmath>
#include <limits>

#include "foundation/cp1251.h"
#include "platform/expr/expr_error.h"

namespace {

using TKind = TExprValue::TKind;

double Checked(double result)
{
    if (!std::isfinite(result))
        throw TExprError(QStringLiteral("переполнение"));
    return result;
}

bool IsText(const TExprValue& v)
{
    return v.Kind() == TKind::String;
}

qint64 Truncated(const TExprValue& value)
{
    const double number = std::trunc(value.ToNumber());
    constexpr double limit = 9223372036854775808.0;
    if (!(number > -limit && number < limit))
        throw TExprError(QStringLiteral("число %1 не помещается в целое").arg(ExprNumberText(number)));
    return static_cast<qint64>(number);
}

qint64 Divisor(const TExprValue& value)
{
    const qint64 d = Truncated(value);
    if (d == 0)
        throw TExprError(QStringLiteral("деление на ноль"));
    return d;
}

// Ordinal comparison of the Windows-1251 bytes, as the catalogue's own text comparisons are made;
// characters the code page lacks fall back to their code so that distinct texts stay distinct.
int CompareText(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ca = a.at(i);
        const QChar cb = b.at(i);
        if (ca == cb)
            continue;
        const int ba = ToCp1251Byte(ca);
        const int bb = ToCp1251Byte(cb);
        if (ba != bb)
            return ba < bb ? -1 : 1;
        return ca.unicode() < cb.unicode() ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareNumbers(double a, double b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

namespace ExprOps {

TExprValue Negate(const TExprValue& value)
{
    const double n = value.ToNumber();
    return n == 0 ? TExprValue(0.0) : TExprValue(-n);
}

TExprValue Plus(const TExprValue& value)
{
    if (value.Kind() == TKind::Number || value.Kind() == TKind::Date)
        return value;
    return TExprValue(value.ToNumber());
}

TExprValue Add(const TExprValue& left, const TExprValue& right)
{
    if (IsText(left) || IsText(right))
        return TExprValue(left.ToString() + right.ToString());
    const bool leftDate = left.Kind() == TKind::Date;
    const bool rightDate = right.Kind() == TKind::Date;
    if (leftDate && rightDate)
        throw TExprError(QStringLiteral("даты нельзя складывать"));
    const double sum = Checked(left.ToNumber() + right.ToNumber());
    return leftDate || rightDate ? TExprValue::FromDays(sum) : TExprValue(sum);
}

TExprValue Subtract(const TExprValue& left, const TExprValue& right)
{
    const double difference = Checked(left.ToNumber() - right.ToNumber());
    if (left.Kind() == TKind::Date && right.Kind() != TKind::Date)
        return TExprValue::FromDays(difference);
    return TExprValue(difference);
}

TExprValue Multiply(const TExprValue& left, const TExprValue& right)
{
    return TExprValue(Checked(left.ToNumber() * right.ToNumber()));
}

TExprValue Divide(const TExprValue& left, const TExprValue& right)
{
    const double dividend = left.ToNumber();
    const double divisor = right.ToNumber();
    if (divisor == 0)
        throw TExprError(QStringLiteral("деление на ноль"));
    return TExprValue(Checked(dividend / divisor));
}

TExprValue IntDivide(const TExprValue& left, const TExprValue& right)
{
    const qint64 dividend = Truncated(left);
    const qint64 divisor = Divisor(right);
    if (dividend == std::numeric_limits<qint64>::min() && divisor == -1)
        throw TExprError(QStringLiteral("переполнение"));
    return TExprValue(dividend / divisor);
}

TExprValue Modulo(const TExprValue& left, const TExprValue& right)
{
    const qint64 dividend = Truncated(left);
    const qint64 divisor = Divisor(right);
    if (divisor == -1)
        return TExprValue(0); // also spares the overflow of the smallest integer
    return TExprValue(dividend % divisor);
}

int Compare(const TExprValue& left, const TExprValue& right)
{
    const bool leftText = IsText(left) || left.IsEmpty();
    const bool rightText = IsText(right) || right.IsEmpty();
    if (leftText && rightText)
        return CompareText(left.ToString(), right.ToString());
    if (IsText(left) || IsText(right)) {
        const TExprValue& text = IsText(left) ? left : right;
        double number = 0;
        if (!ExprParseNumber(text.ToString(), number))
            return CompareText(left.ToString(), right.ToString());
        return IsText(left) ? CompareNumbers(number, right.ToNumber()) : CompareNumbers(left.ToNumber(), number);
    }
    return CompareNumbers(left.ToNumber(), right.ToNumber());
}

} // namespace ExprOps
