#pragma once

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QString>

#include "foundation/money.h"

// The process-wide display formats. The main window sets the defaults at creation (Reset); the
// active order or selection window replaces the currency symbol and the number of decimals
// (SetCurrency). Display code asks Formats() rather than the system locale, so numbers look the
// same on every machine. Text written into catalogue filters uses a point and does not come here.
class TFormats
{
public:
    TFormats() { Reset(); }

    // Decimal separator ",", thousands separator a blank, short date "dd.mm.yyyy",
    // currency symbol one blank, 2 currency decimals.
    void Reset();
    // A negative number of decimals is taken as 0.
    void SetCurrency(const QString& symbol, int decimals);

    QChar DecimalSeparator() const { return Decimal; }
    QChar ThousandSeparator() const { return Thousands; }
    const QString& CurrencySymbol() const { return Symbol; }
    int CurrencyDecimals() const { return Decimals; }
    // The Qt pattern of the short date ("dd.MM.yyyy").
    const QString& ShortDateFormat() const { return DatePattern; }

    // Fixed-point text with `decimals` places (like "%.2f") and the decimal separator in force,
    // grouped in thousands when asked: FormatFloat(-1234.5, 2, true) = "-1 234,50". Rounded half
    // away from zero on the decimal digits of the value; a result of zero carries no sign.
    QString FormatFloat(double value, int decimals, bool thousands = false) const;
    // Money as amount, blank, symbol ("1 234,50 руб"); negative as minus sign, amount, blank,
    // symbol. Uses the currency decimals in force unless decimals (>= 0) is given; rounded as
    // TMoney::ToString rounds.
    QString FormatMoney(TMoney value, int decimals = -1) const;
    // Short date; empty for an invalid date.
    QString FormatDate(const QDate& date) const;
    // Short date, then " hh:mm:ss" when the time is not midnight; empty for an invalid value.
    QString FormatDateTime(const QDateTime& value) const;

    // A date typed as day.month.year: "1.2.2024", "01.02.24" (two-digit years are 2000-2099),
    // "1.2" (this year). Blanks around the text are ignored. Invalid QDate when it is no date.
    QDate ParseDate(const QString& text) const;
    // A real typed with the decimal separator in force or a point, thousands blanks allowed.
    // ok (when given) tells whether the text was a number; 0 when it was not.
    double ParseFloat(const QString& text, bool* ok = nullptr) const;

private:
    QString Group(const QString& digits) const;

    QChar Decimal;
    QChar Thousands;
    QString DatePattern;
    QString Symbol;
    int Decimals = 2;
};

// The one instance of the process (UI thread only).
TFormats& Formats();
