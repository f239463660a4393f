// Reads typed-stream values from arbitrary bytes. The first byte seeds the sequence of value
// kinds to read; the rest is the stream. Damaged input may throw TStreamError and nothing else;
// every value that was read must survive being written and read back unchanged.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "foundation/error.h"
#include "foundation/messages.h"
#include "foundation/typed_stream.h"

namespace {

class TSilentMessages : public TMessageHandler
{
public:
    void Error(const QString&) override {}
    void Warning(const QString&) override {}
    void Information(const QString&) override {}
    bool Confirm(const QString&) override { return false; }
    bool ConfirmOrAbort(const QString&) override { return false; }
    int Question(const QString&, const QString&, const QString&, const QString&) override { return 0; }
};

bool SameValue(const TStreamValue& a, const TStreamValue& b)
{
    if (a.index() != b.index())
        return false;
    if (const auto* x = std::get_if<double>(&a)) {
        const double y = std::get<double>(b);
        return (std::isnan(*x) && std::isnan(y)) || std::memcmp(x, &y, sizeof y) == 0;
    }
    if (const auto* x = std::get_if<TOleDate>(&a)) {
        const double y = std::get<TOleDate>(b).Days;
        return (std::isnan(x->Days) && std::isnan(y)) || std::memcmp(&x->Days, &y, sizeof y) == 0;
    }
    return a == b;
}

// Typed reads through the named functions, so both entry points are exercised.
TStreamValue ReadDirect(TSpecStream& s, TValueKind kind)
{
    switch (kind) {
    case TValueKind::Integer: return s.ReadInteger();
    case TValueKind::Byte: return s.ReadByte();
    case TValueKind::Boolean: return s.ReadBoolean();
    case TValueKind::Double: return s.ReadDouble();
    case TValueKind::Date: {
        const qint64 at = s.Position();
        const QDateTime when = s.ReadDate(); // must not fail whatever the day count
        (void)when;
        s.Seek(at);
        return TOleDate{s.ReadDateDays()};
    }
    case TValueKind::Currency: return s.ReadCurrency();
    case TValueKind::String: {
        const qint64 at = s.Position();
        const QStringList lines = s.ReadStrings();
        (void)lines;
        s.Seek(at);
        return s.ReadString();
    }
    }
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static TSilentMessages silent;
    InstallMessageHandler(&silent);
    if (size == 0)
        return 0;

    std::uint32_t state = data[0] * 2654435761u + 1;
    TSpecStream input(QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1)));
    std::vector<TValueKind> kinds;
    std::vector<TStreamValue> values;

    for (int i = 0; i < 256 && input.Remaining() > 0; ++i) {
        state = state * 1103515245u + 12345u;
        const auto kind = static_cast<TValueKind>((state >> 16) % 7);
        const bool direct = (state >> 24) & 1;
        const qint64 before = input.Position();
        try {
            values.push_back(direct ? ReadDirect(input, kind) : input.ReadValue(kind));
            kinds.push_back(kind);
        } catch (const TStreamError&) {
            break;
        }
        if (input.Position() < before || input.Position() > input.Size())
            std::abort();
    }

    TSpecStream copy;
    for (const TStreamValue& value : values)
        copy.WriteValue(value);
    copy.Seek(0);
    for (size_t i = 0; i < values.size(); ++i) {
        const TStreamValue again = copy.ReadValue(kinds[i]);
        if (!SameValue(values[i], again))
            std::abort();
    }
    if (copy.Remaining() != 0)
        std::abort();
    return 0;
}
