#pragma once

#include <QString>
#include <QVariant>

// The text of a value in the exchange form of the CSV catalogue files: numbers with a point and
// no exponent where possible, dates yyyy-mm-dd, times hh:mm:ss, logical values 1 and 0, bytes in
// base64, a blank as the empty text.
QString ExchangeText(const QVariant& value);
