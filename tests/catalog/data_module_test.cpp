#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "catalog/catalog_import.h"
#include "catalog/catalog_schema.h"
#include "catalog/data_module.h"
#include "foundation/error.h"
#include "platform/db/dataset_routines.h"
#include "platform/db/query.h"
#include "support/scripted_messages.h"

namespace {
class DataModuleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        ImportCatalog(QStringLiteral(DIRAVIR_TEST_DATA_DIR "/catalog_min"), CatalogDir());
        TScriptedMessages::Current().Clear();
    }

    QString CatalogDir() const { return Dir.filePath(QStringLiteral("cat")); }
    void ConnectAndOpen()
    {
        Dm.Connect(CatalogDir(), Dir.filePath(QStringLiteral("server/Registry")), Dir.filePath(QStringLiteral("reports")));
        Dm.OpenCatalogTables();
    }

    QStringList Column(TTable& t, const char* field)
    {
        QStringList values;
        t.DisableControls();
        for (t.First(); !t.Eof(); t.Next())
            values << t.FieldByName(QString::fromLatin1(field)).AsString();
        t.EnableControls();
        return values;
    }

    // Sets a filter as the engine does, reads one column, and clears it again.
    QStringList Filtered(TTable& t, const QString& filter, const char* field)
    {
        t.SetFilter(filter);
        t.SetFiltered(true);
        const QStringList values = Column(t, field);
        t.SetFiltered(false);
        t.SetFilter(QString());
        return values;
    }

    QTemporaryDir Dir;
    TDM Dm;
};
} // namespace

TEST_F(DataModuleTest, OpensEveryCatalogueTableAndCreatesRegistryAndReportStores)
{
    ConnectAndOpen();
    EXPECT_TRUE(TScriptedMessages::Current().Texts().isEmpty()) << TScriptedMessages::Current().Texts().join('\n').toStdString();
    for (TTable* t : Dm.CatalogTables())
        EXPECT_TRUE(t->Active()) << t->TableName().toStdString();
    EXPECT_EQ(TDM::Current(), &Dm);
    EXPECT_TRUE(QFile::exists(Dir.filePath(QStringLiteral("server/Registry/Registry.sqlite"))));
    EXPECT_TRUE(QFile::exists(Dir.filePath(QStringLiteral("reports/Report.sqlite"))));
    EXPECT_TRUE(Dm.DB_Report.HasTable(QStringLiteral("Report")));

    ASSERT_TRUE(OpenDataSet(Dm.T_OrderList));
    Dm.T_OrderList.Append();
    Dm.T_OrderList.FieldByName(QStringLiteral("No")).SetAsString(QStringLiteral("15/2"));
    Dm.T_OrderList.FieldByName(QStringLiteral("RegDate")).SetAsDate(QDate(2026, 12, 11));
    Dm.T_OrderList.FieldByName(QStringLiteral("Cost")).SetAsCurrency(TMoney::FromRaw(12345678));
    Dm.T_OrderList.Post();
    Dm.T_OrderList.SetIndexName(QStringLiteral("CustName"));
    EXPECT_EQ(Dm.T_OrderList.RecordCount(), 1);
    EXPECT_FALSE(Dm.T_OrderList.FieldByName(QStringLiteral("Selected")).AsBoolean());
    Dm.Disconnect();
    EXPECT_FALSE(Dm.T_OrderList.Active());
    EXPECT_FALSE(Dm.DB_Registry.Connected());
}

TEST_F(DataModuleTest, ParameterViewsMaterialLookupAndCalculatedFields)
{
    ConnectAndOpen();
    EXPECT_TRUE(Dm.T_DornList.Locate(QStringLiteral("ID"), 250));
    EXPECT_DOUBLE_EQ(Dm.T_DornList.FieldByName(QStringLiteral("DornMass")).AsFloat(), 37.5);
    EXPECT_FALSE(Dm.T_FalzList.Locate(QStringLiteral("ID"), 250));
    EXPECT_EQ(Column(Dm.T_FalzList, "ID"), QStringList({"101", "150"}));
    EXPECT_EQ(Column(Dm.T_StulpList, "StulpType"), QStringList({"1"}));
    EXPECT_EQ(Column(Dm.T_OpenList, "OpenType"), QStringList({"2"}));
    // A filter set and cleared on a view does not lift its range.
    EXPECT_EQ(Filtered(Dm.T_FalzList, QStringLiteral("FalzLuft = 12"), "ID"), QStringList({"101", "150"}));
    EXPECT_FALSE(Dm.T_FalzList.Locate(QStringLiteral("ID"), 250));

    EXPECT_EQ(Column(Dm.T_Material, "ID"), QStringList({"1", "2"}));
    EXPECT_FALSE(Dm.T_Material.Locate(QStringLiteral("ID"), 0));

    ASSERT_TRUE(Dm.T_Catalog.Locate(QStringLiteral("ID"), QStringLiteral("A100")));
    EXPECT_EQ(Dm.T_Catalog.FieldByName(QStringLiteral("CurrencyLookup")).AsString(), QStringLiteral("EUR"));
    EXPECT_EQ(Dm.T_Catalog.FieldByName(QStringLiteral("PriceGroupLookup")).AsString(), QStringLiteral("Основная"));
    EXPECT_EQ(Dm.T_Catalog.FieldByName(QStringLiteral("Name")).AsString(), QStringLiteral("Петля верхняя, \"NT\""));
    EXPECT_EQ(Dm.T_Catalog.FieldByName(QStringLiteral("Price")).AsCurrency(), TMoney::FromRaw(123456));
    EXPECT_TRUE(Dm.T_Catalog.FieldByName(QStringLiteral("MinTrade")).AsFloat() == 1.0);
    ASSERT_TRUE(Dm.T_Catalog.Locate(QStringLiteral("ID"), QStringLiteral("A102")));
    EXPECT_EQ(Dm.T_Catalog.FieldByName(QStringLiteral("Export")).AsString(), QStringLiteral("multi\nline"));
    Dm.T_Catalog.SetIndexName(QStringLiteral("ProdArtIndex")); // case-insensitive: P100, P101, p102, P103
    EXPECT_EQ(Column(Dm.T_Catalog, "ProdArticle"), QStringList({"P100", "P101", "p102", "P103"}));

    ASSERT_TRUE(Dm.T_SysColor.Locate(QStringLiteral("ID;System"), {QStringLiteral("BR"), QStringLiteral("1")}));
    EXPECT_EQ(Dm.T_SysColor.FieldByName(QStringLiteral("ColorName")).AsString(), QStringLiteral("Коричневый"));
    EXPECT_EQ(Filtered(Dm.T_SysColor, QStringLiteral("SYSTEM='1'"), "ID"), QStringList({"BR", "SI", "W"}));

    Dm.T_FrnSet.First();
    EXPECT_EQ(Dm.T_FrnSet.FieldByName(QStringLiteral("ItemLookup")).AsString(), QStringLiteral("Привод"));
    EXPECT_EQ(Dm.T_FrnArt.FieldByName(QStringLiteral("CatalogNameLookup")).AsString(), QString());
    for (TTable* t : {&Dm.T_FrnSide, &Dm.T_FrnComp, &Dm.T_FrnSet, &Dm.T_FrnItem, &Dm.T_FrnArt, &Dm.T_FrnDop,
                      &Dm.T_FrnAbd, &Dm.T_FrnSchl, &Dm.T_FrnProp}) {
        t->First();
        EXPECT_FALSE(t->FieldByName(QStringLiteral("Selected")).AsBoolean());
        EXPECT_TRUE(t->FieldByName(QStringLiteral("Selected")).IsNull());
    }
    EXPECT_EQ(Dm.T_FrnProp.FieldByName(QStringLiteral("NameLookup")).AsString(), QString());
}

TEST_F(DataModuleTest, FiltersOfTheEngineSelectTheRightRowsInTableOrder)
{
    ConnectAndOpen();
    const QString art = QStringLiteral(
        "FFHMin <= 140 and FFHMax >= 140 and FalzLuft = 12 and DornMassMin <= 37.50 and DornMassMax >= 37.50 "
        "and (Direct = 3 or Direct = 1) and ID='E1' ");
    EXPECT_EQ(Filtered(Dm.T_FrnArt, art + QStringLiteral("and Color = 'W' "), "Key"), QStringList({"1", "3"}));
    EXPECT_EQ(Filtered(Dm.T_FrnArt, art + QStringLiteral("and Color = '' "), "Key"), QStringList({"2"}));
    EXPECT_EQ(Filtered(Dm.T_FrnArt, QStringLiteral("ID='E2' "), "CatalogID"), QStringList({"A102"}));
    EXPECT_EQ(Filtered(Dm.T_FrnArt, QStringLiteral("ProfSys = '2' and ID='K1' "), "CatalogID"), QStringList({"A101"}));

    // Rows of a complect follow the key (ID, Item, Key), whatever the order of storage.
    EXPECT_EQ(Filtered(Dm.T_FrnSet, QStringLiteral("ID = 'MAIN1'"), "Item"), QStringList({"E1", "E2"}));
    EXPECT_EQ(Filtered(Dm.T_FrnSide, QStringLiteral("ID='MAIN1'"), "Side"), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(Filtered(Dm.T_FrnItoI, QStringLiteral("ID = 'E2'"), "Item"), QStringList({"K1"}));

    const QString keeper = QStringLiteral(
        "CatalogID = '%1' and (StulpType=%2 or StulpType=%3) and (ItemSideNo=%4 or ItemSideNo=%5) and "
        "(ItemComplectID='%6' or ItemComplectID='%7')");
    EXPECT_EQ(Filtered(Dm.T_FrnSchl, keeper.arg("A100").arg(0).arg(0).arg(3).arg(0).arg("MAIN1", ""), "Key"),
              QStringList({"1"}));
    EXPECT_EQ(Filtered(Dm.T_FrnSchl, keeper.arg("A100").arg(1).arg(0).arg(3).arg(0).arg("MAIN1", ""), "Key"),
              QStringList({"1", "2"}));
    EXPECT_EQ(Filtered(Dm.T_FrnSchl, keeper.arg("A100").arg(1).arg(0).arg(3).arg(0).arg("HANDLE1", ""), "Key"),
              QStringList({"1"}));
    EXPECT_EQ(Filtered(Dm.T_FrnDop, keeper.arg("A100").arg(0).arg(0).arg(1).arg(0).arg("MAIN1", ""), "AccessoryID"),
              QStringList({"A103"}));

    const QString abd = QStringLiteral("CatalogID = '%1' and Color='%2' and (ItemSideNo=%3 or ItemSideNo=%4)");
    EXPECT_EQ(Filtered(Dm.T_FrnAbd, abd.arg("A100", "W").arg(1).arg(0), "AccessoryID"), QStringList({"A103"}));
    EXPECT_EQ(Filtered(Dm.T_FrnAbd, abd.arg("A100", "BR").arg(1).arg(0), "AccessoryID"), QStringList());
    EXPECT_EQ(Filtered(Dm.T_FrnAbd, QStringLiteral("CatalogID = 'A100' and Color='' and (ItemSideNo=1 or ItemSideNo=0)"),
                       "AccessoryID"),
              QStringList({"A101"}));

    EXPECT_EQ(Filtered(Dm.T_FrnProp, QStringLiteral("PropKey = %1 and ID >= %2 and ID < %3").arg(5).arg(120).arg(130), "ID"),
              QStringList({"121"}));
    EXPECT_TRUE(Dm.T_FrnProp.Locate(QStringLiteral("PropKey;ID"), {5, 121}));
    EXPECT_FALSE(Dm.T_FrnProp.Filtered());
    EXPECT_EQ(Dm.T_FrnProp.Filter(), QString());
}

TEST_F(DataModuleTest, AMissingTableGivesOneErrorBoxAndTheOthersOpen)
{
    {
        TDatabase db(QStringLiteral("DROP"));
        db.Open(QDir(CatalogDir()).filePath(QStringLiteral("Catalog.sqlite")), false);
        db.Exec(QStringLiteral("DROP TABLE FrnComp"));
    }
    ConnectAndOpen();
    const QStringList shown = TScriptedMessages::Current().Texts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().startsWith(QStringLiteral("Ошибка открытия файла [FrnComp.DB]\r\n("))) << shown.first().toStdString();
    for (TTable* t : Dm.CatalogTables())
        EXPECT_EQ(t->Active(), t != &Dm.T_FrnComp) << t->TableName().toStdString();
    EXPECT_THROW(Dm.T_FrnComp.First(), TError);
}

TEST_F(DataModuleTest, ACatalogueFolderWithoutAStoreFailsToConnect)
{
    EXPECT_THROW(Dm.Connect(Dir.filePath(QStringLiteral("nowhere")), Dir.filePath(QStringLiteral("r")), Dir.filePath(QStringLiteral("p"))),
                 TError);
    EXPECT_FALSE(Dm.DB_Catalog.Connected());
}

TEST_F(DataModuleTest, QueriesOfTheReportListAndThePropertyInspector)
{
    ConnectAndOpen();
    Dm.DB_Report.Exec(QStringLiteral("INSERT INTO Report VALUES ('Заказ', '%\\ORDER.FRF', 1, 1, 11, 1), "
                                     "('Спецификация', '%\\SPEC.FRF', 0, 2, 11, 0), ('Выборка', '%\\SEL.FRF', 1, 1, 12, 1)"));
    TQuery reports;
    reports.SetDatabase(&Dm.DB_Report);
    reports.SetSQL({QStringLiteral("SELECT *"), QStringLiteral("FROM \":OMDB_Report:Report.db\" T"), QStringLiteral("WHERE"),
                    QStringLiteral("T.\"Group\" = %1").arg(11), QStringLiteral("AND"), QStringLiteral("USE = 1")});
    ASSERT_TRUE(OpenDataSet(reports));
    EXPECT_EQ(Column(reports, "Name"), QStringList({"Заказ"}));
    reports.First();
    reports.Edit();
    reports.FieldByName(QStringLiteral("Copies")).SetAsInteger(3);
    reports.Post();
    EXPECT_EQ(reports.FieldByName(QStringLiteral("Copies")).AsInteger(), 3);
    CloseDataSet(reports);
    ASSERT_TRUE(OpenDataSet(reports));
    EXPECT_EQ(reports.FieldByName(QStringLiteral("Copies")).AsInteger(), 1); // cached changes never reach the table

    TQuery props;
    props.SetDatabase(&Dm.DB_Catalog);
    props.SetSQL({QStringLiteral("select T1.\"ID\", T1.\"GroupName\", T1.\"ValueName\", T.\"Default\", T.\"PropKey\""),
                  QStringLiteral("from \":OMDB_Catalog:FrnProp.DB\" T, \":OMDB_Catalog:SysProp.DB\" T1"), QStringLiteral("where"),
                  QStringLiteral("T.\"ID\" = T1.\"ID\""), QStringLiteral("and"),
                  QStringLiteral("T.\"PropKey\" IN (%1, %2, %3, %4, %5, %6, %7)").arg(5).arg(0).arg(0).arg(0).arg(0).arg(0).arg(0)});
    ASSERT_TRUE(OpenDataSet(props));
    ASSERT_EQ(props.RecordCount(), 1);
    EXPECT_EQ(props.FieldByName(QStringLiteral("ValueName")).AsString(), QStringLiteral("С замком"));
    EXPECT_EQ(props.FieldByName(QStringLiteral("Default")).AsInteger(), 1);

    TScriptedMessages::Current().Clear();
    TQuery bad;
    bad.SetDatabase(&Dm.DB_Catalog);
    bad.SetSQL({QStringLiteral("select * from Nowhere")});
    EXPECT_FALSE(OpenDataSet(bad));
    ASSERT_EQ(TScriptedMessages::Current().Texts().size(), 1);
    EXPECT_TRUE(TScriptedMessages::Current().Texts().first().startsWith(QStringLiteral("Ошибка открытия SQL-запроса:\r\n(")));
    EXPECT_TRUE(TScriptedMessages::Current().Texts().first().endsWith(QStringLiteral(")\r\nSQL:\r\n(select * from Nowhere)")));
}
