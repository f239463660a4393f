#include "catalog/demo_generator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include "catalog/demo_csv.h"
#include "foundation/error.h"

namespace {

// How each table changes from one copy to the next.
struct TCopyRule
{
    QString Table;
    QStringList Codes;     // catalogue codes that get the copy suffix
    QStringList Systems;   // numeric system codes shifted by 1000 per copy
    QStringList Groups;    // common groups shifted like the systems, 0 stays 0 (universal)
    QStringList Labels;    // names that get " #c" so lists tell the copies apart
    bool Copied = true;    // false: reference data written once
    bool Renumber = false; // the autoincrement column Key is renumbered over all copies
};

const QList<TCopyRule>& Rules()
{
    static const QList<TCopyRule> rules = {
        {QStringLiteral("COLORSET"), {}, {}, {}, {}, false, false},
        {QStringLiteral("Currency"), {}, {}, {}, {}, false, false},
        {QStringLiteral("PriceGrp"), {}, {}, {}, {}, false, false},
        {QStringLiteral("SysList"), {}, {QStringLiteral("ID")}, {QStringLiteral("CommonGrp")},
         {QStringLiteral("Name"), QStringLiteral("ShortName")}, true, false},
        {QStringLiteral("SysColor"), {}, {QStringLiteral("System")}, {}, {}, true, false},
        {QStringLiteral("SysProp"), {}, {}, {}, {}, false, false},
        {QStringLiteral("SysProf"), {}, {QStringLiteral("FurnSysID")}, {}, {}, true, false},
        {QStringLiteral("Catalog"), {QStringLiteral("ID")}, {QStringLiteral("System")}, {}, {}, true, false},
        {QStringLiteral("Material"), {}, {}, {}, {}, false, false},
        {QStringLiteral("ParamList"), {}, {}, {}, {}, false, false},
        {QStringLiteral("FrnComp"), {QStringLiteral("ID"), QStringLiteral("SymmetricID")}, {},
         {QStringLiteral("CommonGrp")}, {QStringLiteral("Name"), QStringLiteral("PrintName")}, true, false},
        {QStringLiteral("FrnSide"), {QStringLiteral("ID")}, {}, {}, {}, true, false},
        {QStringLiteral("FrnItem"), {QStringLiteral("ID")}, {}, {QStringLiteral("CommonGrp")}, {}, true, false},
        {QStringLiteral("FrnSet"), {QStringLiteral("ID"), QStringLiteral("Item"), QStringLiteral("UseIfArt")},
         {}, {}, {}, true, true},
        {QStringLiteral("FrnItoI"), {QStringLiteral("ID"), QStringLiteral("Item")}, {}, {}, {}, true, false},
        {QStringLiteral("FrnArt"), {QStringLiteral("ID"), QStringLiteral("CatalogID")}, {}, {}, {}, true, true},
        {QStringLiteral("FrnSchl"),
         {QStringLiteral("CatalogID"), QStringLiteral("Item"), QStringLiteral("ItemComplectID")}, {}, {}, {},
         true, true},
        {QStringLiteral("FrnDop"),
         {QStringLiteral("CatalogID"), QStringLiteral("AccessoryID"), QStringLiteral("ItemComplectID")}, {},
         {}, {}, true, true},
        {QStringLiteral("FrnAbd"),
         {QStringLiteral("CatalogID"), QStringLiteral("AccessoryID"), QStringLiteral("ItemComplectID")}, {},
         {}, {}, true, false},
        {QStringLiteral("FrnProp"), {}, {}, {}, {}, false, false},
    };
    return rules;
}

QList<int> Indexes(const TDemoCsvTable& t, const QStringList& columns)
{
    QList<int> result;
    for (const QString& c : columns) {
        const int i = t.Column(c);
        if (i >= 0)
            result << i;
    }
    return result;
}

QString Shifted(const QString& value, int copy, bool keepZero)
{
    bool ok = false;
    const qint64 v = value.trimmed().toLongLong(&ok);
    if (!ok || (keepZero && v == 0))
        return value;
    return QString::number(v + qint64(copy) * 1000);
}

QString RaisedPrice(const QString& value, int copy)
{
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (!ok || copy % 10 == 0)
        return value;
    return QString::number(v * (1.0 + (copy % 10) / 100.0), 'f', 2);
}

// The Catalog row of copy c: its code columns are handled by the rule, the shown article
// numbers get the copy number too so that searches tell the copies apart.
void AdjustCatalogRow(const TDemoCsvTable& t, QStringList& row, int copy)
{
    const auto append = [&](const QString& column, const QString& sep) {
        const int i = t.Column(column);
        if (i >= 0 && i < row.size() && !row[i].isEmpty())
            row[i] += sep + QString::number(copy);
    };
    append(QStringLiteral("Article"), QStringLiteral("/"));
    append(QStringLiteral("ProdArticle"), QStringLiteral("-"));
    append(QStringLiteral("ProdArticle2"), QStringLiteral("/"));
    const int price = t.Column(QStringLiteral("Price"));
    if (price >= 0 && price < row.size())
        row[price] = RaisedPrice(row[price], copy);
}

} // namespace

const QStringList& DemoCatalogTables()
{
    static const QStringList tables = [] {
        QStringList names;
        for (const TCopyRule& r : Rules())
            names << r.Table;
        return names;
    }();
    return tables;
}

qint64 TScaledCatalogReport::RowsOf(const QString& table) const
{
    for (const auto& [name, rows] : Rows)
        if (name == table)
            return rows;
    return 0;
}

TScaledCatalogReport GenerateScaledCatalog(const QString& sourceDir, int scale, const QString& targetDir)
{
    if (scale < 1)
        throw TError(QStringLiteral("Масштаб каталога должен быть не меньше 1 (задан %1)").arg(scale));
    if (!QDir().mkpath(targetDir))
        throw TError(QStringLiteral("Не удается создать папку [%1]").arg(targetDir));
    if (QFileInfo(sourceDir).canonicalFilePath() == QFileInfo(targetDir).canonicalFilePath())
        throw TError(QStringLiteral("Папка каталога-образца и папка результата совпадают [%1]").arg(targetDir));

    QHash<QString, TDemoCsvTable> source;
    for (const TCopyRule& rule : Rules())
        source.insert(rule.Table, ReadDemoCsv(sourceDir, rule.Table));

    const qint64 artRows = source.value(QStringLiteral("FrnArt")).Rows.size();
    if (artRows == 0)
        throw TError(QStringLiteral("В каталоге-образце [%1] нет артикулов FrnArt").arg(sourceDir));
    const qint64 perUnit = (1000 + artRows - 1) / artRows;
    if (qint64(scale) * perUnit > 2000000)
        throw TError(QStringLiteral("Масштаб каталога слишком велик (%1)").arg(scale));

    TScaledCatalogReport report;
    report.Copies = int(qint64(scale) * perUnit);
    for (const TCopyRule& rule : Rules()) {
        const TDemoCsvTable& t = source[rule.Table];
        TDemoCsvWriter out(QDir(targetDir).filePath(rule.Table + QStringLiteral(".csv")), t.Columns);
        const QList<int> codes = Indexes(t, rule.Codes);
        const QList<int> systems = Indexes(t, rule.Systems);
        const QList<int> groups = Indexes(t, rule.Groups);
        const QList<int> labels = Indexes(t, rule.Labels);
        const int key = rule.Renumber ? t.Column(QStringLiteral("Key")) : -1;
        const int sysGroup = rule.Table == QLatin1String("SysList") ? t.Column(QStringLiteral("Group")) : -1;
        qint64 nextKey = 1;
        const int copies = rule.Copied ? report.Copies : 1;
        for (int c = 0; c < copies; ++c) {
            const QString suffix = QStringLiteral(".%1").arg(c);
            for (QStringList row : t.Rows) {
                while (row.size() < t.Columns.size())
                    row << QString();
                if (c > 0) {
                    // Profile systems are not fittings systems: one of each is enough.
                    if (sysGroup >= 0 && row[sysGroup].trimmed() != QLatin1String("1"))
                        continue;
                    for (int i : codes)
                        if (!row[i].isEmpty())
                            row[i] += suffix;
                    for (int i : systems)
                        row[i] = Shifted(row[i], c, false);
                    for (int i : groups)
                        row[i] = Shifted(row[i], c, true);
                    for (int i : labels)
                        if (!row[i].isEmpty())
                            row[i] += QStringLiteral(" #%1").arg(c);
                    if (rule.Table == QLatin1String("Catalog"))
                        AdjustCatalogRow(t, row, c);
                }
                if (key >= 0)
                    row[key] = QString::number(nextKey++);
                out.Write(row);
            }
        }
        out.Close();
        report.Rows.append({rule.Table, out.Rows()});
    }
    return report;
}

QString FindDemoCatalogDir()
{
    const QString app = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        app + QStringLiteral("/../data/catalog"),
        app + QStringLiteral("/../../data/catalog"),
        app + QStringLiteral("/../share/diravir/catalog"),
        QDir::currentPath() + QStringLiteral("/data/catalog"),
    };
    for (const QString& dir : candidates)
        if (QFileInfo::exists(dir + QStringLiteral("/FrnArt.csv")))
            return QDir(dir).canonicalPath();
    return {};
}
