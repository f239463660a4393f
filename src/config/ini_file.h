#pragma once

#include <QString>
#include <QStringList>

// An INI file in the Windows-1251 code page, read and written the way the Windows profile
// functions do: section and key names match without letter case, blanks around names and values
// are ignored, a value in matching quotes loses them, a missing file or section reads as the
// defaults. Writing a key replaces its line in place and keeps every other line, comment and
// section as it was; a new key goes to the end of its section, a new section to the end of the
// file. Writes are held in memory until UpdateFile, which replaces the file in one step.
class TIniFile
{
public:
    // Reads the file now (a missing file is an empty one); an unreadable file raises TError.
    explicit TIniFile(QString fileName);

    const QString& FileName() const { return Name; }
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Decimal (or 0x hexadecimal) text; the default when the value is no integer.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // True for any non-zero integer.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    // "1" or "0".
    void WriteBool(const QString& section, const QString& key, bool value);

    bool Modified() const { return Dirty; }
    // Writes the file through a temporary file and a rename, so a failure never leaves it
    // half-written; raises TError "Unable to write to <file>" when it cannot be written.
    void UpdateFile();

private:
    // Index of the section's header line, or -1.
    int FindSection(const QString& section) const;
    // Index of the key's line inside the section that starts at header, or -1.
    int FindKey(int header, const QString& key) const;
    // Index just past the section's last line.
    int SectionEnd(int header) const;

    QString Name;
    QStringList Lines;
    bool Dirty = false;
};
