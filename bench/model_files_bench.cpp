// Saving and loading an order of 1,000 two-sash positions with 40 items per sash, the size a
// large workshop order reaches. Prints the times and the file size.
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

#include "foundation/typed_stream.h"
#include "model/order.h"

namespace {

void FillSash(TokfFlugel& f, int items)
{
    f.Complect = std::make_unique<TokfFurnComp>(&f);
    TokfFurnComp& c = *f.Complect;
    c.FurnSys = QStringLiteral("110");
    c.ProfSys = QStringLiteral("S1");
    c.Color = QStringLiteral("C9");
    c.MainComplect = QStringLiteral("RC-DK-1000");
    c.HandleComplect = QStringLiteral("HG-1");
    c.Properties = QStringList{QStringLiteral("0=12"), QStringLiteral("2=31")};
    for (int i = 0; i < items; ++i) {
        c.AppendItem().Set(QStringLiteral("ART-%1").arg(100000 + i * 7), QStringLiteral("RC-DK-1000"), QString(),
                           i % 5 == 0 ? 1250.5 : 0, i % 3 == 0 ? QStringLiteral("верх") : QString(), i % 4 + 1,
                           i % 4 + 1);
        TokfMatListItem line;
        line.ID = c.Item(i).ID;
        line.Quantity = static_cast<float>(c.Item(i).Count);
        line.Price = TMoney::Parse(QStringLiteral("12.3456"));
        line.ListPrice = line.Price;
        line.Cost = line.Price * static_cast<long double>(line.Quantity);
        f.MatList.Add(line);
    }
}

std::unique_ptr<TokfOrder> BigOrder()
{
    auto order = std::make_unique<TokfOrder>();
    order->No = QStringLiteral("2024-1001");
    order->Customer = QStringLiteral("ООО «Оконный завод»");
    order->Currencies.Add({1, 1.0f});
    order->Currencies.Add({2, 92.5f});
    for (int p = 0; p < 1000; ++p) {
        TokfConstruction& c = order->AddPosition();
        c.PosNo = QStringLiteral("%1").arg(p + 1, 3, 10, QLatin1Char('0'));
        c.Name = QStringLiteral("Окно двухстворчатое");
        c.Number = 1 + p % 3;
        c.Arrangement = arLeftMain;
        c.BuildOutline({1300, 1400, 1, 600, 700, 0, 0}, 205);
        FillSash(c.Flugel1, 40);
        FillSash(c.Flugel2, 40);
    }
    return order;
}

QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString FilePath() { return Folder().filePath(QStringLiteral("big.kfo370")); }

void BM_SaveOrder(benchmark::State& state)
{
    const auto order = BigOrder();
    for (auto _ : state)
        if (!order->SaveToFile(FilePath()))
            state.SkipWithError("save failed");
    state.counters["file_bytes"] = static_cast<double>(QFileInfo(FilePath()).size());
}
BENCHMARK(BM_SaveOrder)->Unit(benchmark::kMillisecond);

void BM_LoadOrder(benchmark::State& state)
{
    BigOrder()->SaveToFile(FilePath());
    for (auto _ : state) {
        TokfOrder order;
        if (!order.LoadFromFile(FilePath()) || order.PositionCount() != 1000)
            state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_LoadOrder)->Unit(benchmark::kMillisecond);

// The same without the file system: the serialisation alone.
void BM_WriteStream(benchmark::State& state)
{
    const auto order = BigOrder();
    for (auto _ : state) {
        TSpecStream stream;
        order->Write(stream);
        benchmark::DoNotOptimize(stream.Size());
    }
}
BENCHMARK(BM_WriteStream)->Unit(benchmark::kMillisecond);

void BM_ReadStream(benchmark::State& state)
{
    TSpecStream stream;
    BigOrder()->Write(stream);
    for (auto _ : state) {
        stream.Seek(0);
        TokfOrder order;
        bool converted = false;
        if (!order.Read(stream, converted))
            state.SkipWithError("read failed");
    }
}
BENCHMARK(BM_ReadStream)->Unit(benchmark::kMillisecond);

// The file alone: what loading costs before a single value is decoded.
void BM_ReadFile(benchmark::State& state)
{
    BigOrder()->SaveToFile(FilePath());
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadStreamFromFile(FilePath()).Size());
}
BENCHMARK(BM_ReadFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
