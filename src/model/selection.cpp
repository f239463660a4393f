#include "model/selection.h"

#include <QFileInfo>
#include <algorithm>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/messages.h"
#include "foundation/ole_date.h"
#include "foundation/typed_stream.h"
#include "model/order.h"
#include "model/order_files.h"
#include "model/stored_reader.h"
#include "model/versions.h"

namespace {

constexpr int MinEntryBytes = 4 * 16 + 4 * 4;

// Loads the entries' orders one after another into one order object, reading a file again only
// when the path changes, with the wait cursor shown.
class TOrderWalk
{
public:
    TOrderWalk() { BeginWait(); }
    ~TOrderWalk() { EndWait(); }
    TOrderWalk(const TOrderWalk&) = delete;
    TOrderWalk& operator=(const TOrderWalk&) = delete;

    // The order of the path, or nullptr when it cannot be loaded (the loader has said why).
    // newlyLoaded tells whether the path differs from the last one.
    TokfOrder* Visit(const QString& path, bool& newlyLoaded)
    {
        newlyLoaded = !Started || path != LastPath;
        if (newlyLoaded) {
            Started = true;
            LastPath = path;
            Order = std::make_unique<TokfOrder>();
            Loaded = Order->LoadFromFile(LocateStoredFile(path));
        }
        return Loaded ? Order.get() : nullptr;
    }

private:
    std::unique_ptr<TokfOrder> Order;
    QString LastPath;
    bool Started = false;
    bool Loaded = false;
};

int CompareKeys(std::initializer_list<std::pair<const QString*, const QString*>> keys)
{
    for (const auto& [a, b] : keys)
        if (const int c = CompareCp1251(*a, *b); c != 0)
            return c;
    return 0;
}

} // namespace

void TokfOrderSelectionItem::SetOrderPath(const QString& path) { OrderFile = OrderFileReference(path); }

void TokfOrderSelectionItem::Write(TSpecStream& stream) const
{
    stream.WriteBoolean(Included);
    stream.WriteString(OrderNo);
    stream.WriteString(PosNo);
    stream.WriteDouble(Width);
    stream.WriteDouble(Height);
    stream.WriteInteger(Number);
    stream.WriteString(PosName);
    stream.WriteString(OrderFile);
}

void TokfOrderSelectionItem::Read(TSpecStream& stream, const QString&)
{
    TStoredReader in(stream);
    Included = in.Boolean();
    OrderNo = in.String();
    PosNo = in.String();
    Width = in.Single();
    Height = in.Single();
    Number = in.Integer();
    PosName = in.String();
    OrderFile = in.String();
}

TokfOrderSelection::TokfOrderSelection() : Signature(SelectionSignature()), Version(SelectionFormatVersion())
{
    const QDateTime now = QDateTime::currentDateTime();
    CreateTime = ToOleDate(now);
    CreateTime2 = CreateTime;
    Date = ToOleDate(now.date());
}

TokfOrderSelection::~TokfOrderSelection() = default;

TokfOrderSelectionItem& TokfOrderSelection::Add()
{
    Entries.push_back(std::make_unique<TokfOrderSelectionItem>(this));
    return *Entries.back();
}

void TokfOrderSelection::Delete(int index)
{
    if (index >= 0 && index < Count())
        Entries.erase(Entries.begin() + index);
}

int TokfOrderSelection::CountIncluded() const
{
    return static_cast<int>(std::count_if(Entries.begin(), Entries.end(), [](const auto& e) { return e->Included; }));
}

int TokfOrderSelection::IndexOf(const QString& orderNo, const QString& posNo) const
{
    const QString order = UpperCp1251(orderNo);
    const QString pos = UpperCp1251(posNo);
    for (size_t i = 0; i < Entries.size(); ++i)
        if (UpperCp1251(Entries[i]->OrderNo) == order && UpperCp1251(Entries[i]->PosNo) == pos)
            return static_cast<int>(i);
    return -1;
}

QString TokfOrderSelection::OrderPath(const TokfOrderSelectionItem& entry) const
{
    return OrderFilePath(entry.OrderFile);
}

TokfConstruction* TokfOrderSelection::EntryPosition(const TokfOrderSelectionItem& entry) const
{
    const QString path = LocateStoredFile(OrderPath(entry));
    if (!QFileInfo::exists(path))
        return nullptr;
    auto order = std::make_unique<TokfOrder>();
    if (!order->LoadFromFile(path))
        return nullptr;
    TokfConstruction* position = order->FindByPosNo(entry.PosNo);
    if (position)
        order.release(); // owned by the caller through the position's Order
    return position;
}

void TokfOrderSelection::Refresh(bool updateIncluded)
{
    TOrderWalk walk;
    for (const auto& entry : Entries) {
        bool newlyLoaded = false;
        TokfOrder* order = walk.Visit(OrderPath(*entry), newlyLoaded);
        if (!order)
            continue;
        const TokfConstruction* position = order->FindByPosNo(entry->PosNo);
        if (!position)
            continue;
        if (updateIncluded)
            entry->Included = position->Included;
        entry->OrderNo = order->No;
        entry->PosNo = position->PosNo;
        entry->Width = 0;
        entry->Height = 0;
        entry->Number = position->Number;
        entry->PosName = position->Name;
    }
}

QString TokfOrderSelection::OrderNumbers() const
{
    TOrderWalk walk;
    QStringList numbers;
    for (const auto& entry : Entries) {
        bool newlyLoaded = false;
        const TokfOrder* order = walk.Visit(OrderPath(*entry), newlyLoaded);
        if (order && newlyLoaded)
            numbers.append(order->No);
    }
    return numbers.join(QLatin1Char(','));
}

void TokfOrderSelection::BuildMatList(TokfMatList& list) const
{
    {
        TOrderWalk walk;
        for (const auto& entry : Entries) {
            if (!entry->Included)
                continue;
            bool newlyLoaded = false;
            TokfOrder* order = walk.Visit(OrderPath(*entry), newlyLoaded);
            if (!order)
                continue;
            if (const TokfConstruction* position = order->FindByPosNo(entry->PosNo))
                position->AddToMatList(list);
        }
    }
    SortById(list);
    RepriceList(list);
    // Purchasing buys whole packs: the list says how much to order, not how much is fitted.
    if (RoundMode == 1)
        RoundToMinTrade(list);
}

void TokfOrderSelection::SortByOrderPos()
{
    std::stable_sort(Entries.begin(), Entries.end(), [](const auto& a, const auto& b) {
        return CompareKeys({{&a->OrderNo, &b->OrderNo}, {&a->PosNo, &b->PosNo}}) < 0;
    });
}

void TokfOrderSelection::SortByPosOrder()
{
    std::stable_sort(Entries.begin(), Entries.end(), [](const auto& a, const auto& b) {
        return CompareKeys({{&a->PosNo, &b->PosNo}, {&a->OrderNo, &b->OrderNo}}) < 0;
    });
}

void TokfOrderSelection::SortByNameOrderPos()
{
    std::stable_sort(Entries.begin(), Entries.end(), [](const auto& a, const auto& b) {
        return CompareKeys({{&a->PosName, &b->PosName}, {&a->OrderNo, &b->OrderNo}, {&a->PosNo, &b->PosNo}}) < 0;
    });
}

void TokfOrderSelection::SortByFileOrderPos()
{
    std::stable_sort(Entries.begin(), Entries.end(), [](const auto& a, const auto& b) {
        return CompareKeys({{&a->OrderFile, &b->OrderFile}, {&a->OrderNo, &b->OrderNo}, {&a->PosNo, &b->PosNo}}) < 0;
    });
}

void TokfOrderSelection::Write(TSpecStream& stream) const
{
    stream.WriteString(Signature);
    stream.WriteString(Version);
    stream.WriteInteger(Reserved1);
    stream.WriteInteger(Reserved2);
    stream.WriteDate(CreateTime);
    stream.WriteDate(CreateTime2);
    stream.WriteInteger(Reserved3);
    stream.WriteString(No);
    stream.WriteDate(Date);
    stream.WriteString(Name);
    Currencies.Write(stream);
    stream.WriteInteger(Currency);
    stream.WriteInteger(PriceGroupNo);
    stream.WriteDouble(NDSTax);
    stream.WriteByte(RoundMode);
    stream.WriteStrings(Note);
    stream.WriteInteger(Count());
    for (const auto& entry : Entries)
        entry->Write(stream);
}

bool TokfOrderSelection::Read(TSpecStream& stream, bool& converted)
{
    converted = false;
    TStoredReader in(stream);
    const QString signature = in.String();
    if (signature != SelectionSignature())
        throw TStreamError(QStringLiteral("Файл не является файлом выборки"));
    Signature = signature;
    Version = in.String();
    const QString current = SelectionFormatVersion();
    if (Version != current) {
        if (IsVersionOlder(Version, current)) {
            if (!ShowConfirm(QStringLiteral("Необходимо конвертировать файл выборки!\r\nЗагружаемая версия: %1\r\nТекущая версия: %2")
                                 .arg(Version, current)))
                return false;
            converted = true;
        } else {
            ShowWarning(QStringLiteral("Вы пытаетесь открыть выборку, созданную более новой версией программы, чем текущая.\r\n"
                                       "Данный модуль поддерживает файлы выборки\r\nверсии не старше: %1!\r\n"
                                       "Загружаемая версия: %2")
                            .arg(current, Version));
            return false;
        }
    }
    Reserved1 = in.Integer();
    Reserved2 = in.Integer();
    CreateTime = in.DateDays();
    CreateTime2 = in.DateDays();
    Reserved3 = in.Integer();
    No = in.String();
    Date = in.DateDays();
    Name = in.String();
    Currencies.Read(stream, Version);
    Currency = in.Integer();
    PriceGroupNo = in.Integer();
    NDSTax = in.Single();
    RoundMode = in.Byte();
    Note = in.Strings();
    Entries.clear();
    const int count = in.Count(MinEntryBytes);
    for (int i = 0; i < count; ++i)
        Add().Read(stream, Version);
    return true;
}

bool TokfOrderSelection::SaveToFile(const QString& fileName)
{
    if (fileName.isEmpty())
        return false;
    const QString previous = Version;
    try {
        Version = SelectionFormatVersion();
        TSpecStream stream;
        Write(stream);
        SaveStreamToFile(stream, fileName);
        return true;
    } catch (const std::exception& e) {
        Version = previous;
        ShowError(QStringLiteral("Ошибка сохранения выборки!\r\n(%1)").arg(ErrorText(e)));
        return false;
    }
}

bool TokfOrderSelection::LoadFromFile(const QString& fileName, bool& converted)
{
    converted = false;
    if (fileName.isEmpty())
        return false;
    try {
        TSpecStream stream = LoadStreamFromFile(fileName);
        return Read(stream, converted);
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("Ошибка загрузки выборки!\r\n(%1)").arg(ErrorText(e)));
        return false;
    }
}

bool TokfOrderSelection::LoadFromFile(const QString& fileName)
{
    bool converted = false;
    return LoadFromFile(fileName, converted);
}
