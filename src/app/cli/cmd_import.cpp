#include <QStringList>

#include "app/cli/command.h"
#include "catalog/catalog_import.h"

namespace {
int Import(const QStringList& args)
{
    const QString usage = QStringLiteral("usage: diravir-cli import --from DIR --to CATALOG_DIR [--codepage N]\n");
    QString from, to;
    int codepage = 0;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == QLatin1String("--from") && hasValue) {
            from = args[++i];
        } else if (args[i] == QLatin1String("--to") && hasValue) {
            to = args[++i];
        } else if (args[i] == QLatin1String("--codepage") && hasValue) {
            bool ok = false;
            codepage = args[++i].toInt(&ok);
            if (!ok || codepage <= 0) {
                PrintErr(usage);
                return 2;
            }
        } else {
            PrintErr(usage);
            return 2;
        }
    }
    if (from.isEmpty() || to.isEmpty()) {
        PrintErr(usage);
        return 2;
    }
    const TImportReport report = ImportCatalog(from, to, codepage);
    for (const QString& w : report.Warnings)
        PrintErr(QStringLiteral("warning: ") + w + QLatin1Char('\n'));
    for (const QString& t : report.Tables)
        PrintOut(t + QLatin1Char('\n'));
    if (!report.Missing.isEmpty())
        PrintOut(QStringLiteral("not found: ") + report.Missing.join(QStringLiteral(", ")) + QLatin1Char('\n'));
    return 0;
}

TCliCommand import(QStringLiteral("import"), QStringLiteral("import --from DIR --to CATALOG_DIR [--codepage N]"), Import);
} // namespace
