#include "app/cli/cli_session.h"

#include <QFileInfo>

#include "app/cli/command.h"
#include "catalog/data_module.h"
#include "config/dm_startup.h"
#include "config/setup.h"
#include "config/startup.h"
#include "engine/engine_hooks.h"
#include "engine/fittings_engine.h"
#include "foundation/error.h"
#include "foundation/messages.h"
#include "foundation/path_helpers.h"
#include "model/pricing.h"
#include "platform/db/table.h"
#include "platform/registry/registry.h"

namespace {

// The system's boxes as lines on standard error; questions get the answers of the options.
class TPrintingMessages final : public TMessageHandler
{
public:
    explicit TPrintingMessages(const TCliOptions& options) : Options(options) {}

    void Error(const QString& text) override { Print(text, true); }
    void Warning(const QString& text) override { Print(text, true); }
    void Information(const QString& text) override { Print(text, false); }
    bool Confirm(const QString& text) override
    {
        // An older file version is converted only when asked for; the tool says no to the rest.
        const bool conversion = text.startsWith(QStringLiteral("Необходимо конвертировать"));
        if (conversion && Options.Convert)
            return true;
        Print(conversion ? text + QStringLiteral("\r\nФайл не конвертирован (укажите --convert)") : text, conversion);
        return false;
    }
    bool ConfirmOrAbort(const QString& text) override
    {
        Print(text, true);
        return false;
    }
    int Question(const QString& text, const QString&, const QString&, const QString&) override
    {
        Print(text, true);
        return 0;
    }

    bool Reported = false;

private:
    void Print(const QString& text, bool failure)
    {
        Reported = Reported || failure;
        PrintErr(text + QLatin1Char('\n'));
    }

    const TCliOptions& Options;
};

// Several articles fit an element: the first one, as the dialog starts on it, or a failure that
// names the element and the candidates.
class TCliChooser final : public TArticleChooser
{
public:
    bool Choose(TTable& table, const QString& keyField, const QStringList&, const QString&, const QString&) override
    {
        QString element;
        if (TField* id = table.FindField(QStringLiteral("ID")))
            element = id->AsString();
        QStringList candidates;
        for (table.First(); !table.Eof(); table.Next())
            candidates << table.FieldByName(keyField).AsString();
        table.First();
        throw TError(QStringLiteral("Для элемента фурнитуры [%1] подходят несколько артикулов: %2")
                         .arg(element, candidates.join(QStringLiteral(", "))));
    }
};

// Start-up's configuration step without windows: the configuration is named, never chosen.
class TCliShell final : public TStartupShell
{
public:
    explicit TCliShell(QString wanted) : Wanted(std::move(wanted)) {}

    int ChooseConfiguration(const QStringList& names, int preselected) override
    {
        if (Wanted.isEmpty()) {
            QString defaultConfig;
            TRegistry reg;
            if (reg.OpenKey(DbConfigKey, false) && reg.ValueExists(QStringLiteral("DefaultConfig")))
                defaultConfig = reg.ReadString(QStringLiteral("DefaultConfig"));
            if (names.size() == 1 || (!defaultConfig.isEmpty() &&
                                      names.at(preselected).compare(defaultConfig, Qt::CaseInsensitive) == 0))
                return preselected;
            ShowError(QStringLiteral("Зарегистрировано несколько конфигураций и ни одна не выбрана по умолчанию; "
                                     "укажите --config: %1")
                          .arg(names.join(QStringLiteral(", "))));
            return -1;
        }
        for (int i = 0; i < names.size(); ++i)
            if (names.at(i).compare(Wanted, Qt::CaseInsensitive) == 0)
                return i;
        ShowError(QStringLiteral("Ошибка открытия конфигурации %1!\r\nУказанная конфигурация не числиться в списке.")
                      .arg(Wanted));
        return -1;
    }
    void PlainMessage(const QString& text) override { ShowError(text); }
    void ShowSplash() override {}
    void SetSplashStatus(const QString&) override {}
    void SetSplashProgress(int) override {}
    void CloseSplash() override {}
    void SetApplicationTitle(const QString&) override {}
    void CreateReportModule() override {}
    void CreateMainWindow() override {}
    void CreateExportFilters() override {}
    void SetMainWindowState(int) override {}
    void PostDeferred(TDeferredAction) override {}
    void RunMessageLoop() override {}
    int MainWindowState() override { return 0; }
    void DestroyAll() override {}

private:
    QString Wanted;
};

} // namespace

struct TCliSession::TImpl
{
    explicit TImpl(const TCliOptions& options) : Options(options), Printer(options), Shell(options.ConfigName) {}

    TCliOptions Options;
    TPrintingMessages Printer;
    TCliChooser Chooser;
    TCliShell Shell;
    TDMStartupDatabase Database;
    std::unique_ptr<TStartup> Startup;
    std::unique_ptr<TokfSetup> Settings;
    bool Connected = false;
};

TCliSession::TCliSession(const TCliOptions& options) : Impl(std::make_unique<TImpl>(options))
{
    InstallMessageHandler(&Impl->Printer);
    if (options.FailOnAlternatives)
        SetArticleChooser(&Impl->Chooser);
}

TCliSession::~TCliSession()
{
    SetArticleChooser(nullptr);
    SetPricingContext({});
    RegisterFittingsCalculator(nullptr);
    if (HasSetup() && &Setup() == Impl->Settings.get())
        InstallSetup(nullptr);
    if (Impl->Connected)
        Impl->Database.Disconnect();
    const QString privateDir = StartConfig().PrivateDir;
    if (!privateDir.isEmpty() && QFileInfo(privateDir).isDir())
        DeleteFolder(privateDir);
    InstallMessageHandler(nullptr);
}

bool TCliSession::Reported() const
{
    return Impl->Printer.Reported;
}

bool TCliSession::Open()
{
    Impl->Startup = std::make_unique<TStartup>(Impl->Shell, Impl->Database);
    if (!Impl->Startup->ChooseConfiguration())
        return false;
    try {
        Impl->Settings = std::make_unique<TokfSetup>(StartConfig());
    } catch (const std::exception& e) {
        ShowError(ErrorText(e));
        return false;
    }
    if (!Impl->Settings->Loaded) {
        ShowWarning(QStringLiteral("Не найден файл конфигурации! Переустановите программу или произведите настройку вручную!"));
        return false;
    }
    if (Impl->Options.DebugMode)
        Impl->Settings->DebugMode = true;
    InstallSetup(Impl->Settings.get());
    try {
        Impl->Database.Create();
        Impl->Connected = true;
        const TStartConfig& config = StartConfig();
        Impl->Database.Connect(config.CatalogDir, config.RegistryDir, config.ReportDir);
        Impl->Database.OpenCatalogTables();
        RegisterFittingsEngine();
    } catch (const std::exception& e) {
        ShowError(ErrorText(e));
        return false;
    }
    return true;
}

bool ParseCliOptions(const QStringList& args, const QStringList& allowed, const QString& usage, TCliOptions& options)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--config") && hasValue) {
            options.ConfigName = args.at(++i);
        } else if (a == QLatin1String("--alternatives") && hasValue &&
                   (args.at(i + 1) == QLatin1String("first") || args.at(i + 1) == QLatin1String("fail"))) {
            options.FailOnAlternatives = args.at(++i) == QLatin1String("fail");
        } else if (a == QLatin1String("--convert")) {
            options.Convert = true;
        } else if (a == QLatin1String("--debug-mode")) {
            options.DebugMode = true;
        } else if (a == QLatin1String("--json") && allowed.contains(a)) {
            options.Json = true;
        } else if (a == QLatin1String("--csv") && allowed.contains(a)) {
            options.Csv = true;
        } else if (a == QLatin1String("--sort") && allowed.contains(a) && hasValue &&
                   (args.at(i + 1) == QLatin1String("id") || args.at(i + 1) == QLatin1String("name"))) {
            options.Sort = args.at(++i);
        } else if (a.startsWith(QLatin1String("--"))) {
            UsageError(usage);
            return false;
        } else {
            options.Positional << a;
        }
    }
    if (options.Json && options.Csv) {
        UsageError(usage);
        return false;
    }
    return true;
}

int UsageError(const QString& usage)
{
    PrintErr(QStringLiteral("usage: diravir-cli ") + usage + QLatin1Char('\n'));
    return 2;
}

bool ParseCliCommand(const QStringList& args, const QStringList& allowed, const QString& usage, qsizetype positional,
                     TCliOptions& options)
{
    if (!ParseCliOptions(args, allowed, usage, options))
        return false;
    if (options.Positional.size() == positional)
        return true;
    UsageError(usage);
    return false;
}
