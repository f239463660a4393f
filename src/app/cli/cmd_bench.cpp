#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>
#include <ctime>
#include <sys/resource.h>

#include "app/cli/cli_documents.h"
#include "app/cli/cli_session.h"
#include "app/cli/command.h"
#include "catalog/catalog_import.h"
#include "catalog/catalog_schema.h"
#include "catalog/data_module.h"
#include "catalog/demo_generator.h"
#include "engine/fittings_engine.h"
#include "foundation/error.h"
#include "foundation/messages.h"
#include "model/order.h"
#include "model/pricing.h"
#include "platform/db/table.h"

namespace {

const QString Usage = QStringLiteral("bench [--scale N] [--dir DIR] [--orders DIR]   figures as one JSON object");

double Ms(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Processor time of this process: on a machine shared with other work it says more than the clock.
double CpuMs()
{
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

long PeakResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Builds the reference positions over and over for at least `seconds`; sashes per second of the
// clock and of processor time.
double SashesPerSecond(const std::vector<TOrderInput>& inputs, double seconds, int& sashes, double& perCpuSecond)
{
    sashes = 0;
    QElapsedTimer timer;
    timer.start();
    const double cpu = CpuMs();
    do {
        for (const TOrderInput& input : inputs) {
            TokfOrder order;
            if (!BuildOrder(input, {}, order))
                throw TError(QStringLiteral("Эталонный заказ не рассчитан"));
            for (int i = 0; i < order.PositionCount(); ++i)
                sashes += order.Position(i).Arrangement == arSingle ? 1 : 2;
        }
    } while (Ms(timer) < seconds * 1000.0);
    perCpuSecond = sashes / ((CpuMs() - cpu) / 1000.0);
    return sashes / (Ms(timer) / 1000.0);
}

int Bench(const QStringList& args)
{
    int scale = 1;
    QString dir;
    QString ordersDir;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--scale") && hasValue) {
            bool ok = false;
            scale = args.at(++i).toInt(&ok);
            if (!ok || scale < 1)
                return UsageError(Usage);
        } else if (a == QLatin1String("--dir") && hasValue) {
            dir = args.at(++i);
        } else if (a == QLatin1String("--orders") && hasValue) {
            ordersDir = args.at(++i);
        } else {
            return UsageError(Usage);
        }
    }
    if (dir.isEmpty())
        dir = QDir(QDir::tempPath()).filePath(QStringLiteral("diravir-bench-scale-%1").arg(scale));
    if (ordersDir.isEmpty())
        ordersDir = FindReferenceOrdersDir();
    const QStringList files = ReferenceOrderFiles(ordersDir);
    const QString demo = FindDemoCatalogDir();
    if (files.isEmpty() || demo.isEmpty()) {
        ShowError(QStringLiteral("Демо-каталог и эталонные заказы (data/catalog, data/orders) не найдены"));
        return 1;
    }

    QJsonObject figures{{QStringLiteral("scale"), scale}};
    const QString store = QDir(dir).filePath(QStringLiteral("store"));
    QElapsedTimer timer;
    // A scaled catalogue generated once is reused by the next runs.
    if (!QFileInfo::exists(QDir(store).filePath(QString::fromLatin1(CatalogStoreFile)))) {
        timer.start();
        const QString csv = QDir(dir).filePath(QStringLiteral("csv"));
        const TScaledCatalogReport report = GenerateScaledCatalog(demo, scale, csv);
        ImportCatalog(csv, store);
        figures[QStringLiteral("catalog_generate_ms")] = Ms(timer);
    }

    TDM dm;
    timer.start();
    double cpu = CpuMs();
    dm.ConnectCatalog(store);
    if (!dm.OpenCatalogTables())
        return 1;
    figures[QStringLiteral("catalog_load_ms")] = Ms(timer);
    figures[QStringLiteral("catalog_load_cpu_ms")] = CpuMs() - cpu;
    figures[QStringLiteral("frnart_rows")] = dm.T_FrnArt.RecordCount();
    figures[QStringLiteral("catalog_rows")] = dm.T_Catalog.RecordCount();
    RegisterFittingsEngine();

    std::vector<TOrderInput> inputs;
    for (const QString& file : files) {
        QByteArray json;
        if (!ReadInputFile(file, json))
            return 1;
        inputs.push_back(ReadOrderInput(json, {}));
    }
    int sashes = 0;
    double perCpu = 0;
    figures[QStringLiteral("sashes_per_second")] = SashesPerSecond(inputs, 2.0, sashes, perCpu);
    figures[QStringLiteral("sashes_per_cpu_second")] = perCpu;
    figures[QStringLiteral("sashes_calculated")] = sashes;
    for (TTable* table : dm.CatalogTables())
        table->SetIndexNarrowing(false);
    figures[QStringLiteral("sashes_per_second_without_narrowing")] = SashesPerSecond(inputs, 2.0, sashes, perCpu);
    figures[QStringLiteral("sashes_per_cpu_second_without_narrowing")] = perCpu;
    for (TTable* table : dm.CatalogTables())
        table->SetIndexNarrowing(true);

    // A 1,000-position order: the reference positions repeated.
    TokfOrder big;
    if (!BuildOrder(inputs.front(), {}, big))
        return 1;
    big.Clear();
    std::vector<std::unique_ptr<TokfOrder>> built;
    for (const TOrderInput& input : inputs) {
        auto order = std::make_unique<TokfOrder>();
        if (!BuildOrder(input, {}, *order))
            return 1;
        built.push_back(std::move(order));
    }
    for (int n = 0; big.PositionCount() < 1000; ++n) {
        const TokfOrder& from = *built.at(static_cast<size_t>(n) % built.size());
        for (int i = 0; i < from.PositionCount() && big.PositionCount() < 1000; ++i) {
            auto copy = std::make_unique<TokfConstruction>(&big);
            copy->Assign(from.Position(i));
            copy->PosNo = QStringLiteral("%1").arg(big.PositionCount() + 1, 4, 10, QLatin1Char('0'));
            big.AddPosition(std::move(copy));
        }
    }
    QTemporaryDir work;
    const QString path = work.filePath(QStringLiteral("big.kfo370"));
    timer.start();
    cpu = CpuMs();
    if (!big.SaveToFile(path))
        return 1;
    figures[QStringLiteral("order_1000_save_ms")] = Ms(timer);
    figures[QStringLiteral("order_1000_save_cpu_ms")] = CpuMs() - cpu;
    figures[QStringLiteral("order_1000_file_bytes")] = QFileInfo(path).size();
    TokfOrder loaded;
    timer.start();
    cpu = CpuMs();
    if (!loaded.LoadFromFile(path))
        return 1;
    figures[QStringLiteral("order_1000_load_ms")] = Ms(timer);
    figures[QStringLiteral("order_1000_load_cpu_ms")] = CpuMs() - cpu;
    figures[QStringLiteral("peak_resident_kb")] = static_cast<double>(PeakResidentKb());
    SetPricingContext({});
    RegisterFittingsCalculator(nullptr);
    PrintJson(figures);
    return 0;
}

const TCliCommand BenchCommand(QStringLiteral("bench"), Usage, Bench);

} // namespace
