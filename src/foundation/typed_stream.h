#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <cstdint>
#include <variant>
#include <vector>

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

namespace StreamCell {
// The OLE VARIANT types of the seven cell kinds; the tag takes the first two bytes of a cell, the
// value starts at byte 8.
enum : std::uint16_t { VtEmpty = 0, VtI4 = 3, VtR8 = 5, VtCy = 6, VtDate = 7, VtBool = 11, VtUi1 = 17 };
inline constexpr qint64 Size = 16;
inline constexpr int ValueOffset = 8;
} // namespace StreamCell

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

    // Room for this many bytes in all, so that a large object is not copied over and over while
    // it writes itself.
    void Reserve(qint64 bytes);

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
    // A cell of the field's own kind, by far the common case, is taken straight from the buffer.
    std::int32_t ReadInteger();
    std::uint8_t ReadByte();
    bool ReadBoolean();
    double ReadDouble();
    double ReadDateDays();
    QDateTime ReadDate();
    TMoney ReadCurrency();
    // A byte run cut by the end of the stream is reported in the error box with both counts and
    // throws TStreamError, as does a negative count. The text ends at its first zero byte.
    // Short texts read again from a large stream share the string read first.
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
    // The next cell when it is whole and has the tag; then the position passes it.
    const unsigned char* TakeCell(std::uint16_t tag);
    std::int32_t ReadIntegerCell();
    std::uint8_t ReadByteCell();
    bool ReadBooleanCell();
    double ReadDoubleCell();
    TMoney ReadCurrencyCell();
    QString Intern(const char* run, qsizetype length);

    // A text read from the buffer, known by where its bytes are, so that the same bytes met again
    // give the same string without decoding or allocating. Cleared by every write.
    struct TInterned
    {
        qint64 Offset = -1;
        qsizetype Length = 0;
        QString Text;
    };

    QByteArray Buffer;
    qint64 Pos = 0;
    std::vector<TInterned> Interned;
};

inline const unsigned char* TSpecStream::TakeCell(std::uint16_t tag)
{
    if (Buffer.size() - Pos < StreamCell::Size)
        return nullptr;
    const auto* cell = reinterpret_cast<const unsigned char*>(Buffer.constData() + Pos);
    if (qFromLittleEndian<std::uint16_t>(cell) != tag)
        return nullptr;
    Pos += StreamCell::Size;
    return cell + StreamCell::ValueOffset;
}

inline std::int32_t TSpecStream::ReadInteger()
{
    if (const unsigned char* v = TakeCell(StreamCell::VtI4))
        return qFromLittleEndian<std::int32_t>(v);
    return ReadIntegerCell();
}

inline std::uint8_t TSpecStream::ReadByte()
{
    if (const unsigned char* v = TakeCell(StreamCell::VtUi1))
        return v[0];
    return ReadByteCell();
}

inline bool TSpecStream::ReadBoolean()
{
    if (const unsigned char* v = TakeCell(StreamCell::VtBool))
        return qFromLittleEndian<std::int16_t>(v) != 0;
    return ReadBooleanCell();
}

inline double TSpecStream::ReadDouble()
{
    if (const unsigned char* v = TakeCell(StreamCell::VtR8))
        return qFromLittleEndian<double>(v);
    return ReadDoubleCell();
}

inline TMoney TSpecStream::ReadCurrency()
{
    if (const unsigned char* v = TakeCell(StreamCell::VtCy))
        return TMoney::FromRaw(qFromLittleEndian<std::int64_t>(v));
    return ReadCurrencyCell();
}

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
