#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/money.h"
#include "model/construction.h"
#include "model/currency_list.h"

class TSpecStream;

// An order: the customer's header, the defaults for new positions, the pricing settings with the
// frozen currency rates, notes, and the positions. Stored as one .kfo370 file.
class TokfOrder
{
public:
    TokfOrder();
    ~TokfOrder();
    TokfOrder(const TokfOrder&) = delete;
    TokfOrder& operator=(const TokfOrder&) = delete;

    QString Signature;
    QString Version;
    std::int32_t Reserved1 = 0;
    std::int32_t Reserved2 = 0;
    double CreateTime = 0; // OLE day counts, kept as stored
    double CreateTime2 = 0;
    std::int32_t Reserved3 = 0;
    QString No;
    QString AltNo;
    QString Customer;
    QString Object;
    QString Address;
    QString Phone;
    QString Remark;
    double Date = 0; // OLE day count, date part only for a new order
    bool DateChecked = true;
    QString ProfSys;
    QString InnerProfColor;
    QString OuterProfColor;
    QString FurnSys;
    QString FurnColor;
    QString Handle;
    QString ObsoleteCode1; // only from files older than 10.12.2009
    QString ObsoleteCode2;
    std::int32_t Material = 0; // not stored
    std::int32_t FalzType = 0;
    std::int32_t DornType = 0;
    std::int32_t StulpType = 0;
    std::int32_t OpenType = 0;
    std::int32_t PriceGroupNo = 0;
    float NDSTax = 0;
    bool TotalNDS = false;
    bool ShowIncludingNDS = false;
    TokfCurrencyList Currencies;
    std::int32_t Currency = 0;
    QStringList Notes;

    int PositionCount() const { return static_cast<int>(Positions.size()); }
    TokfConstruction& Position(int index) { return *Positions.at(static_cast<size_t>(index)); }
    const TokfConstruction& Position(int index) const { return *Positions.at(static_cast<size_t>(index)); }
    // A new empty position owned by the order, appended at the end.
    TokfConstruction& AddPosition();
    // Takes over a position (its Order becomes this order), appended at the end.
    TokfConstruction& AddPosition(std::unique_ptr<TokfConstruction> position);
    int IndexOf(const TokfConstruction* position) const;
    void Clear();
    void Delete(int index);

    int CurrencyCount() const { return Currencies.Count(); }
    TokfCurrencyItem& CurrencyItem(int index) { return Currencies.Item(index); }
    void ClearCurrencies() { Currencies.Clear(); }

    // Ignoring letter case by the code page's rules; nullptr when none.
    TokfConstruction* FindByPosNo(const QString& posNo);
    int CountIncluded() const;
    bool AnyIncluded() const { return CountIncluded() > 0; }
    TokfConstruction* FirstIncluded();
    TokfConstruction* NextIncluded();

    TMoney TotalCost() const;
    TMoney TotalNDSSum() const;
    TMoney TotalWithNDS() const;

    void SortByPosNo();
    void SortByName();
    void BuildMatList(TokfMatList& list) const;

    void Write(TSpecStream& stream) const;
    // False when the reading stopped at a declined conversion or a newer version; nothing after
    // the header was read then. A foreign signature and damaged data raise.
    bool Read(TSpecStream& stream, bool& converted);

    // The messages are shown here; false on any failure (the file is then left as it was).
    bool SaveToFile(const QString& fileName);
    // False after an error (shown), a declined conversion or a newer version: such an order must
    // not be saved over its file.
    bool LoadFromFile(const QString& fileName, bool& converted);
    bool LoadFromFile(const QString& fileName);

private:
    std::vector<std::unique_ptr<TokfConstruction>> Positions;
    int Cursor = 0;
};
