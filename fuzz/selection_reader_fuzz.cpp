// Reads a selection from arbitrary bytes, as the selection loader does with a file. Damaged
// input may only fail with TError; a selection that reads must write a stream that reads back
// to the same bytes.
#include <cstdint>
#include <cstdlib>

#include "foundation/error.h"
#include "model/selection.h"
#include "model/versions.h"
#include "model_fuzz_support.h"

namespace {

void WriteSeeds()
{
    const QString folder = SeedFolder();
    if (folder.isEmpty())
        return;
    TokfOrderSelection selection;
    selection.No = QStringLiteral("S1");
    selection.Currencies.Add({1, 1.0f});
    selection.Currencies.Add({2, 90.25f});
    selection.Note = QStringList{QStringLiteral("a"), QStringLiteral("b")};
    for (int i = 0; i < 3; ++i) {
        TokfOrderSelectionItem& e = selection.Add();
        e.OrderNo = QString::number(7 + i);
        e.PosNo = QStringLiteral("001");
        e.Number = i + 1;
        e.OrderFile = QStringLiteral("%%1.KFO370").arg(7 + i);
    }
    TSpecStream stream;
    selection.Write(stream);
    WriteSeed(folder, QStringLiteral("selection.kfs370"), stream);
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
    TokfOrderSelection selection;
    bool converted = false;
    bool read = false;
    try {
        read = selection.Read(input, converted);
    } catch (const TError&) {
        return 0;
    }
    if (!read)
        return 0;
    selection.Version = SelectionFormatVersion();
    TSpecStream first;
    selection.Write(first);
    first.Seek(0);
    TokfOrderSelection again;
    if (!again.Read(first, converted))
        std::abort();
    TSpecStream second;
    again.Write(second);
    if (second.Bytes() != first.Bytes())
        std::abort();
    return 0;
}
