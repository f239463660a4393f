#pragma once

// Shared by the order and selection reader targets: a message handler that answers every
// conversion question with OK (so old layouts are read too), and seed files written on request.
#include <QDir>
#include <QFile>
#include <cstdlib>

#include "foundation/messages.h"
#include "foundation/typed_stream.h"

class TFuzzMessages final : public TMessageHandler
{
public:
    void Error(const QString&) override {}
    void Warning(const QString&) override {}
    void Information(const QString&) override {}
    bool Confirm(const QString&) override { return true; }
    bool ConfirmOrAbort(const QString&) override { return true; }
    int Question(const QString&, const QString&, const QString&, const QString&) override { return 1; }
};

// With DIRAVIR_FUZZ_SEEDS set to a folder, the target writes its seed files there at start.
inline QString SeedFolder()
{
    const char* folder = std::getenv("DIRAVIR_FUZZ_SEEDS");
    if (!folder || !*folder)
        return {};
    QDir().mkpath(QString::fromLocal8Bit(folder));
    return QString::fromLocal8Bit(folder);
}

inline void WriteSeed(const QString& folder, const QString& name, const TSpecStream& stream)
{
    QFile file(folder + QLatin1Char('/') + name);
    if (file.open(QIODevice::WriteOnly))
        file.write(stream.Bytes());
}
