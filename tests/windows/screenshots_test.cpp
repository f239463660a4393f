// Renders the windows into PNG files for a look by eye: set DIRAVIR_SHOTS_DIR to a folder.
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "config/ui/config_list_dlg.h"
#include "config/ui/currency_dlg.h"
#include "config/ui/firm_info_dlg.h"
#include "config/ui/options_dlg.h"
#include "config/ui/price_group_dlg.h"
#include "config/ui/splash_form.h"
#include "support/catalog_fixture.h"
#include "windows/about_dlg.h"
#include "windows/btn_dlg2.h"
#include "windows/main_form.h"
#include "windows/qt_messages.h"
#include "windows/shots.h"
#include "windows/test_child.h"

namespace {

TEST(Screenshots, FrameAndStartUpWindows)
{
    const QString dir = ShotsDir();
    if (dir.isEmpty())
        GTEST_SKIP() << "DIRAVIR_SHOTS_DIR not set";

    TTestFactory factory;
    for (QSize size : {QSize(640, 480), QSize(1920, 1080)}) {
        TFrameSettings settings;
        settings.ConfigName = QStringLiteral("Демо");
        TMainForm form(settings);
        form.SetChildFactory(&factory);
        form.resize(size);
        form.show();
        QApplication::processEvents();
        const QString suffix = QStringLiteral("_%1x%2").arg(size.width()).arg(size.height());
        Shot(form, QStringLiteral("main_empty") + suffix);
        form.NewOrder();
        form.SetStatusPanel(0, QStringLiteral("Позиция 1 из 3"));
        form.SetStatusPanel(1, QStringLiteral("Сумма: 12 345,67"));
        form.SetStatusPanel(2, QStringLiteral("НДС: 2 057,61"));
        form.SetStatusPanel(3, QStringLiteral("RUB"));
        QApplication::processEvents();
        Shot(form, QStringLiteral("main_order") + suffix);
        form.HandleDeferred(TMainForm::MsgOpenRegistry);
        form.ChildArea()->currentSubWindow()->showMaximized();
        QApplication::processEvents();
        Shot(form, QStringLiteral("main_registry") + suffix);
        form.CloseAllItemClick();
        QApplication::processEvents();
    }

    TConfigListDlg chooser;
    chooser.SetConfigs({QStringLiteral("Демо"), QStringLiteral("Цех на Заводской")}, QStringLiteral("демо"));
    Shot(chooser, QStringLiteral("chooser"));

    TSplashForm splash;
    splash.SetStatus(QStringLiteral("Загрузка системы..."));
    splash.SetProgress(40);
    Shot(splash, QStringLiteral("splash"));

    TAboutDlg about;
    Shot(about, QStringLiteral("about"));
    TPresentationRotoDlg presentation;
    Shot(presentation, QStringLiteral("presentation"));

    TBtnDlg2 question(QStringLiteral("Заказ \"Заказ 17\" был изменен. Сохранить изменения перед закрытием окна?"),
                      QStringLiteral("Сохранить"), QStringLiteral("Не сохранять"), QStringLiteral("Заказ"));
    Shot(question, QStringLiteral("btndlg2"));

    QMessageBox error(QMessageBox::Critical, QStringLiteral("Error"),
                      DisplayText(QStringLiteral("В системе не установлены пути доступа к базам данных!\r\n"
                                                 "Инсталлируйте заново программу!")),
                      QMessageBox::Ok);
    Shot(error, QStringLiteral("box_error"));
    QMessageBox confirm(QMessageBox::Question, QStringLiteral("Confirm"),
                        QStringLiteral("Создать выборку на основании выделенных заказов?"),
                        QMessageBox::Ok | QMessageBox::Cancel);
    Shot(confirm, QStringLiteral("box_confirm"));
}

class DialogShots : public TCatalogFixture
{
};

TEST_F(DialogShots, SettingsDialogs)
{
    if (ShotsDir().isEmpty())
        GTEST_SKIP() << "DIRAVIR_SHOTS_DIR not set";
    TOptionsDlg options;
    options.SetValues({});
    Shot(options, QStringLiteral("options"));

    TFirmInfoDlg firm;
    TFirmDetails details;
    details.Name = QStringLiteral("ООО «Оконная мастерская»");
    details.Address = QStringLiteral("г. Новоград, ул. Заводская, д. 12");
    details.ZipCode = QStringLiteral("017");
    details.Phone1 = QStringLiteral("123-45-67");
    details.Director = QStringLiteral("Петров П. П.");
    firm.SetDetails(details);
    Shot(firm, QStringLiteral("firm_info"));

    TCurrencyDlg currency(Dm.T_Currency);
    currency.setWindowTitle(QStringLiteral("Курсы валют на 11.12.2026"));
    Shot(currency, QStringLiteral("currency"));

    TPriceGroupDlg groups(Dm.T_PriceGrp);
    Shot(groups, QStringLiteral("price_groups"));
}

} // namespace
