#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "catalog/data_module.h"
#include "config/dm_startup.h"
#include "config/installer.h"
#include "config/start_config.h"
#include "config/startup.h"
#include "config/ui/config_list_dlg.h"
#include "config/ui/splash_form.h"
#include "platform/registry/registry.h"
#include "support/scripted_messages.h"
#include "windows/main_form.h"
#include "windows/qt_startup_shell.h"

namespace {

// The Qt shell with a record of the splash's progress and of what happened around it.
class TRecordingShell : public TQtStartupShell
{
public:
    void SetSplashProgress(int percent) override
    {
        TQtStartupShell::SetSplashProgress(percent);
        if (Splash())
            Log << QStringLiteral("progress %1 %2").arg(percent).arg(Splash()->Status());
    }
    void CloseSplash() override
    {
        if (Splash())
            Log << QStringLiteral("splash closed");
        TQtStartupShell::CloseSplash();
    }
    void CreateMainWindow() override
    {
        TQtStartupShell::CreateMainWindow();
        Log << QStringLiteral("main window");
    }
    QStringList Log;
};

class StartupShell : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        qputenv("DIRAVIR_REGISTRY", Dir.filePath(QStringLiteral("registry.ini")).toLocal8Bit());
        TScriptedMessages::Current().Clear();
    }
    void TearDown() override { qunsetenv("DIRAVIR_REGISTRY"); }

    void Install()
    {
        TInstallOptions options;
        options.ConfigName = QStringLiteral("Демо");
        options.Root = Dir.filePath(QStringLiteral("demo"));
        options.CatalogFrom = QStringLiteral(DIRAVIR_TEST_DATA_DIR "/catalog_min");
        options.MakeDefault = true;
        InstallConfiguration(options);
        // A day later: the daily currency reminder is due again.
        TStartConfig installed;
        installed.ServerDir = RegisteredConfigurations().at(0).ServerDir;
        WriteCurrencyReminder(installed, QDate::currentDate().addDays(-1));
    }
    QString CatalogDir() const { return RegisteredConfigurations().at(0).CatalogDir; }

    // Starts the application; every modal window is answered by `answer` (OK by default) and
    // the frame is closed once it is running and no modal window is left.
    bool Start(const QStringList& arguments = {QStringLiteral("diravir")})
    {
        Seen.clear();
        auto* driver = new QTimer;
        driver->setInterval(10);
        int idle = 0;
        QObject::connect(driver, &QTimer::timeout, [&, driver] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                idle = 0;
                Seen << QString::fromLatin1(modal->metaObject()->className());
                if (Seen.last() == QStringLiteral("TConfigListDlg"))
                    Chosen = static_cast<TConfigListDlg*>(modal)->Chosen();
                if (Seen.last() == QStringLiteral("TPresentationRotoDlg"))
                    SplashGoneBeforePresentation = Shell.Splash() == nullptr;
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    Answer == QDialog::Accepted ? dialog->accept() : dialog->reject();
                return;
            }
            TMainForm* main = Shell.MainForm();
            if (main && main->isVisible() && ++idle > 5) {
                Caption = main->windowTitle();
                Rows = TDM::Current() && TDM::Current()->T_Currency.Active() ? TDM::Current()->T_Currency.RecordCount() : -1;
                driver->stop();
                main->close();
            }
        });
        driver->start();
        TDMStartupDatabase database;
        TStartup startup(Shell, database);
        const bool started = startup.Run(arguments);
        delete driver;
        return started;
    }

    QTemporaryDir Dir;
    TRecordingShell Shell;
    QStringList Seen;
    QString Chosen;
    QString Caption;
    int Rows = -1;
    bool SplashGoneBeforePresentation = false;
    int Answer = QDialog::Accepted;
};

TEST_F(StartupShell, ReachesTheMainWindowAndRunsTheDeferredActionsAfterTheSplash)
{
    Install();
    ASSERT_TRUE(Start());
    EXPECT_EQ(Chosen, QStringLiteral("Демо"));
    EXPECT_EQ(Caption, QStringLiteral("Diravir ФУРНИТУРА: [Демо]"));
    EXPECT_EQ(Rows, 2);
    EXPECT_EQ(Shell.Log, (QStringList{QStringLiteral("progress 0 Загрузка..."),
                                      QStringLiteral("progress 2 Загрузка системы..."),
                                      QStringLiteral("progress 20 Загрузка системы..."), QStringLiteral("main window"),
                                      QStringLiteral("progress 40 Загрузка системы..."),
                                      QStringLiteral("progress 100 Загрузка системы..."),
                                      QStringLiteral("splash closed")}));
    // The registry window has no window yet; the presentation, then the currency dialog.
    EXPECT_EQ(Seen, (QStringList{QStringLiteral("TConfigListDlg"), QStringLiteral("TPresentationRotoDlg"),
                                 QStringLiteral("TCurrencyDlg")}));
    EXPECT_TRUE(SplashGoneBeforePresentation);
    EXPECT_TRUE(TScriptedMessages::Current().Shown().empty()) << TScriptedMessages::Current().Texts().join(u'|').toStdString();
    EXPECT_EQ(ReadCurrencyReminder(), QDate::currentDate());

    // Same day again, without the presentation: only the chooser.
    ASSERT_TRUE(Start({QStringLiteral("diravir"), QStringLiteral("-X/NoPresentation")}));
    EXPECT_EQ(Seen, QStringList{QStringLiteral("TConfigListDlg")});
}

TEST_F(StartupShell, CancelledChooserOrNoConfigurationEndsBeforeAnyWindow)
{
    ASSERT_FALSE(Start());
    EXPECT_TRUE(Seen.isEmpty());
    EXPECT_EQ(TScriptedMessages::Current().Texts(),
              QStringList{QStringLiteral("В системе не установлены пути доступа к базам данных!\r\n"
                                         "Инсталлируйте заново программу!")});
    Install();
    TScriptedMessages::Current().Clear();
    Answer = QDialog::Rejected;
    EXPECT_FALSE(Start());
    EXPECT_EQ(Seen, QStringList{QStringLiteral("TConfigListDlg")});
    EXPECT_EQ(Shell.MainForm(), nullptr);
    EXPECT_TRUE(TScriptedMessages::Current().Shown().empty());
}

TEST_F(StartupShell, MissingSettingsFileStopsWithItsWarning)
{
    Install();
    ASSERT_TRUE(QFile::remove(CatalogDir() + QStringLiteral("/OKFurniture.ini")));
    EXPECT_FALSE(Start());
    EXPECT_EQ(TScriptedMessages::Current().Texts(),
              QStringList{QStringLiteral("Не найден файл конфигурации! Переустановите программу или произведите "
                                         "настройку вручную!")});
    EXPECT_FALSE(Shell.Log.contains(QStringLiteral("main window")));
}

TEST_F(StartupShell, MissingTableIsReportedAloneAndStartUpGoesOn)
{
    Install();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("drop"));
        db.setDatabaseName(CatalogDir() + QStringLiteral("/Catalog.sqlite"));
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("DROP TABLE FrnDop"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("drop"));
    ASSERT_TRUE(Start({QStringLiteral("diravir"), QStringLiteral("/nopresentation")}));
    const QStringList texts = TScriptedMessages::Current().Texts();
    ASSERT_EQ(texts.size(), 1) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("Ошибка открытия файла [FrnDop.DB]\r\n("))) << texts[0].toStdString();
    EXPECT_EQ(Rows, 2); // the other tables opened
    EXPECT_TRUE(Seen.contains(QStringLiteral("TCurrencyDlg")));
}

TEST_F(StartupShell, UnreachableCatalogueLeavesTheFrameWithoutDeferredActions)
{
    Install();
    ASSERT_TRUE(QFile::remove(CatalogDir() + QStringLiteral("/Catalog.sqlite")));
    ASSERT_TRUE(Start());
    EXPECT_EQ(TScriptedMessages::Current().Shown().size(), 1u);
    EXPECT_EQ(Caption, QStringLiteral("Diravir ФУРНИТУРА: [Демо]"));
    EXPECT_EQ(Seen, QStringList{QStringLiteral("TConfigListDlg")}); // neither presentation nor currency
    EXPECT_TRUE(Shell.Log.contains(QStringLiteral("splash closed")));
}

} // namespace
