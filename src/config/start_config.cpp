#include "config/start_config.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <cmath>
#include <cstring>

#include "foundation/ole_date.h"
#include "foundation/text_helpers.h"

namespace {
TStartConfig& Record()
{
    static TStartConfig config;
    return config;
}
} // namespace

const TStartConfig& StartConfig() { return Record(); }
TStartConfig& WritableStartConfig() { return Record(); }

QString JoinPath(const QString& folder, const QString& name) { return folder + QDir::separator() + name; }

QString ExecutableDir()
{
    const QString dir = QCoreApplication::applicationDirPath();
    return QDir::toNativeSeparators(dir.isEmpty() ? QDir::currentPath() : dir);
}

void TStartConfig::ReadSwitches(const QStringList& arguments)
{
    DeveloperMode = HasSwitch(arguments, QStringLiteral("/developer"));
    ShowPresentation = !HasSwitch(arguments, QStringLiteral("/nopresentation"));
}

void TStartConfig::ClearFolders()
{
    for (QString* f : {&CatalogDir, &ServerDir, &ReportDir, &PrivateDir, &SettingsFile, &OrdersDir,
                       &SelectionsDir, &RecycleDir, &ArchiveDir, &RegistryDir})
        f->clear();
    ExportDir = JoinPath(QString(), QStringLiteral("Export"));
}

void TStartConfig::DeriveFolders()
{
    SettingsFile = JoinPath(CatalogDir, QStringLiteral("OKFurniture.ini"));
    OrdersDir = JoinPath(ServerDir, QStringLiteral("Orders"));
    SelectionsDir = JoinPath(ServerDir, QStringLiteral("Selection"));
    RecycleDir = JoinPath(ServerDir, QStringLiteral("Recycled"));
    ArchiveDir = JoinPath(ServerDir, QStringLiteral("Archive"));
    RegistryDir = JoinPath(ServerDir, QStringLiteral("Registry"));
    ExportDir = JoinPath(ServerDir, QStringLiteral("Export"));
}

QString CurrencyReminderFile(const TStartConfig& config)
{
    return JoinPath(config.ServerDir.isEmpty() ? ExecutableDir() : config.ServerDir, QStringLiteral("Diravir.lcu"));
}

QDate ReadCurrencyReminder(const TStartConfig& config, const QDate& today)
{
    const QDate yesterday = today.addDays(-1);
    QFile file(CurrencyReminderFile(config));
    if (!file.open(QIODevice::ReadOnly))
        return yesterday;
    const QByteArray bytes = file.read(8);
    if (bytes.size() != 8)
        return yesterday;
    const quint64 bits = qFromLittleEndian<quint64>(bytes.constData());
    double days = 0;
    std::memcpy(&days, &bits, sizeof days);
    // A damaged file must not stop the reminder for ever.
    const QDate date = OleDateToDate(std::floor(days));
    return date.isValid() ? date : yesterday;
}

void WriteCurrencyReminder(const TStartConfig& config, const QDate& today)
{
    const double days = ToOleDate(today);
    quint64 bits = 0;
    std::memcpy(&bits, &days, sizeof bits);
    QByteArray bytes(8, '\0');
    qToLittleEndian<quint64>(bits, bytes.data());
    QSaveFile file(CurrencyReminderFile(config));
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == 8)
        file.commit();
}
