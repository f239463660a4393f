#include "model/stored_reader.h"

#include "foundation/error.h"
#include "foundation/typed_stream.h"

namespace {
constexpr qint64 CellSize = 16;
constexpr qint64 CountSize = 4;
} // namespace

void TStoredReader::Need(qint64 bytes) const
{
    if (Stream.Remaining() < bytes)
        throw TStreamError(QStringLiteral("Неожиданный конец данных (позиция %1 из %2)")
                               .arg(Stream.Position())
                               .arg(Stream.Size()));
}

std::int32_t TStoredReader::Integer()
{
    Need(CellSize);
    return Stream.ReadInteger();
}

std::uint8_t TStoredReader::Byte()
{
    Need(CellSize);
    return Stream.ReadByte();
}

bool TStoredReader::Boolean()
{
    Need(CellSize);
    return Stream.ReadBoolean();
}

double TStoredReader::Double()
{
    Need(CellSize);
    return Stream.ReadDouble();
}

double TStoredReader::DateDays()
{
    Need(CellSize);
    return Stream.ReadDateDays();
}

TMoney TStoredReader::Currency()
{
    Need(CellSize);
    return Stream.ReadCurrency();
}

QString TStoredReader::String()
{
    Need(CountSize);
    return Stream.ReadString();
}

QStringList TStoredReader::Strings()
{
    Need(CountSize);
    return Stream.ReadStrings();
}

int TStoredReader::Count(int minEntryBytes)
{
    const qint64 at = Stream.Position();
    const std::int32_t count = Integer();
    if (count < 0 || (minEntryBytes > 0 && count > Stream.Remaining() / minEntryBytes))
        throw TStreamError(QStringLiteral("Неверное число элементов в данных: %1 (позиция %2)").arg(count).arg(at));
    return count;
}
