#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/cli/cli_documents.h"
#include "app/cli/cli_session.h"
#include "app/cli/command.h"
#include "foundation/error.h"
#include "foundation/messages.h"
#include "model/order.h"

namespace {

const QString Usage = QStringLiteral(
    "demo [--orders DIR] [--config NAME] [--alternatives first|fail] [--debug-mode]   the reference orders built and priced");

int Demo(const QStringList& args)
{
    QStringList rest;
    QString ordersDir;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--orders") && i + 1 < args.size())
            ordersDir = args.at(++i);
        else
            rest << args.at(i);
    }
    TCliOptions options;
    if (!ParseCliOptions(rest, {}, Usage, options))
        return 2;
    if (!options.Positional.isEmpty())
        return UsageError(Usage);
    TCliSession session(options);
    if (ordersDir.isEmpty())
        ordersDir = FindReferenceOrdersDir();
    const QStringList files = ReferenceOrderFiles(ordersDir);
    if (files.isEmpty()) {
        ShowError(QStringLiteral("Эталонные заказы (data/orders/ref-*.json) не найдены; укажите их папку через --orders"));
        return 1;
    }
    if (!session.Open())
        return 1;
    QTemporaryDir work;
    if (!work.isValid()) {
        ShowError(QStringLiteral("Невозможно создать временную папку!\r\n(%1)").arg(work.errorString()));
        return 1;
    }
    const TNewOrderDefaults defaults = NewOrderDefaults();
    int failures = 0;
    for (const QString& name : files) {
        PrintOut(QStringLiteral("=== %1\n").arg(QFileInfo(name).fileName()));
        QByteArray json;
        if (!ReadInputFile(name, json)) {
            ++failures;
            continue;
        }
        try {
            const TOrderInput input = ReadOrderInput(json, defaults);
            TokfOrder built;
            const QString path = work.filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".kfo370"));
            TokfOrder order;
            if (!BuildOrder(input, defaults, built) || !built.SaveToFile(path) || !LoadOrder(path, order)) {
                ++failures;
                continue;
            }
            PrintOut(OrderText(order));
            TokfMatList list;
            order.BuildMatList(list);
            PrintOut(QStringLiteral("Спецификация заказа:\n"));
            PrintMatList(list, QStringLiteral("id"), false, false);
            PrintOut(QStringLiteral("\n"));
        } catch (const std::exception& e) {
            ShowError(ErrorText(e));
            ++failures;
        }
    }
    PrintOut(QStringLiteral("Заказов: %1, с ошибками: %2\n").arg(files.size()).arg(failures));
    return failures == 0 ? 0 : 1;
}

const TCliCommand DemoCommand(QStringLiteral("demo"), Usage, Demo);

} // namespace
