#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "foundation/error.h"
#include "platform/registry/registry.h"

namespace {

class RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        File = Dir.filePath(QStringLiteral("registry.ini"));
        qputenv("DIRAVIR_REGISTRY", File.toLocal8Bit());
    }
    void TearDown() override { qunsetenv("DIRAVIR_REGISTRY"); }

    QTemporaryDir Dir;
    QString File;
};

const QString Base = QStringLiteral("\\SoftWare\\Rizuve\\Diravir\\Zeradevad380");

TEST_F(RegistryTest, KeysAreCreatedOnlyWhenAskedAndMatchedWithoutCase)
{
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(Base + QStringLiteral("\\DBConfig\\Roto"), false));
    EXPECT_EQ(reg.CurrentPath(), QString());
    ASSERT_TRUE(reg.OpenKey(Base + QStringLiteral("\\DBConfig\\Roto"), true));

    // An empty key still exists for a later run.
    TRegistry other;
    EXPECT_TRUE(other.KeyExists(QStringLiteral("\\software\\RIZUVE\\diravir\\zeradevad380\\dbconfig\\roto")));
    ASSERT_TRUE(other.OpenKey(QStringLiteral("\\SOFTWARE\\rizuve\\Diravir\\ZERADEVAD380\\DBConfig\\roto"), false));
    EXPECT_EQ(other.CurrentPath(), Base + QStringLiteral("\\DBConfig\\Roto"));
    EXPECT_TRUE(other.GetValueNames().isEmpty());
    EXPECT_TRUE(other.GetKeyNames().isEmpty());

    // Relative paths start at the open key.
    ASSERT_TRUE(other.OpenKey(QStringLiteral("Демо конфигурация"), true));
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("Second"), true));
    ASSERT_TRUE(reg.OpenKey(Base + QStringLiteral("\\DBConfig\\Roto"), false));
    EXPECT_EQ(reg.GetKeyNames().size(), 2);
    EXPECT_TRUE(reg.GetKeyNames().contains(QStringLiteral("Демо конфигурация")));
    EXPECT_TRUE(reg.KeyExists(QStringLiteral("демо КОНФИГУРАЦИЯ")));

    EXPECT_TRUE(reg.DeleteKey(QStringLiteral("second")));
    EXPECT_EQ(reg.GetKeyNames(), QStringList{QStringLiteral("Демо конфигурация")});
    EXPECT_FALSE(reg.DeleteKey(QStringLiteral("second")));
}

TEST_F(RegistryTest, ValuesKeepTheirTypeAndSpelling)
{
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(Base, true));
        reg.WriteString(QStringLiteral("OKFCatalogDir"), QStringLiteral("C:\\Каталог\\"));
        reg.WriteInteger(QStringLiteral("TechnologMainWinState"), 2);
        reg.WriteBool(QStringLiteral("AutoReg"), false);
        reg.WriteDate(QStringLiteral("OrderDate"), QDate(2024, 3, 5));
        reg.WriteBinary(QStringLiteral("Blob"), QByteArray("\x00\x01\xff", 3));
        // Writing under another spelling replaces the value instead of adding a second one.
        reg.WriteInteger(QStringLiteral("technologmainwinstate"), 1);
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Base, false));
    EXPECT_EQ(reg.GetValueNames().size(), 5);
    EXPECT_TRUE(reg.ValueExists(QStringLiteral("okfcatalogdir")));
    EXPECT_FALSE(reg.ValueExists(QStringLiteral("OKFServerName")));
    EXPECT_EQ(reg.ReadString(QStringLiteral("OKFCATALOGDIR")), QStringLiteral("C:\\Каталог\\"));
    EXPECT_EQ(reg.ReadString(QStringLiteral("OKFServerName")), QString());
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("TechnologMainWinState")), 1);
    EXPECT_FALSE(reg.ReadBool(QStringLiteral("AutoReg")));
    EXPECT_EQ(reg.ReadBinary(QStringLiteral("OrderDate")).size(), 8);
    EXPECT_EQ(reg.ReadDate(QStringLiteral("OrderDate")), QDate(2024, 3, 5));
    EXPECT_DOUBLE_EQ(reg.ReadFloat(QStringLiteral("OrderDate")), 45356.0);
    EXPECT_EQ(reg.ReadBinary(QStringLiteral("blob")), QByteArray("\x00\x01\xff", 3));

    EXPECT_TRUE(reg.DeleteValue(QStringLiteral("BLOB")));
    EXPECT_FALSE(reg.ValueExists(QStringLiteral("Blob")));
}

TEST_F(RegistryTest, WrongTypesAndMissingValuesRaiseReadableErrors)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Base, true));
    reg.WriteString(QStringLiteral("Text"), QStringLiteral("abc"));
    reg.WriteBinary(QStringLiteral("Short"), QByteArray("1234"));
    reg.WriteInteger(QStringLiteral("Number"), 7);

    struct TCase
    {
        const char* What;
        std::function<void()> Read;
    };
    const TCase cases[] = {
        {"integer from text", [&] { reg.ReadInteger(QStringLiteral("Text")); }},
        {"missing integer", [&] { reg.ReadInteger(QStringLiteral("Nothing")); }},
        {"binary from text", [&] { reg.ReadBinary(QStringLiteral("Text")); }},
        {"float of 4 bytes", [&] { reg.ReadFloat(QStringLiteral("Short")); }},
        {"string from binary", [&] { reg.ReadString(QStringLiteral("Short")); }},
    };
    for (const auto& c : cases) {
        try {
            c.Read();
            ADD_FAILURE() << c.What << " did not raise";
        } catch (const TError& e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Invalid data type for '"))) << c.What;
        }
    }
}

TEST_F(RegistryTest, AnUnwritableStandInFileIsReported)
{
    // A folder where the file should be cannot be written.
    QDir(Dir.path()).mkpath(QStringLiteral("registry.ini"));
    try {
        TRegistry reg;
        reg.OpenKey(Base, true);
        reg.WriteInteger(QStringLiteral("AutoReg"), 1);
        ADD_FAILURE() << "write did not raise";
    } catch (const TError& e) {
        EXPECT_FALSE(e.Message().isEmpty());
    }
}

} // namespace
