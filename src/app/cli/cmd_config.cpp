#include <QStringList>

#include "app/cli/command.h"
#include "config/installer.h"

namespace {
int List(const QStringList& args)
{
    if (!args.isEmpty()) {
        PrintErr(QStringLiteral("usage: diravir-cli config list\n"));
        return 2;
    }
    for (const TConfigurationInfo& c : RegisteredConfigurations()) {
        PrintOut(c.Name + (c.IsDefault ? QStringLiteral(" (default)") : QString()) + QLatin1Char('\n'));
        PrintOut(QStringLiteral("  OKFCatalogDir=") + c.CatalogDir + QLatin1Char('\n'));
        PrintOut(QStringLiteral("  OKFServerName=") + c.ServerDir + QLatin1Char('\n'));
        PrintOut(QStringLiteral("  OKFReportDir=") + c.ReportDir + QLatin1Char('\n'));
        PrintOut(QStringLiteral("  OKFTempDir=") + c.TempDir + QLatin1Char('\n'));
    }
    return 0;
}

TCliCommand list(QStringLiteral("config list"), QStringLiteral("config list"), List);
} // namespace
