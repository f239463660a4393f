#include <QFileInfo>

#include "app/cli/cli_documents.h"
#include "app/cli/cli_session.h"
#include "app/cli/command.h"
#include "config/setup.h"
#include "foundation/error.h"
#include "foundation/messages.h"
#include "model/order.h"
#include "model/order_files.h"
#include "model/pricing.h"
#include "model/selection.h"

namespace {

const QString CommonOptions = QStringLiteral("[--config NAME] [--convert]");

// The display values of an entry from its position, as the selection window fills them.
void FillEntry(TokfOrderSelectionItem& entry, const TokfOrder& order, const TokfConstruction& position,
               const QString& path)
{
    entry.OrderNo = order.No;
    entry.PosNo = position.PosNo;
    const TOverallSize size = position.OverallSize();
    entry.Width = static_cast<float>(size.Width);
    entry.Height = static_cast<float>(size.Height);
    entry.Number = position.Number;
    entry.PosName = position.Name;
    entry.SetOrderPath(path);
}

// A path as given, or a stored reference ("%...") resolved against the orders folder.
QString OrderPathOf(const QString& given)
{
    if (given.startsWith(QLatin1Char('%')))
        return LocateStoredFile(OrderFilePath(given));
    return QFileInfo(given).absoluteFilePath();
}

// "Добавить заказ...": every position of the order, included or not; an entry that is already
// there takes the new values and keeps its included flag.
bool AddOrder(TokfOrderSelection& selection, const QString& given)
{
    const QString path = OrderPathOf(given);
    TokfOrder order;
    if (!LoadOrder(path, order))
        return false;
    for (int i = 0; i < order.PositionCount(); ++i) {
        const TokfConstruction& position = order.Position(i);
        const int index = selection.IndexOf(order.No, position.PosNo);
        TokfOrderSelectionItem& entry = index >= 0 ? selection.Entry(index) : selection.Add();
        if (index < 0)
            entry.Included = true;
        FillEntry(entry, order, position, path);
    }
    return true;
}

bool AddEntry(TokfOrderSelection& selection, const TSelectionEntryInput& in)
{
    const QString path = OrderPathOf(in.OrderFile);
    TokfOrder order;
    if (!LoadOrder(path, order))
        return false;
    const TokfConstruction* position = order.FindByPosNo(in.PosNo);
    if (!position) {
        ShowError(QStringLiteral("В заказе № %1 нет позиции %2!\r\nФайл: %3.").arg(order.No, in.PosNo, path));
        return false;
    }
    TokfOrderSelectionItem& entry = selection.Add();
    entry.Included = in.Included;
    FillEntry(entry, order, *position, path);
    return true;
}

int Build(const QStringList& args)
{
    const QString usage = QStringLiteral("selection build IN.json OUT.kfs370 ") + CommonOptions;
    TCliOptions options;
    if (!ParseCliCommand(args, {}, usage, 2, options))
        return 2;
    TCliSession session(options);
    QByteArray json;
    if (!ReadInputFile(options.Positional.at(0), json) || !session.Open())
        return 1;
    TSelectionInput input;
    try {
        input = ReadSelectionInput(json);
    } catch (const std::exception& e) {
        ShowError(ErrorText(e));
        return 1;
    }
    TokfOrderSelection selection;
    TakeSnapshot(selection.Currencies);
    ApplySelectionHeader(selection, input, Setup().CurCurrency, Setup().NDSTax);
    if (selection.No.isEmpty()) {
        ShowError(QStringLiteral("Не указан номер выборки!"));
        return 1;
    }
    for (const QString& order : input.Orders)
        if (!AddOrder(selection, order))
            return 1;
    for (const TSelectionEntryInput& entry : input.Entries)
        if (!AddEntry(selection, entry))
            return 1;
    if (!selection.SaveToFile(options.Positional.at(1)))
        return 1;
    PrintOut(QStringLiteral("%1: позиций %2\n").arg(options.Positional.at(1)).arg(selection.Count()));
    return 0;
}

int Show(const QStringList& args)
{
    const QString usage = QStringLiteral("selection show FILE [--json] ") + CommonOptions;
    TCliOptions options;
    if (!ParseCliCommand(args, {QStringLiteral("--json")}, usage, 1, options))
        return 2;
    TCliSession session(options);
    if (!session.Open())
        return 1;
    TokfOrderSelection selection;
    if (!LoadSelection(options.Positional.at(0), selection))
        return 1;
    if (options.Json)
        PrintJson(SelectionToJson(selection));
    else
        PrintOut(SelectionText(selection));
    return 0;
}

int MatList(const QStringList& args)
{
    const QString usage = QStringLiteral("selection matlist FILE [--json|--csv] [--sort id|name] ") + CommonOptions;
    TCliOptions options;
    if (!ParseCliCommand(args, {QStringLiteral("--json"), QStringLiteral("--csv"), QStringLiteral("--sort")}, usage, 1, options))
        return 2;
    TCliSession session(options);
    if (!session.Open())
        return 1;
    TokfOrderSelection selection;
    if (!LoadSelection(options.Positional.at(0), selection))
        return 1;
    TokfMatList list;
    try {
        selection.BuildMatList(list);
        PrintMatList(list, options.Sort, options.Json, options.Csv);
    } catch (const std::exception& e) {
        ShowError(ErrorText(e));
        return 1;
    }
    // An order that could not be read was skipped with its message: the list is incomplete.
    return session.Reported() ? 1 : 0;
}

const TCliCommand BuildCommand(QStringLiteral("selection build"),
                               QStringLiteral("selection build IN.json OUT.kfs370   selection of order positions"), Build);
const TCliCommand ShowCommand(QStringLiteral("selection show"), QStringLiteral("selection show FILE [--json]"), Show);
const TCliCommand MatListCommand(QStringLiteral("selection matlist"),
                                 QStringLiteral("selection matlist FILE [--json|--csv] [--sort id|name]"), MatList);

} // namespace
