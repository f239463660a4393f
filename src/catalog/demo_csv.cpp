#include "catalog/demo_csv.h"

#include <QDir>
#include <QStringDecoder>

#include "foundation/error.h"

QString TDemoCsvTable::Cell(const QStringList& row, const QString& column) const
{
    const int i = Column(column);
    return i >= 0 && i < row.size() ? row.at(i) : QString();
}

QList<QStringList> ParseDemoCsv(const QString& text, const QString& fileName)
{
    QList<QStringList> records;
    QStringList cells;
    QString cell;
    bool quoted = false;
    bool any = false; // the current record has content (a lone line break is no record)
    int line = 1;
    int quoteLine = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                    cell += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                cell += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && cell.isEmpty()) {
            quoted = true;
            any = true;
            quoteLine = line;
        } else if (c == QLatin1Char(',')) {
            cells << cell;
            cell.clear();
            any = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ++line;
            if (any || !cell.isEmpty()) {
                cells << cell;
                records << cells;
            }
            cells.clear();
            cell.clear();
            any = false;
        } else {
            cell += c;
            any = true;
        }
    }
    if (quoted)
        throw TError(QStringLiteral("%1: незакрытые кавычки в строке %2").arg(fileName).arg(quoteLine));
    if (any || !cell.isEmpty()) {
        cells << cell;
        records << cells;
    }
    return records;
}

TDemoCsvTable ReadDemoCsv(const QString& dir, const QString& table)
{
    const QString path = QDir(dir).filePath(table + QStringLiteral(".csv"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TError(QStringLiteral("Не удается открыть файл [%1]\r\n(%2)").arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        throw TError(QStringLiteral("Файл [%1] не в кодировке UTF-8").arg(path));
    TDemoCsvTable result;
    result.Name = table;
    result.Rows = ParseDemoCsv(text, path);
    if (result.Rows.isEmpty())
        throw TError(QStringLiteral("В файле [%1] нет строки с именами столбцов").arg(path));
    result.Columns = result.Rows.takeFirst();
    return result;
}

QByteArray DemoCsvRecord(const QStringList& cells)
{
    QByteArray out;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i)
            out += ',';
        const QString& cell = cells.at(i);
        const bool quote = cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"'))
            || cell.contains(QLatin1Char('\r')) || cell.contains(QLatin1Char('\n'));
        if (quote) {
            QString escaped = cell;
            escaped.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            out += '"' + escaped.toUtf8() + '"';
        } else {
            out += cell.toUtf8();
        }
    }
    out += "\r\n";
    return out;
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
