#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/currency_list.h"
#include "model/mat_list.h"

class TSpecStream;
class TokfConstruction;
class TokfOrderSelection;

// One entry of a selection: a position of an order file, with display copies from the order.
class TokfOrderSelectionItem
{
public:
    explicit TokfOrderSelectionItem(TokfOrderSelection* selection = nullptr) : Selection(selection) {}

    bool Included = true;
    QString OrderNo;
    QString PosNo; // the key that finds the position in its order
    float Width = 0;
    float Height = 0;
    std::int32_t Number = 0;
    QString PosName;
    QString OrderFile; // stored reference: "%" + the path inside the orders folder, or a full path
    TokfOrderSelection* Selection = nullptr; // owner, not stored

    // Stores the order's path as a reference relative to the orders folder where it lies inside.
    void SetOrderPath(const QString& path);

    void Write(TSpecStream& stream) const;
    void Read(TSpecStream& stream, const QString& version);
};

// A selection: positions of several orders for which one combined material list is printed.
// Stored as one .kfs370 file; the orders are read again whenever their data is needed.
class TokfOrderSelection
{
public:
    TokfOrderSelection();
    ~TokfOrderSelection();
    TokfOrderSelection(const TokfOrderSelection&) = delete;
    TokfOrderSelection& operator=(const TokfOrderSelection&) = delete;

    QString Signature;
    QString Version;
    std::int32_t Reserved1 = 0;
    std::int32_t Reserved2 = 0;
    double CreateTime = 0; // OLE day counts
    double CreateTime2 = 0;
    std::int32_t Reserved3 = 0;
    QString No;
    double Date = 0;
    QString Name;
    TokfCurrencyList Currencies;
    std::int32_t Currency = 0;
    std::int32_t PriceGroupNo = 0;
    float NDSTax = 0;
    std::uint8_t RoundMode = 0; // 0 none, 1 up to the minimum trade quantity
    QStringList Note;

    int Count() const { return static_cast<int>(Entries.size()); }
    TokfOrderSelectionItem& Entry(int index) { return *Entries.at(static_cast<size_t>(index)); }
    const TokfOrderSelectionItem& Entry(int index) const { return *Entries.at(static_cast<size_t>(index)); }
    TokfOrderSelectionItem& Add();
    void Delete(int index);
    void Clear() { Entries.clear(); }
    int CurrencyCount() const { return Currencies.Count(); }
    TokfCurrencyItem& CurrencyItem(int index) { return Currencies.Item(index); }
    void ClearCurrencies() { Currencies.Clear(); }

    int CountIncluded() const;
    bool AnyIncluded() const { return CountIncluded() > 0; }
    // Both texts ignoring letter case; -1 when none.
    int IndexOf(const QString& orderNo, const QString& posNo) const;
    // The full path of the entry's order file, upper-cased.
    QString OrderPath(const TokfOrderSelectionItem& entry) const;
    // The entry's position loaded from its order; the caller frees the position's Order. nullptr
    // when the file is missing, cannot be loaded or has no such position.
    TokfConstruction* EntryPosition(const TokfOrderSelectionItem& entry) const;

    // Brings the display copies up to date with the orders on disk.
    void Refresh(bool updateIncluded);
    // The orders' numbers joined by ",", one per load of a new file.
    QString OrderNumbers() const;
    // Merges the included positions' sash lists, sorts by article and reprices; with RoundMode 1
    // every quantity is then rounded up to its article's minimum trade quantity. Pricing errors raise.
    void BuildMatList(TokfMatList& list) const;

    void SortByOrderPos();
    void SortByPosOrder();
    void SortByNameOrderPos();
    void SortByFileOrderPos();

    void Write(TSpecStream& stream) const;
    // False when the reading stopped at a declined conversion or a newer version. A foreign
    // signature and damaged data raise.
    bool Read(TSpecStream& stream, bool& converted);
    bool SaveToFile(const QString& fileName);
    // False after an error (shown), a foreign file, a declined conversion or a newer version.
    bool LoadFromFile(const QString& fileName, bool& converted);
    bool LoadFromFile(const QString& fileName);

private:
    std::vector<std::unique_ptr<TokfOrderSelectionItem>> Entries;
};
