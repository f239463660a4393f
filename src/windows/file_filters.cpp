#include "windows/file_filters.h"

QStringList DialogFilters(const QString& pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // A description that already names its patterns in brackets is shown as it stands.
        if (description.endsWith(QLatin1Char(')')) && description.contains(QLatin1Char('(')))
            filters << description;
        else
            filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

QString DefaultSuffix(const QString& extension)
{
    QString suffix = extension;
    if (suffix.startsWith(QLatin1Char('*')))
        suffix.remove(0, 1);
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    return suffix;
}
