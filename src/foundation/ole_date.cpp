#include "foundation/ole_date.h"

#include <cmath>

namespace {

const QDate Epoch(1899, 12, 30);
constexpr double MsPerDay = 86400000.0;
// 1 January 100 and 31 December 9999, the range of the OLE date type.
constexpr double MinDays = -657434.0;
constexpr double MaxDays = 2958466.0;

} // namespace

double ToOleDate(const QDate& date)
{
    return date.isValid() ? static_cast<double>(Epoch.daysTo(date)) : 0.0;
}

double ToOleDate(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return 0.0;
    const double days = ToOleDate(dateTime.date());
    const double fraction = dateTime.time().msecsSinceStartOfDay() / MsPerDay;
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime FromOleDate(double days)
{
    if (!std::isfinite(days) || days < MinDays || days >= MaxDays)
        return {};
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    qint64 ms = std::llround(fraction * MsPerDay);
    qint64 dayOffset = static_cast<qint64>(whole);
    if (ms >= static_cast<qint64>(MsPerDay)) {
        ms -= static_cast<qint64>(MsPerDay);
        dayOffset += days < 0 ? -1 : 1;
    }
    return QDateTime(Epoch.addDays(dayOffset), QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

QDate OleDateToDate(double days) { return FromOleDate(days).date(); }
