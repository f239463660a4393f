#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The per-user registry branch of the system and its database configurations.
inline const QString RegistryBaseKey = QStringLiteral("\\SoftWare\\Rizuve\\Diravir\\Zeradevad380");
inline const QString DbConfigKey = QStringLiteral("\\SoftWare\\Rizuve\\Diravir\\Zeradevad380\\DBConfig\\Roto");

// The start-up configuration: the chosen database configuration, every folder of the installation
// and the command-line switches. Written once while the process starts, read by everybody.
struct TStartConfig
{
    QString ConfigName;
    QString CatalogDir;     // OKFCatalogDir
    QString ServerDir;      // OKFServerName: root of the order storage
    QString ReportDir;      // OKFReportDir
    QString PrivateDir;     // this run's private working folder
    QString LastPrivateDir; // at start the previous run's, once chosen this run's
    QString SettingsFile;   // CatalogDir\OKFurniture.ini
    QString OrdersDir;
    QString SelectionsDir;
    QString RecycleDir;
    QString ArchiveDir;
    QString RegistryDir;
    QString ExportDir;
    bool DeveloperMode = false;
    bool ShowPresentation = true;

    // "/developer" and "/nopresentation", found in any letter case inside any argument.
    void ReadSwitches(const QStringList& arguments);
    // Every folder empty, the export folder "\Export" until the folders are derived.
    void ClearFolders();
    // The settings file and the server's sub-folders from CatalogDir and ServerDir.
    void DeriveFolders();
};

const TStartConfig& StartConfig();
// Only start-up (and tests) write the record.
TStartConfig& WritableStartConfig();

// folder + separator + name, with the platform's separator.
QString JoinPath(const QString& folder, const QString& name);
// The folder of the running executable.
QString ExecutableDir();

// The currency reminder file Diravir.lcu: the day the user last confirmed the currency rates,
// one little-endian double of the OLE day count, in the server folder (or beside the executable
// when there is no server folder).
QString CurrencyReminderFile(const TStartConfig& config = StartConfig());
// Yesterday when the file is missing or unreadable.
QDate ReadCurrencyReminder(const TStartConfig& config = StartConfig(), const QDate& today = QDate::currentDate());
// Replaces the file; a failure is not reported (the reminder then simply comes again).
void WriteCurrencyReminder(const TStartConfig& config = StartConfig(), const QDate& today = QDate::currentDate());
