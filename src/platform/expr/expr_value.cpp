#include "platform/expr/expr_value.h"

#include <QTime>
#include <cmath>
#include <limits>

#include "platform/expr/expr_error.h"

namespace {

const QDate DayZero(1899, 12, 30);
constexpr double MillisecondsPerDay = 86400000.0;

} // namespace

QString ExprKindName(TExprValue::TKind kind)
{
    switch (kind) {
    case TExprValue::TKind::Empty: return QStringLiteral("пустое значение");
    case TExprValue::TKind::Number: return QStringLiteral("число");
    case TExprValue::TKind::String: return QStringLiteral("строка");
    case TExprValue::TKind::Boolean: return QStringLiteral("логическое значение");
    case TExprValue::TKind::Date: return QStringLiteral("дата");
    }
    return {};
}

QString ExprNumberText(double number)
{
    if (number == 0)
        return QStringLiteral("0"); // also for -0
    if (!std::isfinite(number))
        return std::isnan(number) ? QStringLiteral("NAN") : number > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    QString text = QString::number(number, 'g', 15);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        // "1e+15" -> "1E15", "1.5e-07" -> "1,5E-7"
        QString mantissa = text.left(e);
        const QChar sign = text.at(e + 1);
        QString digits = text.mid(e + 2);
        while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
            digits.remove(0, 1);
        text = mantissa + QLatin1Char('E') + (sign == QLatin1Char('-') ? QStringLiteral("-") : QString()) + digits;
    }
    return text;
}

bool ExprParseNumber(const QString& text, double& number)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    // Only plain decimals: QString::toDouble would also take "inf", "nan" and exponents.
    qsizetype i = 0;
    if (t.at(0) == QLatin1Char('+') || t.at(0) == QLatin1Char('-'))
        ++i;
    bool digits = false;
    bool separator = false;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits = true;
        } else if ((c == QLatin1Char('.') || c == QLatin1Char(',')) && !separator) {
            separator = true;
            t[i] = QLatin1Char('.');
        } else {
            return false;
        }
    }
    if (!digits)
        return false;
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    number = value;
    return true;
}

TExprValue TExprValue::FromDays(double days)
{
    return TExprValue(TKind::Date, days);
}

TExprValue TExprValue::FromDate(const QDate& date)
{
    return FromDays(date.isValid() ? static_cast<double>(DayZero.daysTo(date)) : 0.0);
}

TExprValue TExprValue::FromDateTime(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return FromDays(0);
    const double days = static_cast<double>(DayZero.daysTo(dateTime.date()));
    const double time = dateTime.time().msecsSinceStartOfDay() / MillisecondsPerDay;
    // Before day zero the fraction still counts forward in time, as TDateTime does.
    return FromDays(days < 0 ? days - time : days + time);
}

double TExprValue::ToNumber() const
{
    switch (Type) {
    case TKind::Empty: return 0;
    case TKind::Number:
    case TKind::Boolean:
    case TKind::Date: return Num;
    case TKind::String: {
        if (Str.trimmed().isEmpty())
            return 0;
        double value = 0;
        if (!ExprParseNumber(Str, value))
            throw TExprError(QStringLiteral("текст '%1' не является числом").arg(Str.left(100)));
        return value;
    }
    }
    return 0;
}

QString TExprValue::ToString() const
{
    switch (Type) {
    case TKind::Empty: return {};
    case TKind::Number: return ExprNumberText(Num);
    case TKind::String: return Str;
    case TKind::Boolean: return Num != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case TKind::Date: {
        const QDateTime moment = ToDateTime();
        if (!moment.isValid())
            return ExprNumberText(Num);
        if (moment.time() == QTime(0, 0))
            return moment.date().toString(QStringLiteral("dd.MM.yyyy"));
        return moment.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    }
    }
    return {};
}

bool TExprValue::ToBool() const
{
    switch (Type) {
    case TKind::Empty: return false;
    case TKind::Number:
    case TKind::Boolean:
    case TKind::Date: return Num != 0;
    case TKind::String: {
        const QString t = Str.trimmed();
        if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.isEmpty() || t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
        double value = 0;
        if (ExprParseNumber(t, value))
            return value != 0;
        throw TExprError(QStringLiteral("текст '%1' не является логическим значением").arg(Str.left(100)));
    }
    }
    return false;
}

qint64 TExprValue::ToInteger() const
{
    const double value = std::nearbyint(ToNumber());
    // 2^63 itself is out of range; every double below it converts exactly.
    constexpr double limit = 9223372036854775808.0;
    if (!(value > -limit && value < limit))
        throw TExprError(QStringLiteral("число %1 не помещается в целое").arg(ExprNumberText(value)));
    return static_cast<qint64>(value);
}

QDateTime TExprValue::ToDateTime() const
{
    if (Type != TKind::Date && Type != TKind::Number)
        return {};
    // Beyond the years 1..9999 there is nothing a report could print.
    if (!(Num > -700000 && Num < 3000000))
        return {};
    const double whole = std::trunc(Num);
    qint64 ms = std::llround(std::fabs(Num - whole) * MillisecondsPerDay);
    qint64 days = static_cast<qint64>(whole);
    if (ms >= static_cast<qint64>(MillisecondsPerDay)) {
        ms -= static_cast<qint64>(MillisecondsPerDay);
        days += 1;
    }
    return QDateTime(DayZero.addDays(days), QTime(0, 0).addMSecs(static_cast<int>(ms)));
}

bool TExprValue::operator==(const TExprValue& other) const
{
    if (Type != other.Type)
        return false;
    if (Type == TKind::String)
        return Str == other.Str;
    return Num == other.Num;
}
