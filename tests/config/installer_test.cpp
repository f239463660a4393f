#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include "catalog/data_module.h"
#include "config/installer.h"
#include "config/setup.h"
#include "config_fixture.h"
#include "foundation/error.h"
#include "platform/registry/registry.h"

namespace {

class InstallerTest : public ConfigFixture
{
public:
    // Runs diravir-cli with this test's registry; returns the exit code and fills the output.
    int Cli(const QStringList& args, QString* out = nullptr)
    {
        QProcess p;
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DIRAVIR_REGISTRY"), Path(QStringLiteral("registry.ini")));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(DIRAVIR_CLI_PATH), args);
        EXPECT_TRUE(p.waitForFinished(60000));
        if (out)
            *out = QString::fromUtf8(p.readAllStandardOutput())
                 + QString::fromUtf8(p.readAllStandardError()).remove(QRegularExpression(QStringLiteral("QStandardPaths:[^\n]*\n")));
        return p.exitCode();
    }

    // The configuration as start-up reads it from the registry.
    TStartConfig Registered(const QString& name)
    {
        TRegistry reg;
        EXPECT_TRUE(reg.OpenKey(DbConfigKey + QLatin1Char('\\') + name, false));
        TStartConfig c;
        c.CatalogDir = reg.ReadString(QStringLiteral("OKFCatalogDir"));
        c.ServerDir = reg.ReadString(QStringLiteral("OKFServerName"));
        c.ReportDir = reg.ReadString(QStringLiteral("OKFReportDir"));
        c.DeriveFolders();
        return c;
    }
};

const QString MinCatalog = QStringLiteral(DIRAVIR_TEST_DATA_DIR "/catalog_min");

TEST_F(InstallerTest, TheInstalledConfigurationOpensEveryTable)
{
    TInstallOptions options;
    options.ConfigName = QStringLiteral("Демо");
    options.Root = Path(QStringLiteral("root"));
    options.CatalogFrom = MinCatalog;
    options.MakeDefault = true;
    InstallConfiguration(options);

    const TStartConfig c = Registered(QStringLiteral("Демо"));
    {
        TDM dm;
        dm.Connect(c.CatalogDir, c.RegistryDir, c.ReportDir);
        EXPECT_TRUE(dm.OpenCatalogTables());
        dm.Disconnect();
    }
    EXPECT_TRUE(TScriptedMessages::Current().Texts().isEmpty()) << TScriptedMessages::Current().Texts().join(u'|').toStdString();
    for (const QString& folder : {c.OrdersDir, c.SelectionsDir, c.RecycleDir, c.ArchiveDir, c.ExportDir})
        EXPECT_TRUE(QDir(folder).exists()) << folder.toStdString();
    EXPECT_TRUE(QFile::exists(c.RegistryDir + QStringLiteral("/Registry.sqlite")));
    EXPECT_TRUE(QFile::exists(c.ReportDir + QStringLiteral("/Report.sqlite")));
    // Rates just installed count as confirmed today, so the first start does not ask for them.
    EXPECT_EQ(ReadCurrencyReminder(c), QDate::currentDate());

    // The settings point at codes of the catalogue.
    TokfSetup setup(c);
    ASSERT_TRUE(setup.Loaded);
    EXPECT_FLOAT_EQ(setup.NDSTax, 20.0f);
    EXPECT_EQ(setup.DefFurnSys, QStringLiteral("1"));
    EXPECT_EQ(setup.DefFurnColor, QStringLiteral("SI"));
    EXPECT_EQ(setup.DefProfSys, QStringLiteral("2"));
    EXPECT_EQ(setup.DefFalzType, 101);
    EXPECT_EQ(setup.CurCurrency, 1);
    EXPECT_EQ(setup.PriceGroupNames[9], QStringLiteral("Группа 10"));

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(DbConfigKey, false));
    EXPECT_EQ(reg.ReadString(QStringLiteral("DefaultConfig")), QStringLiteral("Демо"));
}

TEST_F(InstallerTest, WithoutACatalogueTheTablesOpenEmpty)
{
    TInstallOptions options;
    options.ConfigName = QStringLiteral("Пустая");
    options.Root = Path(QStringLiteral("root"));
    InstallConfiguration(options);
    const TStartConfig c = Registered(QStringLiteral("Пустая"));
    TDM dm;
    dm.Connect(c.CatalogDir, c.RegistryDir, c.ReportDir);
    EXPECT_TRUE(dm.OpenCatalogTables());
    EXPECT_TRUE(TScriptedMessages::Current().Texts().isEmpty());
    dm.Disconnect();
    EXPECT_TRUE(TokfSetup(c).DefFurnSys.isEmpty());
}

TEST_F(InstallerTest, CommandLine)
{
    const QString root = Path(QStringLiteral("root"));
    QString out;
    ASSERT_EQ(Cli({"install", "--config", "Demo", "--root", root, "--catalog-from", MinCatalog, "--default"}, &out), 0)
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("FrnArt: "))) << out.toStdString();

    // A second run keeps the catalogue and the edited settings.
    const TStartConfig c = Registered(QStringLiteral("Demo"));
    WriteFile(c.SettingsFile, QStringLiteral("[Firm]\nName=Своя\n"));
    ASSERT_EQ(Cli({"install", "--config", "demo", "--root", root}, &out), 0) << out.toStdString();
    EXPECT_EQ(ReadFile(c.SettingsFile), QStringLiteral("[Firm]\r\nName=Своя\r\n"));
    EXPECT_EQ(Cli({"install", "--config", "Demo", "--root", root, "--catalog-from", MinCatalog}, &out), 1);
    EXPECT_TRUE(out.contains(QStringLiteral("--force"))) << out.toStdString();
    EXPECT_EQ(Cli({"install", "--config", "Demo", "--root", root, "--catalog-from", MinCatalog, "--force"}), 0);
    EXPECT_EQ(Cli({"install", "--root", root}), 2);

    ASSERT_EQ(Cli({"install", "--config", "Second", "--root", Path(QStringLiteral("two"))}), 0);
    ASSERT_EQ(Cli({"config", "list"}, &out), 0);
    EXPECT_EQ(out, QStringLiteral("Demo (default)\n  OKFCatalogDir=%1\n  OKFServerName=%2\n  OKFReportDir=%3\n"
                                  "  OKFTempDir=%4\nSecond\n  OKFCatalogDir=%5\n  OKFServerName=%6\n  OKFReportDir=%7\n"
                                  "  OKFTempDir=%8\n")
                       .arg(root + QStringLiteral("/Catalog"), root + QStringLiteral("/Server"),
                            root + QStringLiteral("/Report"), root + QStringLiteral("/Temp"),
                            Path(QStringLiteral("two/Catalog")), Path(QStringLiteral("two/Server")),
                            Path(QStringLiteral("two/Report")), Path(QStringLiteral("two/Temp"))));
    // Registering "demo" again did not add a second key.
    EXPECT_EQ(RegisteredConfigurations().size(), 2u);
}

} // namespace
