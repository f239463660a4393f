#include "model/order_json.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>
#include <cmath>
#include <limits>

#include "foundation/error.h"
#include "foundation/ole_date.h"
#include "model/order.h"
#include "model/selection.h"

namespace {

enum class TKind { String, Int, Number, Bool, Date, Lines, Object, Array };

struct TKey
{
    const char* Name;
    TKind Kind;
};

const TKey OrderKeys[] = {
    {"No", TKind::String},           {"AltNo", TKind::String},          {"Customer", TKind::String},
    {"Object", TKind::String},       {"Address", TKind::String},        {"Phone", TKind::String},
    {"Remark", TKind::String},       {"Date", TKind::Date},             {"DateChecked", TKind::Bool},
    {"ProfSys", TKind::String},      {"InnerProfColor", TKind::String}, {"OuterProfColor", TKind::String},
    {"FurnSys", TKind::String},      {"FurnColor", TKind::String},      {"Handle", TKind::String},
    {"FalzType", TKind::Int},        {"DornType", TKind::Int},          {"StulpType", TKind::Int},
    {"OpenType", TKind::Int},        {"Material", TKind::Int},          {"PriceGroupNo", TKind::Int},
    {"NDSTax", TKind::Number},       {"TotalNDS", TKind::Bool},         {"ShowIncludingNDS", TKind::Bool},
    {"Currency", TKind::Int},        {"Notes", TKind::Lines},           {"Positions", TKind::Array},
    // What "order show --json" adds: accepted so that its output can be built again, and ignored
    // (a build takes a fresh snapshot and computes everything anew).
    {"Version", TKind::String},      {"Currencies", TKind::Array},      {"TotalCost", TKind::Number},
    {"TotalNDSSum", TKind::Number},  {"TotalWithNDS", TKind::Number},
};

const TKey PositionKeys[] = {
    {"PosNo", TKind::String}, {"Name", TKind::String}, {"Number", TKind::Int},   {"ObjectType", TKind::Int},
    {"Included", TKind::Bool}, {"Note", TKind::Lines}, {"Figure", TKind::Int},   {"B", TKind::Number},
    {"H", TKind::Number},     {"X", TKind::Number},    {"Y", TKind::Number},     {"R", TKind::Number},
    {"Fittings", TKind::Object},
    // Computed, ignored on input.
    {"Width", TKind::Number}, {"Height", TKind::Number}, {"Arrangement", TKind::Int}, {"Price", TKind::Number},
    {"Cost", TKind::Number},
};

const TKey FittingsKeys[] = {
    {"FurnSys", TKind::String},  {"ProfSys", TKind::String},    {"Color", TKind::String},
    {"FalzType", TKind::Int},    {"StulpType", TKind::Int},     {"OpenType", TKind::Int},
    {"ProfWidth", TKind::Number}, {"ProfThickness", TKind::Number}, {"Sashes", TKind::Array},
};

const TKey SashKeys[] = {
    {"MainComplect", TKind::String},     {"HingeComplect", TKind::String}, {"HandleComplect", TKind::String},
    {"LockComplect", TKind::String},     {"CylinderComplect", TKind::String},
    {"CloserComplect", TKind::String},   {"LatchComplect", TKind::String}, {"UserHeightSet", TKind::Bool},
    {"UserHandleHeight", TKind::Int},    {"DornType", TKind::Int},         {"Properties", TKind::Lines},
    {"ExtraComplects", TKind::Lines},
    // Computed, ignored on input.
    {"FFB", TKind::Int}, {"FFH", TKind::Int}, {"Items", TKind::Array}, {"MatList", TKind::Array},
};

const TKey SelectionKeys[] = {
    {"No", TKind::String},     {"Date", TKind::Date},     {"Name", TKind::String}, {"Currency", TKind::Int},
    {"NDSTax", TKind::Number}, {"RoundMode", TKind::Int}, {"Note", TKind::Lines},  {"Orders", TKind::Lines},
    {"Entries", TKind::Array},
};

const TKey EntryKeys[] = {
    {"OrderFile", TKind::String}, {"PosNo", TKind::String}, {"Included", TKind::Bool},
};

// Where a value sits in the document, for the messages.
struct TPlace
{
    QString Path;     // "Positions[2].Fittings"
    QString Position; // " (позиция 2 «003»)" or empty
    QString Document; // "заказа" / "выборки"

    TPlace Child(const QString& key) const { return {Path.isEmpty() ? key : Path + QLatin1Char('.') + key, Position, Document}; }
    TPlace Item(int index) const { return {Path + QStringLiteral("[%1]").arg(index), Position, Document}; }

    [[noreturn]] void Fail(const QString& reason) const
    {
        throw TError(QStringLiteral("Ошибка в данных %1: %2%3: %4").arg(Document, Path, Position, reason));
    }
};

QString KindText(TKind kind)
{
    switch (kind) {
    case TKind::String: return QStringLiteral("ожидается строка");
    case TKind::Int: return QStringLiteral("ожидается целое число");
    case TKind::Number: return QStringLiteral("ожидается число");
    case TKind::Bool: return QStringLiteral("ожидается true или false");
    case TKind::Date: return QStringLiteral("ожидается дата в виде \"гггг-мм-дд\"");
    case TKind::Lines: return QStringLiteral("ожидается массив строк");
    case TKind::Object: return QStringLiteral("ожидается объект");
    case TKind::Array: return QStringLiteral("ожидается массив");
    }
    return {};
}

bool IsInt(const QJsonValue& v)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    return std::floor(d) == d && d >= std::numeric_limits<std::int32_t>::min() &&
           d <= std::numeric_limits<std::int32_t>::max();
}

void CheckValue(const QJsonValue& v, TKind kind, const TPlace& place)
{
    bool ok = true;
    switch (kind) {
    case TKind::String: ok = v.isString(); break;
    case TKind::Int: ok = IsInt(v); break;
    case TKind::Number: ok = v.isDouble() && std::isfinite(v.toDouble()); break;
    case TKind::Bool: ok = v.isBool(); break;
    case TKind::Date: ok = v.isString() && QDate::fromString(v.toString(), QStringLiteral("yyyy-MM-dd")).isValid(); break;
    case TKind::Object: ok = v.isObject(); break;
    case TKind::Array: ok = v.isArray(); break;
    case TKind::Lines:
        ok = v.isArray();
        if (ok) {
            const QJsonArray lines = v.toArray();
            for (int i = 0; i < lines.size(); ++i)
                if (!lines.at(i).isString())
                    place.Item(i).Fail(KindText(TKind::String));
        }
        break;
    }
    if (!ok)
        place.Fail(KindText(kind));
}

template <size_t N>
void CheckObject(const QJsonObject& object, const TKey (&keys)[N], const TPlace& place)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        const TKey* known = nullptr;
        for (const TKey& k : keys)
            if (it.key() == QLatin1String(k.Name))
                known = &k;
        if (!known)
            place.Child(it.key()).Fail(QStringLiteral("неизвестный ключ"));
        CheckValue(it.value(), known->Kind, place.Child(it.key()));
    }
}

QJsonObject ParseObject(const QByteArray& json, const QString& document)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw TError(QStringLiteral("Ошибка в данных %1: неверный JSON в позиции %2 (%3)")
                         .arg(document)
                         .arg(error.offset)
                         .arg(error.errorString()));
    if (!doc.isObject())
        throw TError(QStringLiteral("Ошибка в данных %1: ожидается объект JSON").arg(document));
    return doc.object();
}

QString Str(const QJsonObject& o, const char* key, const QString& fallback = {})
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isUndefined() ? fallback : v.toString();
}

int Int(const QJsonObject& o, const char* key, int fallback)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isUndefined() ? fallback : static_cast<int>(v.toDouble());
}

double Num(const QJsonObject& o, const char* key, double fallback)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isUndefined() ? fallback : v.toDouble();
}

std::optional<double> OptNum(const QJsonObject& o, const char* key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return std::nullopt;
    return v.toDouble();
}

bool Bool(const QJsonObject& o, const char* key, bool fallback)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isUndefined() ? fallback : v.toBool();
}

QStringList Lines(const QJsonObject& o, const char* key)
{
    QStringList lines;
    for (const QJsonValue& v : o.value(QLatin1String(key)).toArray())
        lines << v.toString();
    return lines;
}

QJsonArray LinesArray(const QStringList& lines)
{
    QJsonArray a;
    for (const QString& line : lines)
        a.append(line);
    return a;
}

TComplectChoice ReadSash(const QJsonObject& o, int orderDorn, const TPlace& place)
{
    static const QRegularExpression PropertyLine(QStringLiteral("^[0-6]=\\s*-?\\d+\\s*$"));
    TComplectChoice c;
    c.MainComplect = Str(o, "MainComplect");
    c.HingeComplect = Str(o, "HingeComplect");
    c.HandleComplect = Str(o, "HandleComplect");
    c.LockComplect = Str(o, "LockComplect");
    c.CylinderComplect = Str(o, "CylinderComplect");
    c.CloserComplect = Str(o, "CloserComplect");
    c.LatchComplect = Str(o, "LatchComplect");
    c.UserHeightSet = Bool(o, "UserHeightSet", false);
    c.UserHandleHeight = Int(o, "UserHandleHeight", 0);
    c.DornType = Int(o, "DornType", orderDorn);
    c.Properties = Lines(o, "Properties");
    for (int i = 0; i < c.Properties.size(); ++i)
        if (!PropertyLine.match(c.Properties.at(i)).hasMatch())
            place.Child(QStringLiteral("Properties")).Item(i).Fail(
                QStringLiteral("ожидается строка вида \"слот=код\" (слот 0..6), указано \"%1\"").arg(c.Properties.at(i)));
    c.ExtraComplects = Lines(o, "ExtraComplects");
    return c;
}

TPositionInput ReadPosition(const QJsonObject& o, int index, int positionCount, const TNewOrderDefaults& d,
                            const QJsonObject& header)
{
    const QJsonValue posNo = o.value(QLatin1String("PosNo"));
    TPlace place{QStringLiteral("Positions[%1]").arg(index), QString(), QStringLiteral("заказа")};
    place.Position = posNo.isString() ? QStringLiteral(" (позиция %1 «%2»)").arg(index + 1).arg(posNo.toString())
                                      : QStringLiteral(" (позиция %1)").arg(index + 1);
    CheckObject(o, PositionKeys, place);

    TPositionInput p;
    const int figure = Int(o, "Figure", 0);
    if (figure < 0 || figure > 7)
        place.Child(QStringLiteral("Figure")).Fail(QStringLiteral("тип фигуры должен быть от 0 до 7, указано %1").arg(figure));
    p.ObjectType = Int(o, "ObjectType", d.ObjectType);
    if (p.ObjectType < 0 || p.ObjectType > 1)
        place.Child(QStringLiteral("ObjectType")).Fail(
            QStringLiteral("тип изделия должен быть 0 (окно) или 1 (дверь с порогом), указано %1").arg(p.ObjectType));
    p.Number = Int(o, "Number", 1);
    if (p.Number < 0 || p.Number > 99999)
        place.Child(QStringLiteral("Number")).Fail(QStringLiteral("количество должно быть от 0 до 99999"));
    for (const char* key : {"B", "H", "X", "Y", "R"}) {
        const std::optional<double> v = OptNum(o, key);
        if (v && (*v < 0 || *v > 99999))
            place.Child(QLatin1String(key)).Fail(QStringLiteral("размер должен быть от 0 до 99999 мм"));
    }
    p.PosNo = Str(o, "PosNo", ProposedPosNo(positionCount));
    p.Name = Str(o, "Name", ProposedPositionName(p.ObjectType, figure));
    p.Included = Bool(o, "Included", true);
    p.Note = Lines(o, "Note");
    p.Shape = ProposeShape(figure, p.ObjectType, {OptNum(o, "B"), OptNum(o, "H"), OptNum(o, "X"), OptNum(o, "Y"), OptNum(o, "R")});
    p.Arrangement = ArrangementOfFigure(figure);

    // The order's systems and codes, as the position dialog hands them on.
    TFittingsChoice& f = p.Fittings;
    f.FurnSys = Str(header, "FurnSys", d.FurnSys);
    f.ProfSys = Str(header, "ProfSys", d.ProfSys);
    f.Color = Str(header, "FurnColor", d.FurnColor);
    f.FalzType = Int(header, "FalzType", d.FalzType);
    f.StulpType = Int(header, "StulpType", d.StulpType);
    f.OpenType = Int(header, "OpenType", d.OpenType);
    f.ProfWidth = d.ProfWidth;
    f.ProfThickness = d.ProfThickness;
    const int orderDorn = Int(header, "DornType", d.DornType);
    f.First.DornType = orderDorn;
    f.Second.DornType = orderDorn;

    const QJsonValue fittings = o.value(QLatin1String("Fittings"));
    if (fittings.isObject()) {
        const TPlace fp = place.Child(QStringLiteral("Fittings"));
        const QJsonObject fo = fittings.toObject();
        CheckObject(fo, FittingsKeys, fp);
        p.HasFittings = true;
        f.FurnSys = Str(fo, "FurnSys", f.FurnSys);
        f.ProfSys = Str(fo, "ProfSys", f.ProfSys);
        f.Color = Str(fo, "Color", f.Color);
        f.FalzType = Int(fo, "FalzType", f.FalzType);
        f.StulpType = Int(fo, "StulpType", f.StulpType);
        f.OpenType = Int(fo, "OpenType", f.OpenType);
        f.ProfWidth = static_cast<float>(Num(fo, "ProfWidth", f.ProfWidth));
        f.ProfThickness = static_cast<float>(Num(fo, "ProfThickness", f.ProfThickness));
        const QJsonArray sashes = fo.value(QLatin1String("Sashes")).toArray();
        const int wanted = SashCountOfFigure(figure);
        if (sashes.size() != wanted)
            fp.Child(QStringLiteral("Sashes")).Fail(QStringLiteral("для фигуры %1 нужно створок: %2, указано: %3")
                                                       .arg(figure)
                                                       .arg(wanted)
                                                       .arg(sashes.size()));
        for (int i = 0; i < sashes.size(); ++i) {
            const TPlace sp = fp.Child(QStringLiteral("Sashes")).Item(i);
            if (!sashes.at(i).isObject())
                sp.Fail(KindText(TKind::Object));
            CheckObject(sashes.at(i).toObject(), SashKeys, sp);
            (i == 0 ? f.First : f.Second) = ReadSash(sashes.at(i).toObject(), orderDorn, sp);
        }
    }
    return p;
}

double OleDate(const QJsonObject& o, const char* key, double fallback)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return fallback;
    return ToOleDate(QDate::fromString(v.toString(), QStringLiteral("yyyy-MM-dd")));
}

QString DateText(double ole)
{
    return OleDateToDate(ole).toString(QStringLiteral("yyyy-MM-dd"));
}

double Float(float value)
{
    // A stored single shown with the digits it was given, not its binary tail.
    return QString::number(static_cast<double>(value), 'g', 7).toDouble();
}

QJsonObject SashToJson(const TokfFlugel& sash)
{
    QJsonObject s;
    const TokfFurnComp* c = sash.Complect.get();
    s[QStringLiteral("MainComplect")] = c ? c->MainComplect : QString();
    s[QStringLiteral("HingeComplect")] = c ? c->HingeComplect : QString();
    s[QStringLiteral("HandleComplect")] = c ? c->HandleComplect : QString();
    s[QStringLiteral("LockComplect")] = c ? c->LockComplect : QString();
    s[QStringLiteral("CylinderComplect")] = c ? c->CylinderComplect : QString();
    s[QStringLiteral("CloserComplect")] = c ? c->CloserComplect : QString();
    s[QStringLiteral("LatchComplect")] = c ? c->LatchComplect : QString();
    s[QStringLiteral("UserHeightSet")] = c ? c->UserHeightSet : false;
    s[QStringLiteral("UserHandleHeight")] = c ? c->UserHandleHeight : 0;
    s[QStringLiteral("DornType")] = sash.DornType;
    s[QStringLiteral("Properties")] = LinesArray(c ? c->Properties : QStringList());
    s[QStringLiteral("ExtraComplects")] = LinesArray(c ? c->ExtraComplects : QStringList());
    const TFalzSize size = sash.FalzSize();
    s[QStringLiteral("FFB")] = size.Width;
    s[QStringLiteral("FFH")] = size.Height;
    QJsonArray items;
    for (int i = 0; c && i < c->ItemCount(); ++i) {
        const TokfFurnItem& item = c->Item(i);
        items.append(QJsonObject{
            {QStringLiteral("ID"), item.ID},
            {QStringLiteral("Length"), Float(item.Length)},
            {QStringLiteral("Count"), item.Count},
            {QStringLiteral("SideNo"), item.SideNo},
            {QStringLiteral("ParentComplect"), item.ParentComplect},
            {QStringLiteral("Comment"), item.Comment},
            {QStringLiteral("History"), item.History},
        });
    }
    s[QStringLiteral("Items")] = items;
    QJsonArray lines;
    for (const TokfMatListItem& line : sash.MatList)
        lines.append(QJsonObject{
            {QStringLiteral("ID"), line.ID},
            {QStringLiteral("Quantity"), Float(line.Quantity)},
            {QStringLiteral("Price"), MoneyNumber(line.Price)},
            {QStringLiteral("Cost"), MoneyNumber(line.Cost)},
        });
    s[QStringLiteral("MatList")] = lines;
    return s;
}

QJsonArray CurrenciesJson(const TokfCurrencyList& list)
{
    QJsonArray a;
    for (const TokfCurrencyItem& c : list)
        a.append(QJsonObject{{QStringLiteral("ID"), c.ID}, {QStringLiteral("Rate"), Float(c.Rate)}});
    return a;
}

} // namespace

double MoneyNumber(TMoney value)
{
    return value.ToString(4).toDouble();
}

TOrderInput ReadOrderInput(const QByteArray& json, const TNewOrderDefaults& defaults)
{
    TOrderInput input;
    input.Header = ParseObject(json, QStringLiteral("заказа"));
    CheckObject(input.Header, OrderKeys, {QString(), QString(), QStringLiteral("заказа")});
    const QJsonArray positions = input.Header.value(QLatin1String("Positions")).toArray();
    for (int i = 0; i < positions.size(); ++i) {
        if (!positions.at(i).isObject())
            TPlace{QStringLiteral("Positions[%1]").arg(i), QStringLiteral(" (позиция %1)").arg(i + 1), QStringLiteral("заказа")}
                .Fail(KindText(TKind::Object));
        input.Positions.push_back(ReadPosition(positions.at(i).toObject(), i, i, defaults, input.Header));
    }
    return input;
}

void ApplyOrderHeader(TokfOrder& order, const TOrderInput& input, const TNewOrderDefaults& d)
{
    const QJsonObject& h = input.Header;
    order.No = Str(h, "No");
    order.AltNo = Str(h, "AltNo");
    order.Customer = Str(h, "Customer");
    order.Object = Str(h, "Object");
    order.Address = Str(h, "Address");
    order.Phone = Str(h, "Phone");
    order.Remark = Str(h, "Remark");
    order.Date = OleDate(h, "Date", order.Date);
    order.DateChecked = Bool(h, "DateChecked", true);
    order.ProfSys = Str(h, "ProfSys", d.ProfSys);
    order.InnerProfColor = Str(h, "InnerProfColor", d.InnerProfColor);
    order.OuterProfColor = Str(h, "OuterProfColor", d.OuterProfColor);
    order.FurnSys = Str(h, "FurnSys", d.FurnSys);
    order.FurnColor = Str(h, "FurnColor", d.FurnColor);
    order.Handle = Str(h, "Handle", d.Handle);
    order.FalzType = Int(h, "FalzType", d.FalzType);
    order.DornType = Int(h, "DornType", d.DornType);
    order.StulpType = Int(h, "StulpType", d.StulpType);
    order.OpenType = Int(h, "OpenType", d.OpenType);
    order.Material = Int(h, "Material", d.Material);
    order.PriceGroupNo = Int(h, "PriceGroupNo", d.PriceGroupNo);
    order.NDSTax = static_cast<float>(Num(h, "NDSTax", d.NDSTax));
    order.TotalNDS = Bool(h, "TotalNDS", d.TotalNDS);
    order.ShowIncludingNDS = Bool(h, "ShowIncludingNDS", d.ShowIncludingNDS);
    order.Currency = Int(h, "Currency", d.Currency);
    order.Notes = Lines(h, "Notes");
}

void BuildPosition(TokfConstruction& position, const TPositionInput& input)
{
    position.PosNo = input.PosNo;
    position.Name = input.Name;
    position.Number = input.Number;
    position.ObjectType = static_cast<std::uint8_t>(input.ObjectType);
    position.Included = input.Included;
    position.Note = input.Note;
    position.Arrangement = input.Arrangement;
    const TFittingsChoice& f = input.Fittings;
    if (TokfOrder* order = position.Order) {
        position.ProfSys = order->ProfSys;
        position.FurnSys = order->FurnSys;
        position.Color = order->FurnColor;
        position.FalzType = order->FalzType;
        position.StulpType = order->StulpType;
        position.OpenType = order->OpenType;
    }
    position.BuildOutline(input.Shape, f.First.DornType);
    if (input.Arrangement != arSingle)
        position.Flugel2.DornType = f.Second.DornType;
    if (input.HasFittings)
        position.SetFittings(f);
}

QJsonObject OrderToJson(const TokfOrder& order)
{
    QJsonObject o;
    o[QStringLiteral("Version")] = order.Version;
    o[QStringLiteral("No")] = order.No;
    o[QStringLiteral("AltNo")] = order.AltNo;
    o[QStringLiteral("Customer")] = order.Customer;
    o[QStringLiteral("Object")] = order.Object;
    o[QStringLiteral("Address")] = order.Address;
    o[QStringLiteral("Phone")] = order.Phone;
    o[QStringLiteral("Remark")] = order.Remark;
    o[QStringLiteral("Date")] = DateText(order.Date);
    o[QStringLiteral("DateChecked")] = order.DateChecked;
    o[QStringLiteral("ProfSys")] = order.ProfSys;
    o[QStringLiteral("InnerProfColor")] = order.InnerProfColor;
    o[QStringLiteral("OuterProfColor")] = order.OuterProfColor;
    o[QStringLiteral("FurnSys")] = order.FurnSys;
    o[QStringLiteral("FurnColor")] = order.FurnColor;
    o[QStringLiteral("Handle")] = order.Handle;
    o[QStringLiteral("FalzType")] = order.FalzType;
    o[QStringLiteral("DornType")] = order.DornType;
    o[QStringLiteral("StulpType")] = order.StulpType;
    o[QStringLiteral("OpenType")] = order.OpenType;
    o[QStringLiteral("Material")] = order.Material;
    o[QStringLiteral("PriceGroupNo")] = order.PriceGroupNo;
    o[QStringLiteral("NDSTax")] = Float(order.NDSTax);
    o[QStringLiteral("TotalNDS")] = order.TotalNDS;
    o[QStringLiteral("ShowIncludingNDS")] = order.ShowIncludingNDS;
    o[QStringLiteral("Currency")] = order.Currency;
    o[QStringLiteral("Notes")] = LinesArray(order.Notes);
    o[QStringLiteral("Currencies")] = CurrenciesJson(order.Currencies);
    o[QStringLiteral("TotalCost")] = MoneyNumber(order.TotalCost());
    o[QStringLiteral("TotalNDSSum")] = MoneyNumber(order.TotalNDSSum());
    o[QStringLiteral("TotalWithNDS")] = MoneyNumber(order.TotalWithNDS());

    QJsonArray positions;
    for (int i = 0; i < order.PositionCount(); ++i) {
        const TokfConstruction& c = order.Position(i);
        QJsonObject p;
        p[QStringLiteral("PosNo")] = c.PosNo;
        p[QStringLiteral("Name")] = c.Name;
        p[QStringLiteral("Number")] = c.Number;
        p[QStringLiteral("ObjectType")] = c.ObjectType;
        p[QStringLiteral("Included")] = c.Included;
        p[QStringLiteral("Note")] = LinesArray(c.Note);
        const TOutlineShape shape = ShapeOf(c);
        p[QStringLiteral("Figure")] = shape.Figure;
        p[QStringLiteral("B")] = shape.Width;
        p[QStringLiteral("H")] = shape.Height;
        p[QStringLiteral("X")] = shape.X;
        p[QStringLiteral("Y")] = shape.Y;
        p[QStringLiteral("R")] = Float(shape.Radius1);
        const TOverallSize size = c.OverallSize();
        p[QStringLiteral("Width")] = size.Width;
        p[QStringLiteral("Height")] = size.Height;
        p[QStringLiteral("Arrangement")] = c.Arrangement;
        p[QStringLiteral("Price")] = MoneyNumber(c.Price);
        p[QStringLiteral("Cost")] = MoneyNumber(c.Cost());
        QJsonObject f;
        f[QStringLiteral("FurnSys")] = c.FurnSys;
        f[QStringLiteral("ProfSys")] = c.ProfSys;
        f[QStringLiteral("Color")] = c.Color;
        f[QStringLiteral("FalzType")] = c.FalzType;
        f[QStringLiteral("StulpType")] = c.StulpType;
        f[QStringLiteral("OpenType")] = c.OpenType;
        f[QStringLiteral("ProfWidth")] = Float(c.ProfWidth);
        f[QStringLiteral("ProfThickness")] = Float(c.ProfThickness);
        QJsonArray sashes{SashToJson(c.Flugel1)};
        if (c.Arrangement != arSingle)
            sashes.append(SashToJson(c.Flugel2));
        f[QStringLiteral("Sashes")] = sashes;
        p[QStringLiteral("Fittings")] = f;
        positions.append(p);
    }
    o[QStringLiteral("Positions")] = positions;
    return o;
}

TSelectionInput ReadSelectionInput(const QByteArray& json)
{
    TSelectionInput input;
    input.Header = ParseObject(json, QStringLiteral("выборки"));
    const TPlace root{QString(), QString(), QStringLiteral("выборки")};
    CheckObject(input.Header, SelectionKeys, root);
    const bool hasOrders = input.Header.contains(QLatin1String("Orders"));
    input.HasEntries = input.Header.contains(QLatin1String("Entries"));
    if (hasOrders == input.HasEntries)
        root.Child(QStringLiteral("Orders")).Fail(QStringLiteral("нужен ровно один из ключей Orders и Entries"));
    const int roundMode = Int(input.Header, "RoundMode", 0);
    if (roundMode < 0 || roundMode > 1)
        root.Child(QStringLiteral("RoundMode")).Fail(QStringLiteral("режим округления должен быть 0 или 1"));
    input.Orders = Lines(input.Header, "Orders");
    const QJsonArray entries = input.Header.value(QLatin1String("Entries")).toArray();
    for (int i = 0; i < entries.size(); ++i) {
        const TPlace place = root.Child(QStringLiteral("Entries")).Item(i);
        if (!entries.at(i).isObject())
            place.Fail(KindText(TKind::Object));
        const QJsonObject e = entries.at(i).toObject();
        CheckObject(e, EntryKeys, place);
        if (Str(e, "OrderFile").isEmpty())
            place.Child(QStringLiteral("OrderFile")).Fail(QStringLiteral("не указан файл заказа"));
        if (!e.contains(QLatin1String("PosNo")))
            place.Child(QStringLiteral("PosNo")).Fail(QStringLiteral("не указан номер позиции"));
        input.Entries.push_back({Str(e, "OrderFile"), Str(e, "PosNo"), Bool(e, "Included", true)});
    }
    return input;
}

void ApplySelectionHeader(TokfOrderSelection& s, const TSelectionInput& input, int defaultCurrency, float defaultNDSTax)
{
    const QJsonObject& h = input.Header;
    s.No = Str(h, "No").trimmed();
    s.Name = Str(h, "Name").trimmed();
    s.Date = OleDate(h, "Date", s.Date);
    s.Currency = Int(h, "Currency", defaultCurrency);
    s.NDSTax = static_cast<float>(Num(h, "NDSTax", defaultNDSTax));
    s.PriceGroupNo = 0;
    s.RoundMode = static_cast<std::uint8_t>(Int(h, "RoundMode", 0));
    s.Note = Lines(h, "Note");
}

QJsonObject SelectionToJson(const TokfOrderSelection& s)
{
    QJsonObject o;
    o[QStringLiteral("Version")] = s.Version;
    o[QStringLiteral("No")] = s.No;
    o[QStringLiteral("Date")] = DateText(s.Date);
    o[QStringLiteral("Name")] = s.Name;
    o[QStringLiteral("Currency")] = s.Currency;
    o[QStringLiteral("NDSTax")] = Float(s.NDSTax);
    o[QStringLiteral("PriceGroupNo")] = s.PriceGroupNo;
    o[QStringLiteral("RoundMode")] = s.RoundMode;
    o[QStringLiteral("Note")] = LinesArray(s.Note);
    o[QStringLiteral("Currencies")] = CurrenciesJson(s.Currencies);
    QJsonArray entries;
    for (int i = 0; i < s.Count(); ++i) {
        const TokfOrderSelectionItem& e = s.Entry(i);
        entries.append(QJsonObject{
            {QStringLiteral("Included"), e.Included},
            {QStringLiteral("OrderNo"), e.OrderNo},
            {QStringLiteral("PosNo"), e.PosNo},
            {QStringLiteral("Width"), Float(e.Width)},
            {QStringLiteral("Height"), Float(e.Height)},
            {QStringLiteral("Number"), e.Number},
            {QStringLiteral("PosName"), e.PosName},
            {QStringLiteral("OrderFile"), e.OrderFile},
        });
    }
    o[QStringLiteral("Entries")] = entries;
    return o;
}
