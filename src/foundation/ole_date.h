#pragma once

#include <QDate>
#include <QDateTime>

// Dates as the stored files keep them: the OLE Automation day count, days since 30 December 1899
// with the time of day as the fraction. Negative values count days before the epoch, while
// their fraction still adds time forward (-1.25 is 29 December 1899, 06:00).
double ToOleDate(const QDateTime& dateTime);
double ToOleDate(const QDate& date);
// Local, naive date-time (no time zone); millisecond precision. An invalid result for NaN or a
// value outside the years 100..9999.
QDateTime FromOleDate(double days);
QDate OleDateToDate(double days);

// The short date format of the system.
inline constexpr const char* ShortDateFormat = "dd.MM.yyyy";
