#include <QDir>

#include "app/cli/command.h"
#include "catalog/demo_generator.h"

namespace {

int GenCatalog(const QStringList& args)
{
    int scale = 0;
    QString to;
    QString from;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--scale") && hasValue) {
            bool ok = false;
            scale = args.at(++i).toInt(&ok);
            if (!ok || scale < 1) {
                PrintErr(QStringLiteral("--scale: ожидается целое число не меньше 1\n"));
                return 2;
            }
        } else if (a == QLatin1String("--to") && hasValue) {
            to = args.at(++i);
        } else if (a == QLatin1String("--from") && hasValue) {
            from = args.at(++i);
        } else {
            PrintErr(QStringLiteral("gen-catalog: неизвестный параметр %1\n").arg(a));
            return 2;
        }
    }
    if (scale < 1 || to.isEmpty()) {
        PrintErr(QStringLiteral("usage: diravir-cli gen-catalog --scale N --to DIR [--from DEMO_DIR]\n"));
        return 2;
    }
    if (from.isEmpty())
        from = FindDemoCatalogDir();
    if (from.isEmpty()) {
        PrintErr(QStringLiteral("Демо-каталог (data/catalog) не найден; укажите его через --from\n"));
        return 1;
    }
    const TScaledCatalogReport report = GenerateScaledCatalog(from, scale, to);
    QString text = QStringLiteral("%1: %2 копий демо-каталога\n").arg(QDir(to).absolutePath()).arg(report.Copies);
    for (const auto& [table, rows] : report.Rows)
        text += QStringLiteral("%1: %2\n").arg(table).arg(rows);
    PrintOut(text);
    return 0;
}

const TCliCommand GenCatalogCommand(QStringLiteral("gen-catalog"),
                                    QStringLiteral("gen-catalog --scale N --to DIR [--from DEMO_DIR]   scaled catalogue for benchmarks"),
                                    GenCatalog);

} // namespace
