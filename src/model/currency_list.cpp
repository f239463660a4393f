#include "model/currency_list.h"

#include "foundation/typed_stream.h"
#include "model/stored_reader.h"

namespace {
constexpr int CurrencyItemBytes = 32; // two cells
}

void TokfCurrencyItem::Write(TSpecStream& stream) const
{
    stream.WriteInteger(ID);
    stream.WriteDouble(Rate);
}

void TokfCurrencyItem::Read(TSpecStream& stream, const QString&)
{
    TStoredReader in(stream);
    ID = in.Integer();
    Rate = in.Single();
}

void TokfCurrencyList::Write(TSpecStream& stream) const
{
    stream.WriteInteger(Count());
    for (const TokfCurrencyItem& item : Entries)
        item.Write(stream);
}

void TokfCurrencyList::Read(TSpecStream& stream, const QString& version)
{
    Entries.clear();
    const int count = TStoredReader(stream).Count(CurrencyItemBytes);
    Entries.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        Entries.emplace_back().Read(stream, version);
}
