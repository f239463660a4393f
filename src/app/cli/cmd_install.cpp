#include <QStringList>

#include "app/cli/command.h"
#include "config/installer.h"

namespace {
const QString Usage = QStringLiteral(
    "install --config NAME --root DIR [--catalog-from DIR] [--codepage N] [--default] [--force]");

int Install(const QStringList& args)
{
    TInstallOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--config") && hasValue) {
            options.ConfigName = args[++i];
        } else if (a == QLatin1String("--root") && hasValue) {
            options.Root = args[++i];
        } else if (a == QLatin1String("--catalog-from") && hasValue) {
            options.CatalogFrom = args[++i];
        } else if (a == QLatin1String("--codepage") && hasValue) {
            bool ok = false;
            options.Codepage = args[++i].toInt(&ok);
            if (!ok || options.Codepage <= 0) {
                PrintErr(QStringLiteral("usage: diravir-cli ") + Usage + QLatin1Char('\n'));
                return 2;
            }
        } else if (a == QLatin1String("--default")) {
            options.MakeDefault = true;
        } else if (a == QLatin1String("--force")) {
            options.Force = true;
        } else {
            PrintErr(QStringLiteral("usage: diravir-cli ") + Usage + QLatin1Char('\n'));
            return 2;
        }
    }
    if (options.ConfigName.isEmpty() || options.Root.isEmpty()) {
        PrintErr(QStringLiteral("usage: diravir-cli ") + Usage + QLatin1Char('\n'));
        return 2;
    }
    for (const QString& line : InstallConfiguration(options))
        PrintOut(line + QLatin1Char('\n'));
    return 0;
}

TCliCommand install(QStringLiteral("install"), Usage, Install);
} // namespace
