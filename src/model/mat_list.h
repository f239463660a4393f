#pragma once

#include <QString>
#include <algorithm>
#include <vector>

#include "foundation/money.h"

class TSpecStream;

// One line of a material list: an article with its quantity and price in the document's currency.
struct TokfMatListItem
{
    QString ID;
    float Quantity = 0; // metres for articles cut to length, pieces otherwise
    TMoney ListPrice;
    float Reserved1 = 0;
    TMoney Reserved2;
    TMoney Price;
    TMoney Cost; // Price x Quantity

    void Write(TSpecStream& stream) const;
    void Read(TSpecStream& stream, const QString& version);

    friend bool operator==(const TokfMatListItem&, const TokfMatListItem&) = default;
};

// A material list of a sash, position, order or selection.
class TokfMatList
{
public:
    int Count() const { return static_cast<int>(Lines.size()); }
    bool IsEmpty() const { return Lines.empty(); }
    TokfMatListItem& Line(int index) { return Lines.at(static_cast<size_t>(index)); }
    const TokfMatListItem& Line(int index) const { return Lines.at(static_cast<size_t>(index)); }
    TokfMatListItem& Add(const TokfMatListItem& line) { return Lines.emplace_back(line); }
    // An index outside the list changes nothing.
    void Delete(int index)
    {
        if (index >= 0 && index < Count())
            Lines.erase(Lines.begin() + index);
    }
    void Clear() { Lines.clear(); }
    auto begin() { return Lines.begin(); }
    auto end() { return Lines.end(); }
    auto begin() const { return Lines.begin(); }
    auto end() const { return Lines.end(); }

    // Sorting is stable, so equal keys keep their first-appearance order.
    template <class Less>
    void Sort(Less less);

    // Count, then each line.
    void Write(TSpecStream& stream) const;
    void Read(TSpecStream& stream, const QString& version);

    friend bool operator==(const TokfMatList&, const TokfMatList&) = default;

private:
    std::vector<TokfMatListItem> Lines;
};

// The sum of the lines' costs, rounded after each addition.
TMoney MatListCost(const TokfMatList& list);
// Adds each source line multiplied by n to the line of the same article, or appends a copy; each
// line touched gets its cost again.
void MergeMatList(TokfMatList& target, const TokfMatList& source, int n);
// The first line with the same article; nullptr when none.
TokfMatListItem* FindLine(TokfMatList& list, const TokfMatListItem& line);
// Copies a line through a typed stream; a failure is shown and the target keeps what was read.
void CopyLine(TokfMatListItem& target, const TokfMatListItem& source);
// Prices every line again with the pricing context in force. Raises on a missing article.
void RepriceList(TokfMatList& list);
// A positive quantity raised to the next whole multiple of the minimum trade quantity; one within
// 0.0001 of a multiple, and any quantity when minTrade is not positive, stays as it is.
float RoundUpToMinTrade(float quantity, double minTrade);
// Rounds every line's quantity up to its article's minimum trade quantity (Catalog.MinTrade) and
// costs the lines that changed again; articles without one keep their quantity.
void RoundToMinTrade(TokfMatList& list);

// Byte-wise comparisons for sorting: negative, 0 or positive.
int CompareById(const TokfMatListItem& a, const TokfMatListItem& b);
// By the articles' catalogue names; a missing article has the empty name.
int CompareByName(const TokfMatListItem& a, const TokfMatListItem& b);
void SortById(TokfMatList& list);
void SortByName(TokfMatList& list);

template <class Less>
void TokfMatList::Sort(Less less)
{
    std::stable_sort(Lines.begin(), Lines.end(), less);
}
