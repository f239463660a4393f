#include "engine/engine_hooks.h"

#include "catalog/data_module.h"
#include "config/setup.h"
#include "foundation/error.h"

namespace {

class TFirstRowChooser final : public TArticleChooser
{
public:
    bool Choose(TTable&, const QString&, const QStringList&, const QString&, const QString&) override { return true; }
};

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
