#include "model/order.h"

#include <algorithm>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/messages.h"
#include "foundation/ole_date.h"
#include "foundation/typed_stream.h"
#include "model/stored_reader.h"
#include "model/versions.h"

namespace {
// A position holds at least its own cells and two empty sashes.
constexpr int MinPositionBytes = 200;
constexpr int CursorPastEnd = 100000;

// A generous estimate of the stored size, so that a large order is not copied over and over
// while the stream's buffer grows.
qint64 StoredSizeEstimate(const TokfOrder& order)
{
    qint64 estimate = 4096;
    for (int i = 0; i < order.PositionCount(); ++i) {
        const TokfConstruction& p = order.Position(i);
        estimate += 1024;
        for (const TokfFlugel* f : {&p.Flugel1, &p.Flugel2}) {
            estimate += 512 + f->SideCount() * 200 + f->MatList.Count() * 140;
            if (f->Complect)
                estimate += f->Complect->ItemCount() * 180;
        }
    }
    return estimate;
}
} // namespace

TokfOrder::TokfOrder() : Signature(OrderSignature()), Version(OrderFormatVersion())
{
    const QDateTime now = QDateTime::currentDateTime();
    CreateTime = ToOleDate(now);
    CreateTime2 = CreateTime;
    Date = ToOleDate(now.date());
}

TokfOrder::~TokfOrder() = default;

TokfConstruction& TokfOrder::AddPosition() { return AddPosition(std::make_unique<TokfConstruction>(this)); }

TokfConstruction& TokfOrder::AddPosition(std::unique_ptr<TokfConstruction> position)
{
    position->Order = this;
    Positions.push_back(std::move(position));
    return *Positions.back();
}

int TokfOrder::IndexOf(const TokfConstruction* position) const
{
    for (size_t i = 0; i < Positions.size(); ++i)
        if (Positions[i].get() == position)
            return static_cast<int>(i);
    return -1;
}

void TokfOrder::Clear() { Positions.clear(); }

void TokfOrder::Delete(int index)
{
    if (index >= 0 && index < PositionCount())
        Positions.erase(Positions.begin() + index);
}

TokfConstruction* TokfOrder::FindByPosNo(const QString& posNo)
{
    const QString wanted = UpperCp1251(posNo);
    for (const auto& position : Positions)
        if (UpperCp1251(position->PosNo) == wanted)
            return position.get();
    return nullptr;
}

int TokfOrder::CountIncluded() const
{
    return static_cast<int>(std::count_if(Positions.begin(), Positions.end(), [](const auto& p) { return p->Included; }));
}

TokfConstruction* TokfOrder::FirstIncluded()
{
    Cursor = 0;
    return NextIncluded();
}

TokfConstruction* TokfOrder::NextIncluded()
{
    for (int i = Cursor; i < PositionCount(); ++i)
        if (Positions[static_cast<size_t>(i)]->Included) {
            Cursor = i + 1;
            return Positions[static_cast<size_t>(i)].get();
        }
    Cursor = CursorPastEnd;
    return nullptr;
}

TMoney TokfOrder::TotalCost() const
{
    TMoney total;
    for (const auto& position : Positions)
        if (position->Included)
            total += position->Cost();
    return total;
}

TMoney TokfOrder::TotalNDSSum() const
{
    if (!TotalNDS)
        return {};
    return TMoney::FromDouble(TotalCost().ToLongDouble() * static_cast<long double>(NDSTax) / 100.0L);
}

TMoney TokfOrder::TotalWithNDS() const { return TotalCost() + TotalNDSSum(); }

void TokfOrder::SortByPosNo()
{
    std::stable_sort(Positions.begin(), Positions.end(),
                     [](const auto& a, const auto& b) { return CompareCp1251(a->PosNo, b->PosNo) < 0; });
}

void TokfOrder::SortByName()
{
    std::stable_sort(Positions.begin(), Positions.end(),
                     [](const auto& a, const auto& b) { return CompareCp1251(a->Name, b->Name) < 0; });
}

void TokfOrder::BuildMatList(TokfMatList& list) const
{
    for (const auto& position : Positions)
        if (position->Included)
            position->AddToMatList(list);
}

void TokfOrder::Write(TSpecStream& stream) const
{
    stream.Reserve(stream.Position() + StoredSizeEstimate(*this));
    stream.WriteString(Signature);
    stream.WriteString(Version);
    stream.WriteInteger(Reserved1);
    stream.WriteInteger(Reserved2);
    stream.WriteDate(CreateTime);
    stream.WriteDate(CreateTime2);
    stream.WriteInteger(Reserved3);
    for (const QString* text : {&No, &AltNo, &Customer, &Object, &Address, &Phone, &Remark})
        stream.WriteString(*text);
    stream.WriteDate(Date);
    stream.WriteBoolean(DateChecked);
    for (const QString* text : {&ProfSys, &InnerProfColor, &OuterProfColor, &FurnSys, &FurnColor, &Handle})
        stream.WriteString(*text);
    for (std::int32_t value : {FalzType, DornType, StulpType, OpenType, PriceGroupNo})
        stream.WriteInteger(value);
    stream.WriteDouble(NDSTax);
    stream.WriteBoolean(TotalNDS);
    stream.WriteBoolean(ShowIncludingNDS);
    Currencies.Write(stream);
    stream.WriteInteger(Currency);
    stream.WriteStrings(Notes);
    stream.WriteInteger(PositionCount());
    for (const auto& position : Positions)
        position->Write(stream);
}

bool TokfOrder::Read(TSpecStream& stream, bool& converted)
{
    converted = false;
    TStoredReader in(stream);
    const QString signature = in.String();
    // Anything else (a selection, a foreign file) would be read out of step into garbage.
    if (signature != OrderSignature())
        throw TStreamError(QStringLiteral("Файл не является файлом заказа"));
    Signature = signature;
    Version = in.String();
    Reserved1 = in.Integer();
    Reserved2 = in.Integer();
    CreateTime = in.DateDays();
    CreateTime2 = in.DateDays();
    Reserved3 = in.Integer();

    const QString current = OrderFormatVersion();
    if (Version != current) {
        if (IsVersionOlder(Version, current)) {
            if (!ShowConfirm(QStringLiteral("Необходимо конвертировать файл заказа!\r\nЗагружаемая версия: %1\r\nТекущая версия: %2")
                                 .arg(Version, current)))
                return false;
            converted = true;
        } else {
            ShowWarning(QStringLiteral("Вы пытаетесь открыть заказ, созданный более новой версией программы, чем текущая.\r\n"
                                       "Данный модуль технолога поддерживает файлы заказа\r\nверсии не старше: %1!\r\n"
                                       "Загружаемая версия: %2")
                            .arg(current, Version));
            return false;
        }
    }

    for (QString* text : {&No, &AltNo, &Customer, &Object, &Address, &Phone, &Remark})
        *text = in.String();
    Date = in.DateDays();
    DateChecked = in.Boolean();
    for (QString* text : {&ProfSys, &InnerProfColor, &OuterProfColor, &FurnSys, &FurnColor, &Handle})
        *text = in.String();
    if (IsVersionNotOlder(Version, VersionNoObsoleteCodes())) {
        FalzType = in.Integer();
        DornType = in.Integer();
        StulpType = in.Integer();
        OpenType = in.Integer();
    } else {
        ObsoleteCode1 = in.String();
        ObsoleteCode2 = in.String();
    }
    PriceGroupNo = in.Integer();
    NDSTax = in.Single();
    TotalNDS = in.Boolean();
    ShowIncludingNDS = in.Boolean();
    Currencies.Read(stream, Version);
    Currency = in.Integer();
    Notes = in.Strings();

    Positions.clear();
    const int count = in.Count(MinPositionBytes);
    for (int i = 0; i < count; ++i)
        AddPosition().Read(stream, Version);
    return true;
}

bool TokfOrder::SaveToFile(const QString& fileName)
{
    if (fileName.isEmpty())
        return false;
    const QString previous = Version;
    try {
        Version = OrderFormatVersion();
        TSpecStream stream;
        Write(stream);
        SaveStreamToFile(stream, fileName);
        return true;
    } catch (const std::exception& e) {
        Version = previous;
        ShowError(QStringLiteral("Ошибка сохранения заказа!\r\n(%1)").arg(ErrorText(e)));
        return false;
    }
}

bool TokfOrder::LoadFromFile(const QString& fileName, bool& converted)
{
    converted = false;
    if (fileName.isEmpty())
        return false;
    try {
        TSpecStream stream = LoadStreamFromFile(fileName);
        return Read(stream, converted);
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("Ошибка загрузки заказа!\r\n(%1)").arg(ErrorText(e)));
        return false;
    }
}

bool TokfOrder::LoadFromFile(const QString& fileName)
{
    bool converted = false;
    return LoadFromFile(fileName, converted);
}
