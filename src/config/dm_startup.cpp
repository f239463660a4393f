#include "config/dm_startup.h"

#include "catalog/data_module.h"

TDMStartupDatabase::TDMStartupDatabase() = default;
TDMStartupDatabase::~TDMStartupDatabase() = default;

void TDMStartupDatabase::Create() { DM = std::make_unique<TDM>(); }

void TDMStartupDatabase::Connect(const QString& catalogDir, const QString& registryDir, const QString& reportDir)
{
    if (!DM)
        Create();
    DM->Connect(catalogDir, registryDir, reportDir, Progress);
}

void TDMStartupDatabase::OpenCatalogTables()
{
    if (DM)
        DM->OpenCatalogTables();
}

void TDMStartupDatabase::Disconnect()
{
    if (DM)
        DM->Disconnect();
}
