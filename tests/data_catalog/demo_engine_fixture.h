#pragma once

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "catalog/catalog_import.h"
#include "catalog/data_module.h"
#include "engine/engine_hooks.h"
#include "engine/fittings_engine.h"
#include "model/currency_list.h"
#include "model/fittings_calculator.h"
#include "model/pricing.h"

// The demo catalogue imported into a scratch store, opened by a data module and calculated by the
// real engine outside debug mode, priced in roubles.
class TDemoEngineTest : public ::testing::Test
{
public:
    static void SetUpTestSuite()
    {
        Store = std::make_unique<QTemporaryDir>();
        ImportCatalog(QStringLiteral(DIRAVIR_DATA_DIR "/catalog"), Store->path());
        Dm = std::make_unique<TDM>();
        Dm->ConnectCatalog(Store->path());
        Dm->OpenCatalogTables();
        RegisterFittingsEngine();
        SetDebugModeSource([] { return false; });
        TakeSnapshot(Rates());
        SetPricingContext({1, 20, &Rates()});
    }
    static void TearDownTestSuite()
    {
        SetPricingContext({});
        SetDebugModeSource({});
        RegisterFittingsCalculator(nullptr);
        Dm.reset();
        Store.reset();
    }
    static TokfCurrencyList& Rates()
    {
        static TokfCurrencyList rates;
        return rates;
    }

    static inline std::unique_ptr<QTemporaryDir> Store;
    static inline std::unique_ptr<TDM> Dm;
};
