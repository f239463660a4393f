#pragma once

#include <QPointer>
#include <functional>
#include <memory>

#include "config/startup.h"
#include "config/ui/splash_form.h"
#include "windows/main_form.h"

class TChildFactory;

// The windows of start-up on Qt: the chooser, the splash, the main window with its commands wired
// to the settings dialogs, and the message loop.
class TQtStartupShell : public TStartupShell
{
public:
    TQtStartupShell();
    ~TQtStartupShell() override;

    int ChooseConfiguration(const QStringList& names, int preselected) override;
    void PlainMessage(const QString& text) override;
    void ShowSplash() override;
    void SetSplashStatus(const QString& text) override;
    void SetSplashProgress(int percent) override;
    void CloseSplash() override;
    void SetApplicationTitle(const QString& title) override;
    void CreateReportModule() override;
    void CreateMainWindow() override;
    void CreateExportFilters() override;
    void SetMainWindowState(int state) override;
    void PostDeferred(TDeferredAction action) override;
    void RunMessageLoop() override;
    int MainWindowState() override;
    void DestroyAll() override;

    TMainForm* MainForm() const { return Main.data(); }
    TSplashForm* Splash() const { return SplashForm.data(); }
    // Creates the order, selection and registry windows once they exist.
    void SetChildFactory(TChildFactory* factory) { Factory = factory; }
    // Runs while the message loop is up; tests use it to look at the running application.
    std::function<void(TMainForm&)> OnRunning;

private:
    QPointer<TMainForm> Main;
    QPointer<TSplashForm> SplashForm;
    TChildFactory* Factory = nullptr;
};

// The frame's settings dialogs on the settings object and the catalogue tables.
void WireSettingsCommands(TMainForm& frame);
