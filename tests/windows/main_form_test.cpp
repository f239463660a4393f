#include <QDir>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

#include "support/scripted_messages.h"
#include "windows/file_filters.h"
#include "windows/main_form.h"
#include "windows/navigator.h"
#include "windows/news_panel.h"
#include <QLabel>
#include <QPlainTextEdit>
#include "windows/test_child.h"

namespace {

class MainFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TScriptedMessages::Current().Clear();
        ASSERT_TRUE(Folders.isValid());
        QDir(Folders.path()).mkpath(QStringLiteral("Orders"));
        QDir(Folders.path()).mkpath(QStringLiteral("Selection"));
    }

    std::unique_ptr<TMainForm> Make(bool developer = false, int childState = 0)
    {
        TFrameSettings settings;
        settings.ConfigName = QStringLiteral("Демо");
        settings.DeveloperMode = developer;
        settings.OrdersFolder = Folders.path() + QStringLiteral("/Orders");
        settings.SelectionsFolder = Folders.path() + QStringLiteral("/Selection");
        settings.ChildWindowState = [childState] { return childState; };
        auto form = std::make_unique<TMainForm>(settings);
        form->SetChildFactory(&Factory);
        form->show();
        return form;
    }

    QString OrdersDir() const { return Folders.path() + QStringLiteral("/Orders"); }
    QString SelectionsDir() const { return Folders.path() + QStringLiteral("/Selection"); }

    QTemporaryDir Folders;
    TTestFactory Factory;
};

QStringList TopMenus(TMainForm& form)
{
    QStringList titles;
    for (QAction* a : form.menuBar()->actions())
        titles << a->text();
    return titles;
}

TEST_F(MainFormTest, MenusShortcutsAndDeveloperItems)
{
    for (bool developer : {false, true}) {
        auto form = Make(developer);
        EXPECT_EQ(TopMenus(*form), (QStringList{QStringLiteral("&Файл"), QStringLiteral("&Установки"),
                                                QStringLiteral("&Окно"), QStringLiteral("&Помощь")}));
        const char* always[] = {"Реестр заказов...", "&Новый", "Заказ", "Выборка", "&Открыть...", "Сохранить",
                                "&Сохранить как...", "&Сохранить все", "&Закрыть", "З&акрыть все",
                                "&Настройка принтера...", "&Выход", "Реквизиты фирмы...",
                                "&Настройка параметров...", "Ценовые группы...", "&Каскад", "&Мозайка",
                                "&Сортировать иконки", "Минимизировать все", "О Нас...", "Режим отладки",
                                "&О программе...", "Показывать панель новостей",
                                "Показывать панель персональных сообщений", "Запросить последние новости..."};
        for (const char* caption : always) {
            QAction* item = form->FindItem(QString::fromUtf8(caption));
            ASSERT_NE(item, nullptr) << caption;
            EXPECT_TRUE(item->isVisible()) << caption;
        }
        for (const char* caption : {"Дизайнер отчетов...", "Справочник комплектующих...", "Настройка FTP..."}) {
            QAction* item = form->FindItem(QString::fromUtf8(caption));
            ASSERT_NE(item, nullptr) << caption;
            EXPECT_EQ(item->isVisible(), developer) << caption;
        }
        EXPECT_EQ(form->FindItem(QStringLiteral("&Открыть..."))->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        EXPECT_EQ(form->FindItem(QStringLiteral("Сохранить"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        EXPECT_EQ(form->FindItem(QStringLiteral("&Выход"))->shortcut(), QKeySequence(QStringLiteral("Alt+X")));
        EXPECT_EQ(form->FindItem(QStringLiteral("&Выход"))->statusTip(), QStringLiteral("Exit application"));
        EXPECT_NE(form->FindItem(QStringLiteral("Курсы валют на ") +
                                 QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))),
                  nullptr);
        EXPECT_TRUE(form->FindItem(QStringLiteral("Показывать панель новостей"))->isChecked());
        EXPECT_FALSE(form->FindItem(QStringLiteral("Показывать панель персональных сообщений"))->isChecked());
        EXPECT_FALSE(form->PersonalInfoBand()->isVisible());
    }
}

TEST_F(MainFormTest, CaptionMinimumSizeStatusPanelsAndBands)
{
    auto form = Make();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Diravir ФУРНИТУРА: [Демо]"));
    form->resize(300, 200);
    EXPECT_GE(form->width(), 640);
    EXPECT_GE(form->height(), 480);

    QStatusTipEvent tip(QStringLiteral("Exit application"));
    QApplication::sendEvent(form.get(), &tip);
    EXPECT_EQ(form->StatusPanel(0), QStringLiteral("Exit application"));
    form->SetStatusPanel(2, QStringLiteral("Итого"));
    EXPECT_EQ(form->StatusPanel(2), QStringLiteral("Итого"));

    EXPECT_TRUE(form->MainToolBarBand()->isVisible());
    EXPECT_FALSE(form->OrderToolBarBand()->isVisible());
    EXPECT_FALSE(form->OrderLstToolBarBand()->isVisible());
    EXPECT_FALSE(form->SaveAction()->isEnabled());
    EXPECT_FALSE(form->PrintButAction()->isEnabled());
    EXPECT_FALSE(form->FindItem(QStringLiteral("&Закрыть"))->isEnabled());

    form->NewOrder();
    EXPECT_TRUE(form->OrderToolBarBand()->isVisible());
    EXPECT_FALSE(form->OrderLstToolBarBand()->isVisible());
    EXPECT_TRUE(form->SaveAction()->isEnabled());
    EXPECT_TRUE(form->FindItem(QStringLiteral("&Закрыть"))->isEnabled());
    form->HandleDeferred(TMainForm::MsgOpenRegistry);
    EXPECT_FALSE(form->OrderToolBarBand()->isVisible());
    EXPECT_TRUE(form->OrderLstToolBarBand()->isVisible());
    EXPECT_EQ(form->OrderListNavigator()->Shown().size(), 8);
}

TEST_F(MainFormTest, ToolBarCommandsGoToTheActiveChildOfTheirKind)
{
    auto form = Make();
    form->NewOrder();
    for (QAction* a : {form->OrderPropAction(), form->NewPosAction(), form->EditPosAction(),
                       form->DeletePosAction(), form->PrintButAction(), form->RegistrateOrderAction()})
        a->trigger();
    EXPECT_EQ(Factory.Log.mid(1), (QStringList{QStringLiteral("order1 properties"), QStringLiteral("order1 add"),
                                               QStringLiteral("order1 edit"), QStringLiteral("order1 delete"),
                                               QStringLiteral("order1 print")}));

    Factory.Log.clear();
    form->NewSelection();
    for (QAction* a : {form->OrderPropAction(), form->NewPosAction(), form->EditPosAction(), form->DeletePosAction()})
        a->trigger();
    EXPECT_EQ(Factory.Log.mid(1), (QStringList{QStringLiteral("selection2 properties"), QStringLiteral("selection2 add"),
                                               QStringLiteral("selection2 delete")}));

    Factory.Log.clear();
    form->HandleDeferred(TMainForm::MsgOpenRegistry);
    for (QAction* a : {form->RegistrateOrderAction(), form->OpenRegOrderAction(), form->DeleteRegOrderAction(),
                       form->MoveToArchiveAction(), form->NewPosAction()})
        a->trigger();
    form->SaveItemClick();
    EXPECT_EQ(Factory.Log.mid(1), (QStringList{QStringLiteral("registry3 register"),
                                               QStringLiteral("registry3 open registered"),
                                               QStringLiteral("registry3 delete registered"),
                                               QStringLiteral("registry3 archive")}));
}

TEST_F(MainFormTest, NewFollowsTheActiveChildAndHeaderDialogIsDeferred)
{
    auto form = Make(false, 2);
    form->NewButClick();
    ASSERT_EQ(Factory.Made.size(), 1);
    EXPECT_EQ(Factory.Made[0]->Kind(), TChildKind::Order);
    EXPECT_TRUE(form->ChildArea()->subWindowList().first()->isMaximized()); // the only child takes the state
    EXPECT_FALSE(Factory.Log.contains(QStringLiteral("order1 deferred 1424")));
    QApplication::processEvents();
    EXPECT_TRUE(Factory.Log.contains(QStringLiteral("order1 deferred 1424")));

    form->NewSelection();
    form->NewButClick(); // a selection is active: another selection
    EXPECT_EQ(Factory.Made.last()->Kind(), TChildKind::Selection);
    form->HandleDeferred(TMainForm::MsgOpenRegistry);
    form->NewButClick(); // the registry is active: an order
    EXPECT_EQ(Factory.Made.last()->Kind(), TChildKind::Order);
}

TEST_F(MainFormTest, NewSelectionFromMarkedRegistryRowsAsksFirst)
{
    auto form = Make();
    form->HandleDeferred(TMainForm::MsgOpenRegistry);
    TTestChild* registry = Factory.Made.last();
    registry->Marked = true;
    TScriptedMessages::Current().Answer(1);
    form->NewSelection();
    EXPECT_EQ(Factory.Sources.last(), registry);
    EXPECT_EQ(TScriptedMessages::Current().Texts(),
              QStringList{QStringLiteral("Создать выборку на основании выделенных заказов?")});

    form->ChildArea()->setActiveSubWindow(form->ChildArea()->subWindowList(QMdiArea::CreationOrder).first());
    TScriptedMessages::Current().Answer(0);
    form->NewSelection();
    EXPECT_EQ(Factory.Sources.last(), nullptr);

    registry->Marked = false;
    form->ChildArea()->setActiveSubWindow(form->ChildArea()->subWindowList(QMdiArea::CreationOrder).first());
    TScriptedMessages::Current().Clear();
    form->NewSelection();
    EXPECT_TRUE(TScriptedMessages::Current().Shown().empty());
}

TEST_F(MainFormTest, RegistryCommandBringsAnOpenRegistryToTheFront)
{
    auto form = Make();
    form->OrderListItemClick();
    EXPECT_TRUE(Factory.Made.isEmpty()); // deferred
    QApplication::processEvents();
    ASSERT_EQ(Factory.Made.size(), 1);
    form->NewOrder();
    form->OrderListItemClick();
    QApplication::processEvents();
    EXPECT_EQ(Factory.Made.size(), 2);
    EXPECT_EQ(form->ActiveChild(), Factory.Made[0]);
}

struct TSeenDialog
{
    QString Title;
    QStringList Filters;
    QString Filter;
    QString Directory;
    QString Suffix;
    QString File;
};

TSeenDialog Look(QFileDialog& dialog)
{
    return {dialog.windowTitle(), dialog.nameFilters(), dialog.selectedNameFilter(),
            QDir(dialog.directory()).absolutePath(), dialog.defaultSuffix(),
            dialog.selectedFiles().value(0)};
}

TEST_F(MainFormTest, OpenDialogPreselectsFilterAndFolderAndOpensByTheChosenFilter)
{
    auto form = Make();
    const QStringList filters = DialogFilters(OpenFilter);
    EXPECT_EQ(filters, (QStringList{QStringLiteral("Заказ 370 (*.kfo370)"), QStringLiteral("Заказ 317 (*.kfo)"),
                                    QStringLiteral("Выборка (*.kfs370)")}));
    TSeenDialog seen;
    int choose = 0;
    QStringList files;
    form->RunFileDialog = [&](QFileDialog& dialog) {
        seen = Look(dialog);
        if (choose == 0)
            return false;
        dialog.selectNameFilter(filters[choose - 1]);
        for (const QString& f : files)
            dialog.selectFile(f);
        return true;
    };

    form->OpenFiles(0);
    EXPECT_EQ(seen.Title, QStringLiteral("Открыть..."));
    EXPECT_EQ(seen.Filters, filters);
    EXPECT_EQ(seen.Filter, filters[0]);
    EXPECT_EQ(seen.Directory, OrdersDir());
    EXPECT_EQ(seen.Suffix, QStringLiteral("kfo370"));

    form->OpenPopupMenu()->actions().at(1)->trigger(); // "Выборка" of the drop-down
    EXPECT_EQ(seen.Filter, filters[2]);
    EXPECT_EQ(seen.Directory, SelectionsDir());

    // An order window is active, the user switches to the selection filter: the files open as selections.
    form->NewOrder();
    Factory.Log.clear();
    choose = 3;
    files = {SelectionsDir() + QStringLiteral("/a.kfs370")};
    form->OpenFiles(0);
    EXPECT_EQ(Factory.Log, (QStringList{QStringLiteral("new selection"),
                                        QStringLiteral("selection2 load ") + files[0]}));

    Factory.Log.clear();
    choose = 2;
    form->OpenFiles(0);
    EXPECT_TRUE(Factory.Log.isEmpty());

    // A file that does not load leaves no window behind.
    Factory.Log.clear();
    choose = 1;
    files = {OrdersDir() + QStringLiteral("/b.kfo370")};
    const qsizetype before = form->ChildArea()->subWindowList().size();
    TTestFactory& factory = Factory;
    struct TFailing : TChildFactory
    {
        TTestFactory& Inner;
        explicit TFailing(TTestFactory& inner) : Inner(inner) {}
        TChildWindow* NewOrderWindow(TMainForm& f) override
        {
            auto* c = static_cast<TTestChild*>(Inner.NewOrderWindow(f));
            c->LoadSucceeds = false;
            return c;
        }
        TChildWindow* NewSelectionWindow(TMainForm& f, TChildWindow* s) override { return Inner.NewSelectionWindow(f, s); }
        TChildWindow* NewRegistryWindow(TMainForm& f) override { return Inner.NewRegistryWindow(f); }
    } failing(factory);
    form->SetChildFactory(&failing);
    form->OpenFiles(1);
    EXPECT_EQ(form->ChildArea()->subWindowList().size(), before);
}

TEST_F(MainFormTest, SaveAsUsesTheKindsDialogAndCancelMeansNotSaved)
{
    auto form = Make();
    form->NewOrder();
    TTestChild* order = Factory.Made.last();
    TSeenDialog seen;
    bool accept = false;
    form->RunFileDialog = [&](QFileDialog& dialog) {
        seen = Look(dialog);
        return accept;
    };
    EXPECT_FALSE(form->SaveChild(order)); // new: save as, cancelled
    EXPECT_EQ(seen.Title, QStringLiteral("Сохранить заказ..."));
    EXPECT_EQ(seen.Filters, (QStringList{QStringLiteral("Заказ (*.kfo370)"), QStringLiteral("Все файлы (*.*)")}));
    EXPECT_EQ(seen.Filter, QStringLiteral("Заказ (*.kfo370)"));
    EXPECT_EQ(seen.Directory, OrdersDir());
    EXPECT_EQ(seen.Suffix, QStringLiteral("kfo370"));
    EXPECT_EQ(seen.File, OrdersDir() + QStringLiteral("/Заказ 17.kfo370"));

    accept = true;
    Factory.Log.clear();
    EXPECT_TRUE(form->SaveChild(order));
    EXPECT_EQ(Factory.Log, QStringList{QStringLiteral("order1 save ") + OrdersDir() + QStringLiteral("/Заказ 17.kfo370")});
    Factory.Log.clear();
    form->SaveItemClick(); // saved once: to its own file, no dialog
    EXPECT_EQ(Factory.Log, QStringList{QStringLiteral("order1 save ")});

    form->NewSelection();
    form->SaveAsItemClick();
    EXPECT_EQ(seen.Title, QStringLiteral("Сохранить выборку..."));
    EXPECT_EQ(seen.Filter, QStringLiteral("Выборка (*.kfs370)"));
    EXPECT_EQ(seen.Directory, SelectionsDir());
    EXPECT_EQ(seen.Suffix, QStringLiteral("kfs370"));
}

TEST_F(MainFormTest, SaveAllGoesFromLastToFirstAndSkipsTheRegistry)
{
    auto form = Make();
    form->RunFileDialog = [](QFileDialog&) { return true; };
    form->NewOrder();
    Factory.Made.last()->Path = QStringLiteral("/x/1.kfo370");
    form->HandleDeferred(TMainForm::MsgOpenRegistry);
    form->NewSelection();
    Factory.Made.last()->Path = QStringLiteral("/x/3.kfs370");
    Factory.Log.clear();
    form->SaveAllItemClick();
    EXPECT_EQ(Factory.Log, (QStringList{QStringLiteral("selection3 save "), QStringLiteral("order1 save ")}));
}

TEST_F(MainFormTest, ExitIsRefusedWhileAChildStaysOpenButEveryChildIsAsked)
{
    auto form = Make();
    form->NewOrder();
    form->NewOrder();
    form->NewOrder();
    Factory.Made[1]->RefuseClose = true;
    Factory.Log.clear();
    EXPECT_FALSE(form->close());
    EXPECT_EQ(Factory.Log, (QStringList{QStringLiteral("order3 close"), QStringLiteral("order2 close"),
                                        QStringLiteral("order1 close")}));
    EXPECT_TRUE(form->isVisible());
    QApplication::processEvents();
    EXPECT_EQ(form->Children().size(), 1);

    Factory.Made[1]->RefuseClose = false;
    EXPECT_TRUE(form->close());
}

TEST_F(MainFormTest, DeferredActionsRunAfterTheCurrentEventInPostingOrder)
{
    auto form = Make();
    QStringList log;
    form->Commands().Presentation = [&] { log << QStringLiteral("presentation"); };
    form->Commands().Currency = [&](const QString& caption) { log << caption; };
    form->PostDeferred(TMainForm::MsgOpenRegistry);
    form->PostDeferred(TMainForm::MsgPresentation);
    form->PostDeferred(TMainForm::MsgCurrency);
    form->PostDeferred(TMainForm::MsgNews);
    EXPECT_TRUE(Factory.Made.isEmpty());
    EXPECT_TRUE(log.isEmpty());
    QApplication::processEvents();
    ASSERT_EQ(Factory.Made.size(), 1);
    EXPECT_EQ(log, (QStringList{QStringLiteral("presentation"),
                                QStringLiteral("Курсы валют на ") + QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))}));
    EXPECT_FALSE(form->NewsTimer()->isActive()); // no news source: no polling
}

class TFakeNews : public TNewsSource
{
public:
    void Request() override { ++Requests; }
    QList<TItem> News() const override { return Items; }
    QList<TItem> Messages() const override { return Personal; }
    int IntervalSeconds() const override { return 3; }
    QList<TItem> Items;
    QList<TItem> Personal;
    int Requests = 0;
};

TEST_F(MainFormTest, NewsPanelShowsHeadlinesAndMessagesAndPollsNoFasterThanTenSeconds)
{
    auto form = Make();
    TFakeNews news;
    news.Items = {{7, QStringLiteral("Новые петли"), false}, {7, QStringLiteral("Новые петли"), false},
                  {6, QStringLiteral("Прайс"), false}};
    news.Personal = {{3, QStringLiteral("Счёт"), true}};
    form->SetNewsSource(&news);
    form->FindItem(QStringLiteral("Показывать панель новостей"))->setChecked(false);
    form->HandleDeferred(TMainForm::MsgNews);
    EXPECT_EQ(form->NewsPanel()->Memo()->toPlainText(),
              QStringLiteral("Новости #7. Новые петли. Просмотреть...>>>\nНовости #6. Прайс. Просмотреть...>>>"));
    EXPECT_TRUE(form->NewsPanel()->isVisible()); // arriving news switch the panel on
    EXPECT_TRUE(form->PersonalInfoBand()->isVisible());
    EXPECT_EQ(form->PersonalInfoBand()->findChild<QLabel*>()->text(),
              QStringLiteral("Вам поступило ВАЖНОЕ сообщение. Тема: Счёт. Просмотреть...>>>"));
    EXPECT_TRUE(form->NewsTimer()->isActive());
    EXPECT_EQ(form->NewsTimer()->interval(), 10000);
}

TEST_F(MainFormTest, ChildMenusAreMergedWhileTheChildIsActive)
{
    auto form = Make();
    auto* factoryMenu = new QMenu(QStringLiteral("&Заказ"), form.get());
    form->NewOrder();
    Factory.Made.last()->Menus = {factoryMenu};
    form->ChildArea()->setActiveSubWindow(nullptr);
    form->ChildArea()->setActiveSubWindow(form->ChildArea()->subWindowList().first());
    EXPECT_EQ(TopMenus(*form), (QStringList{QStringLiteral("&Файл"), QStringLiteral("&Заказ"),
                                            QStringLiteral("&Установки"), QStringLiteral("&Окно"),
                                            QStringLiteral("&Помощь")}));
    form->CloseAllItemClick();
    QApplication::processEvents();
    EXPECT_EQ(TopMenus(*form).size(), 4);
}

} // namespace
