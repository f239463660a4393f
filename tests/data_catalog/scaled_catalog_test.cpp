#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "catalog/demo_generator.h"
#include "data_catalog/catalog_checks.h"
#include "foundation/error.h"

namespace {
QString DemoDir() { return QStringLiteral(DIRAVIR_DATA_DIR "/catalog"); }
} // namespace

TEST(ScaledCatalog, CopiesTheDemoWithShiftedCodesAndStaysConsistent)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TScaledCatalogReport report = GenerateScaledCatalog(DemoDir(), 1, dir.path());
    const TCatalogFolder demo(DemoDir());
    const TCatalogFolder scaled(dir.path());

    const qint64 demoArt = demo.Table(QStringLiteral("FrnArt")).Rows.size();
    EXPECT_GE(report.RowsOf(QStringLiteral("FrnArt")), 1000);
    EXPECT_EQ(report.RowsOf(QStringLiteral("FrnArt")), demoArt * report.Copies);
    EXPECT_EQ(scaled.Table(QStringLiteral("FrnArt")).Rows.size(), report.RowsOf(QStringLiteral("FrnArt")));
    // Shared reference data is written once.
    EXPECT_EQ(scaled.Table(QStringLiteral("Currency")).Rows.size(), demo.Table(QStringLiteral("Currency")).Rows.size());

    const QStringList problems = scaled.Problems();
    EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();

    // Copy 0 is the demo itself, so its reference orders still calculate in a scaled catalogue;
    // copy 1 is a system of its own whose keeper rule (common group vs. system) still holds.
    EXPECT_TRUE(scaled.Values(QStringLiteral("FrnComp"), QStringLiteral("ID")).contains(QStringLiteral("K100-PO-L")));
    EXPECT_TRUE(scaled.Values(QStringLiteral("FrnComp"), QStringLiteral("ID")).contains(QStringLiteral("K100-PO-L.1")));
    EXPECT_TRUE(scaled.Values(QStringLiteral("Catalog"), QStringLiteral("ID")).contains(QStringLiteral("ZV-10215.1")));
    const TDemoCsvTable& sys = scaled.Table(QStringLiteral("SysList"));
    bool found = false;
    for (const QStringList& row : sys.Rows)
        if (sys.Cell(row, QStringLiteral("ID")) == QLatin1String("1100")) {
            found = true;
            EXPECT_EQ(sys.Cell(row, QStringLiteral("CommonGrp")), QStringLiteral("1100"));
        }
    EXPECT_TRUE(found);
    EXPECT_FALSE(scaled.Values(QStringLiteral("SysList"), QStringLiteral("ID")).contains(QStringLiteral("1058")));
}

TEST(ScaledCatalog, RefusesBadArguments)
{
    QTemporaryDir dir;
    EXPECT_THROW(GenerateScaledCatalog(DemoDir(), 0, dir.path()), TError);
    EXPECT_THROW(GenerateScaledCatalog(dir.path() + QStringLiteral("/missing"), 1, dir.path()), TError);
    EXPECT_THROW(GenerateScaledCatalog(DemoDir(), 1, DemoDir()), TError);
}

TEST(ScaledCatalog, CommandLineWritesTheCatalogue)
{
    QTemporaryDir dir;
    QProcess cli;
    cli.start(QStringLiteral(DIRAVIR_CLI_PATH),
              {QStringLiteral("gen-catalog"), QStringLiteral("--scale"), QStringLiteral("2"), QStringLiteral("--to"),
               dir.path(), QStringLiteral("--from"), DemoDir()});
    ASSERT_TRUE(cli.waitForFinished(120000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_TRUE(QString::fromUtf8(cli.readAllStandardOutput()).contains(QStringLiteral("FrnArt: ")));
    EXPECT_GE(TCatalogFolder(dir.path()).Table(QStringLiteral("FrnArt")).Rows.size(), 2000);

    QProcess bad;
    bad.start(QStringLiteral(DIRAVIR_CLI_PATH), {QStringLiteral("gen-catalog"), QStringLiteral("--scale"), QStringLiteral("0"),
                                                 QStringLiteral("--to"), dir.path()});
    ASSERT_TRUE(bad.waitForFinished(30000));
    EXPECT_EQ(bad.exitCode(), 2);
}
