#pragma once

#include <QString>
#include <QStringList>

// Comma-separated values after RFC 4180: fields in double quotes may hold commas, quotes ("")
// and line breaks; records end with CR LF or LF. Text is UTF-8 (a byte-order mark is skipped).
class TCsvReader
{
public:
    // Fails with TError when the bytes are not UTF-8.
    TCsvReader(const QByteArray& data, QString fileName);
    // The next record; false at the end. Fails with TError naming the file and line.
    bool Next(QStringList& cells);
    // Line (1-based) at which the last record began.
    int Line() const { return RecordLine; }
    const QString& FileName() const { return Name; }

private:
    QString Text;
    QString Name;
    qsizetype Pos = 0;
    int CurLine = 1;
    int RecordLine = 0;
};

// One record as a line without its line break; cells are quoted only where needed.
QString CsvRecord(const QStringList& cells);
