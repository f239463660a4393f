#include <functional>

#include "config/dm_startup.h"
#include "config/installer.h"
#include "config/startup.h"
#include "catalog/data_module.h"
#include "config_fixture.h"
#include "foundation/error.h"
#include "platform/registry/registry.h"

namespace {

// Records what start-up asks of the windows and the data module, in one log.
class TScriptedShell final : public TStartupShell, public TStartupDatabase
{
public:
    QStringList Log;
    QStringList ChooserNames;
    int ChooserPreselected = -1;
    std::function<int(const QStringList&, int)> Choose = [](const QStringList&, int pre) { return pre; };
    QString FailConnect;
    int FinalState = wsNormal;

    int ChooseConfiguration(const QStringList& names, int preselected) override
    {
        ChooserNames = names;
        ChooserPreselected = preselected;
        Log << QStringLiteral("chooser");
        return Choose(names, preselected);
    }
    void PlainMessage(const QString& text) override { Log << QStringLiteral("plain: ") + text; }
    void ShowSplash() override { Log << QStringLiteral("splash"); }
    void SetSplashStatus(const QString& text) override { Log << QStringLiteral("status ") + text; }
    void SetSplashProgress(int percent) override { Log << QStringLiteral("progress %1").arg(percent); }
    void CloseSplash() override { Log << QStringLiteral("close splash"); }
    void SetApplicationTitle(const QString& title) override { Log << QStringLiteral("title ") + title; }
    void CreateReportModule() override { Log << QStringLiteral("report module"); }
    void CreateMainWindow() override { Log << QStringLiteral("main window"); }
    void CreateExportFilters() override { Log << QStringLiteral("export filters"); }
    void SetMainWindowState(int state) override { Log << QStringLiteral("state %1").arg(state); }
    void PostDeferred(TDeferredAction action) override { Log << QStringLiteral("post %1").arg(int(action)); }
    void RunMessageLoop() override { Log << QStringLiteral("loop"); }
    int MainWindowState() override { return FinalState; }
    void DestroyAll() override { Log << QStringLiteral("destroy"); }

    void SetPrivateDir(const QString&) override { Log << QStringLiteral("private dir"); }
    void Create() override { Log << QStringLiteral("data module"); }
    void Connect(const QString& catalogDir, const QString& registryDir, const QString&) override
    {
        Log << QStringLiteral("connect");
        if (!FailConnect.isEmpty())
            throw TError(FailConnect);
        EXPECT_EQ(catalogDir, StartConfig().CatalogDir);
        EXPECT_EQ(registryDir, StartConfig().RegistryDir);
    }
    void OpenCatalogTables() override { Log << QStringLiteral("tables"); }
    void Disconnect() override { Log << QStringLiteral("disconnect"); }

    QStringList Posted() const { return Log.filter(QStringLiteral("post ")); }
};

class StartupTest : public ConfigFixture
{
public:
    void SetUp() override
    {
        ConfigFixture::SetUp();
        WritableStartConfig() = TStartConfig();
    }

    // A configuration as the installer registers it.
    void Register(const QString& name, const QString& catalog, const QString& server, const QString& temp)
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(DbConfigKey + QLatin1Char('\\') + name, true));
        reg.WriteString(QStringLiteral("OKFCatalogDir"), catalog);
        reg.WriteString(QStringLiteral("OKFServerName"), server);
        reg.WriteString(QStringLiteral("OKFReportDir"), Config.ReportDir);
        reg.WriteString(QStringLiteral("OKFTempDir"), temp);
    }
    void RegisterDefault(const QString& name = QStringLiteral("Demo"))
    {
        Register(name, Config.CatalogDir, Config.ServerDir, Path(QStringLiteral("Temp")));
        WriteFile(Config.SettingsFile, QString());
    }
    static void SetDbConfigValue(const QString& name, const QString& value)
    {
        TRegistry reg;
        reg.OpenKey(DbConfigKey, true);
        reg.WriteString(name, value);
    }
    QStringList Boxes() const { return TScriptedMessages::Current().Texts(); }

    TScriptedShell Shell;
};

TEST_F(StartupTest, TheFullRunInItsOrder)
{
    RegisterDefault();
    TStartup startup(Shell, Shell);
    Shell.FinalState = wsMaximized;
    ASSERT_TRUE(startup.Run({QStringLiteral("diravir")}));
    EXPECT_EQ(Shell.Log, (QStringList{
        "chooser", "private dir", "splash", "progress 0", "status Загрузка системы...", "progress 2",
        "title Diravir ФУРНИТУРА", "report module", "data module", "progress 20", "main window", "progress 40",
        "export filters", "connect", "tables", "state 0", "post 1426", "post 1523", "post 1430", "post 1524",
        "progress 100", "close splash", "loop", "disconnect", "destroy"}));
    EXPECT_TRUE(Boxes().isEmpty()) << Boxes().join(u'|').toStdString();
    EXPECT_EQ(StartConfig().ConfigName, QStringLiteral("Demo"));

    // The settings were saved with the main window's last state.
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(RegistryBaseKey, false));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("TechnologMainWinState")), wsMaximized);
    ASSERT_TRUE(reg.OpenKey(DbConfigKey, false));
    EXPECT_EQ(reg.ReadString(QStringLiteral("OKFLastTempDir")), StartConfig().PrivateDir);
    EXPECT_FALSE(HasSetup());
}

TEST_F(StartupTest, OneConfigurationStillShowsTheChooser)
{
    RegisterDefault(QStringLiteral("Единственная"));
    TStartup startup(Shell, Shell);
    ASSERT_TRUE(startup.ChooseConfiguration());
    EXPECT_EQ(Shell.ChooserNames, QStringList{QStringLiteral("Единственная")});
    EXPECT_EQ(Shell.ChooserPreselected, 0);
}

TEST_F(StartupTest, DefaultConfigPreselectsWithoutCaseAndFallsBackToTheFirst)
{
    RegisterDefault(QStringLiteral("Alpha"));
    RegisterDefault(QStringLiteral("Beta"));
    struct TCase
    {
        const char* Default;
        const char* Expected;
    } const cases[] = {{"beta", "Beta"}, {"Gone", "Alpha"}, {"", "Alpha"}};
    for (const auto& c : cases) {
        SetDbConfigValue(QStringLiteral("DefaultConfig"), QString::fromUtf8(c.Default));
        TStartup startup(Shell, Shell);
        ASSERT_TRUE(startup.ChooseConfiguration());
        EXPECT_EQ(StartConfig().ConfigName, QString::fromUtf8(c.Expected)) << c.Default;
    }
}

TEST_F(StartupTest, FolderValuesAreTrimmedAndTheFoldersDerived)
{
    const QString sep = QDir::separator();
    Register(QStringLiteral("Demo"), QStringLiteral("  ") + Config.CatalogDir + sep + QStringLiteral(" "),
             Config.ServerDir + sep, Path(QStringLiteral("Temp")) + sep);
    TStartup startup(Shell, Shell);
    ASSERT_TRUE(startup.ChooseConfiguration());
    const TStartConfig& c = StartConfig();
    EXPECT_EQ(c.CatalogDir, Config.CatalogDir);
    EXPECT_EQ(c.SettingsFile, Config.CatalogDir + sep + QStringLiteral("OKFurniture.ini"));
    EXPECT_EQ(c.OrdersDir, Config.ServerDir + sep + QStringLiteral("Orders"));
    EXPECT_EQ(c.SelectionsDir, Config.ServerDir + sep + QStringLiteral("Selection"));
    EXPECT_EQ(c.RecycleDir, Config.ServerDir + sep + QStringLiteral("Recycled"));
    EXPECT_EQ(c.ArchiveDir, Config.ServerDir + sep + QStringLiteral("Archive"));
    EXPECT_EQ(c.RegistryDir, Config.ServerDir + sep + QStringLiteral("Registry"));
    EXPECT_EQ(c.ExportDir, Config.ServerDir + sep + QStringLiteral("Export"));
    EXPECT_EQ(c.ReportDir, Config.ReportDir);
    EXPECT_TRUE(c.PrivateDir.startsWith(Path(QStringLiteral("Temp")) + sep));
    const int number = c.PrivateDir.mid(Path(QStringLiteral("Temp")).size() + 1).toInt();
    EXPECT_TRUE(number >= 0 && number <= 999999);
    EXPECT_TRUE(QFileInfo(c.PrivateDir).isDir());
    EXPECT_EQ(c.LastPrivateDir, c.PrivateDir);
}

TEST_F(StartupTest, EachStartDeletesThePreviousPrivateFolder)
{
    // Without OKFTempDir the private folders lie beside the executable.
    Register(QStringLiteral("Demo"), Config.CatalogDir, Config.ServerDir, QStringLiteral("  "));
    WriteFile(Config.SettingsFile, QString());
    TStartup first(Shell, Shell);
    ASSERT_TRUE(first.Run({}));
    const QString previous = StartConfig().PrivateDir;
    EXPECT_EQ(QFileInfo(previous).absolutePath(), QFileInfo(ExecutableDir() + QStringLiteral("/x")).absolutePath());
    ASSERT_TRUE(QFileInfo(previous).isDir());
    WriteFile(previous + QStringLiteral("/Paradox.lck"), QStringLiteral("x"));

    TStartup second(Shell, Shell);
    ASSERT_TRUE(second.Run({}));
    EXPECT_FALSE(QFileInfo::exists(previous));
    EXPECT_TRUE(QFileInfo(StartConfig().PrivateDir).isDir());
    QDir(StartConfig().PrivateDir).removeRecursively();
}

TEST_F(StartupTest, OnlyANumberedPrivateFolderIsDeleted)
{
    RegisterDefault();
    const QString precious = Path(QStringLiteral("Orders"));
    QDir().mkpath(precious);
    SetDbConfigValue(QStringLiteral("OKFLastTempDir"), precious);
    TStartup startup(Shell, Shell);
    ASSERT_TRUE(startup.Run({}));
    EXPECT_TRUE(QFileInfo(precious).isDir());
}

TEST_F(StartupTest, SwitchesAreFoundInsideAnyParameter)
{
    struct TCase
    {
        QStringList Args;
        bool Developer;
        bool Presentation;
    } const cases[] = {
        {{}, false, true},
        {{QStringLiteral("x"), QStringLiteral("-run/DEVELOPERmode")}, true, true},
        {{QStringLiteral("/NoPresentation")}, false, false},
        {{QStringLiteral("/developer/nopresentation")}, true, false},
        {{QStringLiteral("developer")}, false, true},
    };
    for (const auto& c : cases) {
        TStartConfig config;
        config.ReadSwitches(c.Args);
        EXPECT_EQ(config.DeveloperMode, c.Developer) << c.Args.join(u' ').toStdString();
        EXPECT_EQ(config.ShowPresentation, c.Presentation) << c.Args.join(u' ').toStdString();
    }
}

TEST_F(StartupTest, StartsThatEndBeforeTheMainWindow)
{
    struct TCase
    {
        const char* What;
        std::function<void(StartupTest&)> Prepare;
        QStringList Boxes;
    };
    const TCase cases[] = {
        {"nothing registered", [](StartupTest&) {},
         {"В системе не установлены пути доступа к базам данных!\r\nИнсталлируйте заново программу!"}},
        {"chooser cancelled", [](StartupTest& t) {
             t.RegisterDefault();
             t.Shell.Choose = [](const QStringList&, int) { return -1; };
         }, {}},
        {"configuration gone meanwhile", [](StartupTest& t) {
             t.RegisterDefault(QStringLiteral("Старая"));
             t.Shell.Choose = [](const QStringList&, int pre) {
                 TRegistry reg;
                 reg.OpenKey(DbConfigKey, false);
                 reg.DeleteKey(QStringLiteral("Старая"));
                 return pre;
             };
         }, {"Ошибка открытия конфигурации Старая!\r\nУказанная конфигурация не числиться в списке."}},
        {"folder value not a string", [](StartupTest& t) {
             t.RegisterDefault();
             TRegistry reg;
             reg.OpenKey(DbConfigKey + QStringLiteral("\\Demo"), false);
             reg.WriteBinary(QStringLiteral("OKFServerName"), QByteArray("\x01\x02", 2));
         }, {"Ошибка чтения системного реестра!\r\n(Invalid data type for 'OKFServerName')"}},
        {"settings file missing", [](StartupTest& t) {
             t.RegisterDefault();
             QFile::remove(t.Config.SettingsFile);
         }, {"Не найден файл конфигурации! Переустановите программу или произведите настройку вручную!"}},
        {"NDSTax no number", [](StartupTest& t) {
             t.RegisterDefault();
             WriteFile(t.Config.SettingsFile, QStringLiteral("[Tax]\nNDSTax=abc\n"));
         }, {"'abc' is not a valid floating point value"}},
    };
    for (const auto& c : cases) {
        QDir(Path(QStringLiteral("registry.ini"))).removeRecursively();
        QFile::remove(Path(QStringLiteral("registry.ini")));
        TScriptedMessages::Current().Clear();
        Shell = TScriptedShell();
        c.Prepare(*this);
        TStartup startup(Shell, Shell);
        EXPECT_FALSE(startup.Run({})) << c.What;
        EXPECT_EQ(Boxes(), c.Boxes) << c.What << ": " << Boxes().join(u'|').toStdString();
        EXPECT_TRUE(Shell.Log.filter(QStringLiteral("splash")).isEmpty()) << c.What;
        EXPECT_TRUE(Shell.Log.filter(QStringLiteral("loop")).isEmpty()) << c.What;
    }
    // Nothing was saved: the settings registry branch never came into being.
    EXPECT_FALSE(TRegistry().KeyExists(RegistryBaseKey + QStringLiteral("\\TechnologMainWinState")));
    EXPECT_FALSE(ReadFile(Config.SettingsFile).contains(QStringLiteral("[Firm]")));
}

TEST_F(StartupTest, ADatabaseThatCannotConnectPostsNothing)
{
    RegisterDefault();
    Shell.FailConnect = QStringLiteral("Path not found: Catalog");
    TStartup startup(Shell, Shell);
    ASSERT_TRUE(startup.Run({}));
    EXPECT_EQ(Boxes(), QStringList{QStringLiteral("Path not found: Catalog")});
    EXPECT_TRUE(Shell.Posted().isEmpty());
    EXPECT_EQ(Shell.Log.mid(Shell.Log.indexOf(QStringLiteral("connect"))),
              (QStringList{"connect", "close splash", "loop", "disconnect", "destroy"}));
}

TEST_F(StartupTest, OptionsAndSwitchesDecideTheDeferredActions)
{
    RegisterDefault();
    {
        TRegistry reg;
        reg.OpenKey(RegistryBaseKey, true);
        reg.WriteInteger(QStringLiteral("AutoOpenReg"), 0);
        reg.WriteInteger(QStringLiteral("TechnologMainWinState"), wsMaximized);
    }
    Shell.FinalState = wsMaximized;
    TStartup startup(Shell, Shell);
    ASSERT_TRUE(startup.Run({QStringLiteral("/nopresentation")}));
    EXPECT_EQ(Shell.Posted(), (QStringList{"post 1430", "post 1524"}));
    EXPECT_TRUE(Shell.Log.contains(QStringLiteral("state 2")));
}

TEST_F(StartupTest, TheCurrencyDialogComesOnceADayAfterOk)
{
    RegisterDefault();
    const auto posted = [this](bool closeWith) {
        Shell = TScriptedShell();
        TStartup startup(Shell, Shell);
        startup.Run({});
        const bool shown = Shell.Posted().contains(QStringLiteral("post 1430"));
        if (shown) {
            TokfSetup setup(StartConfig());
            InstallSetup(&setup);
            TStartup::CurrencyDialogClosed(closeWith);
            InstallSetup(nullptr);
        }
        return shown;
    };
    EXPECT_FALSE(QFile::exists(CurrencyReminderFile(StartConfig())));
    EXPECT_TRUE(posted(false));  // first start, closed with Cancel
    EXPECT_TRUE(posted(true));   // shown again, closed with OK
    EXPECT_FALSE(posted(true));  // not again today
    EXPECT_EQ(QFileInfo(CurrencyReminderFile(StartConfig())).size(), 8);
    EXPECT_EQ(ReadCurrencyReminder(), QDate::currentDate());
    EXPECT_EQ(ReadCurrencyReminder(StartConfig(), QDate::currentDate().addDays(1)), QDate::currentDate());
}

TEST_F(StartupTest, CurrencyReminderFileFormat)
{
    TStartConfig config;
    config.ServerDir = Path(QStringLiteral("Server"));
    QDir().mkpath(config.ServerDir);
    EXPECT_EQ(ReadCurrencyReminder(config, QDate(2024, 3, 1)), QDate(2024, 2, 29));
    WriteCurrencyReminder(config, QDate(2024, 3, 5));
    QFile f(CurrencyReminderFile(config));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const double days = 45356.0;
    EXPECT_EQ(f.readAll(), QByteArray(reinterpret_cast<const char*>(&days), 8)); // little-endian host
    EXPECT_EQ(ReadCurrencyReminder(config, QDate(2024, 3, 9)), QDate(2024, 3, 5));
}

TEST_F(StartupTest, AnInstalledConfigurationStartsWithTheDataModule)
{
    TInstallOptions options;
    options.ConfigName = QStringLiteral("Демо");
    options.Root = Path(QStringLiteral("root"));
    options.CatalogFrom = QStringLiteral(DIRAVIR_TEST_DATA_DIR "/catalog_min");
    InstallConfiguration(options);
    TDMStartupDatabase database;
    TStartup startup(Shell, database);
    ASSERT_TRUE(startup.Run({QStringLiteral("/nopresentation")}));
    EXPECT_TRUE(Boxes().isEmpty()) << Boxes().join(u'|').toStdString();
    // Installed today, so the rates count as confirmed: no currency dialog on the first start.
    EXPECT_EQ(Shell.Posted(), (QStringList{"post 1426", "post 1524"}));
    ASSERT_NE(database.Module(), nullptr);
    EXPECT_FALSE(database.Module()->DB_Catalog.Connected());
}

} // namespace
