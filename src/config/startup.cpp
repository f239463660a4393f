#include "config/startup.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include "foundation/error.h"
#include "foundation/messages.h"
#include "foundation/path_helpers.h"
#include "platform/registry/registry.h"

namespace {

class TWait
{
public:
    TWait() { BeginWait(); }
    ~TWait() { EndWait(); }
    TWait(const TWait&) = delete;
    TWait& operator=(const TWait&) = delete;
};

const QString LastTempDirValue = QStringLiteral("OKFLastTempDir");

} // namespace

TStartup::TStartup(TStartupShell& shell, TStartupDatabase& database) : Shell(shell), Database(database) {}

TStartup::~TStartup()
{
    if (HasSetup() && &::Setup() == Setup.get())
        InstallSetup(nullptr);
}

void TStartup::InitProcess(const QStringList& arguments)
{
    TStartConfig& config = WritableStartConfig();
    config.ReadSwitches(arguments);
    config.LastPrivateDir.clear();
    try {
        TRegistry reg;
        reg.OpenKey(DbConfigKey, true);
        config.LastPrivateDir = reg.ReadString(LastTempDirValue);
    } catch (const std::exception& e) {
        ShowError(ErrorText(e));
    }
}

void TStartup::DeletePreviousPrivateFolder()
{
    const QString folder = StartConfig().LastPrivateDir;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return;
    // Private folders are named by a number; a value edited by hand to point at anything else
    // (a catalogue, a home folder) must not be wiped with all its contents.
    bool numbered = false;
    const int number = QFileInfo(folder).fileName().toInt(&numbered);
    if (!numbered || number < 0 || number > 999999)
        return;
    QString failure;
    if (!DeleteFolder(folder, &failure))
        Shell.PlainMessage(failure + QStringLiteral("\r\n") + folder);
}

bool TStartup::ChooseConfiguration()
{
    TStartConfig& config = WritableStartConfig();
    config.ClearFolders();

    QStringList names;
    QString defaultConfig;
    try {
        TRegistry reg;
        if (reg.OpenKey(DbConfigKey, false)) {
            names = reg.GetKeyNames();
            if (reg.ValueExists(QStringLiteral("DefaultConfig")))
                defaultConfig = reg.ReadString(QStringLiteral("DefaultConfig"));
        }
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("Ошибка чтения системного реестра!\r\n(%1)").arg(ErrorText(e)));
        return false;
    }
    if (names.isEmpty()) {
        ShowError(QStringLiteral("В системе не установлены пути доступа к базам данных!\r\nИнсталлируйте заново программу!"));
        return false;
    }
    int preselected = 0;
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(defaultConfig, Qt::CaseInsensitive) == 0) {
            preselected = i;
            break;
        }
    const int chosen = Shell.ChooseConfiguration(names, preselected);
    if (chosen < 0 || chosen >= names.size())
        return false;
    const QString name = names[chosen];

    try {
        TRegistry reg;
        if (!reg.OpenKey(DbConfigKey + QLatin1Char('\\') + name, false)) {
            ShowError(QStringLiteral("Ошибка открытия конфигурации %1!\r\nУказанная конфигурация не числиться в списке.").arg(name));
            return false;
        }
        config.CatalogDir = TrimFolder(reg.ReadString(QStringLiteral("OKFCatalogDir")));
        config.ServerDir = TrimFolder(reg.ReadString(QStringLiteral("OKFServerName")));
        config.ReportDir = TrimFolder(reg.ReadString(QStringLiteral("OKFReportDir")));
        const QString tempRoot = TrimFolder(reg.ReadString(QStringLiteral("OKFTempDir")));
        config.DeriveFolders();

        const QString number = QString::number(QRandomGenerator::global()->bounded(1000000));
        config.PrivateDir = JoinPath(tempRoot.isEmpty() ? ExecutableDir() : tempRoot, number);
        if (!QFileInfo(config.PrivateDir).isDir() && !QDir().mkpath(config.PrivateDir))
            throw TError(QStringLiteral("Unable to create directory %1").arg(config.PrivateDir));
        config.LastPrivateDir = config.PrivateDir;
        Database.SetPrivateDir(config.PrivateDir);
        config.ConfigName = name;
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("Ошибка чтения системного реестра!\r\n(%1)").arg(ErrorText(e)));
        return false;
    }
    return true;
}

void TStartup::MainWindowStartup()
{
    const TStartConfig& config = StartConfig();
    Database.Connect(config.CatalogDir, config.RegistryDir, config.ReportDir);
    Database.OpenCatalogTables();
    Shell.SetMainWindowState(Setup->MainWinState);
    if (Setup->AutoOpenReg)
        Shell.PostDeferred(WM_OPENREGISTRY);
    if (config.ShowPresentation)
        Shell.PostDeferred(WM_PRESENTATION);
    if (Setup->AutoLoadCurrency && QDate::currentDate() > ReadCurrencyReminder())
        Shell.PostDeferred(WM_CURRENCYDIALOG);
    Shell.PostDeferred(WM_NEWSPANEL);
}

void TStartup::CurrencyDialogClosed(bool ok)
{
    if (ok && HasSetup() && ::Setup().AutoLoadCurrency)
        WriteCurrencyReminder();
}

void TStartup::RecordPrivateFolder()
{
    TWait wait;
    try {
        TRegistry reg;
        reg.OpenKey(DbConfigKey, true);
        reg.WriteString(LastTempDirValue, StartConfig().LastPrivateDir);
    } catch (const std::exception& e) {
        ShowError(ErrorText(e));
    }
}

bool TStartup::Run(const QStringList& arguments)
{
    InitProcess(arguments);
    DeletePreviousPrivateFolder();
    bool started = false;
    if (ChooseConfiguration()) {
        try {
            Setup = std::make_unique<TokfSetup>(StartConfig());
        } catch (const std::exception& e) {
            ShowError(ErrorText(e));
        }
        if (Setup && !Setup->Loaded) {
            ShowWarning(QStringLiteral("Не найден файл конфигурации! Переустановите программу или произведите настройку вручную!"));
            Setup.reset();
        }
        started = Setup != nullptr;
    }
    if (started) {
        InstallSetup(Setup.get());
        bool splash = false;
        try {
            Shell.ShowSplash();
            splash = true;
            Shell.SetSplashProgress(0);
            Shell.SetSplashStatus(QStringLiteral("Загрузка системы..."));
            Shell.SetSplashProgress(2);
            Shell.SetApplicationTitle(QStringLiteral("Diravir ФУРНИТУРА"));
            Shell.CreateReportModule();
            Database.Create();
            Shell.SetSplashProgress(20);
            Shell.CreateMainWindow();
            Shell.SetSplashProgress(40);
            Shell.CreateExportFilters();
            MainWindowStartup();
            Shell.SetSplashProgress(100);
            Shell.CloseSplash();
            splash = false;
        } catch (const std::exception& e) {
            ShowError(ErrorText(e));
            if (splash)
                Shell.CloseSplash();
        }
        Shell.RunMessageLoop();
        Setup->MainWinState = Shell.MainWindowState();
        Setup->Save();
        InstallSetup(nullptr);
        Setup.reset();
        Database.Disconnect();
        Shell.DestroyAll();
    }
    RecordPrivateFolder();
    return started;
}
