#include "config/ini_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace {

bool IsSectionHeader(const QString& line, QString* name = nullptr)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    if (name) {
        const qsizetype close = t.indexOf(QLatin1Char(']'));
        *name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
    }
    return true;
}

// The key of a "key=value" line; empty for comments and lines without "=".
QString KeyOf(const QString& line)
{
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char(';')))
        return {};
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    return eq <= 0 ? QString() : t.left(eq).trimmed();
}

QString ValueOf(const QString& line)
{
    QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

} // namespace

TIniFile::TIniFile(QString fileName) : Name(std::move(fileName))
{
    if (!QFileInfo(Name).isFile())
        return;
    QFile file(Name);
    if (!file.open(QIODevice::ReadOnly))
        throw TError(QStringLiteral("Unable to read %1").arg(Name));
    QString text = FromCp1251(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Lines = text.split(QLatin1Char('\n'));
    if (!Lines.isEmpty() && Lines.back().isEmpty())
        Lines.removeLast();
}

int TIniFile::FindSection(const QString& section) const
{
    QString name;
    for (int i = 0; i < Lines.size(); ++i)
        if (IsSectionHeader(Lines[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TIniFile::SectionEnd(int header) const
{
    int i = header + 1;
    while (i < Lines.size() && !IsSectionHeader(Lines[i]))
        ++i;
    return i;
}

int TIniFile::FindKey(int header, const QString& key) const
{
    const int end = SectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (KeyOf(Lines[i]).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool TIniFile::SectionExists(const QString& section) const { return FindSection(section) >= 0; }

bool TIniFile::ValueExists(const QString& section, const QString& key) const
{
    const int header = FindSection(section);
    return header >= 0 && FindKey(header, key) >= 0;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const int header = FindSection(section);
    const int line = header < 0 ? -1 : FindKey(header, key);
    return line < 0 ? defaultValue : ValueOf(Lines[line]);
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    const QString text = ReadString(section, key, QString());
    bool ok = false;
    int value = 0;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toInt(&ok, 16);
    else
        value = text.toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    const QString line = key + QLatin1Char('=') + value;
    int header = FindSection(section);
    if (header < 0) {
        if (!Lines.isEmpty() && !Lines.back().trimmed().isEmpty())
            Lines << QString();
        Lines << QLatin1Char('[') + section + QLatin1Char(']') << line;
        Dirty = true;
        return;
    }
    const int existing = FindKey(header, key);
    if (existing >= 0) {
        if (Lines[existing] != line) {
            Lines[existing] = line;
            Dirty = true;
        }
        return;
    }
    // After the section's last non-blank line, so the blank line before the next section stays.
    int at = SectionEnd(header);
    while (at > header + 1 && Lines[at - 1].trimmed().isEmpty())
        --at;
    Lines.insert(at, line);
    Dirty = true;
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::UpdateFile()
{
    if (!Dirty && QFile::exists(Name))
        return;
    QByteArray bytes;
    for (const QString& line : Lines)
        bytes += ToCp1251(line) + "\r\n";
    QSaveFile file(Name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw TError(QStringLiteral("Unable to write to %1").arg(Name));
    Dirty = false;
}
