#include "windows/qt_startup_shell.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

#include "catalog/data_module.h"
#include "config/setup.h"
#include "config/start_config.h"
#include "config/ui/config_list_dlg.h"
#include "config/ui/currency_dlg.h"
#include "config/ui/firm_info_dlg.h"
#include "config/ui/options_dlg.h"
#include "config/ui/price_group_dlg.h"
#include "config/ui/splash_form.h"
#include "windows/about_dlg.h"
#include "windows/main_form.h"
#include "windows/qt_messages.h"

namespace {

TFirmDetails FirmOf(const TokfSetup& s)
{
    return {s.FirmName, s.FirmLogo,  s.FirmAddress,  s.FirmJustAddress, s.FirmZipCode,
            s.FirmPhone1, s.FirmPhone2, s.FirmPhone3, s.FirmFax,        s.FirmEMail,
            s.FirmInternet, s.FirmINN, s.FirmAccount, s.FirmDirector,   s.FirmBookKeeper};
}

void StoreFirm(TokfSetup& s, const TFirmDetails& d)
{
    s.FirmName = d.Name;
    s.FirmLogo = d.Logo;
    s.FirmAddress = d.Address;
    s.FirmJustAddress = d.JustAddress;
    s.FirmZipCode = d.ZipCode;
    s.FirmPhone1 = d.Phone1;
    s.FirmPhone2 = d.Phone2;
    s.FirmPhone3 = d.Phone3;
    s.FirmFax = d.Fax;
    s.FirmEMail = d.EMail;
    s.FirmInternet = d.Internet;
    s.FirmINN = d.INN;
    s.FirmAccount = d.Account;
    s.FirmDirector = d.Director;
    s.FirmBookKeeper = d.BookKeeper;
}

QPrinter& SharedPrinter()
{
    static QPrinter printer;
    return printer;
}

} // namespace

void WireSettingsCommands(TMainForm& frame)
{
    TFrameCommands& c = frame.Commands();
    c.FirmInfo = [&frame] {
        if (!HasSetup())
            return;
        TFirmDetails details = FirmOf(Setup());
        if (TFirmInfoDlg::Run(details, &frame))
            StoreFirm(Setup(), details);
    };
    c.Options = [&frame] {
        if (!HasSetup())
            return;
        TokfSetup& s = Setup();
        TOptionValues v{s.AlertIfNotFull, s.AutoReg, s.AutoOpenReg, s.MoveToRecycled, s.AutoLoadCurrency};
        if (!TOptionsDlg::Run(v, &frame))
            return;
        s.AlertIfNotFull = v.AlertIfNotFull;
        s.AutoReg = v.AutoReg;
        s.AutoOpenReg = v.AutoOpenReg;
        s.MoveToRecycled = v.MoveToRecycled;
        s.AutoLoadCurrency = v.AutoLoadCurrency;
    };
    c.PriceGroups = [&frame] {
        if (TDM* dm = TDM::Current())
            TPriceGroupDlg::Run(dm->T_PriceGrp, &frame);
    };
    c.Currency = [&frame](const QString& caption) {
        if (TDM* dm = TDM::Current())
            TStartup::CurrencyDialogClosed(TCurrencyDlg::Run(dm->T_Currency, caption, &frame));
    };
    c.Presentation = [&frame] {
        TPresentationRotoDlg dialog(&frame);
        dialog.exec();
    };
    c.About = [&frame] {
        TAboutDlg dialog(&frame);
        dialog.exec();
    };
    c.DebugMode = [](bool on) {
        if (HasSetup())
            Setup().DebugMode = on;
    };
    c.PrinterSetup = [&frame] {
        QPrintDialog dialog(&SharedPrinter(), &frame);
        dialog.setWindowTitle(QStringLiteral("Настройка принтера"));
        dialog.exec();
    };
}

TQtStartupShell::TQtStartupShell() = default;

TQtStartupShell::~TQtStartupShell() { DestroyAll(); }

int TQtStartupShell::ChooseConfiguration(const QStringList& names, int preselected)
{
    TConfigListDlg dialog;
    dialog.SetConfigs(names, names.value(preselected));
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    return dialog.Combo()->currentIndex();
}

void TQtStartupShell::PlainMessage(const QString& text)
{
    TArrowWhileModal arrow;
    QMessageBox box(QMessageBox::NoIcon, QString(), DisplayText(text), QMessageBox::Ok);
    box.exec();
}

void TQtStartupShell::ShowSplash()
{
    SplashForm = new TSplashForm;
    SplashForm->setAttribute(Qt::WA_DeleteOnClose);
    SplashForm->show();
    SplashForm->repaint();
}

void TQtStartupShell::SetSplashStatus(const QString& text)
{
    if (SplashForm)
        SplashForm->SetStatus(text);
}

void TQtStartupShell::SetSplashProgress(int percent)
{
    if (SplashForm)
        SplashForm->SetProgress(percent);
}

void TQtStartupShell::CloseSplash()
{
    if (SplashForm) {
        SplashForm->hide();
        delete SplashForm.data();
    }
}

void TQtStartupShell::SetApplicationTitle(const QString& title) { QApplication::setApplicationName(title); }

// The report data module comes with the reports; nothing to create before it exists.
void TQtStartupShell::CreateReportModule() {}
void TQtStartupShell::CreateExportFilters() {}

void TQtStartupShell::CreateMainWindow()
{
    const TStartConfig& config = StartConfig();
    TFrameSettings settings;
    settings.ConfigName = config.ConfigName;
    settings.DeveloperMode = config.DeveloperMode;
    settings.OrdersFolder = config.OrdersDir;
    settings.SelectionsFolder = config.SelectionsDir;
    settings.ChildWindowState = [] { return HasSetup() ? Setup().OrderWinState : 0; };
    Main = new TMainForm(settings);
    Main->SetChildFactory(Factory);
    WireSettingsCommands(*Main);
}

void TQtStartupShell::SetMainWindowState(int state)
{
    if (Main) {
        Main->SetWindowStateCode(state);
        Main->repaint();
    }
}

void TQtStartupShell::PostDeferred(TDeferredAction action)
{
    if (Main)
        Main->PostDeferred(static_cast<int>(action));
}

void TQtStartupShell::RunMessageLoop()
{
    if (!Main)
        return;
    // The loop ends when the frame closes for good, whatever other top-level windows remain.
    QObject::connect(Main.data(), &TMainForm::Closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    Main->show();
    if (OnRunning)
        QTimer::singleShot(0, Main.data(), [this] {
            if (Main)
                OnRunning(*Main);
        });
    QApplication::exec();
}

int TQtStartupShell::MainWindowState() { return Main ? Main->WindowStateCode() : 0; }

void TQtStartupShell::DestroyAll()
{
    CloseSplash();
    delete Main.data();
}
