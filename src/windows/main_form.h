#pragma once

#include <QDate>
#include <QMainWindow>
#include <QQueue>
#include <functional>

#include "windows/child_window.h"

class QAction;
class QFileDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;
class TNavigator;
class TNewsPanel;
class TNewsSource;
class TPersonalInfoPanel;

// What the frame needs from the start-up configuration and the settings.
struct TFrameSettings
{
    QString ConfigName;
    bool DeveloperMode = false;
    QString OrdersFolder;
    QString SelectionsFolder;
    // Window state (0 normal, 1 minimised, 2 maximised) given to the first child window.
    std::function<int()> ChildWindowState = [] { return 0; };
};

// The dialogs and windows the frame's commands open; each is supplied by the subsystem that
// owns it, and a command whose entry is empty does nothing.
struct TFrameCommands
{
    std::function<void()> FirmInfo;
    std::function<void()> Options;
    std::function<void()> PriceGroups;
    std::function<void(const QString& caption)> Currency;
    std::function<void()> FtpSetup;
    std::function<void()> Catalog;
    std::function<void()> ReportDesigner;
    std::function<void()> PrinterSetup;
    std::function<void()> Presentation;
    std::function<void()> About;
    std::function<void(bool)> DebugMode;
};

// The application frame: the child area with the order, selection and registry windows, the
// menus and tool bars whose commands go to the active child, and the status bar.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int MsgOpenRegistry = 1426;
    static constexpr int MsgCurrency = 1430;
    static constexpr int MsgPresentation = 1523;
    static constexpr int MsgNews = 1524;
    static constexpr int MsgHeaderDialog = 1424;

    explicit TMainForm(TFrameSettings settings, QWidget* parent = nullptr);
    ~TMainForm() override;

    void SetChildFactory(TChildFactory* factory) { Factory = factory; }
    TFrameCommands& Commands() { return Dialogs; }
    void SetNewsSource(TNewsSource* source) { News = source; }
    // Runs the file dialogs; tests replace it to look at a dialog and answer it.
    std::function<bool(QFileDialog&)> RunFileDialog;

    // Children.
    QList<TChildWindow*> Children() const; // in creation order
    TChildWindow* ActiveChild() const;
    QMdiArea* ChildArea() const { return Area; }
    // Adds a child window to the area, giving it the child state when it is the only one.
    void AddChild(TChildWindow* child);

    // Commands.
    void NewButClick();
    void NewOrder();
    void NewSelection();
    void OrderListItemClick();
    void OpenFiles(int filterIndex); // 0 chooses by the active child
    bool SaveChild(TChildWindow* child);
    bool SaveChildAs(TChildWindow* child);
    void SaveItemClick();
    void SaveAsItemClick();
    void SaveAllItemClick();
    void CloseItemClick();
    void CloseAllItemClick();
    void MinimizeAll();
    void UpdateMenuItems();

    // Deferred actions: run after the current event, in posting order.
    void PostDeferred(int message);
    void PostDeferred(TChildWindow* child, int message);
    void HandleDeferred(int message);

    // Tool bar bands.
    void ShowOrderToolBar();
    void ShowRegistryToolBar();
    void HideChildToolBars();

    // Window state as stored in the settings: 0 normal, 1 minimised, 2 maximised.
    int WindowStateCode() const;
    void SetWindowStateCode(int state);

    void SetStatusPanel(int index, const QString& text);
    QString StatusPanel(int index) const;

    QDate StartDate() const { return Started; }
    const TFrameSettings& Settings() const { return Setup; }

    // Items the children's command refresh sets.
    QAction* SaveAction() const { return SaveItem; }
    QAction* SaveAsAction() const { return SaveAsItem; }
    QAction* SaveAllAction() const { return SaveAllItem; }
    QAction* SaveButAction() const { return SaveButAct; }
    QAction* PrintButAction() const { return PrintButAct; }
    QToolButton* NewButton() const { return NewBut; }
    QMenu* NewPopupMenu() const { return NewPopup; }
    QMenu* OpenPopupMenu() const { return OpenPopup; }
    QToolButton* OpenButton() const { return OpenBut; }
    QToolButton* PrintButton() const { return PrintBut; }
    QAction* OrderPropAction() const { return OrderPropBut; }
    QAction* NewPosAction() const { return NewPosBut; }
    QAction* EditPosAction() const { return EditPosBut; }
    QAction* DeletePosAction() const { return DeletePosBut; }
    QAction* RegistrateOrderAction() const { return RegistrateOrderBut; }
    QAction* OpenRegOrderAction() const { return OpenRegOrderBut; }
    QAction* DeleteRegOrderAction() const { return DeleteRegOrderBut; }
    QAction* MoveToArchiveAction() const { return MoveToArchiveBut; }
    TNavigator* OrderListNavigator() const { return OrderListNavy; }
    QToolBar* MainToolBarBand() const { return MainToolBar; }
    QToolBar* OrderToolBarBand() const { return OrderToolBar; }
    QToolBar* OrderLstToolBarBand() const { return OrderLstToolBar; }
    QToolBar* PersonalInfoBand() const { return PersonalBand; }
    TNewsPanel* NewsPanel() const { return GeneralNewsPanel; }
    QTimer* NewsTimer() const { return Timer1; }

    // Finds a menu item by its caption (with "&"), for the tests and the children.
    QAction* FindItem(const QString& caption) const;

signals:
    // The frame accepted its close: every child is gone and the application may end.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void CreateMenus();
    void ArrangeBands();
    void CreateToolBars();
    void CreateStatusBar();
    void CreateNewsPanel();
    QAction* AddItem(QMenu* menu, const QString& caption, void (TMainForm::*slot)(),
                     const QKeySequence& shortcut = {});
    QAction* AddHook(QMenu* menu, const QString& caption, std::function<void()> TFrameCommands::*hook);
    QMdiSubWindow* SubWindowOf(TChildWindow* child) const;
    TChildWindow* ChildOf(QMdiSubWindow* sub) const;
    void RunChildCommand(void (TChildWindow::*command)(), std::initializer_list<TChildKind> kinds);
    void MergeMenus(TChildWindow* child);
    void RebuildWindowMenu();
    void RefreshNews();
    void RunDeferred();
    void OnTimer();

    TFrameSettings Setup;
    TFrameCommands Dialogs;
    TChildFactory* Factory = nullptr;
    TNewsSource* News = nullptr;
    QDate Started;

    QMdiArea* Area = nullptr;
    QMenu* FileMenu = nullptr;
    QMenu* NewMenu = nullptr;
    QMenu* SetupMenu = nullptr;
    QMenu* WindowMenu = nullptr;
    QMenu* HelpMenu = nullptr;
    QList<QAction*> WindowListItems;
    QList<QAction*> MergedMenuActions;

    QAction* OrderListItem = nullptr;
    QAction* OpenItem = nullptr;
    QAction* SaveItem = nullptr;
    QAction* SaveAsItem = nullptr;
    QAction* SaveAllItem = nullptr;
    QAction* CloseItem = nullptr;
    QAction* CloseAllItem = nullptr;
    QAction* ReportDesignItem = nullptr;
    QAction* CurrencyItem = nullptr;
    QAction* FtpItem = nullptr;
    QAction* CatalogItem = nullptr;
    QAction* DebugItem = nullptr;
    QAction* ShowNewsItem = nullptr;
    QAction* ShowPersonalItem = nullptr;

    QToolBar* MainToolBar = nullptr;
    QToolBar* OrderToolBar = nullptr;
    QToolBar* OrderLstToolBar = nullptr;
    QToolBar* PersonalBand = nullptr;
    QAction* OrderListButAct = nullptr;
    QAction* NewButAct = nullptr;
    QAction* OpenButAct = nullptr;
    QAction* SaveButAct = nullptr;
    QAction* PrintButAct = nullptr;
    QMenu* NewPopup = nullptr;
    QMenu* OpenPopup = nullptr;
    QMenu* PrintPopup = nullptr;
    QToolButton* NewBut = nullptr;
    QToolButton* OpenBut = nullptr;
    QToolButton* PrintBut = nullptr;
    QAction* OrderPropBut = nullptr;
    QAction* NewPosBut = nullptr;
    QAction* EditPosBut = nullptr;
    QAction* DeletePosBut = nullptr;
    QAction* RegistrateOrderBut = nullptr;
    QAction* OpenRegOrderBut = nullptr;
    QAction* DeleteRegOrderBut = nullptr;
    QAction* MoveToArchiveBut = nullptr;
    TNavigator* OrderListNavy = nullptr;

    QList<QLabel*> Panels;
    TNewsPanel* GeneralNewsPanel = nullptr;
    TPersonalInfoPanel* PersonalPanel = nullptr;
    QTimer* Timer1 = nullptr;
    bool NewsTick = false;
    QQueue<int> Deferred;
    bool RunningDeferred = false;
    bool Closing = false;
};
