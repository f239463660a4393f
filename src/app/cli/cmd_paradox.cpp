#include <QStringList>

#include "app/cli/command.h"
#include "platform/db/csv.h"
#include "platform/db/paradox_table.h"
#include "platform/db/value_text.h"

namespace {
int Dump(const QStringList& args)
{
    QString file;
    int codepage = 0;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--codepage") && i + 1 < args.size()) {
            bool ok = false;
            codepage = args[++i].toInt(&ok);
            if (!ok || codepage <= 0) {
                PrintErr(QStringLiteral("--codepage takes a code page number, such as 866 or 1251\n"));
                return 2;
            }
        } else if (file.isEmpty() && !args[i].startsWith(QLatin1String("--"))) {
            file = args[i];
        } else {
            PrintErr(QStringLiteral("usage: diravir-cli paradox dump FILE [--codepage N]\n"));
            return 2;
        }
    }
    if (file.isEmpty()) {
        PrintErr(QStringLiteral("usage: diravir-cli paradox dump FILE [--codepage N]\n"));
        return 2;
    }
    TParadoxTable table(file, codepage);
    QStringList names;
    for (const auto& f : table.Fields())
        names.append(f.Name);
    QString out = CsvRecord(names) + QLatin1Char('\n');
    for (int r = 0; r < table.RecordCount(); ++r) {
        QStringList cells;
        for (const QVariant& v : table.Record(r))
            cells.append(ExchangeText(v));
        out += CsvRecord(cells) + QLatin1Char('\n');
        if (out.size() > (1 << 20)) {
            PrintOut(out);
            out.clear();
        }
    }
    PrintOut(out);
    return 0;
}

TCliCommand dump(QStringLiteral("paradox dump"), QStringLiteral("paradox dump FILE [--codepage N]"), Dump);
} // namespace
