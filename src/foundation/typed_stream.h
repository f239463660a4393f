#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <variant>

#include "foundation/money.h"

// The eight kinds of stored values. The seven cell kinds are 16-byte cells whose tag is the
// OLE VARIANT type; strings are a counted run of Windows-1251 bytes.
enum class TValueKind { Integer, Byte, Boolean, Double, Date, Currency, String };

// One value in its field type. Dates travel as the OLE day count so that a value read and
// written back keeps every bit.
struct TOleDate
{
    double Days = 0;
    friend bool operator==(const TOleDate&, const TOleDate&) = default;
};
using TStreamValue = std::variant<std::int32_t, std::uint8_t, bool, double, TOleDate, TMoney, QString>;

// The in-memory byte stream in which every stored object writes itself, flat and untagged
// beyond the value cells: only code that knows the object's layout and version can read it.
class TSpecStream
{
public:
    TSpecStream() = default;
    explicit TSpecStream(QByteArray bytes) : Buffer(std::move(bytes)) {}

    const QByteArray& Bytes() const { return Buffer; }
    qint64 Size() const { return Buffer.size(); }
    qint64 Position() const { return Pos; }
    // Clamped to 0..Size().
    void Seek(qint64 position);
    qint64 Remaining() const { return Buffer.size() - Pos; }

    // Raw access: a read returns the bytes actually copied, fewer at the end of the buffer.
    qint64 Read(char* data, qint64 count);
    void Write(const char* data, qint64 count);

    void WriteValue(const TStreamValue& value);
    // Reads one value of the kind the field has, converting a cell of another kind.
    TStreamValue ReadValue(TValueKind kind);

    void WriteInteger(std::int32_t value);
    void WriteByte(std::uint8_t value);
    void WriteBoolean(bool value);
    void WriteDouble(double value);
    void WriteDate(double oleDays);
    void WriteDate(const QDateTime& value);
    void WriteCurrency(TMoney value);
    // Converted to Windows-1251 ("?" for a character the page lacks).
    void WriteString(const QString& value);
    // A string list is stored as its text, the lines joined by CR LF.
    void WriteStrings(const QStringList& lines);

    // A cell read at or past the end yields the zero value of the kind. A cell whose tag is
    // none of the seven kinds throws TStreamError.
    std::int32_t ReadInteger();
    std::uint8_t ReadByte();
    bool ReadBoolean();
    double ReadDouble();
    double ReadDateDays();
    QDateTime ReadDate();
    TMoney ReadCurrency();
    // A byte run cut by the end of the stream is reported in the error box with both counts and
    // throws TStreamError, as does a negative count. The text ends at its first zero byte.
    QString ReadString();
    QStringList ReadStrings();

private:
    struct TCell
    {
        std::uint16_t Tag = 0;
        unsigned char Value[8] = {};
    };
    void WriteCell(std::uint16_t tag, const void* value, int size);
    TCell ReadCell();

    QByteArray Buffer;
    qint64 Pos = 0;
};

// Format versions are dates "dd.mm.yyyy" compared by year × 365 + month × 31 + day.
// A field that is not a whole number throws TError.
bool IsVersionOlder(const QString& a, const QString& b);
bool IsVersionNotOlder(const QString& a, const QString& b);

// Writes the whole stream to a file atomically: a temporary file in the target's folder is
// renamed over the target, so any failure leaves the previous file as it was. Throws TError.
void SaveStreamToFile(const TSpecStream& stream, const QString& path);
// Reads a whole file into a stream positioned at 0. Throws TError.
TSpecStream LoadStreamFromFile(const QString& path);

// Deep copy through a stream: writer(stream) fills it, reader(stream) reads it back from 0.
template <class Writer, class Reader>
void CopyThroughStream(Writer&& writer, Reader&& reader)
{
    TSpecStream stream;
    writer(stream);
    stream.Seek(0);
    reader(stream);
}
