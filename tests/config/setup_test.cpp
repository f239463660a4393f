#include "config/setup.h"
#include "config_fixture.h"
#include "foundation/error.h"
#include "platform/registry/registry.h"

namespace {

class SetupTest : public ConfigFixture
{
protected:
    void WriteSettings(const QString& text) { WriteFile(Config.SettingsFile, text); }
};

TEST_F(SetupTest, WithoutTheSettingsFileNothingIsLoadedCreatedOrSaved)
{
    TokfSetup setup(Config);
    EXPECT_FALSE(setup.Loaded);
    EXPECT_FALSE(setup.AutoReg);
    EXPECT_EQ(setup.DefMaterial, 0);
    EXPECT_TRUE(setup.PriceGroupNames.isEmpty());
    setup.Save();
    EXPECT_FALSE(QDir(Config.ServerDir).exists());
    EXPECT_FALSE(QFile::exists(Config.SettingsFile));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("registry.ini"))));
}

TEST_F(SetupTest, AnEmptySettingsFileGivesTheDefaultsAndCreatesTheFolders)
{
    WriteSettings(QString());
    TokfSetup setup(Config);
    ASSERT_TRUE(setup.Loaded);
    EXPECT_FLOAT_EQ(setup.NDSTax, 18.0f);
    EXPECT_EQ(setup.DefMaterial, 1);
    EXPECT_EQ(setup.FtpPort, 21);
    EXPECT_TRUE(setup.TotalNDS);
    EXPECT_TRUE(setup.ShowIncludingNDS);
    EXPECT_TRUE(setup.UserDefineHeight);
    EXPECT_TRUE(setup.AlertIfNotFull && setup.AutoReg && setup.AutoOpenReg && setup.MoveToRecycled
                && setup.AutoLoadCurrency);
    EXPECT_EQ(setup.DesignFormW, 640);
    EXPECT_EQ(setup.DesignFormH, 480);
    ASSERT_EQ(setup.PriceGroupNames.size(), 10);
    EXPECT_EQ(setup.PriceGroupNames.front(), QStringLiteral("?????? #1"));
    EXPECT_EQ(setup.PriceGroupNames.back(), QStringLiteral("?????? #10"));
    for (const QString& folder : {Config.ServerDir, Config.OrdersDir, Config.RecycleDir, Config.ArchiveDir,
                                  Config.SelectionsDir, Config.ReportDir, Config.ExportDir})
        EXPECT_TRUE(QDir(folder).exists()) << folder.toStdString();
    // The registry folder holds the registry database and comes with the installation.
    EXPECT_FALSE(QDir(Config.RegistryDir).exists());
}

TEST_F(SetupTest, NdsTaxIsReadWithoutBlanks)
{
    struct TCase
    {
        const char* Line;
        float Expected;
    } const cases[] = {
        {"NDSTax=1 8", 18.0f}, {"NDSTax=", 0.0f}, {"", 18.0f}, {"NDSTax= 19,5 ", 19.5f}, {"NDSTax=19.5", 19.5f},
    };
    for (const auto& c : cases) {
        WriteSettings(QStringLiteral("[Tax]\n") + QString::fromUtf8(c.Line) + QLatin1Char('\n'));
        EXPECT_FLOAT_EQ(TokfSetup(Config).NDSTax, c.Expected) << c.Line;
    }
    WriteSettings(QStringLiteral("[Tax]\nNDSTax=18%\n"));
    try {
        TokfSetup setup(Config);
        ADD_FAILURE() << "no failure";
    } catch (const TError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'18%' is not a valid floating point value"));
    }
}

TEST_F(SetupTest, ReadOnlyKeysAreNeverWrittenAndOthersAreReplacedInPlace)
{
    WriteSettings(QStringLiteral("; настройки\n[Mine]\nA=1\n[Tax]\nNDSTax=20\nTotalNDS=1\nPriceGrpNo=3\n"
                                 "[PriceGroupNames]\n1=Розница\n[Defaults]\nDefProfWidth=abc\nDefMaterial=2\n"
                                 "DefFurnSysGroup=4\n"));
    {
        TokfSetup setup(Config);
        EXPECT_EQ(setup.PriceGroupNames[0], QStringLiteral("Розница"));
        EXPECT_EQ(setup.PriceGroupNames[1], QStringLiteral("?????? #2"));
        EXPECT_EQ(setup.PriceGrpNo, 3);
        EXPECT_EQ(setup.DefFurnSysGroup, 4);
        EXPECT_FLOAT_EQ(setup.DefProfWidth, 0.0f);
        setup.TotalNDS = false;
        setup.PriceGrpNo = 5;
        setup.PriceGroupNames[0] = QStringLiteral("x");
        setup.NDSTax = 19.9f;
        setup.DefProfThickness = 68;
        setup.Save();
    }
    const QString text = ReadFile(Config.SettingsFile);
    EXPECT_TRUE(text.startsWith(QStringLiteral("; настройки\r\n[Mine]\r\nA=1\r\n[Tax]\r\nNDSTax=19,9\r\n"
                                               "TotalNDS=1\r\nPriceGrpNo=3\r\n[PriceGroupNames]\r\n1=Розница\r\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("DefProfWidth=0\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("DefProfThickness=68\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("DefFurnSysGroup=4\r\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("UserDefineHeight")));

    TokfSetup again(Config);
    EXPECT_TRUE(again.TotalNDS);
    EXPECT_EQ(again.PriceGrpNo, 3);
    EXPECT_FLOAT_EQ(again.NDSTax, 19.9f);
}

TEST_F(SetupTest, RegistryValuesAndDesignerSizeAreWrittenBack)
{
    WriteSettings(QString());
    {
        TRegistry reg;
        reg.OpenKey(RegistryBaseKey, true);
        reg.WriteInteger(QStringLiteral("TechnologMainWinState"), 2);
        reg.WriteInteger(QStringLiteral("autoreg"), 0);
    }
    {
        TokfSetup setup(Config);
        EXPECT_EQ(setup.MainWinState, wsMaximized);
        EXPECT_FALSE(setup.AutoReg);
        setup.AutoOpenReg = false;
        setup.Save();
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(RegistryBaseKey, false));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("TechnologDesignFormW")), 640);
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("TechnologDesignFormH")), 480);
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("TechnologMainWinState")), 2);
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("AutoReg")), 0);
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("AutoOpenReg")), 0);
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("AutoLoadCurrency")), 1);
    EXPECT_EQ(reg.GetValueNames().size(), 10);
}

TEST_F(SetupTest, RegistryFailuresAreShownAndTheFileIsStillWritten)
{
    WriteSettings(QString());
    {
        TRegistry reg;
        reg.OpenKey(RegistryBaseKey, true);
        reg.WriteString(QStringLiteral("TechnologMainWinState"), QStringLiteral("wide"));
        reg.WriteInteger(QStringLiteral("TechnologDesignFormW"), 800);
    }
    TokfSetup setup(Config);
    EXPECT_EQ(TScriptedMessages::Current().Texts(),
              QStringList{QStringLiteral("Ошибка чтения из системного реестра!\r\n(Invalid data type for "
                                         "'TechnologMainWinState')")});
    EXPECT_EQ(setup.MainWinState, wsNormal);
    EXPECT_EQ(setup.DesignFormW, 640); // values after the failing one are not read
    EXPECT_TRUE(QDir(Config.OrdersDir).exists());

    TScriptedMessages::Current().Clear();
    // The registry file cannot be replaced now.
    QFile::remove(Path(QStringLiteral("registry.ini")));
    QDir().mkpath(Path(QStringLiteral("registry.ini")));
    setup.FirmName = QStringLiteral("Окна");
    setup.Save();
    ASSERT_EQ(TScriptedMessages::Current().Texts().size(), 1);
    EXPECT_TRUE(TScriptedMessages::Current().Texts()[0].startsWith(QStringLiteral("Ошибка записи в системный реестр!\r\n(")));
    EXPECT_TRUE(ReadFile(Config.SettingsFile).contains(QStringLiteral("Name=Окна")));
}

TEST_F(SetupTest, FtpCredentialsAreStoredAsHex)
{
    EXPECT_EQ(EncodeHexText(QStringLiteral("abc")), QStringLiteral("616263"));
    EXPECT_EQ(DecodeHexText(QStringLiteral("616263")), QStringLiteral("abc"));
    EXPECT_EQ(DecodeHexText(QStringLiteral("16263")), QStringLiteral("\x01" "bc"));
    EXPECT_EQ(DecodeHexText(QString()), QString());

    WriteSettings(QStringLiteral("[FTP]\nftpUserName=757365\n"));
    {
        TokfSetup setup(Config);
        EXPECT_EQ(setup.FtpUserName, QStringLiteral("use"));
        setup.FtpPassword = QStringLiteral("Пароль №1");
        setup.FtpUpload = true;
        setup.Save();
    }
    EXPECT_TRUE(ReadFile(Config.SettingsFile).contains(QStringLiteral("ftpPassword=cfe0f0eeebfc20b931\r\n")));
    TokfSetup again(Config);
    EXPECT_EQ(again.FtpPassword, QStringLiteral("Пароль №1"));
    EXPECT_TRUE(again.FtpUpload);
}

TEST_F(SetupTest, PhonesLine)
{
    TokfSetup setup(Config);
    setup.FirmZipCode = QStringLiteral("017");
    EXPECT_EQ(setup.PhonesLine(), QString());
    setup.FirmPhone1 = QStringLiteral("123");
    setup.FirmPhone3 = QStringLiteral("456");
    EXPECT_EQ(setup.PhonesLine(), QStringLiteral("017 123,456"));
    setup.FirmPhone1.clear();
    setup.FirmFax = QStringLiteral("789");
    EXPECT_EQ(setup.PhonesLine(), QStringLiteral("017 456,789"));
}

TEST(SettingsFloatText, GeneralFormatWithTheSeparatorInForce)
{
    Formats().Reset();
    EXPECT_EQ(SettingsFloatText(18.0f), QStringLiteral("18"));
    EXPECT_EQ(SettingsFloatText(0.1f), QStringLiteral("0,1"));
    EXPECT_EQ(SettingsFloatText(-2.25f), QStringLiteral("-2,25"));
    EXPECT_EQ(SettingsFloatText(1e20f), QStringLiteral("100000000000000000000"));
}

} // namespace
