#include "data_catalog/catalog_checks.h"

#include <QRegularExpression>

#include "catalog/demo_generator.h"

TCatalogFolder::TCatalogFolder(const QString& dir)
{
    for (const QString& name : DemoCatalogTables())
        Tables.insert(name, ReadDemoCsv(dir, name));
}

const TDemoCsvTable& TCatalogFolder::Table(const QString& name) const
{
    static const TDemoCsvTable empty;
    const auto it = Tables.constFind(name);
    return it == Tables.constEnd() ? empty : *it;
}

QSet<QString> TCatalogFolder::Values(const QString& table, const QString& column) const
{
    QSet<QString> result;
    const TDemoCsvTable& t = Table(table);
    for (const QStringList& row : t.Rows)
        result.insert(t.Cell(row, column));
    return result;
}

namespace {

bool IsZero(const QString& v) { return v.isEmpty() || v.toDouble() == 0.0; }

} // namespace

QStringList TCatalogFolder::Problems() const
{
    QStringList problems;

    // Every row has as many cells as the header names.
    for (auto it = Tables.constBegin(); it != Tables.constEnd(); ++it)
        for (qsizetype r = 0; r < it->Rows.size(); ++r)
            if (it->Rows.at(r).size() != it->Columns.size())
                problems << QStringLiteral("%1 row %2: %3 cells for %4 columns")
                                .arg(it.key()).arg(r + 2).arg(it->Rows.at(r).size()).arg(it->Columns.size());

    const auto unique = [&](const QString& table, const QStringList& columns) {
        const TDemoCsvTable& t = Table(table);
        QSet<QString> seen;
        for (const QStringList& row : t.Rows) {
            QStringList key;
            for (const QString& c : columns)
                key << t.Cell(row, c).toUpper();
            const QString k = key.join(QLatin1Char('|'));
            if (seen.contains(k))
                problems << QStringLiteral("%1: duplicate key %2").arg(table, k);
            seen.insert(k);
        }
    };
    unique(QStringLiteral("COLORSET"), {QStringLiteral("Color")});
    unique(QStringLiteral("Currency"), {QStringLiteral("ID")});
    unique(QStringLiteral("PriceGrp"), {QStringLiteral("GroupID")});
    unique(QStringLiteral("SysList"), {QStringLiteral("ID")});
    unique(QStringLiteral("SysColor"), {QStringLiteral("ID"), QStringLiteral("System")});
    unique(QStringLiteral("SysProp"), {QStringLiteral("ID")});
    unique(QStringLiteral("Catalog"), {QStringLiteral("ID")});
    unique(QStringLiteral("Material"), {QStringLiteral("ID")});
    unique(QStringLiteral("ParamList"), {QStringLiteral("ID")});
    unique(QStringLiteral("FrnComp"), {QStringLiteral("ID")});
    unique(QStringLiteral("FrnSide"), {QStringLiteral("ID"), QStringLiteral("Side")});
    unique(QStringLiteral("FrnItem"), {QStringLiteral("ID")});
    unique(QStringLiteral("FrnSet"), {QStringLiteral("Key")});
    unique(QStringLiteral("FrnArt"), {QStringLiteral("Key")});
    unique(QStringLiteral("FrnSchl"), {QStringLiteral("Key")});
    unique(QStringLiteral("FrnDop"), {QStringLiteral("Key")});
    unique(QStringLiteral("FrnProp"), {QStringLiteral("ID"), QStringLiteral("PropKey")});

    // Each reference: table.column -> the set it must be found in (optionally allowed empty/0).
    struct TRef
    {
        QString Table, Column;
        QSet<QString> Target;
        QString TargetName;
        bool AllowEmpty;
    };
    const QSet<QString> articles = Values(QStringLiteral("Catalog"), QStringLiteral("ID"));
    const QSet<QString> elements = Values(QStringLiteral("FrnItem"), QStringLiteral("ID"));
    const QSet<QString> complects = Values(QStringLiteral("FrnComp"), QStringLiteral("ID"));
    const QSet<QString> colours = Values(QStringLiteral("COLORSET"), QStringLiteral("Color"));
    const QSet<QString> systems = Values(QStringLiteral("SysList"), QStringLiteral("ID"));
    const QSet<QString> keepers = Values(QStringLiteral("SysProf"), QStringLiteral("SchlSysID"));
    QSet<QString> propKeys = Values(QStringLiteral("FrnProp"), QStringLiteral("PropKey"));
    const QList<TRef> refs = {
        {QStringLiteral("FrnArt"), QStringLiteral("ID"), elements, QStringLiteral("FrnItem"), false},
        {QStringLiteral("FrnArt"), QStringLiteral("CatalogID"), articles, QStringLiteral("Catalog"), false},
        {QStringLiteral("FrnArt"), QStringLiteral("ProfSys"), keepers, QStringLiteral("SysProf"), true},
        {QStringLiteral("FrnArt"), QStringLiteral("Color"), colours, QStringLiteral("COLORSET"), true},
        {QStringLiteral("FrnSchl"), QStringLiteral("CatalogID"), articles, QStringLiteral("Catalog"), false},
        {QStringLiteral("FrnSchl"), QStringLiteral("Item"), elements, QStringLiteral("FrnItem"), false},
        {QStringLiteral("FrnSchl"), QStringLiteral("ItemComplectID"), complects, QStringLiteral("FrnComp"), true},
        {QStringLiteral("FrnDop"), QStringLiteral("CatalogID"), articles, QStringLiteral("Catalog"), false},
        {QStringLiteral("FrnDop"), QStringLiteral("AccessoryID"), articles, QStringLiteral("Catalog"), false},
        {QStringLiteral("FrnDop"), QStringLiteral("ItemComplectID"), complects, QStringLiteral("FrnComp"), true},
        {QStringLiteral("FrnAbd"), QStringLiteral("CatalogID"), articles, QStringLiteral("Catalog"), false},
        {QStringLiteral("FrnAbd"), QStringLiteral("AccessoryID"), articles, QStringLiteral("Catalog"), false},
        {QStringLiteral("FrnAbd"), QStringLiteral("Color"), colours, QStringLiteral("COLORSET"), true},
        {QStringLiteral("FrnSet"), QStringLiteral("ID"), complects, QStringLiteral("FrnComp"), false},
        {QStringLiteral("FrnSet"), QStringLiteral("Item"), elements, QStringLiteral("FrnItem"), false},
        {QStringLiteral("FrnSet"), QStringLiteral("UseIfArt"), articles, QStringLiteral("Catalog"), true},
        {QStringLiteral("FrnItoI"), QStringLiteral("ID"), elements, QStringLiteral("FrnItem"), false},
        {QStringLiteral("FrnItoI"), QStringLiteral("Item"), elements, QStringLiteral("FrnItem"), false},
        {QStringLiteral("FrnSide"), QStringLiteral("ID"), complects, QStringLiteral("FrnComp"), false},
        {QStringLiteral("FrnComp"), QStringLiteral("SymmetricID"), complects, QStringLiteral("FrnComp"), true},
        {QStringLiteral("Catalog"), QStringLiteral("Currency"), Values(QStringLiteral("Currency"), QStringLiteral("ID")),
         QStringLiteral("Currency"), false},
        {QStringLiteral("Catalog"), QStringLiteral("PriceGrp"), Values(QStringLiteral("PriceGrp"), QStringLiteral("GroupID")),
         QStringLiteral("PriceGrp"), true},
        {QStringLiteral("Catalog"), QStringLiteral("System"), systems, QStringLiteral("SysList"), true},
        {QStringLiteral("SysColor"), QStringLiteral("ID"), colours, QStringLiteral("COLORSET"), false},
        {QStringLiteral("SysColor"), QStringLiteral("System"), systems, QStringLiteral("SysList"), false},
        {QStringLiteral("SysList"), QStringLiteral("BaseColor"), colours, QStringLiteral("COLORSET"), true},
        {QStringLiteral("SysProf"), QStringLiteral("FurnSysID"), systems, QStringLiteral("SysList"), false},
        {QStringLiteral("FrnProp"), QStringLiteral("ID"), Values(QStringLiteral("SysProp"), QStringLiteral("ID")),
         QStringLiteral("SysProp"), false},
        {QStringLiteral("FrnComp"), QStringLiteral("PropKey"), propKeys, QStringLiteral("FrnProp"), true},
        {QStringLiteral("FrnSet"), QStringLiteral("PropKey"), propKeys, QStringLiteral("FrnProp"), true},
        {QStringLiteral("FrnItoI"), QStringLiteral("PropKey"), propKeys, QStringLiteral("FrnProp"), true},
        {QStringLiteral("FrnSchl"), QStringLiteral("PropKey"), propKeys, QStringLiteral("FrnProp"), true},
        {QStringLiteral("FrnDop"), QStringLiteral("PropKey"), propKeys, QStringLiteral("FrnProp"), true},
    };
    for (const TRef& ref : refs) {
        const TDemoCsvTable& t = Table(ref.Table);
        if (t.Column(ref.Column) < 0) {
            problems << QStringLiteral("%1 has no column %2").arg(ref.Table, ref.Column);
            continue;
        }
        QSet<QString> reported;
        for (const QStringList& row : t.Rows) {
            const QString v = t.Cell(row, ref.Column);
            if (ref.AllowEmpty && IsZero(v))
                continue;
            if (!ref.Target.contains(v) && !reported.contains(v)) {
                reported.insert(v);
                problems << QStringLiteral("%1.%2 = '%3' not in %4").arg(ref.Table, ref.Column, v, ref.TargetName);
            }
        }
    }

    // A real element that a complect, a composite or a keeper row uses must have an article,
    // or the engine silently adds nothing for it.
    QSet<QString> virtualElements;
    const TDemoCsvTable& items = Table(QStringLiteral("FrnItem"));
    for (const QStringList& row : items.Rows)
        if (items.Cell(row, QStringLiteral("Virtual")) == QLatin1String("1"))
            virtualElements.insert(items.Cell(row, QStringLiteral("ID")));
    const QSet<QString> withArticles = Values(QStringLiteral("FrnArt"), QStringLiteral("ID"));
    QSet<QString> used = Values(QStringLiteral("FrnSet"), QStringLiteral("Item"));
    used += Values(QStringLiteral("FrnItoI"), QStringLiteral("Item"));
    used += Values(QStringLiteral("FrnSchl"), QStringLiteral("Item"));
    for (const QString& e : used)
        if (!virtualElements.contains(e) && !withArticles.contains(e))
            problems << QStringLiteral("element %1 is used but has no FrnArt row").arg(e);
    for (const QString& e : virtualElements)
        if (!Values(QStringLiteral("FrnItoI"), QStringLiteral("ID")).contains(e))
            problems << QStringLiteral("virtual element %1 has no parts").arg(e);

    // Window and door complects need a side row for each side of their sash, numbered from 1.
    const TDemoCsvTable& comps = Table(QStringLiteral("FrnComp"));
    const TDemoCsvTable& sides = Table(QStringLiteral("FrnSide"));
    QHash<QString, QList<int>> sidesOf;
    for (const QStringList& row : sides.Rows)
        sidesOf[sides.Cell(row, QStringLiteral("ID"))] << sides.Cell(row, QStringLiteral("Side")).toInt();
    for (const QStringList& row : comps.Rows) {
        const int group = comps.Cell(row, QStringLiteral("Group")).toInt();
        if (group != 10 && group != 11)
            continue;
        QList<int> list = sidesOf.value(comps.Cell(row, QStringLiteral("ID")));
        std::sort(list.begin(), list.end());
        bool ok = !list.isEmpty();
        for (qsizetype i = 0; i < list.size(); ++i)
            ok = ok && list.at(i) == i + 1;
        if (!ok)
            problems << QStringLiteral("complect %1 has no side rows 1..n").arg(comps.Cell(row, QStringLiteral("ID")));
    }

    // Side windows: a maximum of 0 is a real bound for the fittings dialog.
    for (const QStringList& row : sides.Rows)
        if (sides.Cell(row, QStringLiteral("MaxSize")).toInt() <= 0
            || sides.Cell(row, QStringLiteral("MaxAngle")).toDouble() <= 0)
            problems << QStringLiteral("FrnSide %1/%2 has a zero maximum")
                            .arg(sides.Cell(row, QStringLiteral("ID")), sides.Cell(row, QStringLiteral("Side")));

    // The evaluator's height variables are FН/FFН with a Cyrillic Н; a Latin H reads as 0.
    const TDemoCsvTable& sets = Table(QStringLiteral("FrnSet"));
    static const QRegularExpression latinHeight(QStringLiteral("\\bFF?H\\b"));
    for (const QStringList& row : sets.Rows) {
        const QString formula = sets.Cell(row, QStringLiteral("LenFormula"));
        if (latinHeight.match(formula).hasMatch())
            problems << QStringLiteral("FrnSet %1: formula '%2' uses a Latin H").arg(sets.Cell(row, QStringLiteral("ID")), formula);
        if (sets.Cell(row, QStringLiteral("UseLen")) == QLatin1String("1") && formula.isEmpty())
            problems << QStringLiteral("FrnSet %1: length without formula").arg(sets.Cell(row, QStringLiteral("ID")));
    }

    if (!Values(QStringLiteral("Material"), QStringLiteral("ID")).contains(QStringLiteral("0")))
        problems << QStringLiteral("Material has no row 0");
    return problems;
}
