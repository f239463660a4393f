#include "model/stored_reader.h"

#include "foundation/error.h"
#include "foundation/typed_stream.h"

void TStoredReader::Truncated() const
{
    throw TStreamError(QStringLiteral("Неожиданный конец данных (позиция %1 из %2)")
                           .arg(Stream.Position())
                           .arg(Stream.Size()));
}

int TStoredReader::Count(int minEntryBytes)
{
    const qint64 at = Stream.Position();
    const std::int32_t count = Integer();
    if (count < 0 || (minEntryBytes > 0 && count > Stream.Remaining() / minEntryBytes))
        throw TStreamError(QStringLiteral("Неверное число элементов в данных: %1 (позиция %2)").arg(count).arg(at));
    return count;
}
