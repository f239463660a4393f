// Reads an order from arbitrary bytes, as the order loader does with a file. Damaged input may
// only fail with TError (the loader turns it into its message); an order that reads must write
// a stream that reads back to the same bytes.
#include <cstdint>
#include <cstdlib>

#include "foundation/error.h"
#include "model/order.h"
#include "model/versions.h"
#include "model_fuzz_support.h"

namespace {

void WriteSeeds()
{
    const QString folder = SeedFolder();
    if (folder.isEmpty())
        return;
    TokfOrder order;
    order.No = QStringLiteral("17");
    order.Currencies.Add({1, 1.0f});
    for (int p = 0; p < 2; ++p) {
        TokfConstruction& c = order.AddPosition();
        c.PosNo = QStringLiteral("00%1").arg(p + 1);
        c.Number = 2;
        c.Arrangement = static_cast<std::uint8_t>(p == 0 ? arSingle : arLeftMain);
        c.BuildOutline({1000, 1400, static_cast<std::uint8_t>(p == 0 ? 7 : 1), 300, 700, 600, 600}, 205);
        TokfFlugel& f = c.Flugel1;
        f.Complect = std::make_unique<TokfFurnComp>(&f);
        f.Complect->MainComplect = QStringLiteral("M1");
        f.Complect->Properties = QStringList{QStringLiteral("0=12")};
        for (int i = 0; i < 3; ++i)
            f.Complect->AppendItem().Set(QStringLiteral("A%1").arg(i), QStringLiteral("M1"), QStringLiteral("h"),
                                         i * 100.5, QStringLiteral("c"), i + 1, i);
        f.MatList.Add({QStringLiteral("A1"), 1.5f, TMoney::Parse(QStringLiteral("2")), 0, {},
                       TMoney::Parse(QStringLiteral("2")), TMoney::Parse(QStringLiteral("3"))});
    }
    TSpecStream stream;
    order.Write(stream);
    WriteSeed(folder, QStringLiteral("order.kfo370"), stream);
    // An old version: the reader takes the older layouts after the conversion question.
    TSpecStream old;
    order.Version = QStringLiteral("06.10.2015");
    order.Clear();
    order.Write(old);
    WriteSeed(folder, QStringLiteral("old_header.kfo370"), old);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static TFuzzMessages messages;
    InstallMessageHandler(&messages);
    WriteSeeds();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    TSpecStream input(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    TokfOrder order;
    bool converted = false;
    bool read = false;
    try {
        read = order.Read(input, converted);
    } catch (const TError&) {
        return 0;
    }
    if (!read)
        return 0;
    order.Version = OrderFormatVersion();
    TSpecStream first;
    order.Write(first);
    first.Seek(0);
    TokfOrder again;
    if (!again.Read(first, converted))
        std::abort();
    TSpecStream second;
    again.Write(second);
    if (second.Bytes() != first.Bytes())
        std::abort();
    return 0;
}
