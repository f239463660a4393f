#pragma once

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

// A catalogue table held as CSV text (UTF-8, RFC 4180, first record the column names), read
// whole. Used by the demo and scaled catalogue generator and by the checks of the shipped data.
struct TDemoCsvTable
{
    QString Name; // table name without extension ("FrnArt")
    QStringList Columns;
    QList<QStringList> Rows;

    // Index of a column, -1 when the table lacks it.
    int Column(const QString& column) const { return Columns.indexOf(column); }
    // The cell of a row; a column the table lacks, or a short row, gives an empty text.
    QString Cell(const QStringList& row, const QString& column) const;
};

// Reads <dir>/<table>.csv. Fails with TError naming the file (and the line for bad quoting).
TDemoCsvTable ReadDemoCsv(const QString& dir, const QString& table);

// One record with CR LF, cells quoted only where they hold a comma, a quote or a line break.
QByteArray DemoCsvRecord(const QStringList& cells);

// Writes a table record by record, so that large generated tables need not be held in memory.
class TDemoCsvWriter
{
public:
    // Creates (truncates) the file and writes the column names. Fails with TError.
    TDemoCsvWriter(const QString& path, const QStringList& columns);
    void Write(const QStringList& cells);
    // Flushes and closes; fails with TError when the disk refused the data.
    void Close();
    qint64 Rows() const { return Count; }

private:
    QFile File;
    QByteArray Buffer;
    qint64 Count = 0;
    void Flush();
};
