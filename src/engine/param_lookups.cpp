#include "engine/param_lookups.h"

#include "catalog/data_module.h"
#include "engine/catalog_memo.h"
#include "engine/engine_hooks.h"
#include "engine/engine_sash.h"
#include "engine/field_cache.h"
#include "engine/filter_guard.h"
#include "foundation/error.h"

namespace {

bool LocateCode(TTable& table, int code)
{
    return table.Locate(QStringLiteral("ID"), code);
}

bool LocateText(TTable& table, const QString& field, const QString& value)
{
    return table.Locate(field, value);
}

int IntField(TTable& table, const char* name)
{
    return Field(table, name).AsInteger();
}

QString TextField(TTable& table, const char* name)
{
    return Field(table, name).AsString();
}

QString CodeName(TTable& table, int code)
{
    return LocateCode(table, code) ? TextField(table, "Name") : QString();
}

bool LocateComplect(const QString& id)
{
    return LocateText(EngineCatalog().T_FrnComp, QStringLiteral("ID"), id);
}

} // namespace

void ReadFalzParams(int code, bool quiet, TSelectionParams& params)
{
    params.FalzLuft = params.FalzSize = params.FalzPos = 0;
    TTable& t = EngineCatalog().T_FalzList;
    if (!LocateCode(t, code)) {
        if (quiet)
            return;
        throw TError(QStringLiteral("В БД параметров фальца отсутствуют данные для кода [%1]!").arg(code));
    }
    params.FalzLuft = IntField(t, "FalzLuft");
    params.FalzSize = IntField(t, "FalzSize");
    params.FalzPos = IntField(t, "FalzPos");
}

void ReadDornMass(int code, bool quiet, TSelectionParams& params)
{
    params.DornMass = 0;
    TTable& t = EngineCatalog().T_DornList;
    if (!LocateCode(t, code)) {
        if (quiet)
            return;
        throw TError(QStringLiteral("В БД параметров дорнмасса отсутствуют данные для кода [%1]!").arg(code));
    }
    params.DornMass = static_cast<float>(t.FieldByName(QStringLiteral("DornMass")).AsFloat());
}

void ReadStulpType(int code, bool quiet, quint8& mullionType)
{
    mullionType = 0;
    TTable& t = EngineCatalog().T_StulpList;
    if (!LocateCode(t, code)) {
        if (quiet)
            return;
        throw TError(QStringLiteral("В БД типов штульпа отсутствуют данные для кода [%1]!").arg(code));
    }
    mullionType = static_cast<quint8>(IntField(t, "StulpType"));
}

void ReadOpenType(int code, bool quiet, TSelectionParams& params)
{
    params.OpenType = 0;
    TTable& t = EngineCatalog().T_OpenList;
    if (!LocateCode(t, code)) {
        if (quiet)
            return;
        throw TError(QStringLiteral("В БД типов открываний створок отсутствуют данные для кода [%1]!").arg(code));
    }
    params.OpenType = static_cast<quint8>(IntField(t, "OpenType"));
}

QString FalzName(int code)
{
    return CodeName(EngineCatalog().T_FalzList, code);
}

QString DornName(int code)
{
    return CodeName(EngineCatalog().T_DornList, code);
}

QString StulpName(int code)
{
    return CodeName(EngineCatalog().T_StulpList, code);
}

QString OpenTypeName(int code)
{
    return CodeName(EngineCatalog().T_OpenList, code);
}

int SystemCommonGroup(const QString& systemId, bool quiet)
{
    TTable& t = EngineCatalog().T_SysList;
    if (!LocateText(t, QStringLiteral("ID"), systemId)) {
        if (quiet)
            return 0;
        throw TError(QStringLiteral("В БД отсутствуют данные для системы [%1]!").arg(systemId));
    }
    return IntField(t, "CommonGrp");
}

QString SystemName(const QString& systemId)
{
    TTable& t = EngineCatalog().T_SysList;
    return LocateText(t, QStringLiteral("ID"), systemId) ? TextField(t, "Name") : QString();
}

QString SystemBaseColor(const QString& systemId)
{
    TTable& t = EngineCatalog().T_SysList;
    return LocateText(t, QStringLiteral("ID"), systemId) ? TextField(t, "BaseColor") : QString();
}

QString KeeperSystemName(const QString& keeperSystemId)
{
    TTable& t = EngineCatalog().T_SysProf;
    return LocateText(t, QStringLiteral("SchlSysID"), keeperSystemId) ? TextField(t, "Name") : QString();
}

QString ColorName(const QString& colorCode)
{
    if (colorCode.isEmpty())
        return QString();
    TTable& t = EngineCatalog().T_Color;
    return LocateText(t, QStringLiteral("Color"), colorCode) ? TextField(t, "Name") : QString();
}

bool ComplectExists(const QString& complectId)
{
    return LocateComplect(complectId);
}

QString ComplectName(const QString& complectId)
{
    if (!LocateComplect(complectId))
        throw TError(QStringLiteral("В БД комплектов фурнитур отсутствуют\r\nданные для комплекта [%1]").arg(complectId));
    return TextField(EngineCatalog().T_FrnComp, "Name");
}

bool TryComplectName(const QString& complectId, QString& name)
{
    name.clear();
    if (!LocateComplect(complectId))
        return false;
    name = TextField(EngineCatalog().T_FrnComp, "Name");
    return true;
}

int ComplectGroup(const QString& complectId)
{
    return LocateComplect(complectId) ? IntField(EngineCatalog().T_FrnComp, "Group") : 0;
}

int ComplectScreenColor(const QString& complectId)
{
    return LocateComplect(complectId) ? IntField(EngineCatalog().T_FrnComp, "ScrColor") : 0xFFFFFF;
}

int ComplectImage(const QString& complectId)
{
    return LocateComplect(complectId) ? IntField(EngineCatalog().T_FrnComp, "Image") : 0;
}

QString ComplectPrintName(const QString& complectId, bool& printable)
{
    printable = false;
    if (!LocateComplect(complectId))
        return QString();
    TTable& t = EngineCatalog().T_FrnComp;
    printable = IntField(t, "Printable") == 1;
    return TextField(t, "PrintName");
}

int HandleDirection(const QString& complectId, int sideNo)
{
    TTable& t = EngineCatalog().T_FrnSide;
    if (!t.Locate(QStringLiteral("ID;Side"), QVariantList{complectId, sideNo}))
        return 0;
    return IntField(t, "HandleDirect");
}

namespace {

bool PropKeyAllowedNow(int propKey, const QStringList& choices, QChar slotChar)
{
    TTable& props = EngineCatalog().T_FrnProp;
    if (!props.Locate(QStringLiteral("PropKey"), propKey))
        return true;
    for (const QString& line : choices) {
        if (line.isEmpty() || line.at(0) != slotChar)
            continue;
        bool ok = false;
        const int p = line.mid(2).trimmed().toInt(&ok);
        if (!ok)
            throw TError(QStringLiteral("'%1' is not a valid integer value").arg(line.mid(2)));
        if (props.Locate(QStringLiteral("PropKey;ID"), QVariantList{propKey, p}))
            continue;
        const int d = p / 10 * 10;
        TFilterGuard guard(props, QStringLiteral("PropKey = %1 and ID >= %2 and ID < %3").arg(propKey).arg(d).arg(d + 10));
        if (props.RecordCount() > 0)
            return false;
    }
    return true;
}

} // namespace

bool PropKeyAllowed(int propKey, const QStringList& choices, int slot)
{
    // Asked for every complect row, keeper and accessory of a sash with the same choices; the
    // answer depends on the key, the choices of the slot and FrnProp only.
    TTable& props = EngineCatalog().T_FrnProp;
    static TCatalogMemo<bool, int> listed;
    if (!listed.Get(props, propKey, [&] { return props.Locate(QStringLiteral("PropKey"), propKey); }))
        return true;
    const QChar slotChar = QString::number(slot).at(0);
    QString key = QString::number(propKey);
    for (const QString& line : choices)
        if (!line.isEmpty() && line.at(0) == slotChar)
            key += QLatin1Char(' ') + QString::number(line.size()) + QLatin1Char(':') + line;
    static TCatalogMemo<bool> memo;
    return memo.Get(props, key, [&] { return PropKeyAllowedNow(propKey, choices, slotChar); });
}

TSelectionParams ResolveSelectionParams(TEngineComplect& complect)
{
    TSelectionParams params;
    params.ProfWidth = complect.ProfWidth();
    params.Thickness = complect.ProfThickness();
    ReadFalzParams(complect.FalzType(), false, params);
    ReadDornMass(complect.Sash().DornType(), false, params);
    ReadOpenType(complect.OpenType(), false, params);
    if (!(params.DornMass > 0))
        throw TError(QStringLiteral("Не определена величина 'Дормасс'!"));
    if (params.FalzLuft < 1 || params.FalzSize < 1 || params.FalzPos < 1)
        throw TError(QStringLiteral("В документации не установлены\r\nпараметры фальца %1/%2-%3!")
                         .arg(params.FalzLuft)
                         .arg(params.FalzSize)
                         .arg(params.FalzPos));
    return params;
}

quint8 ResolveMullionType(TEngineComplect& complect)
{
    if (complect.Arrangement() >= 2)
        return 6;
    quint8 mullion = 0;
    ReadStulpType(complect.StulpType(), false, mullion);
    return mullion;
}
