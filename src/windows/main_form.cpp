#include "windows/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "config/ui/splash_form.h"
#include "windows/icons.h"
#include "windows/navigator.h"
#include "windows/news_panel.h"
#include "foundation/formats.h"

namespace {
const QString AppCaption = QStringLiteral("Diravir ФУРНИТУРА");
}

TMainForm::TMainForm(TFrameSettings settings, QWidget* parent)
    : QMainWindow(parent), Setup(std::move(settings)), Started(QDate::currentDate())
{
    setObjectName(QStringLiteral("MainForm"));
    RunFileDialog = [](QFileDialog& dialog) { return dialog.exec() == QDialog::Accepted; };

    setWindowTitle(QStringLiteral("%1: [%2]").arg(AppCaption, Setup.ConfigName));
    setMinimumSize(640, 480);
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().topLeft());
    resize(640, 480);
    setContextMenuPolicy(Qt::PreventContextMenu);
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(QIcon(ProductLogo(64)));

    // The process-wide formats: decimal comma, blank thousands, dd.mm.yyyy.
    Formats().Reset();

    Area = new QMdiArea;
    Area->setObjectName(QStringLiteral("ChildArea"));
    Area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Area, 1);
    setCentralWidget(central);

    CreateMenus();
    CreateToolBars();
    CreateStatusBar();
    CreateNewsPanel();
    layout->addWidget(GeneralNewsPanel);

    connect(Area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) {
        MergeMenus(ActiveChild());
        UpdateMenuItems();
    });
    HideChildToolBars();
    UpdateMenuItems();
}

TMainForm::~TMainForm()
{
    // The child area outlives this part of the frame while QWidget tears it down: its signals
    // must not reach the frame any more.
    Area->disconnect(this);
    for (QMdiSubWindow* sub : Area->subWindowList())
        sub->disconnect(this);
}

QAction* TMainForm::AddItem(QMenu* menu, const QString& caption, void (TMainForm::*slot)(),
                            const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(caption);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
    return action;
}

QAction* TMainForm::AddHook(QMenu* menu, const QString& caption, std::function<void()> TFrameCommands::*hook)
{
    QAction* action = menu->addAction(caption);
    connect(action, &QAction::triggered, this, [this, hook] {
        if (Dialogs.*hook)
            (Dialogs.*hook)();
    });
    return action;
}

void TMainForm::CreateMenus()
{
    FileMenu = menuBar()->addMenu(QStringLiteral("&Файл"));
    OrderListItem = AddItem(FileMenu, QStringLiteral("Реестр заказов..."), &TMainForm::OrderListItemClick);
    NewMenu = FileMenu->addMenu(QStringLiteral("&Новый"));
    AddItem(NewMenu, QStringLiteral("Заказ"), &TMainForm::NewOrder);
    AddItem(NewMenu, QStringLiteral("Выборка"), &TMainForm::NewSelection);
    // Ctrl+N belongs to "&Новый" itself and creates what the active child suggests.
    auto* newShortcut = new QAction(this);
    newShortcut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    newShortcut->setObjectName(QStringLiteral("NewShortcut"));
    connect(newShortcut, &QAction::triggered, this, &TMainForm::NewButClick);
    addAction(newShortcut);
    OpenItem = FileMenu->addAction(QStringLiteral("&Открыть..."));
    OpenItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(OpenItem, &QAction::triggered, this, [this] { OpenFiles(0); });
    SaveItem = AddItem(FileMenu, QStringLiteral("Сохранить"), &TMainForm::SaveItemClick, QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAsItem = AddItem(FileMenu, QStringLiteral("&Сохранить как..."), &TMainForm::SaveAsItemClick);
    SaveAllItem = AddItem(FileMenu, QStringLiteral("&Сохранить все"), &TMainForm::SaveAllItemClick);
    FileMenu->addSeparator();
    CloseItem = AddItem(FileMenu, QStringLiteral("&Закрыть"), &TMainForm::CloseItemClick);
    CloseAllItem = AddItem(FileMenu, QStringLiteral("З&акрыть все"), &TMainForm::CloseAllItemClick);
    FileMenu->addSeparator();
    AddHook(FileMenu, QStringLiteral("&Настройка принтера..."), &TFrameCommands::PrinterSetup);
    ReportDesignItem = AddHook(FileMenu, QStringLiteral("Дизайнер отчетов..."), &TFrameCommands::ReportDesigner);
    FileMenu->addSeparator();
    QAction* exit = FileMenu->addAction(QStringLiteral("&Выход"));
    exit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    exit->setStatusTip(QStringLiteral("Exit application"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    SetupMenu = menuBar()->addMenu(QStringLiteral("&Установки"));
    CurrencyItem = SetupMenu->addAction(QStringLiteral("Курсы валют на") + QLatin1Char(' ') +
                                        Formats().FormatDate(Started));
    connect(CurrencyItem, &QAction::triggered, this, [this] { PostDeferred(MsgCurrency); });
    AddHook(SetupMenu, QStringLiteral("Реквизиты фирмы..."), &TFrameCommands::FirmInfo);
    AddHook(SetupMenu, QStringLiteral("&Настройка параметров..."), &TFrameCommands::Options);
    FtpItem = AddHook(SetupMenu, QStringLiteral("Настройка FTP..."), &TFrameCommands::FtpSetup);
    CatalogItem = AddHook(SetupMenu, QStringLiteral("Справочник комплектующих..."), &TFrameCommands::Catalog);
    AddHook(SetupMenu, QStringLiteral("Ценовые группы..."), &TFrameCommands::PriceGroups);

    WindowMenu = menuBar()->addMenu(QStringLiteral("&Окно"));
    connect(WindowMenu->addAction(QStringLiteral("&Каскад")), &QAction::triggered, Area,
            &QMdiArea::cascadeSubWindows);
    connect(WindowMenu->addAction(QStringLiteral("&Мозайка")), &QAction::triggered, Area, &QMdiArea::tileSubWindows);
    connect(WindowMenu->addAction(QStringLiteral("&Сортировать иконки")), &QAction::triggered, this, [this] {
        // Minimised children in a row along the bottom edge of the area.
        int x = 0;
        for (QMdiSubWindow* sub : Area->subWindowList(QMdiArea::CreationOrder)) {
            if (!sub->isMinimized())
                continue;
            sub->move(x, Area->viewport()->height() - sub->height());
            x += sub->width();
        }
    });
    AddItem(WindowMenu, QStringLiteral("Минимизировать все"), &TMainForm::MinimizeAll);
    connect(WindowMenu, &QMenu::aboutToShow, this, &TMainForm::RebuildWindowMenu);

    HelpMenu = menuBar()->addMenu(QStringLiteral("&Помощь"));
    connect(HelpMenu->addAction(QStringLiteral("О Нас...")), &QAction::triggered, this,
            [this] { PostDeferred(MsgPresentation); });
    DebugItem = HelpMenu->addAction(QStringLiteral("Режим отладки"));
    DebugItem->setCheckable(true);
    connect(DebugItem, &QAction::triggered, this, [this](bool on) {
        if (Dialogs.DebugMode)
            Dialogs.DebugMode(on);
    });
    AddHook(HelpMenu, QStringLiteral("&О программе..."), &TFrameCommands::About);
    HelpMenu->addSeparator();
    ShowNewsItem = HelpMenu->addAction(QStringLiteral("Показывать панель новостей"));
    ShowNewsItem->setCheckable(true);
    ShowPersonalItem = HelpMenu->addAction(QStringLiteral("Показывать панель персональных сообщений"));
    ShowPersonalItem->setCheckable(true);
    connect(HelpMenu->addAction(QStringLiteral("Запросить последние новости...")), &QAction::triggered, this, [this] {
        if (News) {
            News->Request();
            RefreshNews();
        }
    });
}

void TMainForm::CreateToolBars()
{
    MainToolBar = addToolBar(QStringLiteral("MainToolBar"));
    MainToolBar->setObjectName(QStringLiteral("MainToolBar"));
    MainToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    MainToolBar->setIconSize(QSize(20, 20));
    OrderListButAct = MainToolBar->addAction(FrameIcon(TIcon::Registry), QStringLiteral("Реестр"));
    connect(OrderListButAct, &QAction::triggered, this, &TMainForm::OrderListItemClick);

    NewButAct = MainToolBar->addAction(FrameIcon(TIcon::New), QStringLiteral("Новый"));
    connect(NewButAct, &QAction::triggered, this, &TMainForm::NewButClick);
    NewPopup = new QMenu(this);
    connect(NewPopup->addAction(QStringLiteral("Заказ")), &QAction::triggered, this, &TMainForm::NewOrder);
    connect(NewPopup->addAction(QStringLiteral("Выборка")), &QAction::triggered, this, &TMainForm::NewSelection);
    NewBut = qobject_cast<QToolButton*>(MainToolBar->widgetForAction(NewButAct));
    NewBut->setMenu(NewPopup);
    NewBut->setPopupMode(QToolButton::MenuButtonPopup);

    OpenButAct = MainToolBar->addAction(FrameIcon(TIcon::Open), QStringLiteral("Открыть"));
    connect(OpenButAct, &QAction::triggered, this, [this] { OpenFiles(0); });
    OpenPopup = new QMenu(this);
    connect(OpenPopup->addAction(QStringLiteral("Заказ")), &QAction::triggered, this, [this] { OpenFiles(1); });
    connect(OpenPopup->addAction(QStringLiteral("Выборка")), &QAction::triggered, this, [this] { OpenFiles(3); });
    OpenBut = qobject_cast<QToolButton*>(MainToolBar->widgetForAction(OpenButAct));
    OpenBut->setMenu(OpenPopup);
    OpenBut->setPopupMode(QToolButton::MenuButtonPopup);

    SaveButAct = MainToolBar->addAction(FrameIcon(TIcon::Save), QStringLiteral("Сохранить "));
    connect(SaveButAct, &QAction::triggered, this, &TMainForm::SaveItemClick);

    PrintButAct = MainToolBar->addAction(FrameIcon(TIcon::Print), QStringLiteral("Печать"));
    connect(PrintButAct, &QAction::triggered, this,
            [this] { RunChildCommand(&TChildWindow::Print, {TChildKind::Order, TChildKind::Selection}); });
    PrintPopup = new QMenu(this);
    connect(PrintPopup, &QMenu::aboutToShow, this, [this] {
        PrintPopup->clear();
        if (TChildWindow* child = ActiveChild(); child && child->Kind() != TChildKind::Registry)
            child->FillPrintMenu(*PrintPopup);
    });
    PrintBut = qobject_cast<QToolButton*>(MainToolBar->widgetForAction(PrintButAct));
    PrintBut->setMenu(PrintPopup);
    PrintBut->setPopupMode(QToolButton::MenuButtonPopup);

    OrderToolBar = addToolBar(QStringLiteral("OrderToolBar"));
    OrderToolBar->setObjectName(QStringLiteral("OrderToolBar"));
    OrderToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    OrderToolBar->setIconSize(QSize(16, 16));
    OrderPropBut = OrderToolBar->addAction(FrameIcon(TIcon::Properties), QStringLiteral("Реквизиты"));
    connect(OrderPropBut, &QAction::triggered, this,
            [this] { RunChildCommand(&TChildWindow::PropertyItemClick, {TChildKind::Order, TChildKind::Selection}); });
    NewPosBut = OrderToolBar->addAction(FrameIcon(TIcon::Add), QStringLiteral("Добавить"));
    connect(NewPosBut, &QAction::triggered, this,
            [this] { RunChildCommand(&TChildWindow::NewPosItemClick, {TChildKind::Order, TChildKind::Selection}); });
    EditPosBut = OrderToolBar->addAction(FrameIcon(TIcon::Edit), QStringLiteral("Изменить"));
    connect(EditPosBut, &QAction::triggered, this,
            [this] { RunChildCommand(&TChildWindow::EditPosition, {TChildKind::Order}); });
    DeletePosBut = OrderToolBar->addAction(FrameIcon(TIcon::Delete), QStringLiteral("Удалить"));
    connect(DeletePosBut, &QAction::triggered, this,
            [this] { RunChildCommand(&TChildWindow::DeletePosItemClick, {TChildKind::Order, TChildKind::Selection}); });

    OrderLstToolBar = addToolBar(QStringLiteral("OrderLstToolBar"));
    OrderLstToolBar->setObjectName(QStringLiteral("OrderLstToolBar"));
    OrderLstToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    OrderLstToolBar->setIconSize(QSize(16, 16));
    RegistrateOrderBut = OrderLstToolBar->addAction(FrameIcon(TIcon::Register), QStringLiteral("Регистрация"));
    connect(RegistrateOrderBut, &QAction::triggered, this,
            [this] { RunChildCommand(&TChildWindow::RegistrateOrderItemClick, {TChildKind::Registry}); });
    OpenRegOrderBut = OrderLstToolBar->addAction(FrameIcon(TIcon::Open), QStringLiteral("Открыть"));
    connect(OpenRegOrderBut, &QAction::triggered, this,
            [this] { RunChildCommand(&TChildWindow::OpenRegisteredOrder, {TChildKind::Registry}); });
    DeleteRegOrderBut = OrderLstToolBar->addAction(FrameIcon(TIcon::Delete), QStringLiteral("Удалить"));
    connect(DeleteRegOrderBut, &QAction::triggered, this,
            [this] { RunChildCommand(&TChildWindow::DeleteRegisteredOrder, {TChildKind::Registry}); });
    MoveToArchiveBut = OrderLstToolBar->addAction(FrameIcon(TIcon::Archive), QStringLiteral("В архив"));
    connect(MoveToArchiveBut, &QAction::triggered, this,
            [this] { RunChildCommand(&TChildWindow::MoveToArchive, {TChildKind::Registry}); });
    OrderLstToolBar->addSeparator();
    OrderListNavy = new TNavigator({{TNavButton::First, QStringLiteral("Первая")},
                                    {TNavButton::Prior, QStringLiteral("Предыдущая")},
                                    {TNavButton::Next, QStringLiteral("Следующая")},
                                    {TNavButton::Last, QStringLiteral("Последняя")},
                                    {TNavButton::Edit, QStringLiteral("Редактировать")},
                                    {TNavButton::Post, QStringLiteral("Записать изменения")},
                                    {TNavButton::Cancel, QStringLiteral("Отменить изменения")},
                                    {TNavButton::Refresh, QStringLiteral("Обновить данные")}});
    OrderListNavy->setObjectName(QStringLiteral("OrderListNavy"));
    OrderListNavy->setEnabled(false);
    OrderLstToolBar->addWidget(OrderListNavy);

    addToolBarBreak();
    PersonalBand = addToolBar(QStringLiteral("UserPersonalInfoPanel"));
    PersonalBand->setObjectName(QStringLiteral("PersonalInfoBand"));
    PersonalPanel = new TPersonalInfoPanel;
    PersonalBand->addWidget(PersonalPanel);
    PersonalBand->hide();
    connect(PersonalPanel, &TPersonalInfoPanel::Clicked, this, [this] {
        if (News)
            News->ShowMessageList();
    });
    connect(ShowPersonalItem, &QAction::toggled, PersonalBand, &QWidget::setVisible);
    ShowPersonalItem->setChecked(false);
}

void TMainForm::CreateStatusBar()
{
    const int widths[] = {290, 135, 135, 50};
    for (int width : widths) {
        auto* panel = new QLabel;
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setFixedWidth(width);
        panel->setContentsMargins(3, 0, 3, 0);
        statusBar()->addWidget(panel);
        Panels << panel;
    }
}

void TMainForm::CreateNewsPanel()
{
    GeneralNewsPanel = new TNewsPanel;
    connect(GeneralNewsPanel, &TNewsPanel::CloseClicked, this, [this] { ShowNewsItem->setChecked(false); });
    connect(GeneralNewsPanel, &TNewsPanel::MemoClicked, this, [this] {
        if (News)
            News->ShowNewsList();
    });
    connect(ShowNewsItem, &QAction::toggled, GeneralNewsPanel, &QWidget::setVisible);
    ShowNewsItem->setChecked(true);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &TMainForm::OnTimer);
}

void TMainForm::RefreshNews()
{
    if (!News)
        return;
    if (GeneralNewsPanel->ShowNews(News->News()))
        ShowNewsItem->setChecked(true);
    const QList<TNewsSource::TItem> messages = News->Messages();
    if (!messages.isEmpty()) {
        PersonalPanel->ShowMessage(messages.first());
        ShowPersonalItem->setChecked(true);
    }
}

void TMainForm::OnTimer()
{
    if (!News)
        return;
    NewsTick = !NewsTick;
    if (NewsTick)
        News->Request();
    else
        RefreshNews();
}

bool TMainForm::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        Panels[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (width() < 640 || height() < 480)
        resize(qMax(width(), 640), qMax(height(), 480));
    ArrangeBands();
}

// The child's band goes beside the main band when both fit, else onto a row of its own, so that
// no button ends up in the overflow menu of a narrow window.
void TMainForm::ArrangeBands()
{
    int band = 0;
    if (OrderToolBar->isVisibleTo(this))
        band = OrderToolBar->sizeHint().width();
    else if (OrderLstToolBar->isVisibleTo(this))
        band = OrderLstToolBar->sizeHint().width();
    const bool wrap = MainToolBar->sizeHint().width() + band + 24 > width();
    if (wrap != toolBarBreak(OrderToolBar)) {
        if (wrap)
            insertToolBarBreak(OrderToolBar);
        else
            removeToolBarBreak(OrderToolBar);
    }
}

void TMainForm::SetStatusPanel(int index, const QString& text)
{
    if (index >= 0 && index < Panels.size())
        Panels[index]->setText(text);
}

QString TMainForm::StatusPanel(int index) const
{
    return index >= 0 && index < Panels.size() ? Panels[index]->text() : QString();
}

int TMainForm::WindowStateCode() const
{
    if (isMaximized())
        return 2;
    if (isMinimized())
        return 1;
    return 0;
}

void TMainForm::SetWindowStateCode(int state)
{
    const Qt::WindowStates keep = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    setWindowState(keep | (state == 2 ? Qt::WindowMaximized : state == 1 ? Qt::WindowMinimized : Qt::WindowNoState));
}

QAction* TMainForm::FindItem(const QString& caption) const
{
    for (QAction* action : findChildren<QAction*>())
        if (action->text() == caption && !action->menu())
            return action;
    for (QMenu* menu : findChildren<QMenu*>())
        if (menu->title() == caption)
            return menu->menuAction();
    return nullptr;
}

void TMainForm::RebuildWindowMenu()
{
    for (QAction* action : WindowListItems)
        WindowMenu->removeAction(action), action->deleteLater();
    WindowListItems.clear();
    const QList<QMdiSubWindow*> subs = Area->subWindowList(QMdiArea::CreationOrder);
    if (subs.isEmpty())
        return;
    WindowListItems << WindowMenu->addSeparator();
    int number = 1;
    for (QMdiSubWindow* sub : subs) {
        QAction* item = WindowMenu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(sub->windowTitle()));
        item->setCheckable(true);
        item->setChecked(sub == Area->currentSubWindow());
        connect(item, &QAction::triggered, this, [this, sub] { Area->setActiveSubWindow(sub); });
        WindowListItems << item;
    }
}

void TMainForm::MergeMenus(TChildWindow* child)
{
    for (QAction* action : MergedMenuActions)
        menuBar()->removeAction(action);
    MergedMenuActions.clear();
    if (!child)
        return;
    for (QMenu* menu : child->MergedMenus()) {
        menuBar()->insertMenu(SetupMenu->menuAction(), menu);
        MergedMenuActions << menu->menuAction();
    }
}
