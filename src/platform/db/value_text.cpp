#include "platform/db/value_text.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

QString ExchangeText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Double: {
        const double d = value.toDouble();
        QString s = QString::number(d, 'f', QLocale::FloatingPointShortest);
        return s;
    }
    case QMetaType::QDate: return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QTime: {
        const QTime t = value.toTime();
        return t.toString(t.msec() ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss"));
    }
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.toString(dt.time().msec() ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz") : QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    case QMetaType::QByteArray: return QString::fromLatin1(value.toByteArray().toBase64());
    default: return value.toString();
    }
}
