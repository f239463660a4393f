#include "foundation/path_helpers.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

bool IsPathSeparator(QChar c)
{
    return c == u'\\' || c == u'/' || c == QDir::separator();
}

QString FileNameParts(const QString& path, bool withFolder, bool withName, bool withExtension)
{
    qsizetype nameStart = path.size();
    while (nameStart > 0 && !IsPathSeparator(path[nameStart - 1]))
        --nameStart;
    qsizetype dot = path.lastIndexOf(u'.');
    if (dot < nameStart)
        dot = path.size();

    const QString folder = path.left(nameStart);
    const QString name = path.mid(nameStart, dot - nameStart);
    const QString extension = path.mid(dot);

    if (withFolder && withExtension && !withName)
        return {};
    QString result;
    if (withFolder)
        result += folder;
    if (withName)
        result += name;
    if (withExtension)
        result += extension;
    return result;
}

QString TrimFolder(const QString& text)
{
    QString result = text.trimmed();
    if (!result.isEmpty() && IsPathSeparator(result.back()))
        result.chop(1);
    return result;
}

bool DeleteFolder(const QString& path, QString* errorText)
{
    const auto fail = [errorText](const QString& text) {
        if (errorText)
            *errorText = text;
        return false;
    };
    if (path.trimmed().isEmpty())
        return fail(QStringLiteral("Папка не указана"));
    QDir dir(path);
    if (dir.isRoot())
        return fail(QStringLiteral("Корневая папка не удаляется"));
    if (!dir.exists())
        return true;
    errno = 0;
    if (dir.removeRecursively())
        return true;
    const int lastError = errno;
    return fail(lastError ? QString::fromLocal8Bit(std::strerror(lastError))
                          : QStringLiteral("Папку не удалось удалить"));
}
