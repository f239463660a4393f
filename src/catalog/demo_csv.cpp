#include "catalog/demo_csv.h"

#include <QDir>

#include "foundation/error.h"
#include "platform/db/csv.h"

QString TDemoCsvTable::Cell(const QStringList& row, const QString& column) const
{
    const int i = Column(column);
    return i >= 0 && i < row.size() ? row.at(i) : QString();
}

TDemoCsvTable ReadDemoCsv(const QString& dir, const QString& table)
{
    const QString path = QDir(dir).filePath(table + QStringLiteral(".csv"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TError(QStringLiteral("Не удается открыть файл [%1]\r\n(%2)").arg(path, file.errorString()));
    TCsvReader reader(file.readAll(), path);
    TDemoCsvTable result;
    result.Name = table;
    if (!reader.Next(result.Columns))
        throw TError(QStringLiteral("В файле [%1] нет строки с именами столбцов").arg(path));
    QStringList cells;
    while (reader.Next(cells))
        result.Rows.append(cells);
    return result;
}

QByteArray DemoCsvRecord(const QStringList& cells)
{
    return CsvRecord(cells).toUtf8() + "\r\n";
}

TDemoCsvWriter::TDemoCsvWriter(const QString& path, const QStringList& columns)
    : File(path)
{
    if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw TError(QStringLiteral("Не удается создать файл [%1]\r\n(%2)").arg(path, File.errorString()));
    Buffer = DemoCsvRecord(columns);
}

void TDemoCsvWriter::Write(const QStringList& cells)
{
    Buffer += DemoCsvRecord(cells);
    ++Count;
    if (Buffer.size() > (1 << 20))
        Flush();
}

void TDemoCsvWriter::Flush()
{
    if (!Buffer.isEmpty() && File.write(Buffer) != Buffer.size())
        throw TError(QStringLiteral("Ошибка записи файла [%1]\r\n(%2)").arg(File.fileName(), File.errorString()));
    Buffer.clear();
}

void TDemoCsvWriter::Close()
{
    Flush();
    if (!File.flush())
        throw TError(QStringLiteral("Ошибка записи файла [%1]\r\n(%2)").arg(File.fileName(), File.errorString()));
    File.close();
}
