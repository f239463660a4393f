#pragma once

#include <memory>

#include "catalog/catalog_import.h"
#include "config/startup.h"

class TDM;

// Start-up's database steps on the catalogue data module TDM, which this object creates and owns.
class TDMStartupDatabase final : public TStartupDatabase
{
public:
    TDMStartupDatabase();
    ~TDMStartupDatabase() override;

    void Create() override;
    void Connect(const QString& catalogDir, const QString& registryDir, const QString& reportDir) override;
    void OpenCatalogTables() override;
    void Disconnect() override;

    TDM* Module() const { return DM.get(); }

    // Follows the import of a catalogue folder that still holds only Paradox tables (the splash
    // shows it).
    TImportProgress Progress;

private:
    std::unique_ptr<TDM> DM;
};
