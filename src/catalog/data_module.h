#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "catalog/catalog_import.h"
#include "platform/db/database.h"
#include "platform/db/table.h"

// The catalogue data module: the three database connections and one shared table object per
// catalogue table plus the order registry. Created closed; Connect points the connections at the
// folders of the chosen configuration; OpenCatalogTables opens the catalogue tables.
// One instance for the process; TDM::Current() reaches it.
class TDM
{
public:
    TDM();
    ~TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    // The data module in force (the last one created and not yet destroyed); nullptr when none.
    static TDM* Current();

    TDatabase DB_Catalog{QStringLiteral("OMDB_Catalog")};
    TDatabase DB_Registry{QStringLiteral("OMDB_Registry")};
    TDatabase DB_Report{QStringLiteral("OMDB_Report")};

    TTable T_Color, T_Currency, T_PriceGrp, T_SysList, T_SysColor, T_SysProp, T_SysProf, T_Catalog,
        T_Material, T_FalzList, T_DornList, T_StulpList, T_OpenList, T_FrnComp, T_FrnSide, T_FrnItem,
        T_FrnSet, T_FrnArt, T_FrnSchl, T_FrnDop, T_FrnAbd, T_FrnProp, T_FrnItoI, T_OrderList;

    // Connects the three databases in the order catalogue, registry, report. A catalogue folder
    // that holds Paradox tables and no Catalog.sqlite is imported first (`progress` follows it);
    // otherwise the catalogue store must exist. The registry and report stores are created empty
    // with their tables when missing. Fails with TError carrying the engine's message.
    void Connect(const QString& catalogDir, const QString& registryDir, const QString& reportDir,
                 const TImportProgress& progress = {});
    void ConnectCatalog(const QString& catalogDir, const TImportProgress& progress = {});
    void ConnectRegistry(const QString& registryDir);
    void ConnectReport(const QString& reportDir);
    // Closes every table, then the catalogue, registry and report connections in this order.
    void Disconnect();

    // Opens the catalogue tables in their fixed order through the table-opening routine; a table
    // that fails is reported in its own error box and the others still open. True when the last
    // one opened.
    bool OpenCatalogTables();
    void CloseCatalogTables();

    // The catalogue table objects in their opening order (without the order registry).
    const std::vector<TTable*>& CatalogTables() const { return Opening; }

private:
    std::vector<TTable*> Opening;
};
