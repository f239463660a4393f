#!/usr/bin/env python3
"""Writes the demo fittings catalogue "Зеравед" into data/catalog/*.csv.

The CSV files are what ships and what gets reviewed; this script only keeps
them consistent (one place for article numbers, prices and ranges).
Run:  python3 scripts/gen_demo_catalog.py [OUTDIR]
"""
import csv
import os
import sys

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "data", "catalog")

# ----------------------------------------------------------------------------
# Column lists, in the data module's field order.
# ----------------------------------------------------------------------------
COLUMNS = {
    "COLORSET": ["Color", "Name"],
    "Currency": ["Name", "Nominative", "Genitive", "GenitivePlural", "Gender", "Dec", "ID", "Value",
                 "DecNominative", "DecGenitive", "DecGenitivePlural", "DecGender"],
    "PriceGrp": ["Name"] + ["Reduce_%d" % i for i in range(1, 11)] + ["GroupID"],
    "SysList": ["ID", "Group", "Name", "ShortName", "Use", "CommonGrp", "BaseColor"],
    "SysColor": ["ID", "System", "Article"],
    "SysProp": ["ID", "GroupName", "ValueName", "Printable", "Use", "PrintName"],
    "SysProf": ["SchlSysID", "FurnSysID", "Name"],
    "Catalog": ["Article", "ProdArticle", "ProdArticle2", "ProdArticle3", "Price", "Name", "Unit",
                "PriceGrp", "Currency", "ID", "System", "UseArticle", "Group", "MinTrade", "Use",
                "CommonUse", "Integer", "Virtual",
                # columns the program never reads; kept so the table has its full structure
                "FrontColor", "GOST", "ShortName", "AltUnit_1", "AltUnit_2", "Coef", "AltCoef_1",
                "AltCoef_2", "AltInteger_1", "AltInteger_2", "RoundedTotal", "MinLength", "MinWidth",
                "MinHeight", "MaxLength", "MaxWidth", "MaxHeight", "Thickness", "Weight", "Volume",
                "CutAvailable", "CalcPrinciple", "DustGrp", "PriceList", "PriceMethod", "CustomGrp",
                "GetCustom", "GetNDS", "ScreenColor", "SizeToSquare", "ArcPriceCoef",
                "NotStdPriceCoef", "CombinePriceCoef", "IncludeToComp", "GarantGrp", "Laminating",
                "Reserve1", "Reserve2", "Mark", "PrintGroup", "SingleLam", "Export", "SubSetID",
                "LamSqExt", "LamSqInn", "LamSqFull", "AutoChange", "LenToSquare", "SinkDeltaW",
                "SinkDeltaL"],
    "Material": ["ID", "Name"],
    "ParamList": ["ID", "Group", "Name", "FalzLuft", "FalzSize", "FalzPos", "DornMass", "OpenType",
                  "StulpType"],
    "FrnComp": ["ID", "Group", "Name", "Image", "MaxWeight", "ScrColor", "TFlugelAvailable", "Use",
                "SymmetricID", "MultiSysID", "SubGroup", "Kipp", "Direct", "CommonGrp", "Note",
                "PrintName", "Printable", "PropKey", "Alert", "DispHingeNum", "CompectImage",
                "Material", "HingeT", "HingeB", "HingeC"],
    "FrnSide": ["ID", "Side", "MinSize", "MaxSize", "MinRadius", "MaxRadius", "OpenMode", "RotSide",
                "Handled", "Banded", "Drived", "FullRadius", "HalfRadius", "EllipseRadius",
                "MinAngle", "MaxAngle", "HandleDirect"],
    "FrnItem": ["ID", "Name", "HasDornMass", "HasProfSys", "CheckWeight", "HasColor", "HasFalzLuft",
                "HasFalzSize", "HasFalzPos", "CheckThickness", "CheckProfWidth", "CheckStulpType",
                "CheckDirect", "Virtual", "CommonGrp"],
    "FrnSet": ["ID", "Item", "Key", "PropKey", "Number", "Side1No", "Side2No", "AngleNo", "FFBMin",
               "FFBMax", "FFHMin", "FFHMax", "FFL1No", "FFL1Min", "FFL1Max", "FFL2No", "FFL2Min",
               "FFL2Max", "FFL21No", "FFL21Min", "FFL21Max", "FFL22No", "FFL22Min", "FFL22Max",
               "FFANo", "FFAMin", "FFAMax", "FFR1No", "FFR1Min", "FFR1Max", "FFR1Type", "FFR2No",
               "FFR2Min", "FFR2Max", "FFR2Type", "Condition", "ScaleCondition", "ScaleStep",
               "ScaleStart", "ScaleNum", "ScaleScheme", "ColorCondition", "DefineHandleHeight",
               "HandleSideNo", "StulpType", "Required", "UseLen", "LenFormula", "Note",
               "AlertIfNoArt", "AlertIfIgnore", "MinLen", "UseIfArt", "ItemSideNo"],
    "FrnItoI": ["ID", "Item", "PropKey", "Number", "StulpType", "ColorCondition", "Required",
                "AlertIfNoArt", "AlertIfIgnore", "Note", "ItemSideNo"],
    "FrnArt": ["ID", "CatalogID", "Key", "FalzLuft", "FalzSize", "FalzPos", "DornMassMin",
               "DornMassMax", "HandleMin", "HandleMax", "HandleHeight", "WeightMin", "WeightMax",
               "ThicknessMin", "ThicknessMax", "ProfWidthMin", "ProfWidthMax", "ProfSys", "FFBMin",
               "FFBMax", "FFHMin", "FFHMax", "Color", "StulpType", "Direct", "FFAMin", "FFAMax",
               "FFL1Min", "FFL1Max", "FFL2Min", "FFL2Max", "FFR1Min", "FFR1Max", "FFR2Min",
               "FFR2Max"],
    "FrnSchl": ["CatalogID", "Item", "Key", "Number", "StulpType", "PropKey", "ItemSideNo",
                "ItemComplectID"],
    "FrnDop": ["CatalogID", "AccessoryID", "Key", "Number", "PropKey", "StulpType", "ItemSideNo",
               "ItemComplectID"],
    "FrnAbd": ["CatalogID", "Color", "AccessoryID", "Number", "ItemSideNo", "ItemComplectID"],
    "FrnProp": ["ID", "PropKey", "Default"],
}

# Columns the engine reads as numbers: written as 0 when a row leaves them out,
# so that no reader has to guess what a blank integer means.
TEXT_COLUMNS = {
    "Color", "Name", "Nominative", "Genitive", "GenitivePlural", "DecNominative", "DecGenitive",
    "DecGenitivePlural", "ID", "ShortName", "BaseColor", "System", "Article", "GroupName",
    "ValueName", "PrintName", "SchlSysID", "FurnSysID", "ProdArticle", "ProdArticle2",
    "ProdArticle3", "Unit", "SymmetricID", "MultiSysID", "Note", "Alert", "HingeT", "HingeB",
    "HingeC", "Item", "ScaleScheme", "LenFormula", "AlertIfNoArt", "AlertIfIgnore", "UseIfArt",
    "CatalogID", "ProfSys", "AccessoryID", "ItemComplectID",
}
NUMERIC_TABLES_SKIP = {"Catalog": set(COLUMNS["Catalog"][18:])}  # unread columns stay blank

tables = {name: [] for name in COLUMNS}
keys = {"FrnSet": 0, "FrnArt": 0, "FrnSchl": 0, "FrnDop": 0}


def add(table, **row):
    for k in row:
        if k not in COLUMNS[table]:
            raise SystemExit("unknown column %s.%s" % (table, k))
    if table in keys and "Key" in COLUMNS[table]:
        keys[table] += 1
        row["Key"] = keys[table]
    tables[table].append(row)
    return row


def fmt(table, col, value):
    if value is None:
        if col in TEXT_COLUMNS or col in NUMERIC_TABLES_SKIP.get(table, ()):
            return ""
        return "0"
    if isinstance(value, bool):
        return "1" if value else "0"
    if isinstance(value, float):
        text = ("%.4f" % value).rstrip("0").rstrip(".")
        return text if text else "0"
    return str(value)


# ----------------------------------------------------------------------------
# Reference data
# ----------------------------------------------------------------------------
for code, name in [("SR", "Серебро"), ("BL", "Белый"), ("KO", "Коричневый"), ("BR", "Бронза"),
                   ("ZL", "Золото"), ("TT", "Титан"), ("CH", "Чёрный"),
                   ("W", "Белый (профиль)"), ("ZD", "Золотой дуб (профиль)"),
                   ("OR", "Орех (профиль)"), ("AN", "Антрацит (профиль)")]:
    add("COLORSET", Color=code, Name=name)

add("Currency", Name="руб.", Nominative="рубль", Genitive="рубля", GenitivePlural="рублей",
    Gender=0, Dec=2, ID=1, Value=1.0, DecNominative="копейка", DecGenitive="копейки",
    DecGenitivePlural="копеек", DecGender=1)
add("Currency", Name="EUR", Nominative="евро", Genitive="евро", GenitivePlural="евро",
    Gender=2, Dec=2, ID=2, Value=98.5, DecNominative="евроцент", DecGenitive="евроцента",
    DecGenitivePlural="евроцентов", DecGender=0)
add("Currency", Name="USD", Nominative="доллар США", Genitive="доллара США",
    GenitivePlural="долларов США", Gender=0, Dec=2, ID=3, Value=91.2, DecNominative="цент",
    DecGenitive="цента", DecGenitivePlural="центов", DecGender=0)

# Reduce_1 is the markup (+) or discount (-) the price rule applies; the other
# columns are the dealer levels a workshop may keep for its own use.
for gid, name, levels in [
        (1, "Фурнитура", [15, 10, 5, 0, -3, -5, -8, -10, -12, -15]),
        (2, "Ручки", [25, 20, 15, 10, 5, 0, -5, -10, -12, -15]),
        (3, "Дверная фурнитура", [20, 15, 10, 5, 0, -5, -8, -10, -12, -15]),
        (4, "Крепёж", [10, 5, 0, 0, 0, 0, 0, 0, 0, 0]),
        (5, "Распродажа", [-10, -15, -20, -25, -30, -30, -30, -30, -30, -30])]:
    row = {"Name": name, "GroupID": gid}
    for i, v in enumerate(levels, 1):
        row["Reduce_%d" % i] = float(v)
    add("PriceGrp", **row)

for mid, name in [(0, "-"), (1, "ПВХ"), (2, "Дерево"), (3, "Алюминий")]:
    add("Material", ID=mid, Name=name)

for pid, name, luft, size, pos in [(101, "12/20-9", 12, 20, 9), (102, "12/18-13", 12, 18, 13),
                                   (103, "12/20-13", 12, 20, 13), (104, "4/18-9 (дерево)", 4, 18, 9)]:
    add("ParamList", ID=pid, Group=1, Name=name, FalzLuft=luft, FalzSize=size, FalzPos=pos)
for pid, dm in [(201, 15.0), (202, 20.0), (203, 25.0), (204, 30.0), (205, 37.5)]:
    add("ParamList", ID=pid, Group=2, Name=("%g мм" % dm).replace(".", ","), DornMass=dm)
for pid, name, st in [(301, "Штульп накладной ПВХ", 1), (302, "Штульп фальцевый", 2),
                      (303, "Штульп деревянный", 3)]:
    add("ParamList", ID=pid, Group=3, Name=name, StulpType=st)
for pid, name, ot in [(401, "Обычная створка", 1), (402, "Т-образная створка", 2),
                      (403, "Створка с импостом (Z-профиль)", 3)]:
    add("ParamList", ID=pid, Group=4, Name=name, OpenType=ot)

SYSTEMS = [("100", 1, "Зеравед Классик", "ЗВ Классик", 1, 100, "SR"),
           ("110", 1, "Зеравед Классик RC", "ЗВ Классик RC", 1, 110, "SR"),
           ("200", 1, "Зеравед Эко", "ЗВ Эко", 1, 200, "BL"),
           ("P58", 2, "Профиль ПВХ 58 мм", "ПВХ 58", 1, 0, "W"),
           ("P70", 2, "Профиль ПВХ 70 мм", "ПВХ 70", 1, 0, "W"),
           ("W68", 2, "Брус деревянный 68 мм", "Дерево 68", 1, 0, "OR")]
for sid, grp, name, short, use, common, base in SYSTEMS:
    add("SysList", ID=sid, Group=grp, Name=name, ShortName=short, Use=use, CommonGrp=common,
        BaseColor=base)

SYSCOLORS = {"100": ["SR", "BL", "KO", "BR", "ZL", "TT"], "110": ["SR", "BL", "KO", "TT"],
             "200": ["BL", "KO", "SR"]}
FRAG = {"SR": "-01", "BL": "-02", "KO": "-03", "BR": "-04", "ZL": "-05", "TT": "-06", "CH": "-07"}
for sysid, colors in SYSCOLORS.items():
    for c in colors:
        add("SysColor", ID=c, System=sysid, Article=FRAG[c])

KEEPER_SYSTEMS = [("K9", "Планки ПВХ, ось цапфы 9 мм"), ("K13", "Планки ПВХ, ось цапфы 13 мм"),
                  ("KD", "Планки для деревянных окон")]
for furn in ("100", "200"):
    for kid, name in KEEPER_SYSTEMS:
        add("SysProf", SchlSysID=kid, FurnSysID=furn, Name=name)

PROPS = [(111, "Микролифт", "Нет"), (112, "Микролифт", "Есть"),
         (121, "Взломостойкость", "Базовая"), (122, "Взломостойкость", "RC1"),
         (123, "Взломостойкость", "RC2"),
         (131, "Щелевое проветривание", "Нет"), (132, "Щелевое проветривание", "Есть"),
         (141, "Ручка с замком", "Нет"), (142, "Ручка с замком", "Есть")]
for pid, group, value in PROPS:
    add("SysProp", ID=pid, GroupName=group, ValueName=value, Printable=1, Use=1,
        PrintName="%s: %s" % (group, value.lower()))

# Property keys.  Keys 1 and 4 drive the property inspector of the main and the
# handle complect; the others restrict single catalogue rows.
PROPKEYS = {
    1: [(111, 1), (112, 0), (121, 1), (122, 0), (123, 0), (131, 1), (132, 0)],
    4: [(141, 1), (142, 0)],
    12: [(112, 0)],               # only with micro-lift
    21: [(121, 0)],               # only with basic burglar resistance
    22: [(122, 0), (123, 0)],     # only RC1 or RC2
    23: [(123, 0)],               # only RC2
    32: [(132, 0)],               # only with slot ventilation
    41: [(141, 0)],               # handle without lock
    42: [(142, 0)],               # handle with lock
}
for key, rows in PROPKEYS.items():
    for pid, default in rows:
        add("FrnProp", ID=pid, PropKey=key, Default=default)

# ----------------------------------------------------------------------------
# Articles
# ----------------------------------------------------------------------------
CATALOG = {}
_prod = [300000]


def article(cid, name, price, group, unit="шт", currency=2, pricegrp=1, system="100",
            virtual=0, mintrade=1.0):
    if cid in CATALOG:
        return cid
    _prod[0] += 10
    body = cid.split("-", 1)[1]
    row = add("Catalog", Article="ЗВ " + body, ProdArticle=str(_prod[0]),
              ProdArticle2="ZV." + body.replace("-", "."), ProdArticle3=None, Price=price,
              Name=name, Unit=unit, PriceGrp=pricegrp, Currency=currency, ID=cid, System=system,
              UseArticle=1, Group=group, MinTrade=mintrade, Use=1, CommonUse=0, Integer=1,
              Virtual=virtual)
    if unit == "м":
        row["Integer"] = 0
    CATALOG[cid] = row
    return cid


def element(eid, name, **flags):
    row = {"ID": eid, "Name": name}
    for f in ("HasDornMass", "HasProfSys", "CheckWeight", "HasColor", "HasFalzLuft", "HasFalzSize",
              "HasFalzPos", "CheckThickness", "CheckProfWidth", "CheckStulpType", "CheckDirect",
              "Virtual", "CommonGrp"):
        row[f] = flags.pop(f, 0)
    if flags:
        raise SystemExit("unknown flags %s" % flags)
    add("FrnItem", **row)
    return eid


def art(eid, cid, **cols):
    add("FrnArt", ID=eid, CatalogID=cid, **cols)


BACKSETS = [(15.0, "15"), (20.0, "20"), (25.0, "25"), (30.0, "30"), (37.5, "37")]
COLORS_NAME = {"SR": "серебро", "BL": "белый", "KO": "коричневый", "BR": "бронза",
               "ZL": "золото", "TT": "титан"}

# --- drive gears (редукторы), chosen by FFH and backset; they fix the handle height
GEAR_RANGES = [(40, 59, 200), (60, 79, 300), (80, 99, 400), (100, 119, 500), (120, 139, 600),
               (140, 159, 700), (160, 179, 800), (180, 199, 900), (200, 240, 1000)]
for kind, eid, ename, base, price0 in [
        ("ПО", "E.GETR", "Редуктор поворотно-откидной", 100, 9.40),
        ("П", "E.GETRP", "Редуктор поворотный", 110, 7.10)]:
    element(eid, ename, HasDornMass=1, CommonGrp=100)
    for i, (lo, hi, hh) in enumerate(GEAR_RANGES, 1):
        for dm, tag in BACKSETS:
            cid = article("ZV-%d%d%s" % (base // 10, i, tag),
                          "%s, FFH %d-%d мм, дорнмасс %s мм, ручка %d мм"
                          % (ename, lo * 10, hi * 10 + 9, ("%g" % dm).replace(".", ","), hh),
                          round(price0 + 0.35 * i + (0.6 if dm == 37.5 else 0.0), 2), 203)
            art(eid, cid, FFHMin=lo, FFHMax=hi, DornMassMin=dm, DornMassMax=dm, HandleHeight=hh)

# --- corner drives, by rebate air gap
element("E.UGL", "Угловой переключатель", HasFalzLuft=1, CommonGrp=100)
art("E.UGL", article("ZV-20112", "Угловой переключатель, зазор 12 мм", 3.55, 209), FalzLuft=12)
art("E.UGL", article("ZV-20104", "Угловой переключатель, зазор 4 мм (дерево)", 3.85, 209),
    FalzLuft=4)

# --- variable-angle corner drive for shaped sashes, by the corner angle
element("E.UGLT", "Угловой переключатель переменного угла", CommonGrp=100)
art("E.UGLT", article("ZV-24030", "Угловой переключатель для острых углов 30-89°", 11.20, 209),
    FFAMin=30.0, FFAMax=89.99)
art("E.UGLT", article("ZV-24090", "Угловой переключатель для тупых углов 90-150°", 11.90, 209),
    FFAMin=90.0, FFAMax=150.0)

# --- stay arms (ножницы), by FFB and direction
element("E.NOZH", "Ножницы поворотно-откидные", CheckDirect=1, CommonGrp=100)
for i, (lo, hi) in enumerate([(40, 59), (60, 89), (90, 129), (130, 160)], 1):
    for d, side in [(1, "левые"), (2, "правые")]:
        cid = article("ZV-30%d%d0" % (i, d), "Ножницы %s, FFB %d-%d мм" % (side, lo * 10, hi * 10 + 9),
                      round(7.80 + 1.6 * i, 2), 210)
        art("E.NOZH", cid, FFBMin=lo, FFBMax=hi, Direct=d)

# --- extension rods cut to length
element("E.UDL", "Тяга-удлинитель (штанга)", CommonGrp=100)
art("E.UDL", article("ZV-40100", "Тяга-удлинитель 16х3, резка по длине", 4.20, 207, unit="м",
                     mintrade=1.0))

# --- middle locks
element("E.SZ", "Средний запор", CommonGrp=100)
art("E.SZ", article("ZV-50100", "Средний запор с цапфой", 1.45, 211))

# --- hinge sets (virtual composite elements) and their parts
element("E.PETL", "Комплект петель поворотно-откидной", Virtual=1, CommonGrp=100)
element("E.PETLP", "Комплект петель поворотный", Virtual=1, CommonGrp=100)
element("E.PNS", "Петля нижняя на створку", CheckDirect=1, CommonGrp=100)
art("E.PNS", article("ZV-60101", "Петля нижняя на створку, левая", 3.10, 213), Direct=1)
art("E.PNS", article("ZV-60102", "Петля нижняя на створку, правая", 3.10, 213), Direct=2)
element("E.PNR", "Опора петли нижняя на раму", CheckThickness=1, CommonGrp=100)
art("E.PNR", article("ZV-61100", "Опора петли нижняя, профиль 50-64 мм", 2.70, 213),
    ThicknessMin=50, ThicknessMax=64)
art("E.PNR", article("ZV-61200", "Опора петли нижняя, профиль 65-90 мм", 2.95, 213),
    ThicknessMin=65, ThicknessMax=90)
element("E.PVS", "Петля верхняя ножничная на раму", CheckDirect=1, CommonGrp=100)
art("E.PVS", article("ZV-62101", "Петля верхняя ножничная, левая", 2.40, 213), Direct=1)
art("E.PVS", article("ZV-62102", "Петля верхняя ножничная, правая", 2.40, 213), Direct=2)
element("E.PVP", "Петля верхняя поворотная на раму", CheckDirect=1, CommonGrp=100)
art("E.PVP", article("ZV-62201", "Петля верхняя поворотная, левая", 2.90, 213), Direct=1)
art("E.PVP", article("ZV-62202", "Петля верхняя поворотная, правая", 2.90, 213), Direct=2)
for parent in ("E.PETL", "E.PETLP"):
    add("FrnItoI", ID=parent, Item="E.PNS", Number=1, Required=1)
    add("FrnItoI", ID=parent, Item="E.PNR", Number=1, Required=1,
        AlertIfNoArt="Нет опоры петли для толщины профиля: допустимо 50-90 мм")
    add("FrnItoI", ID=parent, Item="E.PVS" if parent == "E.PETL" else "E.PVP", Number=1,
        Required=1)

# hinge cover caps by decor colour, white ones when the colour has none of its own
for cid in ("ZV-60101", "ZV-60102"):
    for c in ("SR", "KO", "BR"):
        add("FrnAbd", CatalogID=cid, Color=c, AccessoryID=article(
            "ZV-63%s" % c, "Накладка на нижнюю петлю, %s" % COLORS_NAME[c], 0.85, 214), Number=1)
    add("FrnAbd", CatalogID=cid, Color="", AccessoryID=article(
        "ZV-63BL", "Накладка на нижнюю петлю, белая", 0.70, 214), Number=1)
for cid in ("ZV-62101", "ZV-62102", "ZV-62201", "ZV-62202"):
    for c in ("SR", "KO"):
        add("FrnAbd", CatalogID=cid, Color=c, AccessoryID=article(
            "ZV-64%s" % c, "Накладка на верхнюю петлю, %s" % COLORS_NAME[c], 0.65, 214), Number=1)
    add("FrnAbd", CatalogID=cid, Color="", AccessoryID=article(
        "ZV-64BL", "Накладка на верхнюю петлю, белая", 0.55, 214), Number=1)

# --- micro-lift, slot ventilation, anti-drill plate
element("E.MLF", "Микролифт", CommonGrp=100)
art("E.MLF", article("ZV-65100", "Микролифт на створку", 1.90, 218))
element("E.SHV", "Фиксатор щелевого проветривания", CommonGrp=100)
art("E.SHV", article("ZV-66100", "Фиксатор щелевого проветривания", 1.60, 220))
element("E.ZSV", "Защита от высверливания", CommonGrp=110)
art("E.ZSV", article("ZV-67100", "Пластина защиты от высверливания RC2", 2.80, 220))

# --- mullion window parts
element("E.SHZ", "Цапфа штульповая", CommonGrp=100)
art("E.SHZ", article("ZV-72100", "Цапфа штульповая на активную створку", 1.25, 205))
element("E.SHO", "Ответная планка штульпа под цапфу", CommonGrp=100)
art("E.SHO", article("ZV-72200", "Ответная планка штульпа под цапфу", 1.35, 215))
element("E.SHTM", "Механизм штульповый", CheckStulpType=1, CommonGrp=100)
for st, name in [(1, "для накладного штульпа"), (2, "для фальцевого штульпа"),
                 (3, "для деревянного штульпа")]:
    art("E.SHTM", article("ZV-7310%d" % st, "Механизм штульповый %s" % name, 14.50 + st, 205),
        StulpType=st)
element("E.SHP", "Шпингалет торцевой", CommonGrp=100)
art("E.SHP", article("ZV-74100", "Шпингалет торцевой 250 мм", 4.90, 208))

# --- arch parts
element("E.GETRA", "Редуктор для арочных створок", CommonGrp=100)
for i, (lo, hi) in enumerate([(300, 699), (700, 1099), (1100, 1600)], 1):
    art("E.GETRA", article("ZV-1300%d" % i, "Редуктор арочный, сторона %d-%d мм" % (lo, hi),
                           10.80 + 0.7 * i, 203), FFL1Min=lo, FFL1Max=hi)
element("E.ARCU", "Угловой переключатель арочный", CommonGrp=100)
art("E.ARCU", article("ZV-24180", "Угловой переключатель арочный", 6.40, 209))
element("E.ARCN", "Ножницы арочные", CommonGrp=100)
art("E.ARCN", article("ZV-31101", "Ножницы арочные, радиус 300-699 мм", 15.30, 210),
    FFR1Min=300, FFR1Max=699)
art("E.ARCN", article("ZV-31102", "Ножницы арочные, радиус 700-1500 мм", 17.60, 210),
    FFR1Min=700, FFR1Max=1500)
element("E.ARCT", "Тяга арочная гибкая", CommonGrp=100)
art("E.ARCT", article("ZV-41100", "Тяга арочная гибкая, резка по длине", 7.90, 207, unit="м"))

# --- tilt-only transom
element("E.GETRF", "Редуктор фрамужный", CommonGrp=100)
art("E.GETRF", article("ZV-14001", "Редуктор фрамужный, FFB 400-999 мм", 9.20, 203), FFBMin=40, FFBMax=99)
art("E.GETRF", article("ZV-14002", "Редуктор фрамужный, FFB 1000-2009 мм", 10.60, 203), FFBMin=100,
    FFBMax=201)
element("E.ONOZ", "Ножницы откидные фрамужные", CommonGrp=100)
art("E.ONOZ", article("ZV-32100", "Ножницы откидные фрамужные", 6.70, 210))
element("E.OPET", "Петля откидная", CommonGrp=100)
art("E.OPET", article("ZV-68100", "Петля откидная нижняя", 2.60, 213))

# --- window handles, by decor colour
element("E.RUCH", "Ручка оконная", HasColor=1, CommonGrp=100)
element("E.RUCHZ", "Ручка оконная с замком", HasColor=1, CommonGrp=100)
for c in ("SR", "BL", "KO", "BR", "ZL", "TT"):
    art("E.RUCH", article("ZV-701%s" % c, "Ручка оконная Классик, %s" % COLORS_NAME[c],
                          6.90 if c in ("SR", "BL") else 8.40, 221, pricegrp=2), Color=c)
art("E.RUCH", article("ZV-70100", "Ручка оконная Классик, белая (для прочих цветов)", 6.90, 221,
                      pricegrp=2), Color="")
for c in ("SR", "BL"):
    art("E.RUCHZ", article("ZV-702%s" % c, "Ручка оконная с замком, %s" % COLORS_NAME[c], 14.20,
                           221, pricegrp=2), Color=c)
art("E.RUCHZ", article("ZV-70200", "Ручка оконная с замком, белая (для прочих цветов)", 13.60,
                       221, pricegrp=2), Color="")

# more window handles: with a push button, with a 45 mm spindle
element("E.RUCHK", "Ручка оконная с кнопкой", HasColor=1, CommonGrp=100)
element("E.RUCH45", "Ручка оконная, штифт 45 мм", HasColor=1, CommonGrp=100)
for c in ("SR", "BL", "KO", "BR", "ZL", "TT"):
    art("E.RUCHK", article("ZV-703%s" % c, "Ручка оконная с кнопкой, %s" % COLORS_NAME[c], 9.80, 221,
                           pricegrp=2), Color=c)
    art("E.RUCH45", article("ZV-704%s" % c, "Ручка оконная, штифт 45 мм, %s" % COLORS_NAME[c], 7.60,
                            221, pricegrp=2), Color=c)

# --- keepers, by keeper system
KEEPERS = [("E.OPL", "Ответная планка", "ZV-801", 0.95, 0),
           ("E.OPLB", "Ответная планка противовзломная", "ZV-811", 2.35, 0),
           ("E.OPLU", "Ответная планка угловая", "ZV-821", 1.10, 0),
           ("E.OPLN", "Ответная планка ножниц", "ZV-831", 1.30, 0)]
KSYS = [("K9", "09", "ось 9 мм"), ("K13", "13", "ось 13 мм"), ("KD", "90", "дерево")]
for eid, name, prefix, price, _ in KEEPERS:
    element(eid, name, HasProfSys=1, CommonGrp=100)
    for ks, tag, kname in KSYS:
        virtual = 1 if (eid == "E.OPLN" and ks == "KD") else 0
        label = "%s, %s" % (name, kname) + (" (не требуется, фиктивная)" if virtual else "")
        art(eid, article("%s%s" % (prefix, tag), label,
                         price, 215, virtual=virtual), ProfSys=ks)
element("E.OPLE", "Ответная планка Эко", HasProfSys=1, CommonGrp=200)
for ks, tag, kname in KSYS:
    art("E.OPLE", article("ZV-851%s" % tag, "Ответная планка Эко, %s" % kname, 0.75, 215,
                          system="200"), ProfSys=ks)

# --- door parts
element("E.DPR", "Прижим дверной регулируемый", CommonGrp=100)
art("E.DPR", article("ZV-D2100", "Прижим дверной регулируемый", 2.10, 226, pricegrp=3))
element("E.DPOR", "Порог алюминиевый", CommonGrp=100)
art("E.DPOR", article("ZV-D2200", "Порог алюминиевый 20 мм, резка по длине", 12.40, 226,
                      unit="м", pricegrp=3))
element("E.DOGR", "Ограничитель открывания двери", CommonGrp=100)
art("E.DOGR", article("ZV-D2300", "Ограничитель открывания двери напольный", 5.30, 226,
                      pricegrp=3))
element("E.DZAM", "Замок дверной с защелкой", HasDornMass=1, CommonGrp=100)
for dm, tag in [(25.0, "25"), (30.0, "30"), (37.5, "37")]:
    art("E.DZAM", article("ZV-D10%s" % tag, "Замок дверной с защелкой, бэксет %s мм, ручка 1050 мм"
                          % ("%g" % dm).replace(".", ","), 46.00, 222, pricegrp=3),
        DornMassMin=dm, DornMassMax=dm, HandleHeight=1050)
element("E.DZAMR", "Замок дверной с роликом", HasDornMass=1, CommonGrp=100)
for dm, tag in [(25.0, "25"), (30.0, "30"), (37.5, "37")]:
    art("E.DZAMR", article("ZV-D11%s" % tag, "Замок дверной с роликовой защелкой, бэксет %s мм"
                           % ("%g" % dm).replace(".", ","), 49.50, 222, pricegrp=3),
        DornMassMin=dm, DornMassMax=dm, HandleHeight=1050)
element("E.DZAMM", "Замок дверной многозапорный", HasDornMass=1, CommonGrp=100)
for dm, tag in [(30.0, "30"), (37.5, "37")]:
    art("E.DZAMM", article("ZV-D12%s" % tag, "Замок многозапорный, бэксет %s мм"
                           % ("%g" % dm).replace(".", ","), 118.00, 222, pricegrp=3),
        DornMassMin=dm, DornMassMax=dm, HandleHeight=1050)
element("E.DOPL", "Ответная планка замка", HasProfSys=1, CommonGrp=100)
for ks, tag, kname in KSYS:
    art("E.DOPL", article("ZV-D13%s" % tag, "Ответная планка замка, %s" % kname, 4.10, 215,
                          pricegrp=3), ProfSys=ks)
element("E.CYL", "Цилиндр профильный", CheckThickness=1, CommonGrp=0)
for lo, hi, cid, name, price in [(60, 74, "ZV-C3040", "30/40", 24.50), (75, 84, "ZV-C3545", "35/45", 27.00),
                                 (85, 100, "ZV-C4050", "40/50", 29.80)]:
    art("E.CYL", article(cid, "Цилиндр %s ключ/ключ, 5 ключей" % name, price, 222, pricegrp=3),
        ThicknessMin=lo, ThicknessMax=hi)
element("E.CYLV", "Цилиндр с вертушкой", CheckThickness=1, CommonGrp=0)
for lo, hi, cid, name, price in [(60, 74, "ZV-C5040", "30/40", 31.00), (75, 100, "ZV-C5545", "35/45", 33.40)]:
    art("E.CYLV", article(cid, "Цилиндр %s ключ/вертушка" % name, price, 222, pricegrp=3),
        ThicknessMin=lo, ThicknessMax=hi)
element("E.DOV", "Доводчик дверной", HasColor=1, CommonGrp=0)
for lo, hi, size, price in [(50, 59, "2", 49.00), (60, 95, "3", 58.00), (96, 125, "4", 71.00)]:
    for c in ("SR", "BL", "KO"):
        art("E.DOV", article("ZV-E0%s%s" % (size, c), "Доводчик EN%s до %d кг, %s"
                             % (size, {"2": 40, "3": 60, "4": 80}[size], COLORS_NAME[c]), price, 225,
                             pricegrp=3), FFBMin=lo, FFBMax=hi, Color=c)
element("E.DPET", "Петля дверная", HasColor=1, CommonGrp=100)
for c in ("SR", "BL", "KO", "BR"):
    art("E.DPET", article("ZV-D30%s" % c, "Петля дверная накладная до 120 кг, %s" % COLORS_NAME[c],
                          9.60, 223, pricegrp=3), Color=c)
element("E.DPET3", "Петля дверная 3D", HasColor=1, CommonGrp=100)
for c in ("SR", "BL", "KO", "BR"):
    art("E.DPET3", article("ZV-D31%s" % c, "Петля дверная 3D регулируемая до 160 кг, %s" % COLORS_NAME[c],
                           16.40, 223, pricegrp=3), Color=c)
element("E.DRUCHR", "Гарнитур нажимной на розетках", HasColor=1, CommonGrp=100)
for c in ("SR", "BL", "KO", "BR"):
    art("E.DRUCHR", article("ZV-D41%s" % c, "Гарнитур нажимной на розетках, %s" % COLORS_NAME[c], 27.90,
                            224, pricegrp=3), Color=c)
element("E.CYLA", "Цилиндр асимметричный", CheckThickness=1, CommonGrp=0)
for lo, hi, cid, name, price in [(60, 74, "ZV-C6050", "30/50", 28.70), (75, 84, "ZV-C6555", "35/55", 30.10),
                                 (85, 100, "ZV-C7060", "40/60", 32.90)]:
    art("E.CYLA", article(cid, "Цилиндр %s ключ/ключ, асимметричный" % name, price, 222, pricegrp=3),
        ThicknessMin=lo, ThicknessMax=hi)
element("E.DRUCH", "Гарнитур нажимной дверной", HasColor=1, CommonGrp=100)
for c in ("SR", "BL", "KO", "BR"):
    art("E.DRUCH", article("ZV-D40%s" % c, "Гарнитур нажимной на планке, %s" % COLORS_NAME[c],
                           21.50, 224, pricegrp=3), Color=c)

# --- fasteners, priced in roubles
SCREW_H = article("ZV-90100", "Винт М5х40 для ручки", 6.50, 1000, currency=1, pricegrp=4,
                  mintrade=100.0)
SCREW_K = article("ZV-90300", "Саморез 3,9х25 для ответных планок", 1.20, 1000, currency=1,
                  pricegrp=4, mintrade=500.0)
PLATE_DOV = article("ZV-90400", "Монтажная пластина доводчика", 540.00, 226, currency=1,
                    pricegrp=3)
# general materials a workshop orders with the fittings (no element refers to them)
for cid, name, price, unit, mt in [
        ("ZV-91100", "Уплотнитель притвора серый, бухта", 38.00, "м", 100.0),
        ("ZV-91200", "Уплотнитель притвора чёрный, бухта", 38.00, "м", 100.0),
        ("ZV-91300", "Смазка для фурнитуры, флакон 50 мл", 310.00, "шт", 1.0),
        ("ZV-91400", "Подкладка под петлю 2 мм", 4.20, "шт", 100.0),
        ("ZV-91500", "Подкладка под ответную планку 1 мм", 3.10, "шт", 100.0),
        ("ZV-91600", "Заглушка декоративная белая", 2.40, "шт", 100.0),
        ("ZV-91700", "Ключ шестигранный для регулировки 4 мм", 85.00, "шт", 1.0),
        ("ZV-91800", "Саморез 4,1х35 по металлу", 1.60, "шт", 500.0),
        ("ZV-91900", "Шаблон для присадки фурнитуры", 2450.00, "шт", 1.0)]:
    article(cid, name, price, 1000, unit=unit, currency=1, pricegrp=4, mintrade=mt)
SCREW_D = article("ZV-90500", "Винт М4х60 для дверного гарнитура", 9.80, 1000, currency=1,
                  pricegrp=4, mintrade=100.0)

# ----------------------------------------------------------------------------
# Keepers and accessories that articles bring with them
# ----------------------------------------------------------------------------
gear_ids = [r["CatalogID"] for r in tables["FrnArt"] if r["ID"] in ("E.GETR", "E.GETRP")]
for cid in gear_ids + ["ZV-50100"]:
    add("FrnSchl", CatalogID=cid, Item="E.OPL", Number=1, PropKey=21)
    add("FrnSchl", CatalogID=cid, Item="E.OPLB", Number=1, PropKey=22)
    add("FrnSchl", CatalogID=cid, Item="E.OPLE", Number=1)
for cid in ("ZV-13001", "ZV-13002", "ZV-13003"):
    add("FrnSchl", CatalogID=cid, Item="E.OPL", Number=1, PropKey=21)
    add("FrnSchl", CatalogID=cid, Item="E.OPLB", Number=1, PropKey=22)
for cid in ("ZV-31101", "ZV-31102"):
    add("FrnSchl", CatalogID=cid, Item="E.OPLN", Number=1)
for cid in ("ZV-20112", "ZV-20104", "ZV-24030", "ZV-24090", "ZV-24180"):
    add("FrnSchl", CatalogID=cid, Item="E.OPLU", Number=1)
for r in [r for r in tables["FrnArt"] if r["ID"] == "E.NOZH"]:
    add("FrnSchl", CatalogID=r["CatalogID"], Item="E.OPLN", Number=1)
for st in (1, 2, 3):
    add("FrnSchl", CatalogID="ZV-7310%d" % st, Item="E.OPLU", Number=2)
for cid in ("ZV-D1025", "ZV-D1030", "ZV-D1037", "ZV-D1125", "ZV-D1130", "ZV-D1137",
            "ZV-D1230", "ZV-D1237"):
    add("FrnSchl", CatalogID=cid, Item="E.DOPL", Number=1)
for cid in ("ZV-D1230", "ZV-D1237"):
    add("FrnSchl", CatalogID=cid, Item="E.OPL", Number=2)
for cid in ("ZV-14001", "ZV-14002"):
    add("FrnSchl", CatalogID=cid, Item="E.OPL", Number=1, PropKey=21)
    add("FrnSchl", CatalogID=cid, Item="E.OPLB", Number=1, PropKey=22)

for r in [r for r in tables["FrnArt"] if r["ID"] in ("E.RUCH", "E.RUCHZ", "E.RUCHK", "E.RUCH45")]:
    add("FrnDop", CatalogID=r["CatalogID"], AccessoryID=SCREW_H, Number=2)
for r in [r for r in tables["FrnArt"] if r["ID"] in ("E.OPL", "E.OPLB", "E.OPLU", "E.OPLN",
                                                     "E.OPLE", "E.DOPL")]:
    if CATALOG[r["CatalogID"]]["Virtual"]:
        continue
    add("FrnDop", CatalogID=r["CatalogID"], AccessoryID=SCREW_K,
        Number=4 if r["ID"] == "E.DOPL" else 2)
for r in [r for r in tables["FrnArt"] if r["ID"] == "E.DOV"]:
    add("FrnDop", CatalogID=r["CatalogID"], AccessoryID=PLATE_DOV, Number=1)
for r in [r for r in tables["FrnArt"] if r["ID"] in ("E.DRUCH", "E.DRUCHR")]:
    add("FrnDop", CatalogID=r["CatalogID"], AccessoryID=SCREW_D, Number=2)

# ----------------------------------------------------------------------------
# Complects, their sides and their composition
# ----------------------------------------------------------------------------
RECT = (89.5, 90.5)


def complect(cid, group, name, image=0, subgroup=0, direct=0, common=100, propkey=0,
             tflugel=1, material=0, scr=0xC0C0C0, symmetric="", note="", alert=""):
    add("FrnComp", ID=cid, Group=group, Name=name, Image=image, MaxWeight=130 if group < 20 else 0,
        ScrColor=scr, TFlugelAvailable=tflugel, Use=1, SymmetricID=symmetric, MultiSysID="",
        SubGroup=subgroup, Kipp=1 if image in (1, 3) else 0, Direct=direct, CommonGrp=common,
        Note=note, PrintName=name, Printable=1, PropKey=propkey, Alert=alert, DispHingeNum=0,
        CompectImage=image, Material=material)


def side(cid, no, size, angle=RECT, radius=(0, 0), open_mode=0, rot=0, handled=0, banded=0,
         drived=0, full=0, half=0, ellipse=0, hdir=0):
    add("FrnSide", ID=cid, Side=no, MinSize=size[0], MaxSize=size[1], MinRadius=radius[0],
        MaxRadius=radius[1], OpenMode=open_mode, RotSide=rot, Handled=handled, Banded=banded,
        Drived=drived, FullRadius=full, HalfRadius=half, EllipseRadius=ellipse,
        MinAngle=float(angle[0]), MaxAngle=float(angle[1]), HandleDirect=hdir)


def setrow(cid, item, **cols):
    add("FrnSet", ID=cid, Item=item, **cols)


def rect_sides(cid, hinge, handle, width, height, tilt=True, drive_top=True, drive_bottom=True):
    """Sides of a rectangular sash: 1 left, 2 top, 3 right, 4 bottom."""
    dims = {1: height, 2: width, 3: height, 4: width}
    for no in (1, 2, 3, 4):
        kw = {}
        if no == hinge:
            kw.update(banded=1, open_mode=1, rot=handle)
        if no == handle:
            # side 3 runs downwards, so its handle is measured from its end point
            kw.update(handled=1, drived=1, hdir=1 if no == 3 else 0)
        if no == 2 and drive_top:
            kw["drived"] = 1
        if no == 4:
            if drive_bottom:
                kw["drived"] = 1
            if tilt:
                kw.update(open_mode=1, rot=2)
        side(cid, no, dims[no], **kw)


TT_ALERT_NOZH = "Ножницы не подобраны: ширина створки по фальцу должна быть от 400 до 1600 мм"
GEAR_ALERT = "Редуктор не подобран: высота створки по фальцу должна быть от 400 до 2400 мм"


def tt_rows(cid, hinge, handle, gear="E.GETR", hinges="E.PETL", scissors=True, mullion=False):
    setrow(cid, gear, Number=1, Condition=2, DefineHandleHeight=1, HandleSideNo=handle,
           Required=1, AlertIfNoArt=GEAR_ALERT, ItemSideNo=handle)
    setrow(cid, "E.UGL", Number=2, Required=1, Note="")
    if scissors:
        setrow(cid, "E.NOZH", Number=1, Condition=1, Required=1, AlertIfNoArt=TT_ALERT_NOZH,
               ItemSideNo=2)
        setrow(cid, "E.UDL", Number=1, FFBMin=130, UseLen=1, LenFormula="FFB-1200", MinLen=50,
               ItemSideNo=2, Note="верх")
    setrow(cid, "E.UDL", Number=1, FFHMin=100, UseLen=1,
           LenFormula="FFН-FG(%d)-350" % handle, MinLen=50, ItemSideNo=handle, Note="над ручкой")
    setrow(cid, "E.SZ", ScaleCondition=1, ScaleStart=80, ScaleStep=40, Number=0, ScaleNum=1,
           ItemSideNo=4)
    setrow(cid, "E.SZ", ScaleCondition=2, ScaleScheme="120;180;220", Number=0, ScaleNum=1,
           ItemSideNo=handle)
    if not mullion:
        setrow(cid, "E.SZ", Number=1, FFHMin=150, ItemSideNo=hinge)
    setrow(cid, hinges, Number=1, ItemSideNo=hinge)
    setrow(cid, "E.MLF", Number=1, PropKey=12, ItemSideNo=handle)
    setrow(cid, "E.ZSV", Number=1, PropKey=23, ItemSideNo=handle)
    if scissors:
        setrow(cid, "E.SHV", Number=1, PropKey=32, ItemSideNo=2)


# Single-sash windows, system 100 (and 110 for the RC set of the same rows)
# side windows match the gear (FFH 40-240 cm) and stay-arm (FFB 40-160 cm) ranges
W = (400, 1600)
H = (400, 2400)
for sysid, common in (("100", 100), ("110", 110)):
    pre = "K%s" % sysid
    for d, hinge, handle, dname in ((1, 1, 3, "левое"), (2, 3, 1, "правое")):
        suffix = "L" if d == 1 else "R"
        other = "R" if d == 1 else "L"
        cid = "%s-PO-%s" % (pre, suffix)
        complect(cid, 10, "Поворотно-откидное окно, %s" % dname + (" (RC)" if sysid == "110" else ""),
                 image=1, direct=d, common=common, propkey=1, symmetric="%s-PO-%s" % (pre, other))
        rect_sides(cid, hinge, handle, W, H)
        tt_rows(cid, hinge, handle)
        if sysid == "110":
            continue
        cid = "%s-P-%s" % (pre, suffix)
        complect(cid, 10, "Поворотное окно, %s" % dname, image=2, direct=d, common=common,
                 propkey=1, symmetric="%s-P-%s" % (pre, other))
        rect_sides(cid, hinge, handle, W, H, tilt=False, drive_top=False, drive_bottom=False)
        tt_rows(cid, hinge, handle, gear="E.GETRP", hinges="E.PETLP", scissors=False)

# tilt-only transom: hinges at the bottom, handle on top
cid = "K100-O"
complect(cid, 10, "Откидная фрамуга", image=3, direct=3, propkey=1)
side(cid, 1, (250, 900), drived=1)
side(cid, 2, (400, 2009), handled=1, hdir=0)
side(cid, 3, (250, 900), drived=1)
side(cid, 4, (400, 2009), banded=1, open_mode=1, rot=2)
setrow(cid, "E.GETRF", Number=1, Condition=1, Required=1, ItemSideNo=2,
       AlertIfNoArt="Фрамужный редуктор не подобран: ширина по фальцу 400-2009 мм")
setrow(cid, "E.ONOZ", Number=1, ItemSideNo=1)
setrow(cid, "E.ONOZ", Number=1, ItemSideNo=3)
setrow(cid, "E.OPET", ScaleCondition=1, ScaleScheme="100;140", ScaleNum=1, Number=2, ItemSideNo=4)
setrow(cid, "E.UGL", Number=2, ItemSideNo=2)
setrow(cid, "E.SZ", ScaleCondition=1, ScaleStart=60, ScaleStep=50, Number=0, ScaleNum=1,
       ItemSideNo=2)

# mullion windows: active sashes (sub-groups 11, 21) and passive ones (12-14, 22-24)
MULLION = 14  # mullion types 1, 2 and 3 (bits 2, 3, 4)
for sub, d, hinge, handle, dname in ((11, 1, 1, 3, "левая активная"), (21, 2, 3, 1, "правая активная")):
    cid = "K100-ST-A%d" % sub
    complect(cid, 10, "Штульповое окно, %s створка (ПО)" % dname, image=1, subgroup=sub, direct=d,
             propkey=1)
    rect_sides(cid, hinge, handle, (400, 1000), H)
    tt_rows(cid, hinge, handle, mullion=True)
    setrow(cid, "E.SHZ", Number=1, StulpType=MULLION, ItemSideNo=handle)
for sub, d, hinge, mside, kind, image in (
        (22, 2, 3, 1, "поворотная", 2), (23, 2, 3, 1, "с торцевыми шпингалетами", 5),
        (24, 2, 3, 1, "глухая на шпингалетах", 5),
        (12, 1, 1, 3, "поворотная", 2), (13, 1, 1, 3, "с торцевыми шпингалетами", 5),
        (14, 1, 1, 3, "глухая на шпингалетах", 5)):
    cid = "K100-ST-P%d" % sub
    where = "правая" if d == 2 else "левая"
    complect(cid, 10, "Штульповое окно, %s пассивная створка, %s" % (where, kind), image=image,
             subgroup=sub, direct=d, propkey=1)
    for no in (1, 2, 3, 4):
        dims = (400, 1000) if no in (2, 4) else H
        kw = {}
        if no == hinge:
            kw.update(banded=1, open_mode=1, rot=mside)
        if no == mside:
            kw["drived"] = 1
        side(cid, no, dims, **kw)
    if sub % 10 == 2:
        setrow(cid, "E.SHTM", Number=1, StulpType=MULLION, ItemSideNo=mside)
        # short passive sashes need no rods: the mechanism reaches both corner drives
        setrow(cid, "E.UDL", Number=2, FFHMin=95, UseLen=1, LenFormula="FFН/2-350", MinLen=100,
               ItemSideNo=mside, Note="тяги механизма")
        setrow(cid, "E.UGL", Number=2, ItemSideNo=mside)
    else:
        setrow(cid, "E.SHP", Number=2, StulpType=MULLION, ItemSideNo=mside)
    setrow(cid, "E.SHO", Number=1, UseIfArt="ZV-72100", ItemSideNo=mside)
    if sub % 10 == 2:
        # a tall active sash bends the mullion: one more lock point, by the active sash's
        # mullion side (its side 3 when the active sash is the left one)
        setrow(cid, "E.SZ", Number=1, FFL21No=3 if d == 2 else 1, FFL21Min=1200, StulpType=MULLION,
               ItemSideNo=mside)
    if sub % 10 != 4:
        setrow(cid, "E.PETLP", Number=1, ItemSideNo=hinge)

# arch, turn-tilt left
cid = "K100-ARC-L"
complect(cid, 10, "Арочное окно поворотно-откидное, левое", image=4, direct=1, propkey=1,
         symmetric="")
side(cid, 1, (300, 1600), angle=RECT, banded=1, open_mode=1, rot=3)
side(cid, 2, (500, 1609), angle=(90.0, 180.5), radius=(250, 1500), drived=1, full=1, half=1)
side(cid, 3, (300, 1600), angle=(90.0, 180.5), handled=1, drived=1, hdir=1)
side(cid, 4, (500, 1609), angle=RECT, open_mode=1, rot=2, drived=1)
setrow(cid, "E.GETRA", Number=1, Condition=4, Side1No=3, DefineHandleHeight=1, HandleSideNo=3,
       Required=1, AlertIfNoArt="Арочный редуктор не подобран: сторона ручки 300-1600 мм",
       ItemSideNo=3)
setrow(cid, "E.UGL", Number=1, ItemSideNo=4)
setrow(cid, "E.ARCU", Number=1, FFANo=3, FFAMin=150.0, FFAMax=181.0, ItemSideNo=2)
setrow(cid, "E.ARCN", Number=1, Condition=8, Side1No=2, FFR1No=2, FFR1Min=300, FFR1Max=1500,
       FFR1Type=2, Required=1, ItemSideNo=2)
setrow(cid, "E.NOZH", Number=1, Condition=1, FFR1No=2, FFR1Type=4, Required=1, ItemSideNo=2,
       Note="лучковая арка")
setrow(cid, "E.ARCT", Number=1, UseLen=1, LenFormula="FL(2)*157/100-300", MinLen=200,
       ItemSideNo=2)
setrow(cid, "E.UDL", Number=1, FFL1No=3, FFL1Min=900, UseLen=1, LenFormula="FL(3)-FG(3)-400",
       MinLen=50, ItemSideNo=3, Note="над ручкой")
setrow(cid, "E.SZ", ScaleCondition=1, ScaleStart=80, ScaleStep=40, Number=0, ScaleNum=1,
       ItemSideNo=4)
setrow(cid, "E.PETL", Number=1, ItemSideNo=1)

# trapezoid, turn-only left (figure with the left side lower)
cid = "K100-TRP-L"
complect(cid, 10, "Трапециевидное окно поворотное, левое", image=2, direct=1, propkey=1)
side(cid, 1, (250, 2400), angle=RECT, banded=1, open_mode=1, rot=3)
side(cid, 2, (300, 1800), angle=(90.5, 150.0), drived=1)
side(cid, 3, (400, 2400), angle=(30.0, 89.5), handled=1, drived=1, hdir=1)
side(cid, 4, (350, 1600), angle=RECT)
setrow(cid, "E.GETRP", Number=1, Condition=2, DefineHandleHeight=1, HandleSideNo=3, Required=1,
       AlertIfNoArt=GEAR_ALERT, ItemSideNo=3)
setrow(cid, "E.UGLT", Number=1, Condition=7, AngleNo=3, Required=1, ItemSideNo=3)
setrow(cid, "E.UGL", Number=1, ItemSideNo=3)
setrow(cid, "E.SZ", Number=1, FFL1No=2, FFL1Min=800, ItemSideNo=2)
setrow(cid, "E.SZ", Number=1, FFANo=2, FFAMin=100.0, FFAMax=135.0, ItemSideNo=1)
setrow(cid, "E.UDL", Number=1, FFHMin=100, UseLen=1, LenFormula="FFН-FG(3)-350", MinLen=50,
       ItemSideNo=3, Note="над ручкой")
setrow(cid, "E.SZ", ScaleCondition=1, ScaleStart=80, ScaleStep=40, Number=0, ScaleNum=1,
       ItemSideNo=4)
setrow(cid, "E.PETLP", Number=1, ItemSideNo=1)

# Eko: turn-tilt only, with its own keepers
for d, hinge, handle, dname in ((1, 1, 3, "левое"), (2, 3, 1, "правое")):
    cid = "K200-PO-%s" % ("L" if d == 1 else "R")
    complect(cid, 10, "Эко: поворотно-откидное окно, %s" % dname, image=1, direct=d, common=200,
             propkey=0)
    rect_sides(cid, hinge, handle, W, H)
    tt_rows(cid, hinge, handle)

# hinge add-ons (group 20, 22)
complect("PH100-SR", 20, "Петля средняя для высоких створок", image=20)
setrow("PH100-SR", "E.SZ", Number=1, FFHMin=180, ItemSideNo=1, Note="средняя петля")
complect("PH100-UN", 22, "Опора петли универсальная (дополнительная)", image=22, common=0)
setrow("PH100-UN", "E.PNR", Number=1, ItemSideNo=1)

# handles: window (30), door (31), universal (32), door with latch lock (33), roller lock (34)
complect("H100-OK", 30, "Ручка оконная Классик", image=30, propkey=4, scr=0x808080)
setrow("H100-OK", "E.RUCH", Number=1, PropKey=41, ColorCondition=0)
setrow("H100-OK", "E.RUCHZ", Number=1, PropKey=42, ColorCondition=0)
complect("H100-KN", 30, "Ручка оконная с кнопкой", image=30, scr=0x808080)
setrow("H100-KN", "E.RUCHK", Number=1)
complect("H100-45", 30, "Ручка оконная, штифт 45 мм (толстые створки)", image=30, scr=0x808080)
setrow("H100-45", "E.RUCH45", Number=1)
complect("H200-OK", 30, "Ручка оконная Эко", image=30, common=200)
setrow("H200-OK", "E.RUCH", Number=1)
complect("H100-UN", 32, "Ручка балконная универсальная", image=32, common=0)
setrow("H100-UN", "E.RUCH", Number=1, ColorCondition=3)
complect("HD100-32", 32, "Гарнитур нажимной на розетках, универсальный", image=32)
setrow("HD100-32", "E.DRUCHR", Number=1)
for group, cid, name in ((31, "HD100-31", "Гарнитур нажимной дверной без замка"),
                         (33, "HD100-33", "Гарнитур нажимной под замок с защелкой"),
                         (34, "HD100-34", "Гарнитур нажимной под замок с роликом")):
    complect(cid, group, name, image=group)
    setrow(cid, "E.DRUCH", Number=1)

# door main complects (group 11)
for d, hinge, handle, dname in ((1, 1, 3, "левая"), (2, 3, 1, "правая")):
    cid = "D100-%s" % ("L" if d == 1 else "R")
    complect(cid, 11, "Дверь с порогом, %s" % dname, image=11, direct=d, tflugel=0)
    dims = {1: (1500, 2500), 2: (600, 1209), 3: (1500, 2500), 4: (600, 1209)}
    for no in (1, 2, 3, 4):
        kw = {}
        if no == hinge:
            kw.update(banded=1, open_mode=1, rot=handle)
        if no == handle:
            kw.update(handled=1, drived=1, hdir=1 if no == 3 else 0)
        side(cid, no, dims[no], **kw)
    setrow(cid, "E.DPR", ScaleCondition=2, ScaleStart=180, ScaleStep=40, Number=1, ScaleNum=1,
           ItemSideNo=hinge)
    setrow(cid, "E.DPOR", Number=1, UseLen=1, LenFormula="FL(4)-12", MinLen=500, ItemSideNo=4)
    setrow(cid, "E.DOGR", Number=1, ItemSideNo=2)

# door hinges (21)
complect("DH100-3", 21, "Петли дверные накладные", image=21)
setrow("DH100-3", "E.DPET", ScaleCondition=2, ScaleScheme="221", ScaleNum=1, Number=3,
       ItemSideNo=1)

complect("DH100-3D", 21, "Петли дверные 3D регулируемые", image=21)
setrow("DH100-3D", "E.DPET3", ScaleCondition=2, ScaleScheme="221", ScaleNum=1, Number=3,
       ItemSideNo=1)

# locks: 41 single point, 43 with latch, 44 with roller, 42 multi-point (universal)
LOCK_ALERT = "Замок для выбранного дорнмасса не поставляется"
for group, cid, name, eid in ((41, "L100-41", "Замок дверной однозапорный", "E.DZAM"),
                              (43, "L100-43", "Замок дверной с защелкой", "E.DZAM"),
                              (44, "L100-44", "Замок дверной с роликовой защелкой", "E.DZAMR"),
                              (42, "L100-42", "Замок дверной многозапорный", "E.DZAMM")):
    complect(cid, group, name, image=group)
    # HandleSideNo 0: the lock sets the height on whichever side the door's handle is
    setrow(cid, eid, Number=1, DefineHandleHeight=1, HandleSideNo=0, Required=1,
           AlertIfNoArt=LOCK_ALERT, ItemSideNo=0)
    if group == 42:
        # the multi-point lock drives rods up and down from the handle the lock has placed
        # only the handle side (1 or 3) has a height, so the sums serve both hands
        setrow(cid, "E.UDL", Number=1, UseLen=1, LenFormula="FFН-FG(1)-FG(3)-250",
               MinLen=100, Note="тяга верхняя")
        setrow(cid, "E.UDL", Number=1, UseLen=1, LenFormula="FG(1)+FG(3)-250",
               MinLen=100, Note="тяга нижняя")

# cylinders (45), closers (50), shoot bolts (46)
complect("C100-KK", 45, "Цилиндр ключ/ключ", image=45, common=0)
setrow("C100-KK", "E.CYL", Number=1, Required=1)
complect("C100-KV", 45, "Цилиндр ключ/вертушка", image=45, common=0)
setrow("C100-KV", "E.CYLV", Number=1, Required=1)
complect("C100-AS", 45, "Цилиндр ключ/ключ асимметричный", image=45, common=0)
setrow("C100-AS", "E.CYLA", Number=1, Required=1)
complect("S100-EN", 50, "Доводчик дверной", image=50, common=0)
setrow("S100-EN", "E.DOV", Number=1, Condition=1, Required=1, ColorCondition=0,
       AlertIfNoArt="Доводчик не подобран: ширина двери по фальцу 500-1254 мм", ItemSideNo=2)
complect("SP100-2", 46, "Шпингалеты торцевые, 2 шт", image=46)
setrow("SP100-2", "E.SHP", Number=2, ItemSideNo=0)

# ----------------------------------------------------------------------------
# Write
# ----------------------------------------------------------------------------
os.makedirs(OUT, exist_ok=True)
for name, cols in COLUMNS.items():
    path = os.path.join(OUT, name + ".csv")
    with open(path, "w", encoding="utf-8", newline="") as f:
        w = csv.writer(f, lineterminator="\r\n")
        w.writerow(cols)
        for row in tables[name]:
            w.writerow([fmt(name, c, row.get(c)) for c in cols])
    print("%-10s %5d rows" % (name, len(tables[name])))
