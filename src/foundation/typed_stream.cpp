#include "foundation/typed_stream.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/messages.h"
#include "foundation/ole_date.h"

namespace {

using namespace StreamCell;
constexpr int CellSize = StreamCell::Size;

// Interning pays only where many strings are read; a record copied through a small stream skips it.
constexpr qint64 MinInternStream = 64 * 1024;
constexpr size_t InternSlots = 4096; // a power of two
// Codes, articles, units and comments are short; long texts are seldom repeated.
constexpr qsizetype MaxInternLength = 64;

// A hash of a short run, eight bytes at a time.
size_t RunHash(const char* run, qsizetype length)
{
    std::uint64_t h = static_cast<std::uint64_t>(length) * 0x9E3779B97F4A7C15ULL;
    qsizetype i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, run + i, sizeof word);
        h = (h ^ word) * 0xFF51AFD7ED558CCDULL;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, run + i, static_cast<size_t>(length - i));
    h = (h ^ tail) * 0xC4CEB9FE1A85EC53ULL;
    return static_cast<size_t>(h ^ (h >> 32));
}

template <class T>
T Load(const unsigned char* bytes)
{
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return qFromLittleEndian(value);
}

// The stored value as a number of the widest kind, for the conversions between cell kinds.
struct TCellNumber
{
    bool IsInteger = true;
    std::int64_t Integer = 0; // Integer, Byte, Boolean; Currency in ten-thousandths
    long double Real = 0;     // Double, Date; Currency as an amount
    bool IsCurrency = false;
};

} // namespace

void TSpecStream::Reserve(qint64 bytes)
{
    if (bytes > Buffer.capacity())
        Buffer.reserve(bytes);
}

void TSpecStream::Seek(qint64 position) { Pos = std::clamp<qint64>(position, 0, Buffer.size()); }

qint64 TSpecStream::Read(char* data, qint64 count)
{
    const qint64 n = std::clamp<qint64>(count, 0, Remaining());
    if (n > 0)
        std::memcpy(data, Buffer.constData() + Pos, static_cast<size_t>(n));
    Pos += n;
    return n;
}

void TSpecStream::Write(const char* data, qint64 count)
{
    if (count <= 0)
        return;
    // The remembered texts are known by bytes that may change now.
    if (!Interned.empty())
        Interned.clear();
    if (Pos == Buffer.size())
        Buffer.append(data, count);
    else {
        if (Pos + count > Buffer.size())
            Buffer.resize(Pos + count);
        std::memcpy(Buffer.data() + Pos, data, static_cast<size_t>(count));
    }
    Pos += count;
}

void TSpecStream::WriteCell(std::uint16_t tag, const void* value, int size)
{
    unsigned char cell[CellSize] = {};
    const std::uint16_t tagLe = qToLittleEndian(tag);
    std::memcpy(cell, &tagLe, sizeof tagLe);
    std::memcpy(cell + 8, value, static_cast<size_t>(size));
    Write(reinterpret_cast<const char*>(cell), CellSize);
}

void TSpecStream::WriteInteger(std::int32_t value)
{
    const std::int32_t le = qToLittleEndian(value);
    WriteCell(VtI4, &le, sizeof le);
}

void TSpecStream::WriteByte(std::uint8_t value) { WriteCell(VtUi1, &value, 1); }

void TSpecStream::WriteBoolean(bool value)
{
    const std::uint16_t le = value ? 0xFFFF : 0;
    WriteCell(VtBool, &le, sizeof le);
}

void TSpecStream::WriteDouble(double value)
{
    const double le = qToLittleEndian(value);
    WriteCell(VtR8, &le, sizeof le);
}

void TSpecStream::WriteDate(double oleDays)
{
    const double le = qToLittleEndian(oleDays);
    WriteCell(VtDate, &le, sizeof le);
}

void TSpecStream::WriteDate(const QDateTime& value) { WriteDate(ToOleDate(value)); }

void TSpecStream::WriteCurrency(TMoney value)
{
    const std::int64_t le = qToLittleEndian(value.Raw());
    WriteCell(VtCy, &le, sizeof le);
}

void TSpecStream::WriteString(const QString& value)
{
    const QByteArray bytes = ToCp1251(value);
    const std::int32_t count = qToLittleEndian(static_cast<std::int32_t>(bytes.size()));
    Write(reinterpret_cast<const char*>(&count), sizeof count);
    Write(bytes.constData(), bytes.size());
}

void TSpecStream::WriteStrings(const QStringList& lines) { WriteString(lines.join(QStringLiteral("\r\n"))); }

void TSpecStream::WriteValue(const TStreamValue& value)
{
    std::visit(
        [this](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::int32_t>) WriteInteger(v);
            else if constexpr (std::is_same_v<T, std::uint8_t>) WriteByte(v);
            else if constexpr (std::is_same_v<T, bool>) WriteBoolean(v);
            else if constexpr (std::is_same_v<T, double>) WriteDouble(v);
            else if constexpr (std::is_same_v<T, TOleDate>) WriteDate(v.Days);
            else if constexpr (std::is_same_v<T, TMoney>) WriteCurrency(v);
            else WriteString(v);
        },
        value);
}

TSpecStream::TCell TSpecStream::ReadCell()
{
    unsigned char raw[CellSize] = {};
    Read(reinterpret_cast<char*>(raw), CellSize);
    TCell cell;
    cell.Tag = Load<std::uint16_t>(raw);
    std::memcpy(cell.Value, raw + 8, 8);
    switch (cell.Tag) {
    case VtEmpty: case VtI4: case VtR8: case VtCy: case VtDate: case VtBool: case VtUi1:
        return cell;
    default:
        throw TStreamError(QStringLiteral("Неизвестный тип значения в потоке: %1 (позиция %2)")
                               .arg(cell.Tag)
                               .arg(Pos - CellSize));
    }
}

namespace {

TCellNumber NumberOf(std::uint16_t tag, const unsigned char* v)
{
    TCellNumber n;
    switch (tag) {
    case VtI4: n.Integer = Load<std::int32_t>(v); break;
    case VtUi1: n.Integer = v[0]; break;
    case VtBool: n.Integer = Load<std::int16_t>(v) != 0 ? -1 : 0; break;
    case VtR8:
    case VtDate: n.IsInteger = false; n.Real = Load<double>(v); break;
    case VtCy:
        n.IsInteger = false;
        n.IsCurrency = true;
        n.Integer = Load<std::int64_t>(v);
        n.Real = static_cast<long double>(n.Integer) / 10000.0L;
        break;
    default: break; // empty: zero
    }
    return n;
}

long double AsReal(const TCellNumber& n) { return n.IsInteger ? static_cast<long double>(n.Integer) : n.Real; }

// Real to integer conversion rounds half to even, as the variant conversions of the stored
// files did; a value outside the target range is a damaged file.
template <class T>
T AsInteger(const TCellNumber& n)
{
    long double value = n.IsInteger ? static_cast<long double>(n.Integer) : std::nearbyintl(n.Real);
    if (!std::isfinite(value) || value < static_cast<long double>(std::numeric_limits<T>::min())
        || value > static_cast<long double>(std::numeric_limits<T>::max()))
        throw TStreamError(QStringLiteral("Значение в потоке вне допустимого диапазона"));
    return static_cast<T>(value);
}

bool AsBoolean(const TCellNumber& n) { return n.IsInteger || n.IsCurrency ? n.Integer != 0 : n.Real != 0; }

} // namespace

std::int32_t TSpecStream::ReadIntegerCell()
{
    const TCell c = ReadCell();
    return AsInteger<std::int32_t>(NumberOf(c.Tag, c.Value));
}

std::uint8_t TSpecStream::ReadByteCell()
{
    const TCell c = ReadCell();
    return AsInteger<std::uint8_t>(NumberOf(c.Tag, c.Value));
}

bool TSpecStream::ReadBooleanCell()
{
    const TCell c = ReadCell();
    return AsBoolean(NumberOf(c.Tag, c.Value));
}

double TSpecStream::ReadDoubleCell()
{
    const TCell c = ReadCell();
    return static_cast<double>(AsReal(NumberOf(c.Tag, c.Value)));
}

double TSpecStream::ReadDateDays()
{
    if (const unsigned char* v = TakeCell(VtDate))
        return Load<double>(v);
    return ReadDoubleCell();
}

QDateTime TSpecStream::ReadDate() { return FromOleDate(ReadDateDays()); }

TMoney TSpecStream::ReadCurrencyCell()
{
    const TCell c = ReadCell();
    const TCellNumber n = NumberOf(c.Tag, c.Value);
    if (n.IsCurrency || n.IsInteger) {
        if (n.IsCurrency)
            return TMoney::FromRaw(n.Integer);
        if (n.Integer > std::numeric_limits<std::int64_t>::max() / 10000)
            throw TStreamError(QStringLiteral("Значение в потоке вне допустимого диапазона"));
        return TMoney::FromRaw(n.Integer * 10000);
    }
    try {
        return TMoney::FromDouble(n.Real);
    } catch (const TError&) {
        throw TStreamError(QStringLiteral("Значение в потоке вне допустимого диапазона"));
    }
}

QString TSpecStream::ReadString()
{
    std::int32_t count = 0;
    if (Remaining() >= static_cast<qint64>(sizeof count)) {
        count = qFromLittleEndian<std::int32_t>(Buffer.constData() + Pos);
        Pos += sizeof count;
    } else
        Pos = Buffer.size(); // a count cut by the end of the stream reads as the empty string
    if (count == 0)
        return {};
    if (count < 0)
        throw TStreamError(QStringLiteral("Неверная длина строки в потоке: %1").arg(count));
    // A run cut by the end of the stream is reported with both counts, as ever; reading then
    // stops, because every value after it would be read out of step and the object would load
    // as damaged data that looks whole. The check also keeps a wild count from allocating.
    if (count > Remaining()) {
        const QString text = QStringLiteral("Ошибка чтения строки из потока!\r\nЗаказано: [%1 символов], Считано: [%2 символов]!")
                                 .arg(count)
                                 .arg(Remaining());
        ShowError(text);
        Seek(Size());
        throw TStreamError(text);
    }
    // Decoded straight from the buffer: order files hold hundreds of thousands of strings.
    const char* run = Buffer.constData() + Pos;
    Pos += count;
    const void* zero = std::memchr(run, '\0', static_cast<size_t>(count));
    const qsizetype length = zero ? static_cast<const char*>(zero) - run : count;
    if (length == 0)
        return {};
    if (length > MaxInternLength)
        return FromCp1251(QByteArrayView(run, length));
    return Intern(run, length);
}

QString TSpecStream::Intern(const char* run, qsizetype length)
{
    // A large order holds hundreds of thousands of short strings, most of them repeats of a few
    // hundred codes; one shared string each saves the decoding, the allocation and the memory.
    if (Interned.empty()) {
        if (Buffer.size() < MinInternStream)
            return FromCp1251(QByteArrayView(run, length));
        Interned.resize(InternSlots);
    }
    TInterned& slot = Interned[RunHash(run, length) & (InternSlots - 1)];
    const char* bytes = Buffer.constData();
    if (slot.Length == length && slot.Offset >= 0
        && std::memcmp(bytes + slot.Offset, run, static_cast<size_t>(length)) == 0)
        return slot.Text;
    // A clash replaces the older text: the table stays small, a lost repeat is decoded again.
    slot.Offset = run - bytes;
    slot.Length = length;
    slot.Text = FromCp1251(QByteArrayView(run, length));
    return slot.Text;
}

QStringList TSpecStream::ReadStrings()
{
    const QString text = ReadString();
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QStringLiteral("\r\n"));
    return lines;
}

TStreamValue TSpecStream::ReadValue(TValueKind kind)
{
    switch (kind) {
    case TValueKind::Integer: return ReadInteger();
    case TValueKind::Byte: return ReadByte();
    case TValueKind::Boolean: return ReadBoolean();
    case TValueKind::Double: return ReadDouble();
    case TValueKind::Date: return TOleDate{ReadDateDays()};
    case TValueKind::Currency: return ReadCurrency();
    case TValueKind::String: return ReadString();
    }
    return {};
}

namespace {

int ParseVersionKey(const QString& version)
{
    const QStringList fields = version.split(QLatin1Char('.'));
    int parts[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        parts[i] = i < fields.size() ? fields[i].trimmed().toInt(&ok) : 0;
        if (!ok)
            throw TError(QStringLiteral("'%1' is not a valid integer value").arg(i < fields.size() ? fields[i] : QString()));
    }
    return parts[2] * 365 + parts[1] * 31 + parts[0];
}

// Every stored record compares its file's version with the versions at which layouts changed,
// so a large order asks about the same few strings tens of thousands of times.
int VersionKey(const QString& version)
{
    struct TEntry
    {
        QString Text;
        int Key = 0;
    };
    constexpr int Size = 8;
    thread_local TEntry known[Size];
    thread_local int next = 0;
    for (const TEntry& entry : known)
        if (!entry.Text.isNull() && entry.Text == version)
            return entry.Key;
    const int key = ParseVersionKey(version); // throws before anything is remembered
    known[next] = {version, key};
    next = (next + 1) % Size;
    return key;
}

} // namespace

bool IsVersionOlder(const QString& a, const QString& b) { return VersionKey(a) < VersionKey(b); }
bool IsVersionNotOlder(const QString& a, const QString& b) { return VersionKey(a) >= VersionKey(b); }

void SaveStreamToFile(const TSpecStream& stream, const QString& path)
{
    QSaveFile file(path);
    // The previous file is replaced only once the new one is completely on disk.
    if (!file.open(QIODevice::WriteOnly))
        throw TError(QStringLiteral("Не удается создать файл [%1]: %2").arg(path, file.errorString()));
    if (file.write(stream.Bytes()) != stream.Size() || !file.commit())
        throw TError(QStringLiteral("Ошибка записи файла [%1]: %2").arg(path, file.errorString()));
}

TSpecStream LoadStreamFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TError(QStringLiteral("Не удается открыть файл [%1]: %2").arg(path, file.errorString()));
    // Read straight into a buffer of exactly the file's size. The general read-all (and resize)
    // round a large buffer up to the next power of two, past the size up to which the allocator
    // recycles freed memory; fresh pages for a large order then cost more than decoding it.
    const qint64 size = file.isSequential() ? 0 : file.size();
    QByteArray bytes(size, Qt::Uninitialized);
    if (size > 0) {
        qint64 done = 0;
        while (done < size) {
            const qint64 n = file.read(bytes.data() + done, size - done);
            if (n <= 0)
                break;
            done += n;
        }
        bytes.truncate(done);
    }
    // Whatever the size did not announce (a file still growing, a pipe) follows.
    if (file.error() == QFileDevice::NoError)
        bytes.append(file.readAll());
    if (file.error() != QFileDevice::NoError)
        throw TError(QStringLiteral("Ошибка чтения файла [%1]: %2").arg(path, file.errorString()));
    return TSpecStream(std::move(bytes));
}
