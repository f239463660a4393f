// Recalculates the demo reference positions over a scaled copy of the demo catalogue and prints
// how many sashes the engine calculates per second, with the tables' index narrowing on and off.
// Usage: bench_engine_calc [SCALE [DEMO_CATALOG_DIR]]   (SCALE 100 = at least 100,000 FrnArt rows)
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "catalog/catalog_import.h"
#include "catalog/data_module.h"
#include "catalog/demo_generator.h"
#include "engine/engine_hooks.h"
#include "engine/fittings_engine.h"
#include "foundation/error.h"
#include "model/construction.h"
#include "model/currency_list.h"
#include "model/order.h"
#include "model/order_json.h"
#include "model/pricing.h"

namespace {

using TClock = std::chrono::steady_clock;

double Seconds(TClock::time_point from) { return std::chrono::duration<double>(TClock::now() - from).count(); }
double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

class TCountingChooser final : public TArticleChooser
{
public:
    int Questions = 0;
    bool Choose(TTable&, const QString&, const QStringList&, const QString&, const QString&) override
    {
        ++Questions;
        return true;
    }
};

// One reference position, ready to be set on a construction of a given catalogue copy.
struct TReference
{
    TOutlineShape Shape;
    std::uint8_t Arrangement = arSingle;
    int DornType = 0;
    TFittingsChoice Choice;
    QString Inner, Outer;
};

// The positions of the reference documents, read as diravir-cli reads them.
std::vector<TReference> ReadReferences(const QString& ordersDir)
{
    std::vector<TReference> refs;
    const QDir dir(ordersDir);
    for (const QString& name : dir.entryList({QStringLiteral("ref-*.json")}, QDir::Files, QDir::Name)) {
        if (name.endsWith(QStringLiteral(".expected.json")))
            continue;
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const TOrderInput order = ReadOrderInput(f.readAll(), {});
        for (const TPositionInput& pos : order.Positions) {
            TReference r;
            r.Shape = pos.Shape;
            r.Arrangement = pos.Arrangement;
            r.DornType = order.Header[QStringLiteral("DornType")].toInt();
            r.Inner = order.Header[QStringLiteral("InnerProfColor")].toString();
            r.Outer = order.Header[QStringLiteral("OuterProfColor")].toString();
            r.Choice = pos.Fittings;
            refs.push_back(r);
        }
    }
    return refs;
}

// The same choice in catalogue copy c: complect codes suffixed, the fittings system shifted.
TComplectChoice InCopy(TComplectChoice c, int copy)
{
    if (copy == 0)
        return c;
    const QString suffix = QStringLiteral(".%1").arg(copy);
    for (QString* code : {&c.MainComplect, &c.HingeComplect, &c.HandleComplect, &c.LockComplect, &c.CylinderComplect,
                          &c.CloserComplect, &c.LatchComplect})
        if (!code->isEmpty())
            *code += suffix;
    for (QString& extra : c.ExtraComplects)
        if (!extra.isEmpty())
            extra += suffix;
    return c;
}

struct TRunResult
{
    int Sashes = 0;
    int Failures = 0;
    double Wall = 0;
    double Cpu = 0;
    QString FirstFailure;
};

TRunResult Run(const std::vector<TReference>& refs, int positions, int copies)
{
    TRunResult result;
    TokfOrder order;
    const TClock::time_point start = TClock::now();
    const double cpu = CpuSeconds();
    for (int k = 0; k < positions; ++k) {
        const TReference& r = refs[static_cast<size_t>(k) % refs.size()];
        const int copy = static_cast<int>((static_cast<long long>(k) * 37) % copies);
        order.InnerProfColor = r.Inner;
        order.OuterProfColor = r.Outer;
        TokfConstruction c(&order);
        c.Arrangement = r.Arrangement;
        c.BuildOutline(r.Shape, r.DornType);
        TFittingsChoice choice = r.Choice;
        if (copy > 0)
            choice.FurnSys = QString::number(choice.FurnSys.toInt() + copy * 1000);
        choice.First = InCopy(choice.First, copy);
        choice.Second = InCopy(choice.Second, copy);
        try {
            c.SetFittings(choice);
            result.Sashes += r.Arrangement == arSingle ? 1 : 2;
        } catch (const TError& e) {
            if (result.Failures++ == 0)
                result.FirstFailure = e.Message();
        }
    }
    result.Wall = Seconds(start);
    result.Cpu = CpuSeconds() - cpu;
    return result;
}

void Print(const char* label, const TRunResult& r)
{
    std::printf("%-26s %6d sashes in %7.3f s wall, %7.3f s cpu: %9.0f sashes/s (cpu %9.0f/s), %d failed\n", label,
                r.Sashes, r.Wall, r.Cpu, r.Sashes / r.Wall, r.Sashes / r.Cpu, r.Failures);
    if (r.Failures)
        std::printf("  first failure: %s\n", qPrintable(r.FirstFailure));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int scale = argc > 1 ? std::atoi(argv[1]) : 100;
    const QString demo = argc > 2 ? QString::fromLocal8Bit(argv[2]) : FindDemoCatalogDir();
    if (demo.isEmpty()) {
        std::fprintf(stderr, "demo catalogue not found; pass its folder as the second argument\n");
        return 1;
    }
    try {
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("csv"));
        const QString cat = dir.filePath(QStringLiteral("cat"));
        QDir().mkpath(csv);
        TClock::time_point t = TClock::now();
        const TScaledCatalogReport report = GenerateScaledCatalog(demo, scale, csv);
        std::printf("scaled catalogue: %d copies, %lld FrnArt, %lld FrnSet, %lld Catalog rows (%.1f s)\n", report.Copies,
                    report.RowsOf(QStringLiteral("FrnArt")), report.RowsOf(QStringLiteral("FrnSet")),
                    report.RowsOf(QStringLiteral("Catalog")), Seconds(t));
        t = TClock::now();
        ImportCatalog(csv, cat);
        std::printf("import: %.1f s\n", Seconds(t));
        auto dm = std::make_unique<TDM>();
        t = TClock::now();
        dm->ConnectCatalog(cat);
        dm->OpenCatalogTables();
        std::printf("open: %.2f s\n", Seconds(t));

        RegisterFittingsEngine();
        TCountingChooser chooser;
        SetArticleChooser(&chooser);
        SetDebugModeSource([] { return false; });
        TokfCurrencyList rates;
        TakeSnapshot(rates);
        SetPricingContext({1, 0, &rates});

        const std::vector<TReference> refs = ReadReferences(demo + QStringLiteral("/../orders"));
        if (refs.empty())
            throw TError(QStringLiteral("no reference positions beside the demo catalogue"));
        std::printf("%zu reference positions, spread over the %d catalogue copies\n", refs.size(), report.Copies);

        Run(refs, 50, report.Copies); // warm-up: builds the equality indexes
        const TRunResult narrowed = Run(refs, 4000, report.Copies);
        Print("index narrowing on:", narrowed);
        for (TTable* table : dm->CatalogTables())
            table->SetIndexNarrowing(false);
        const TRunResult scanned = Run(refs, 80, report.Copies);
        Print("index narrowing off:", scanned);
        std::printf("ratio on/off (cpu): %.1f\n", (narrowed.Sashes / narrowed.Cpu) / (scanned.Sashes / scanned.Cpu));
        std::printf("chooser questions: %d\n", chooser.Questions);

        SetPricingContext({});
        SetArticleChooser(nullptr);
        SetDebugModeSource({});
        RegisterFittingsCalculator(nullptr);
        dm.reset();
    } catch (const TError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Message()));
        return 1;
    }
    return 0;
}
