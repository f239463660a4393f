#include "config/installer.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>

#include "catalog/catalog_import.h"
#include "catalog/catalog_schema.h"
#include "catalog/data_module.h"
#include "config/ini_file.h"
#include "config/start_config.h"
#include "foundation/error.h"
#include "platform/db/database.h"
#include "platform/registry/registry.h"

namespace {

struct TFolders
{
    QString Catalog, Server, Report, Temp;
};

TFolders FoldersOf(const QString& root)
{
    const QString r = QDir::toNativeSeparators(QDir(root).absolutePath());
    return {JoinPath(r, QStringLiteral("Catalog")), JoinPath(r, QStringLiteral("Server")),
            JoinPath(r, QStringLiteral("Report")), JoinPath(r, QStringLiteral("Temp"))};
}

void MakeFolder(const QString& path)
{
    if (!QFileInfo(path).isDir() && !QDir().mkpath(path))
        throw TError(QStringLiteral("Не удалось создать папку %1").arg(path));
}

// An empty catalogue with every table, so that a configuration without a maker's catalogue
// still starts and opens its tables.
void CreateEmptyCatalog(const QString& catalogDir)
{
    TDatabase db(QStringLiteral("OMDB_CatalogInstall"));
    db.Open(QDir(catalogDir).filePath(QString::fromLatin1(CatalogStoreFile)), true);
    for (const auto& def : CatalogTableDefs())
        db.EnsureTable(def);
    db.Close();
}

// The first value of a column in the catalogue, or empty.
QString FirstValue(TDatabase& db, const QString& table, const QString& column, const QString& where,
                   const QString& order)
{
    if (!db.HasTable(table))
        return {};
    QSqlQuery q(db.Handle());
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(TDatabase::Quote(column), TDatabase::Quote(table));
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    sql += QStringLiteral(" ORDER BY ") + order + QStringLiteral(" LIMIT 1");
    if (!q.exec(sql) || !q.next())
        return {};
    return q.value(0).toString().trimmed();
}

// Defaults for new orders that point at codes the catalogue holds: the first window fittings
// system, its keeper system and base colours, the first rebate and backset codes and the
// currency whose rate is 1.
void WriteDefaults(TIniFile& ini, const QString& catalogDir)
{
    QString furnSys, profSys, furnColor, profColor, falz, dorn, currency;
    const QString store = QDir(catalogDir).filePath(QString::fromLatin1(CatalogStoreFile));
    if (QFileInfo::exists(store)) {
        TDatabase db(QStringLiteral("OMDB_CatalogDefaults"));
        db.Open(store, false);
        const QString id = TDatabase::Quote(QStringLiteral("ID"));
        furnSys = FirstValue(db, QStringLiteral("SysList"), QStringLiteral("ID"),
                             TDatabase::Quote(QStringLiteral("Group")) + QStringLiteral(" = 1"), id);
        if (!furnSys.isEmpty()) {
            furnColor = FirstValue(db, QStringLiteral("SysList"), QStringLiteral("BaseColor"),
                                   id + QStringLiteral(" = '%1'").arg(furnSys), id);
            profSys = FirstValue(db, QStringLiteral("SysProf"), QStringLiteral("SchlSysID"),
                                 QStringLiteral("\"FurnSysID\" = '%1'").arg(furnSys), QStringLiteral("\"SchlSysID\""));
            if (!profSys.isEmpty())
                profColor = FirstValue(db, QStringLiteral("SysList"), QStringLiteral("BaseColor"),
                                       id + QStringLiteral(" = '%1'").arg(profSys), id);
        }
        falz = FirstValue(db, QStringLiteral("ParamList"), QStringLiteral("ID"),
                          id + QStringLiteral(" BETWEEN 100 AND 199"), id);
        dorn = FirstValue(db, QStringLiteral("ParamList"), QStringLiteral("ID"),
                          id + QStringLiteral(" BETWEEN 200 AND 299"), id);
        currency = FirstValue(db, QStringLiteral("Currency"), QStringLiteral("ID"),
                              TDatabase::Quote(QStringLiteral("Value")) + QStringLiteral(" = 1"), id);
        if (currency.isEmpty())
            currency = FirstValue(db, QStringLiteral("Currency"), QStringLiteral("ID"), {}, id);
        db.Close();
    }
    const QString d = QStringLiteral("Defaults");
    ini.WriteString(d, QStringLiteral("DefProfSys"), profSys);
    ini.WriteString(d, QStringLiteral("DefFurnSys"), furnSys);
    ini.WriteInteger(d, QStringLiteral("DefFurnSysGroup"), 0);
    ini.WriteString(d, QStringLiteral("DefInnerProfColor"), profColor);
    ini.WriteString(d, QStringLiteral("DefOuterProfColor"), profColor);
    ini.WriteString(d, QStringLiteral("DefFurnColor"), furnColor);
    ini.WriteString(d, QStringLiteral("DefHandle"), QString());
    ini.WriteInteger(d, QStringLiteral("DefMaterial"), 1);
    ini.WriteString(d, QStringLiteral("DefFalzType"), falz.isEmpty() ? QStringLiteral("0") : falz);
    ini.WriteString(d, QStringLiteral("DefDornType"), dorn.isEmpty() ? QStringLiteral("0") : dorn);
    ini.WriteInteger(d, QStringLiteral("DefStulpFalzType"), 0);
    ini.WriteInteger(d, QStringLiteral("DefFlugelType"), 0);
    ini.WriteInteger(d, QStringLiteral("DefProfWidth"), 0);
    ini.WriteInteger(d, QStringLiteral("DefProfThickness"), 0);
    ini.WriteInteger(d, QStringLiteral("UserDefineHeight"), 1);
    ini.WriteString(QStringLiteral("Money"), QStringLiteral("CurCurrency"), currency.isEmpty() ? QStringLiteral("0") : currency);
}

void WriteSettingsFile(const QString& file, const QString& catalogDir)
{
    TIniFile ini(file);
    const QString firm = QStringLiteral("Firm");
    ini.WriteString(firm, QStringLiteral("Name"), QStringLiteral("Наименование фирмы"));
    for (const char* key : {"Logo", "Address", "JustAddress", "ZipCode", "Phone1", "Phone2", "Phone3", "Fax",
                            "EMail", "Internet", "INN", "Account", "Director", "BookKeeper"})
        ini.WriteString(firm, QString::fromLatin1(key), QString());
    const QString tax = QStringLiteral("Tax");
    ini.WriteInteger(tax, QStringLiteral("NDSTax"), 20);
    ini.WriteInteger(tax, QStringLiteral("TotalNDS"), 1);
    ini.WriteInteger(tax, QStringLiteral("ShowIncludingNDS"), 1);
    ini.WriteInteger(tax, QStringLiteral("PriceGrpNo"), 0);
    for (int i = 1; i <= 10; ++i)
        ini.WriteString(QStringLiteral("PriceGroupNames"), QString::number(i), QStringLiteral("Группа %1").arg(i));
    WriteDefaults(ini, catalogDir);
    ini.WriteString(QStringLiteral("Report"), QStringLiteral("Logo"), QString());
    const QString ftp = QStringLiteral("FTP");
    ini.WriteString(ftp, QStringLiteral("ftpHost"), QString());
    ini.WriteInteger(ftp, QStringLiteral("ftpPort"), 21);
    ini.WriteString(ftp, QStringLiteral("ftpUserName"), QString());
    ini.WriteString(ftp, QStringLiteral("ftpPassword"), QString());
    ini.WriteString(ftp, QStringLiteral("ftpDir"), QString());
    ini.WriteInteger(ftp, QStringLiteral("ftpUpload"), 0);
    ini.UpdateFile();
}

} // namespace

QStringList InstallConfiguration(const TInstallOptions& options)
{
    const QString name = options.ConfigName.trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/')))
        throw TError(QStringLiteral("Недопустимое имя конфигурации \"%1\"").arg(options.ConfigName));
    if (options.Root.trimmed().isEmpty())
        throw TError(QStringLiteral("Не указана папка установки"));

    QStringList log;
    const TFolders f = FoldersOf(options.Root);
    TStartConfig config;
    config.CatalogDir = f.Catalog;
    config.ServerDir = f.Server;
    config.ReportDir = f.Report;
    config.DeriveFolders();
    for (const QString& folder : {f.Catalog, f.Server, config.OrdersDir, config.SelectionsDir, config.RecycleDir,
                                  config.ArchiveDir, config.RegistryDir, config.ExportDir, f.Report, f.Temp})
        MakeFolder(folder);

    const QString store = QDir(f.Catalog).filePath(QString::fromLatin1(CatalogStoreFile));
    const bool hasCatalog = QFileInfo::exists(store);
    if (!options.CatalogFrom.isEmpty()) {
        if (hasCatalog && !options.Force)
            throw TError(QStringLiteral("В папке %1 уже есть каталог; чтобы заменить его, укажите --force").arg(f.Catalog));
        const TImportReport report = ImportCatalog(options.CatalogFrom, f.Catalog, options.Codepage);
        log << report.Tables;
        for (const QString& w : report.Warnings)
            log << QStringLiteral("warning: ") + w;
        if (!report.Missing.isEmpty())
            log << QStringLiteral("not found: ") + report.Missing.join(QStringLiteral(", "));
    } else if (!hasCatalog && !CatalogNeedsImport(f.Catalog)) {
        CreateEmptyCatalog(f.Catalog);
        log << QStringLiteral("empty catalogue created in %1").arg(f.Catalog);
    }

    if (!QFileInfo::exists(config.SettingsFile)) {
        WriteSettingsFile(config.SettingsFile, f.Catalog);
        log << QStringLiteral("settings file %1 written").arg(config.SettingsFile);
    }

    // The rates were installed with the catalogue just now: the first start need not ask for them.
    if (!QFileInfo::exists(CurrencyReminderFile(config)))
        WriteCurrencyReminder(config);

    {
        // Creates the registry and report stores with their tables when they are missing.
        TDM dm;
        dm.ConnectRegistry(config.RegistryDir);
        dm.ConnectReport(f.Report);
        dm.Disconnect();
    }

    TRegistry reg;
    reg.OpenKey(DbConfigKey + QLatin1Char('\\') + name, true);
    reg.WriteString(QStringLiteral("OKFCatalogDir"), f.Catalog);
    reg.WriteString(QStringLiteral("OKFServerName"), f.Server);
    reg.WriteString(QStringLiteral("OKFReportDir"), f.Report);
    reg.WriteString(QStringLiteral("OKFTempDir"), f.Temp);
    if (options.MakeDefault) {
        reg.OpenKey(DbConfigKey, false);
        reg.WriteString(QStringLiteral("DefaultConfig"), name);
    }
    log << QStringLiteral("configuration %1 registered").arg(name);
    return log;
}

std::vector<TConfigurationInfo> RegisteredConfigurations()
{
    std::vector<TConfigurationInfo> result;
    TRegistry reg;
    if (!reg.OpenKey(DbConfigKey, false))
        return result;
    const QString defaultConfig = reg.ReadString(QStringLiteral("DefaultConfig"));
    for (const QString& name : reg.GetKeyNames()) {
        TRegistry key;
        if (!key.OpenKey(DbConfigKey + QLatin1Char('\\') + name, false))
            continue;
        result.push_back({name, key.ReadString(QStringLiteral("OKFCatalogDir")),
                          key.ReadString(QStringLiteral("OKFServerName")), key.ReadString(QStringLiteral("OKFReportDir")),
                          key.ReadString(QStringLiteral("OKFTempDir")),
                          name.compare(defaultConfig, Qt::CaseInsensitive) == 0});
    }
    return result;
}
