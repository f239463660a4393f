#include "model/order_files.h"

#include <QDir>
#include <QFileInfo>

#include "config/start_config.h"
#include "foundation/cp1251.h"
#include "foundation/path_helpers.h"

namespace {
QString FolderOverride;
}

QString OrdersFolder() { return FolderOverride.isEmpty() ? StartConfig().OrdersDir : FolderOverride; }

void SetOrdersFolder(const QString& folder) { FolderOverride = folder; }

QString OrderFileReference(const QString& path, const QString& ordersFolder)
{
    const QString upper = UpperCp1251(path);
    if (upper.startsWith(QLatin1Char('%')))
        return upper;
    const QString folder = UpperCp1251(TrimFolder(ordersFolder));
    if (!folder.isEmpty() && upper.size() > folder.size() + 1 && upper.startsWith(folder)
        && IsPathSeparator(upper.at(folder.size())))
        return QLatin1Char('%') + upper.mid(folder.size() + 1);
    return upper;
}

QString OrderFilePath(const QString& reference, const QString& ordersFolder)
{
    if (reference.startsWith(QLatin1Char('%')))
        return UpperCp1251(TrimFolder(ordersFolder) + QLatin1Char('\\') + reference.mid(1));
    return UpperCp1251(reference);
}

QString LocateStoredFile(const QString& path)
{
    QString native = path;
#ifndef Q_OS_WIN
    native.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    if (native.isEmpty() || QFileInfo::exists(native))
        return native;
    const QStringList parts = native.split(QLatin1Char('/'));
    QString current = parts.first().isEmpty() ? QStringLiteral("/") : QString();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty())
            continue;
        const QDir dir(current.isEmpty() ? QStringLiteral(".") : current);
        QString found;
        if (dir.exists(part))
            found = part;
        else {
            const QString wanted = UpperCp1251(part);
            for (const QString& entry : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
                if (UpperCp1251(entry) == wanted) {
                    found = entry;
                    break;
                }
        }
        if (found.isEmpty())
            return native;
        current = current.isEmpty() ? found : (current.endsWith(QLatin1Char('/')) ? current + found : current + QLatin1Char('/') + found);
    }
    return current;
}
