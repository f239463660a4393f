#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "config/ui/config_list_dlg.h"
#include "config/ui/splash_form.h"

namespace {

void AnswerChooser(bool ok, int pick = -1)
{
    QTimer::singleShot(0, [ok, pick] {
        auto* dlg = qobject_cast<TConfigListDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        if (pick >= 0)
            dlg->Combo()->setCurrentIndex(pick);
        ok ? dlg->accept() : dlg->reject();
    });
}

TEST(ConfigListDlg, LooksAsTheChooserShould)
{
    TConfigListDlg dlg;
    dlg.SetConfigs({QStringLiteral("Demo")}, QString());
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Конфигурация"));
    EXPECT_FALSE(dlg.Combo()->isEditable());
    EXPECT_EQ(dlg.Combo()->maxVisibleItems(), 15);
    QStringList labels;
    for (QLabel* l : dlg.findChildren<QLabel*>())
        labels << l->text();
    EXPECT_TRUE(labels.contains(QStringLiteral("Конфигурация")));
    QStringList buttons;
    QPushButton* byDefault = nullptr;
    for (QPushButton* b : dlg.findChildren<QPushButton*>()) {
        buttons << b->text();
        if (b->isDefault())
            byDefault = b;
    }
    EXPECT_EQ(buttons.size(), 2);
    EXPECT_TRUE(buttons.contains(QStringLiteral("OK")) && buttons.contains(QStringLiteral("Cancel")));
    ASSERT_NE(byDefault, nullptr);
    EXPECT_EQ(byDefault->text(), QStringLiteral("OK"));
}

TEST(ConfigListDlg, PreselectsTheDefaultIgnoringCaseElseTheFirst)
{
    const QStringList names{QStringLiteral("Цех"), QStringLiteral("Офис"), QStringLiteral("Demo")};
    struct TCase
    {
        QString Preferred;
        QString Selected;
    };
    for (const TCase& c : {TCase{QStringLiteral("demo"), QStringLiteral("Demo")},
                           TCase{QStringLiteral("ОФИС"), QStringLiteral("Офис")},
                           TCase{QStringLiteral("Удалённая"), QStringLiteral("Цех")},
                           TCase{QString(), QStringLiteral("Цех")}}) {
        TConfigListDlg dlg;
        dlg.SetConfigs(names, c.Preferred);
        EXPECT_EQ(dlg.Chosen(), c.Selected) << c.Preferred.toStdString();
    }
}

TEST(ConfigListDlg, ChooseReturnsTheNameOnOkOnly)
{
    QString chosen;
    AnswerChooser(true);
    ASSERT_TRUE(TConfigListDlg::Choose({QStringLiteral("Единственная")}, QString(), chosen));
    EXPECT_EQ(chosen, QStringLiteral("Единственная")); // one configuration: still asked, preselected

    AnswerChooser(true, 1);
    ASSERT_TRUE(TConfigListDlg::Choose({QStringLiteral("A"), QStringLiteral("B")}, QStringLiteral("a"), chosen));
    EXPECT_EQ(chosen, QStringLiteral("B"));

    chosen.clear();
    AnswerChooser(false);
    EXPECT_FALSE(TConfigListDlg::Choose({QStringLiteral("A")}, QString(), chosen));
    EXPECT_TRUE(chosen.isEmpty());
}

TEST(SplashForm, ShowsTitleVersionStatusAndProgress)
{
    TSplashForm splash;
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("TitleLabel"))->text(), QStringLiteral("ФУРНИТУРА "));
    EXPECT_TRUE(splash.findChild<QLabel*>(QStringLiteral("TitleLabel"))->font().bold());
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("VersionLabel"))->text(), QStringLiteral("ВЕРСИЯ 3.80"));
    EXPECT_EQ(splash.Status(), QStringLiteral("Загрузка..."));
    EXPECT_EQ(splash.Progress(), 0);
    splash.show();
    splash.SetStatus(QStringLiteral("Загрузка системы..."));
    splash.SetProgress(40);
    EXPECT_EQ(splash.Status(), QStringLiteral("Загрузка системы..."));
    EXPECT_EQ(splash.Progress(), 40);
}

} // namespace
