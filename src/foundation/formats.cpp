#include "foundation/formats.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

void TFormats::Reset()
{
    Decimal = u',';
    Thousands = u' ';
    DatePattern = QStringLiteral("dd.MM.yyyy");
    Symbol = QStringLiteral(" ");
    Decimals = 2;
}

void TFormats::SetCurrency(const QString& symbol, int decimals)
{
    Symbol = symbol;
    Decimals = decimals < 0 ? 0 : decimals;
}

QString TFormats::Group(const QString& digits) const
{
    if (Thousands.isNull())
        return digits;
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += Thousands;
        out += digits[i];
    }
    return out;
}

QString TFormats::FormatFloat(double value, int decimals, bool thousands) const
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (decimals < 0)
        decimals = 0;
    // Rounded in long double on the exact binary value, half away from zero: 0.125 gives "0,13"
    // while 2.675, stored as 2.67499999..., gives "2,67".
    const long double rounded = std::trunc(std::fabs((long double)value) * std::pow(10.0L, decimals) + 0.5L);
    QString text = QString::number(double(rounded), 'f', 0);
    if (text.size() <= decimals)
        text = text.rightJustified(decimals + 1, u'0');
    QString whole = text.left(text.size() - decimals);
    const QString fraction = text.right(decimals);
    if (thousands)
        whole = Group(whole);
    QString out = decimals > 0 ? whole + Decimal + fraction : whole;
    const bool zero = rounded == 0;
    return value < 0 && !zero ? u'-' + out : out;
}

QString TFormats::FormatMoney(TMoney value, int decimals) const
{
    const int places = decimals < 0 ? Decimals : decimals;
    QString text = value.ToString(places > 4 ? 4 : places);
    const bool negative = text.startsWith(u'-');
    if (negative)
        text.remove(0, 1);
    const qsizetype point = text.indexOf(u'.');
    QString whole = point < 0 ? text : text.left(point);
    QString fraction = point < 0 ? QString() : text.mid(point + 1);
    if (places > 4)
        fraction = fraction.leftJustified(places, u'0');
    QString out = Group(whole);
    if (!fraction.isEmpty())
        out += Decimal + fraction;
    return (negative ? QStringLiteral("-") : QString()) + out + u' ' + Symbol;
}

QString TFormats::FormatDate(const QDate& date) const
{
    return date.isValid() ? date.toString(DatePattern) : QString();
}

QString TFormats::FormatDateTime(const QDateTime& value) const
{
    if (!value.isValid())
        return {};
    QString out = FormatDate(value.date());
    if (value.time() != QTime(0, 0))
        out += u' ' + value.time().toString(QStringLiteral("hh:mm:ss"));
    return out;
}

QDate TFormats::ParseDate(const QString& text) const
{
    const QStringList parts = text.trimmed().split(u'.');
    if (parts.size() < 2 || parts.size() > 3)
        return {};
    int numbers[3] = {0, 0, QDate::currentDate().year()};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty() || part.size() > (i == 2 ? 4 : 2))
            return {};
        for (const QChar c : part)
            if (c < u'0' || c > u'9')
                return {};
        numbers[i] = part.toInt();
        if (i == 2 && part.size() <= 2)
            numbers[i] += 2000;
    }
    return QDate(numbers[2], numbers[1], numbers[0]);
}

double TFormats::ParseFloat(const QString& text, bool* ok) const
{
    QString t = text.trimmed();
    if (!Thousands.isNull() && Thousands != Decimal && Thousands != u'.')
        t.remove(Thousands);
    t.replace(Decimal, u'.');
    bool valid = false;
    const double value = QLocale::c().toDouble(t, &valid);
    if (ok)
        *ok = valid && std::isfinite(value);
    return valid && std::isfinite(value) ? value : 0.0;
}

TFormats& Formats()
{
    static TFormats formats;
    return formats;
}
