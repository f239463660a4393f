#pragma once

#include <memory>

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

private:
    std::unique_ptr<TDM> DM;
};
