#include <gtest/gtest.h>

#include "foundation/path_helpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

TEST(PathHelpers, FileNamePartsCombinations)
{
    const QString path = QStringLiteral("C:\\Orders\\2024.1\\A-12.kfo370");
    const struct { bool folder, name, ext; const char* result; } cases[] = {
        {true, true, true, "C:\\Orders\\2024.1\\A-12.kfo370"},
        {true, false, false, "C:\\Orders\\2024.1\\"},
        {false, true, true, "A-12.kfo370"},
        {false, false, true, ".kfo370"},
        {true, true, false, "C:\\Orders\\2024.1\\A-12"},
        {false, true, false, "A-12"},
        {true, false, true, ""},
        {false, false, false, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileNameParts(path, c.folder, c.name, c.ext), QString::fromUtf8(c.result))
            << c.folder << c.name << c.ext;
}

TEST(PathHelpers, FileNamePartsEdgeCases)
{
    // A full stop in the folder is no extension; the platform separator counts as a folder end.
    EXPECT_EQ(FileNameParts(QStringLiteral("C:\\v1.2\\name"), false, false, true), QString());
    EXPECT_EQ(FileNameParts(QStringLiteral("/srv/orders/x.kfo370"), true, false, false), QStringLiteral("/srv/orders/"));
    EXPECT_EQ(FileNameParts(QStringLiteral("/srv/orders/x.kfo370"), false, true, false), QStringLiteral("x"));
    EXPECT_EQ(FileNameParts(QStringLiteral("name"), false, true, true), QStringLiteral("name"));
    EXPECT_EQ(FileNameParts(QStringLiteral("a.b.c"), false, true, false), QStringLiteral("a.b"));
    EXPECT_EQ(FileNameParts(QString(), true, true, true), QString());
}

TEST(PathHelpers, TrimFolder)
{
    EXPECT_EQ(TrimFolder(QStringLiteral("  C:\\Base\\ ")), QStringLiteral("C:\\Base"));
    EXPECT_EQ(TrimFolder(QStringLiteral("C:\\Base\\\\")), QStringLiteral("C:\\Base\\"));
    EXPECT_EQ(TrimFolder(QStringLiteral("/srv/base/")), QStringLiteral("/srv/base"));
    EXPECT_EQ(TrimFolder(QStringLiteral("   ")), QString());
}

TEST(PathHelpers, DeleteFolderRemovesTreeAndRefusesDangerousPaths)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString folder = temp.filePath(QStringLiteral("private/123"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/sub")));
    QFile file(folder + QStringLiteral("/sub/t.db"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    EXPECT_TRUE(DeleteFolder(folder));
    EXPECT_FALSE(QDir(folder).exists());
    EXPECT_TRUE(QDir(temp.filePath(QStringLiteral("private"))).exists());
    EXPECT_TRUE(DeleteFolder(folder)); // already gone

    QString error;
    EXPECT_FALSE(DeleteFolder(QStringLiteral("  "), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(DeleteFolder(QDir::rootPath()));
}
