#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "foundation/money.h"

class TSpecStream;

// Reads the values of a stored object and treats a stream that ends before the object does as
// damaged: a cut file must not load as an object padded with zeros. Counts of entries are
// checked against what the rest of the stream can hold, so a wild count cannot allocate or loop.
class TStoredReader
{
public:
    explicit TStoredReader(TSpecStream& stream) : Stream(stream) {}

    std::int32_t Integer();
    std::uint8_t Byte();
    bool Boolean();
    double Double();
    float Single() { return static_cast<float>(Double()); }
    double DateDays();
    TMoney Currency();
    QString String();
    QStringList Strings();
    // A list count: not negative, and at most one entry per minEntryBytes of the remaining stream.
    int Count(int minEntryBytes);

    TSpecStream& Raw() { return Stream; }

private:
    void Need(qint64 bytes) const;
    TSpecStream& Stream;
};
