#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "config/setup.h"
#include "config/start_config.h"

// Window messages of the deferred start-up actions, handled by the main window in posting order.
enum TDeferredAction : int {
    WM_OPENREGISTRY = 1426,    // open the order registry window
    WM_CURRENCYDIALOG = 1430,  // currency-rate dialog
    WM_PRESENTATION = 1523,    // presentation window
    WM_NEWSPANEL = 1524,       // refresh the news panel and start its timer
};

// The windows of start-up. The application supplies Qt windows; tests a scripted shell.
class TStartupShell
{
public:
    virtual ~TStartupShell() = default;

    // The configuration chooser with the names and the preselected entry; the chosen index, or
    // -1 when it was not closed with OK.
    virtual int ChooseConfiguration(const QStringList& names, int preselected) = 0;
    // A plain message box (no title, no icon).
    virtual void PlainMessage(const QString& text) = 0;

    virtual void ShowSplash() = 0;
    virtual void SetSplashStatus(const QString& text) = 0;
    virtual void SetSplashProgress(int percent) = 0;
    virtual void CloseSplash() = 0;
    virtual void SetApplicationTitle(const QString& title) = 0;
    // The report data module.
    virtual void CreateReportModule() = 0;
    // The main window; its creation handler runs now.
    virtual void CreateMainWindow() = 0;
    // The report engine's export filters.
    virtual void CreateExportFilters() = 0;
    virtual void SetMainWindowState(int state) = 0;
    virtual void PostDeferred(TDeferredAction action) = 0;
    // Returns when the main window was closed.
    virtual void RunMessageLoop() = 0;
    // The main window's state at the end of the message loop.
    virtual int MainWindowState() = 0;
    // The remaining windows and modules.
    virtual void DestroyAll() = 0;
};

// The catalogue data module as start-up drives it.
class TStartupDatabase
{
public:
    virtual ~TStartupDatabase() = default;
    // The database engine's folder for this run's temporary tables.
    virtual void SetPrivateDir(const QString&) {}
    // Creates the module; nothing is connected yet.
    virtual void Create() = 0;
    // Connects the catalogue, registry and report databases in this order; raises on failure.
    virtual void Connect(const QString& catalogDir, const QString& registryDir, const QString& reportDir) = 0;
    // Opens every catalogue table, reporting each failure itself.
    virtual void OpenCatalogTables() = 0;
    virtual void Disconnect() = 0;
};

// The start and the end of the process: switches, choosing the database configuration, the
// settings, the splash, the modules and the main window, the deferred actions, the message loop
// and the saving of the settings. Fills the start-up record (WritableStartConfig) and installs
// the settings (Setup()) for the run.
class TStartup
{
public:
    TStartup(TStartupShell& shell, TStartupDatabase& database);
    ~TStartup();

    // The whole run; false when the process ended before the main window (no configuration,
    // chooser cancelled, settings file missing or unreadable).
    bool Run(const QStringList& arguments);

    // The single steps, public for the application and for tests.
    // Switches and the previous run's private folder.
    void InitProcess(const QStringList& arguments);
    // Deletes the previous run's private folder.
    void DeletePreviousPrivateFolder();
    bool ChooseConfiguration();
    // Connects, opens the tables, restores the main window's state and posts the deferred actions.
    void MainWindowStartup();
    // Records this run's private folder for the next start.
    void RecordPrivateFolder();
    // After the currency dialog (deferred action 1430) closed: with OK and the option on, the
    // reminder is not due again today.
    static void CurrencyDialogClosed(bool ok);

    TokfSetup* Settings() const { return Setup.get(); }

private:
    TStartupShell& Shell;
    TStartupDatabase& Database;
    std::unique_ptr<TokfSetup> Setup;
};
