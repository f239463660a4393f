#include "catalog/data_module.h"

#include <QDir>

#include "catalog/catalog_schema.h"
#include "foundation/error.h"
#include "platform/db/dataset_routines.h"

namespace {
TDM* Instance = nullptr;

const TTableDef& Def(const char* name)
{
    const TTableDef* def = FindCatalogTableDef(QString::fromLatin1(name));
    Q_ASSERT(def);
    return *def;
}
} // namespace

TDM::TDM()
    : T_Color(Def("COLORSET")), T_Currency(Def("Currency")), T_PriceGrp(Def("PriceGrp")), T_SysList(Def("SysList")),
      T_SysColor(Def("SysColor")), T_SysProp(Def("SysProp")), T_SysProf(Def("SysProf")), T_Catalog(Def("Catalog")),
      T_Material(Def("Material")), T_FalzList(Def("ParamList")), T_DornList(Def("ParamList")),
      T_StulpList(Def("ParamList")), T_OpenList(Def("ParamList")), T_FrnComp(Def("FrnComp")),
      T_FrnSide(Def("FrnSide")), T_FrnItem(Def("FrnItem")), T_FrnSet(Def("FrnSet")), T_FrnArt(Def("FrnArt")),
      T_FrnSchl(Def("FrnSchl")), T_FrnDop(Def("FrnDop")), T_FrnAbd(Def("FrnAbd")), T_FrnProp(Def("FrnProp")),
      T_FrnItoI(Def("FrnItoI")), T_OrderList(OrderListTableDef())
{
    Opening = {&T_Color,    &T_Currency,  &T_PriceGrp, &T_SysList,   &T_SysColor, &T_SysProp,
               &T_SysProf,  &T_Catalog,   &T_Material, &T_FalzList,  &T_DornList, &T_StulpList,
               &T_OpenList, &T_FrnComp,   &T_FrnSide,  &T_FrnItem,   &T_FrnSet,   &T_FrnArt,
               &T_FrnSchl,  &T_FrnDop,    &T_FrnAbd,   &T_FrnProp,   &T_FrnItoI};
    for (TTable* t : Opening)
        t->SetDatabase(&DB_Catalog);
    T_OrderList.SetDatabase(&DB_Registry);

    // The fixed views stay in force whatever filter a user of the object sets and clears.
    T_Material.SetBaseFilter(QStringLiteral("ID <> 0"));
    T_FalzList.SetBaseFilter(QStringLiteral("ID >= 100 and ID <= 199"));
    T_DornList.SetBaseFilter(QStringLiteral("ID >= 200 and ID <= 299"));
    T_StulpList.SetBaseFilter(QStringLiteral("ID >= 300 and ID <= 399"));
    T_OpenList.SetBaseFilter(QStringLiteral("ID >= 400 and ID <= 499"));

    T_FrnSide.SetIndexFieldNames(QStringLiteral("ID"));
    T_FrnSet.SetIndexFieldNames(QStringLiteral("ID"));
    T_FrnArt.SetIndexFieldNames(QStringLiteral("ID"));
    T_FrnSchl.SetIndexFieldNames(QStringLiteral("CatalogID"));
    T_FrnDop.SetIndexFieldNames(QStringLiteral("CatalogID"));
    T_FrnAbd.SetIndexFieldNames(QStringLiteral("CatalogID"));

    T_Catalog.AddLookupField(QStringLiteral("CurrencyLookup"), TFieldType::Text, 10, QStringLiteral("Currency"),
                             &T_Currency, QStringLiteral("ID"), QStringLiteral("Name"));
    T_Catalog.AddLookupField(QStringLiteral("PriceGroupLookup"), TFieldType::Text, 20, QStringLiteral("PriceGrp"),
                             &T_PriceGrp, QStringLiteral("GroupID"), QStringLiteral("Name"));
    T_FrnSet.AddLookupField(QStringLiteral("ItemLookup"), TFieldType::Text, 70, QStringLiteral("Item"), &T_FrnItem,
                            QStringLiteral("ID"), QStringLiteral("Name"));
    T_SysColor.AddLookupField(QStringLiteral("ColorName"), TFieldType::Text, 30, QStringLiteral("ID"), &T_Color,
                              QStringLiteral("Color"), QStringLiteral("Name"));

    for (TTable* t : {&T_OrderList, &T_FrnSide, &T_FrnComp, &T_FrnSet, &T_FrnItem, &T_FrnArt, &T_FrnDop, &T_FrnAbd,
                      &T_FrnSchl, &T_FrnProp})
        t->AddCalculatedField(QStringLiteral("Selected"), TFieldType::Logical);
    for (const char* name : {"StulpTypeLookup", "RadiusType1Lookup", "RadiusType2Lookup"})
        T_FrnSet.AddCalculatedField(QString::fromLatin1(name), TFieldType::Text, 50);
    T_FrnArt.AddCalculatedField(QStringLiteral("CatalogNameLookup"), TFieldType::Text, 50);
    T_FrnDop.AddCalculatedField(QStringLiteral("NameLookup"), TFieldType::Text, 50);
    T_FrnAbd.AddCalculatedField(QStringLiteral("NameLookup"), TFieldType::Text, 50);
    T_FrnSchl.AddCalculatedField(QStringLiteral("NameLookup"), TFieldType::Text, 50);
    T_FrnProp.AddCalculatedField(QStringLiteral("NameLookup"), TFieldType::Text, 80);

    Instance = this;
}

TDM::~TDM()
{
    Disconnect();
    if (Instance == this)
        Instance = nullptr;
}

TDM* TDM::Current() { return Instance; }

void TDM::ConnectCatalog(const QString& catalogDir, const TImportProgress& progress)
{
    CloseCatalogTables();
    if (CatalogNeedsImport(catalogDir))
        ImportCatalog(catalogDir, catalogDir, 0, progress);
    DB_Catalog.Open(QDir(catalogDir).filePath(QString::fromLatin1(CatalogStoreFile)), false);
}

void TDM::ConnectRegistry(const QString& registryDir)
{
    CloseDataSet(T_OrderList);
    QDir().mkpath(registryDir);
    DB_Registry.Open(QDir(registryDir).filePath(QString::fromLatin1(RegistryStoreFile)), true);
    DB_Registry.EnsureTable(OrderListTableDef());
}

void TDM::ConnectReport(const QString& reportDir)
{
    QDir().mkpath(reportDir);
    DB_Report.Open(QDir(reportDir).filePath(QString::fromLatin1(ReportStoreFile)), true);
    DB_Report.EnsureTable(ReportTableDef());
}

void TDM::Connect(const QString& catalogDir, const QString& registryDir, const QString& reportDir,
                  const TImportProgress& progress)
{
    ConnectCatalog(catalogDir, progress);
    ConnectRegistry(registryDir);
    ConnectReport(reportDir);
}

void TDM::Disconnect()
{
    CloseCatalogTables();
    CloseDataSet(T_OrderList);
    DB_Catalog.Close();
    DB_Registry.Close();
    DB_Report.Close();
}

bool TDM::OpenCatalogTables()
{
    bool last = false;
    for (TTable* t : Opening)
        last = OpenDataSet(*t);
    return last;
}

void TDM::CloseCatalogTables()
{
    for (TTable* t : Opening)
        if (t->Active())
            CloseDataSet(*t);
}
