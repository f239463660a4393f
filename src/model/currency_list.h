#pragma once

#include <QString>
#include <cstdint>
#include <vector>

class TSpecStream;

// One entry of a currency snapshot: a currency code and its value when the snapshot was taken.
struct TokfCurrencyItem
{
    std::int32_t ID = 0;
    float Rate = 0;

    void Write(TSpecStream& stream) const;
    void Read(TSpecStream& stream, const QString& version);
};

// A currency snapshot: the rates an order or selection froze, in catalogue table order.
class TokfCurrencyList
{
public:
    int Count() const { return static_cast<int>(Entries.size()); }
    TokfCurrencyItem& Item(int index) { return Entries.at(static_cast<size_t>(index)); }
    const TokfCurrencyItem& Item(int index) const { return Entries.at(static_cast<size_t>(index)); }
    void Add(const TokfCurrencyItem& item) { Entries.push_back(item); }
    void Clear() { Entries.clear(); }
    auto begin() const { return Entries.begin(); }
    auto end() const { return Entries.end(); }

    // Count, then each entry.
    void Write(TSpecStream& stream) const;
    // Replaces the entries.
    void Read(TSpecStream& stream, const QString& version);

    friend bool operator==(const TokfCurrencyList&, const TokfCurrencyList&) = default;

private:
    std::vector<TokfCurrencyItem> Entries;
};

inline bool operator==(const TokfCurrencyItem& a, const TokfCurrencyItem& b) { return a.ID == b.ID && a.Rate == b.Rate; }
