#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "foundation/money.h"
#include "foundation/typed_stream.h"

// Reads the values of a stored object and treats a stream that ends before the object does as
// damaged: a cut file must not load as an object padded with zeros. Counts of entries are
// checked against what the rest of the stream can hold, so a wild count cannot allocate or loop.
class TStoredReader
{
public:
    explicit TStoredReader(TSpecStream& stream) : Stream(stream) {}

    std::int32_t Integer()
    {
        NeedCell();
        return Stream.ReadInteger();
    }
    std::uint8_t Byte()
    {
        NeedCell();
        return Stream.ReadByte();
    }
    bool Boolean()
    {
        NeedCell();
        return Stream.ReadBoolean();
    }
    double Double()
    {
        NeedCell();
        return Stream.ReadDouble();
    }
    float Single() { return static_cast<float>(Double()); }
    double DateDays()
    {
        NeedCell();
        return Stream.ReadDateDays();
    }
    TMoney Currency()
    {
        NeedCell();
        return Stream.ReadCurrency();
    }
    QString String()
    {
        Need(CountSize);
        return Stream.ReadString();
    }
    QStringList Strings()
    {
        Need(CountSize);
        return Stream.ReadStrings();
    }
    // A list count: not negative, and at most one entry per minEntryBytes of the remaining stream.
    int Count(int minEntryBytes);

    TSpecStream& Raw() { return Stream; }

private:
    static constexpr qint64 CountSize = 4;
    void NeedCell() const { Need(StreamCell::Size); }
    void Need(qint64 bytes) const
    {
        if (Stream.Remaining() < bytes)
            Truncated();
    }
    [[noreturn]] void Truncated() const;
    TSpecStream& Stream;
};
