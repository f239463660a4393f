#include "platform/db/csv.h"

#include <QStringDecoder>

#include "foundation/error.h"

TCsvReader::TCsvReader(const QByteArray& data, QString fileName) : Name(std::move(fileName))
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    Text = decoder.decode(data);
    if (decoder.hasError())
        throw TError(QStringLiteral("%1: файл не в кодировке UTF-8").arg(Name));
    if (Text.startsWith(QChar(0xFEFF)))
        Text.remove(0, 1);
}

bool TCsvReader::Next(QStringList& cells)
{
    cells.clear();
    const qsizetype n = Text.size();
    if (Pos >= n)
        return false;
    RecordLine = CurLine;
    QString cell;
    while (true) {
        if (Pos < n && Text[Pos] == QLatin1Char('"')) {
            const int openLine = CurLine;
            ++Pos;
            while (true) {
                if (Pos >= n)
                    throw TError(QStringLiteral("%1, строка %2: не закрыты кавычки").arg(Name).arg(openLine));
                const QChar c = Text[Pos];
                if (c == QLatin1Char('"')) {
                    if (Pos + 1 < n && Text[Pos + 1] == QLatin1Char('"')) {
                        cell += c;
                        Pos += 2;
                        continue;
                    }
                    ++Pos;
                    break;
                }
                if (c == QLatin1Char('\n'))
                    ++CurLine;
                cell += c;
                ++Pos;
            }
            if (Pos < n && Text[Pos] != QLatin1Char(',') && Text[Pos] != QLatin1Char('\n') &&
                !(Text[Pos] == QLatin1Char('\r') && (Pos + 1 >= n || Text[Pos + 1] == QLatin1Char('\n'))))
                throw TError(QStringLiteral("%1, строка %2: текст после закрывающей кавычки").arg(Name).arg(CurLine));
        } else {
            while (Pos < n && Text[Pos] != QLatin1Char(',') && Text[Pos] != QLatin1Char('\n') &&
                   !(Text[Pos] == QLatin1Char('\r') && (Pos + 1 >= n || Text[Pos + 1] == QLatin1Char('\n')))) {
                if (Text[Pos] == QLatin1Char('"'))
                    throw TError(QStringLiteral("%1, строка %2: кавычка внутри поля без кавычек").arg(Name).arg(CurLine));
                cell += Text[Pos++];
            }
        }
        cells.append(cell);
        cell.clear();
        if (Pos >= n)
            return true;
        if (Text[Pos] == QLatin1Char(',')) {
            ++Pos;
            continue;
        }
        if (Text[Pos] == QLatin1Char('\r'))
            ++Pos;
        ++Pos; // the line feed
        ++CurLine;
        return true;
    }
}

QString CsvRecord(const QStringList& cells)
{
    QStringList out;
    for (const QString& c : cells) {
        if (c.contains(QLatin1Char(',')) || c.contains(QLatin1Char('"')) || c.contains(QLatin1Char('\n')) ||
            c.contains(QLatin1Char('\r'))) {
            QString q = c;
            q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            out.append(QLatin1Char('"') + q + QLatin1Char('"'));
        } else {
            out.append(c);
        }
    }
    return out.join(QLatin1Char(','));
}
