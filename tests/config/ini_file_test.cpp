#include "config/ini_file.h"
#include "config_fixture.h"
#include "foundation/error.h"

namespace {

using IniFileTest = ConfigFixture;

TEST_F(IniFileTest, ReadsLikeTheProfileFunctions)
{
    const QString file = Path(QStringLiteral("a.ini"));
    WriteFile(file, QStringLiteral("; комментарий\n[ Firm ]\n  Name = ООО \"Окна\"  \nQuoted=\"  x  \"\n"
                                   ";Fax=1\nBad\n[firm]\nName=second\n[Tax]\nNDSTax=0x1F\nWrong=12a\n"));
    const TIniFile ini(file);
    EXPECT_EQ(ini.ReadString(QStringLiteral("FIRM"), QStringLiteral("name"), QStringLiteral("-")),
              QStringLiteral("ООО \"Окна\""));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Firm"), QStringLiteral("Quoted"), {}), QStringLiteral("  x  "));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Firm"), QStringLiteral("Fax"), QStringLiteral("-")), QStringLiteral("-"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("None"), QStringLiteral("Name"), QStringLiteral("-")), QStringLiteral("-"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Tax"), QStringLiteral("NDSTax"), 0), 31);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Tax"), QStringLiteral("Wrong"), 7), 7);
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("Tax"), QStringLiteral("NDSTax"), false));

    const TIniFile missing(Path(QStringLiteral("none.ini")));
    EXPECT_EQ(missing.ReadInteger(QStringLiteral("Tax"), QStringLiteral("X"), 5), 5);
}

TEST_F(IniFileTest, WritingReplacesInPlaceAndKeepsEverythingElse)
{
    const QString file = Path(QStringLiteral("a.ini"));
    WriteFile(file, QStringLiteral("; head\n[Unknown]\nKeep=1\n\n[Firm]\n; firm comment\nNAME=old\nFax=9\n\n"
                                   "[Tax]\nNDSTax=18\n"));
    TIniFile ini(file);
    ini.WriteString(QStringLiteral("firm"), QStringLiteral("Name"), QStringLiteral("Новая"));
    ini.WriteString(QStringLiteral("Firm"), QStringLiteral("Phone1"), QStringLiteral("123"));
    ini.WriteString(QStringLiteral("FTP"), QStringLiteral("ftpHost"), QStringLiteral("h"));
    ini.UpdateFile();
    EXPECT_EQ(ReadFile(file), QStringLiteral("; head\r\n[Unknown]\r\nKeep=1\r\n\r\n[Firm]\r\n; firm comment\r\n"
                                             "Name=Новая\r\nFax=9\r\nPhone1=123\r\n\r\n[Tax]\r\nNDSTax=18\r\n"
                                             "\r\n[FTP]\r\nftpHost=h\r\n"));
    QFile raw(file);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_TRUE(raw.readAll().contains("Name=\xcd\xee\xe2\xe0\xff")); // Windows-1251 bytes
}

TEST_F(IniFileTest, AFileThatCannotBeWrittenIsReported)
{
    // A folder stands where the file should be written.
    const QString file = Path(QStringLiteral("a.ini"));
    QDir().mkpath(file);
    TIniFile ini(file);
    ini.WriteString(QStringLiteral("Firm"), QStringLiteral("Name"), QStringLiteral("new"));
    try {
        ini.UpdateFile();
        ADD_FAILURE() << "write did not fail";
    } catch (const TError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Unable to write to %1").arg(file));
    }
}

} // namespace
