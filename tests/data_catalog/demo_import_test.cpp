#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "catalog/catalog_import.h"
#include "catalog/data_module.h"
#include "catalog/demo_generator.h"
#include "data_catalog/catalog_checks.h"

// The shipped CSV goes through the real import and reads back through the data module's table
// objects with their filters, as the engine will read it.
TEST(DemoCatalogImport, ImportsWithoutWarningsAndReadsThroughTheDataModule)
{
    const QString demoDir = QStringLiteral(DIRAVIR_DATA_DIR "/catalog");
    QTemporaryDir store;
    ASSERT_TRUE(store.isValid());
    const TImportReport report = ImportCatalog(demoDir, store.path());
    EXPECT_TRUE(report.Missing.isEmpty()) << report.Missing.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(report.Warnings.isEmpty()) << report.Warnings.join(QLatin1Char('\n')).toStdString();

    const TCatalogFolder csv(demoDir);
    for (const QString& table : DemoCatalogTables())
        EXPECT_TRUE(report.Tables.contains(QStringLiteral("%1: %2").arg(table).arg(csv.Table(table).Rows.size())))
            << table.toStdString() << " in " << report.Tables.join(QLatin1Char(' ')).toStdString();

    TDM dm;
    dm.ConnectCatalog(store.path());
    ASSERT_TRUE(dm.OpenCatalogTables());
    EXPECT_EQ(dm.T_DornList.RecordCount(), 5);
    ASSERT_TRUE(dm.T_DornList.Locate(QStringLiteral("ID"), 205));
    EXPECT_DOUBLE_EQ(dm.T_DornList.FieldByName(QStringLiteral("DornMass")).AsFloat(), 37.5);
    EXPECT_FALSE(dm.T_FalzList.Locate(QStringLiteral("ID"), 205));
    EXPECT_EQ(dm.T_Material.RecordCount(), 3); // row 0 is hidden

    // The filter the engine builds for a drive gear finds exactly one article.
    dm.T_FrnArt.SetFilter(QStringLiteral("FFHMin <= 140 and FFHMax >= 140 and DornMassMin <= 37.50 and "
                                         "DornMassMax >= 37.50 and ID='E.GETR' "));
    dm.T_FrnArt.SetFiltered(true);
    ASSERT_EQ(dm.T_FrnArt.RecordCount(), 1);
    dm.T_FrnArt.First();
    EXPECT_EQ(dm.T_FrnArt.FieldByName(QStringLiteral("CatalogID")).AsString(), QStringLiteral("ZV-10637"));
    EXPECT_EQ(dm.T_FrnArt.FieldByName(QStringLiteral("HandleHeight")).AsInteger(), 700);
    dm.T_FrnArt.SetFiltered(false);
    dm.T_FrnArt.SetFilter(QString());

    ASSERT_TRUE(dm.T_Catalog.Locate(QStringLiteral("ID"), QStringLiteral("ZV-70100")));
    EXPECT_EQ(dm.T_Catalog.FieldByName(QStringLiteral("Name")).AsString(),
              QStringLiteral("Ручка оконная Классик, белая (для прочих цветов)"));
    ASSERT_TRUE(dm.T_FrnSet.Locate(QStringLiteral("ID;LenFormula"),
                                   {QStringLiteral("K100-PO-L"), QStringLiteral("FFН-FG(3)-350")}));
    dm.Disconnect();
}
