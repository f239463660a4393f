#include "engine/engine_hooks.h"

#include "catalog/data_module.h"
#include "config/setup.h"
#include "foundation/error.h"
#include "platform/db/table.h"

namespace {

TFirstRowChooser DefaultChooser;
TArticleChooser* Chooser = nullptr;
std::function<bool()> DebugSource;

} // namespace

TDM& EngineCatalog()
{
    TDM* dm = TDM::Current();
    if (!dm)
        throw TError(QStringLiteral("Модуль данных каталога не создан!"));
    return *dm;
}

void SetArticleChooser(TArticleChooser* chooser)
{
    Chooser = chooser;
}

TArticleChooser& ArticleChooser()
{
    return Chooser ? *Chooser : DefaultChooser;
}

void SetDebugModeSource(std::function<bool()> source)
{
    DebugSource = std::move(source);
}

bool EngineDebugMode()
{
    if (DebugSource)
        return DebugSource();
    return HasSetup() && Setup().DebugMode;
}

bool TRefusingChooser::Choose(TTable& table, const QString& keyField, const QStringList&, const QString&, const QString&)
{
    QStringList keys;
    for (table.First(); !table.Eof(); table.Next())
        keys << table.FieldByName(keyField).AsString();
    throw TError(QStringLiteral("В документации присутствует несколько альтернативных вариантов (%1).\r\n"
                                "Выбор артикула без пользователя невозможен!")
                     .arg(keys.join(QStringLiteral(", "))));
}
