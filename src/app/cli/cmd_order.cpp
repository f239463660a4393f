#include "app/cli/cli_documents.h"
#include "app/cli/cli_session.h"
#include "app/cli/command.h"
#include "foundation/error.h"
#include "foundation/messages.h"
#include "foundation/typed_stream.h"
#include "model/order.h"

namespace {

const QString CommonOptions = QStringLiteral("[--config NAME] [--alternatives first|fail] [--convert] [--debug-mode]");

int Build(const QStringList& args)
{
    const QString usage = QStringLiteral("order build IN.json OUT.kfo370 ") + CommonOptions;
    TCliOptions options;
    if (!ParseCliCommand(args, {}, usage, 2, options))
        return 2;
    TCliSession session(options);
    QByteArray json;
    if (!ReadInputFile(options.Positional.at(0), json) || !session.Open())
        return 1;
    const TNewOrderDefaults defaults = NewOrderDefaults();
    TOrderInput input;
    try {
        input = ReadOrderInput(json, defaults);
    } catch (const std::exception& e) {
        ShowError(ErrorText(e));
        return 1;
    }
    TokfOrder order;
    if (!BuildOrder(input, defaults, order) || !order.SaveToFile(options.Positional.at(1)))
        return 1;
    PrintOut(QStringLiteral("%1: позиций %2, итого %3\n")
                 .arg(options.Positional.at(1))
                 .arg(order.PositionCount())
                 .arg(order.TotalWithNDS().ToString(4)));
    return 0;
}

int Show(const QStringList& args)
{
    const QString usage = QStringLiteral("order show FILE [--json] ") + CommonOptions;
    TCliOptions options;
    if (!ParseCliCommand(args, {QStringLiteral("--json")}, usage, 1, options))
        return 2;
    TCliSession session(options);
    if (!session.Open())
        return 1;
    TokfOrder order;
    if (!LoadOrder(options.Positional.at(0), order))
        return 1;
    if (options.Json)
        PrintJson(OrderToJson(order));
    else
        PrintOut(OrderText(order));
    return 0;
}

// The order window's recalculation without its question: every included position is repriced;
// the first failure restores that position, is reported with its number and nothing is saved.
int Recalc(const QStringList& args)
{
    const QString usage = QStringLiteral("order recalc FILE ") + CommonOptions;
    TCliOptions options;
    if (!ParseCliCommand(args, {}, usage, 1, options))
        return 2;
    TCliSession session(options);
    if (!session.Open())
        return 1;
    TokfOrder order;
    const QString path = options.Positional.at(0);
    if (!LoadOrder(path, order))
        return 1;
    int recalculated = 0;
    for (int i = 0; i < order.PositionCount(); ++i) {
        TokfConstruction& position = order.Position(i);
        if (!position.Included)
            continue;
        TSpecStream backup;
        try {
            position.SaveBackup(backup);
            position.RecalcPrice();
            ++recalculated;
        } catch (const std::exception& e) {
            try {
                position.RestoreBackup(backup);
            } catch (const std::exception& restore) {
                ShowError(ErrorText(restore));
            }
            ShowError(QStringLiteral("%1\r\n[Позиция: %2]").arg(ErrorText(e), position.PosNo));
            return 1;
        }
    }
    if (!order.SaveToFile(path))
        return 1;
    PrintOut(QStringLiteral("%1: пересчитано позиций %2, итого %3\n")
                 .arg(path)
                 .arg(recalculated)
                 .arg(order.TotalWithNDS().ToString(4)));
    return 0;
}

int MatList(const QStringList& args)
{
    const QString usage = QStringLiteral("order matlist FILE [--json|--csv] [--sort id|name] ") + CommonOptions;
    TCliOptions options;
    if (!ParseCliCommand(args, {QStringLiteral("--json"), QStringLiteral("--csv"), QStringLiteral("--sort")}, usage, 1, options))
        return 2;
    TCliSession session(options);
    if (!session.Open())
        return 1;
    TokfOrder order;
    if (!LoadOrder(options.Positional.at(0), order))
        return 1;
    TokfMatList list;
    try {
        order.BuildMatList(list);
        PrintMatList(list, options.Sort, options.Json, options.Csv);
    } catch (const std::exception& e) {
        ShowError(ErrorText(e));
        return 1;
    }
    return 0;
}

const TCliCommand BuildCommand(QStringLiteral("order build"),
                               QStringLiteral("order build IN.json OUT.kfo370   order from JSON, calculated and saved"), Build);
const TCliCommand ShowCommand(QStringLiteral("order show"), QStringLiteral("order show FILE [--json]"), Show);
const TCliCommand RecalcCommand(QStringLiteral("order recalc"),
                                QStringLiteral("order recalc FILE   reprices the included positions and saves"), Recalc);
const TCliCommand MatListCommand(QStringLiteral("order matlist"),
                                 QStringLiteral("order matlist FILE [--json|--csv] [--sort id|name]"), MatList);

} // namespace
