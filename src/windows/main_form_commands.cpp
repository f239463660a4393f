// The frame's commands: creating, opening, saving and closing child windows, and the routing of
// the tool bar commands to the active child.
#include <QCloseEvent>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QToolBar>

#include "foundation/error.h"
#include "foundation/messages.h"
#include "windows/file_filters.h"
#include "windows/main_form.h"
#include "windows/news_panel.h"
#include "windows/wait_guard.h"

namespace {

// Commands run from the event loop: a failure is shown and the loop goes on.
template <typename F>
void Guarded(F&& body)
{
    try {
        body();
    } catch (const std::exception& e) {
        ShowError(ErrorText(e));
    }
}

const char* ChildProperty = "diravirChild";

} // namespace

TChildWindow* TMainForm::ChildOf(QMdiSubWindow* sub) const
{
    if (!sub)
        return nullptr;
    return static_cast<TChildWindow*>(sub->property(ChildProperty).value<void*>());
}

QMdiSubWindow* TMainForm::SubWindowOf(TChildWindow* child) const
{
    for (QMdiSubWindow* sub : Area->subWindowList())
        if (ChildOf(sub) == child)
            return sub;
    return nullptr;
}

QList<TChildWindow*> TMainForm::Children() const
{
    QList<TChildWindow*> children;
    for (QMdiSubWindow* sub : Area->subWindowList(QMdiArea::CreationOrder))
        if (TChildWindow* child = ChildOf(sub))
            children << child;
    return children;
}

TChildWindow* TMainForm::ActiveChild() const { return ChildOf(Area->currentSubWindow()); }

void TMainForm::AddChild(TChildWindow* child)
{
    QWidget* widget = child->Widget();
    QMdiSubWindow* sub = Area->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setProperty(ChildProperty, QVariant::fromValue<void*>(child));
    // A closed child leaves the frame's commands in step with what remains.
    connect(sub, &QObject::destroyed, this, [this] { QMetaObject::invokeMethod(this, &TMainForm::UpdateMenuItems, Qt::QueuedConnection); });
    // Windows without a size of their own open at a workable size rather than a bare title bar.
    if (sub->width() < 400 || sub->height() < 300) {
        const QSize room = Area->viewport()->size() * 0.85;
        sub->resize(QSize(qMin(720, room.width()), qMin(480, room.height())).expandedTo(QSize(400, 300)));
    }
    const bool only = Area->subWindowList().size() == 1;
    const int state = only && Setup.ChildWindowState ? Setup.ChildWindowState() : 0;
    if (state == 2)
        sub->showMaximized();
    else if (state == 1)
        sub->showMinimized();
    else
        sub->show();
    Area->setActiveSubWindow(sub);
    MergeMenus(ActiveChild());
    UpdateMenuItems();
}

void TMainForm::RunChildCommand(void (TChildWindow::*command)(), std::initializer_list<TChildKind> kinds)
{
    TChildWindow* child = ActiveChild();
    if (!child || std::find(kinds.begin(), kinds.end(), child->Kind()) == kinds.end())
        return;
    Guarded([&] { (child->*command)(); });
}

void TMainForm::NewButClick()
{
    TChildWindow* child = ActiveChild();
    if (child && child->Kind() == TChildKind::Selection)
        NewSelection();
    else
        NewOrder();
}

void TMainForm::NewOrder()
{
    if (!Factory)
        return;
    Guarded([&] {
        TChildWindow* child = nullptr;
        {
            TWaitGuard wait;
            child = Factory->NewOrderWindow(*this);
            if (child)
                AddChild(child);
        }
        if (child)
            PostDeferred(child, MsgHeaderDialog);
    });
}

void TMainForm::NewSelection()
{
    if (!Factory)
        return;
    Guarded([&] {
        TChildWindow* source = nullptr;
        TChildWindow* active = ActiveChild();
        if (active && active->Kind() == TChildKind::Registry && active->HasMarkedRows() &&
            ShowConfirm(QStringLiteral("Создать выборку на основании выделенных заказов?")))
            source = active;
        TChildWindow* child = nullptr;
        {
            TWaitGuard wait;
            child = Factory->NewSelectionWindow(*this, source);
            if (child)
                AddChild(child);
        }
        if (child)
            PostDeferred(child, MsgHeaderDialog);
    });
}

void TMainForm::OrderListItemClick()
{
    for (QMdiSubWindow* sub : Area->subWindowList())
        if (TChildWindow* child = ChildOf(sub); child && child->Kind() == TChildKind::Registry) {
            Area->setActiveSubWindow(sub);
            return;
        }
    PostDeferred(MsgOpenRegistry);
}

void TMainForm::OpenFiles(int filterIndex)
{
    const QStringList filters = DialogFilters(OpenFilter);
    QFileDialog dialog(this, QStringLiteral("Открыть..."));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setDefaultSuffix(DefaultSuffix(OrderExtension));
    dialog.setNameFilters(filters);
    if (filterIndex == 0) {
        TChildWindow* active = ActiveChild();
        filterIndex = active && active->Kind() == TChildKind::Selection ? 3 : 1;
    }
    dialog.selectNameFilter(filters.value(filterIndex - 1));
    dialog.setDirectory(filterIndex == 3 ? Setup.SelectionsFolder : Setup.OrdersFolder);
    if (!RunFileDialog(dialog))
        return;

    // The kind follows the filter chosen when the dialog closed; the old format's filter opens nothing.
    const int chosen = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (!Factory || (chosen != 1 && chosen != 3))
        return;
    TWaitGuard wait;
    for (const QString& path : dialog.selectedFiles()) {
        Guarded([&] {
            TChildWindow* child =
                chosen == 1 ? Factory->NewOrderWindow(*this) : Factory->NewSelectionWindow(*this, nullptr);
            if (!child)
                return;
            bool loaded = false;
            Guarded([&] { loaded = child->LoadFile(path); });
            if (loaded)
                AddChild(child);
            else
                delete child->Widget();
        });
    }
}

bool TMainForm::SaveChildAs(TChildWindow* child)
{
    if (!child || child->Kind() == TChildKind::Registry)
        return false;
    const bool order = child->Kind() == TChildKind::Order;
    const QStringList filters = DialogFilters(order ? SaveOrderFilter : SaveSelectionFilter);
    QFileDialog dialog(this, order ? QStringLiteral("Сохранить заказ...") : QStringLiteral("Сохранить выборку..."));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(DefaultSuffix(order ? OrderExtension : SelectionExtension));
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    dialog.setDirectory(order ? Setup.OrdersFolder : Setup.SelectionsFolder);
    dialog.selectFile(child->IsNew() ? child->ProposedFileName() : child->FileName());
    if (!RunFileDialog(dialog) || dialog.selectedFiles().isEmpty())
        return false;
    bool saved = false;
    TWaitGuard wait;
    Guarded([&] { saved = child->SaveDocument(dialog.selectedFiles().first()); });
    return saved;
}

bool TMainForm::SaveChild(TChildWindow* child)
{
    if (!child || child->Kind() == TChildKind::Registry)
        return true;
    if (child->IsNew())
        return SaveChildAs(child);
    bool saved = false;
    Guarded([&] { saved = child->SaveDocument(QString()); });
    return saved;
}

void TMainForm::SaveItemClick()
{
    if (TChildWindow* child = ActiveChild())
        SaveChild(child);
}

void TMainForm::SaveAsItemClick()
{
    if (TChildWindow* child = ActiveChild())
        SaveChildAs(child);
}

void TMainForm::SaveAllItemClick()
{
    QList<TChildWindow*> children = Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if ((*it)->Kind() != TChildKind::Registry)
            SaveChild(*it);
}

void TMainForm::CloseItemClick()
{
    if (QMdiSubWindow* sub = Area->currentSubWindow())
        sub->close();
}

void TMainForm::CloseAllItemClick()
{
    QList<QMdiSubWindow*> subs = Area->subWindowList(QMdiArea::CreationOrder);
    for (auto it = subs.rbegin(); it != subs.rend(); ++it)
        (*it)->close();
}

void TMainForm::MinimizeAll()
{
    QList<QMdiSubWindow*> subs = Area->subWindowList(QMdiArea::CreationOrder);
    for (auto it = subs.rbegin(); it != subs.rend(); ++it)
        (*it)->showMinimized();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // Every child is asked, last to first, even after one refused; one refusal keeps the frame open.
    bool refused = false;
    QList<QMdiSubWindow*> subs = Area->subWindowList(QMdiArea::CreationOrder);
    for (auto it = subs.rbegin(); it != subs.rend(); ++it)
        if (!(*it)->close())
            refused = true;
    if (refused) {
        event->ignore();
        return;
    }
    Timer1->stop();
    event->accept();
    emit Closed();
}

void TMainForm::UpdateMenuItems()
{
    const bool any = !Area->subWindowList().isEmpty();
    CloseItem->setEnabled(any);
    CloseAllItem->setEnabled(any);
    NewButAct->setEnabled(NewMenu->menuAction()->isEnabled());
    OpenButAct->setEnabled(OpenItem->isEnabled());

    TChildWindow* child = ActiveChild();
    if (!child) {
        SaveItem->setEnabled(false);
        SaveAsItem->setEnabled(false);
        SaveAllItem->setEnabled(false);
        SaveButAct->setEnabled(false);
        PrintButAct->setEnabled(false);
        HideChildToolBars();
    } else {
        const bool document = child->Kind() != TChildKind::Registry;
        SaveItem->setEnabled(document);
        SaveAsItem->setEnabled(document);
        SaveAllItem->setEnabled(true);
        PrintButAct->setEnabled(document);
        if (document)
            ShowOrderToolBar();
        else
            ShowRegistryToolBar();
        Guarded([&] { child->UpdateCommands(*this); });
        SaveButAct->setEnabled(SaveItem->isEnabled());
    }
    ReportDesignItem->setVisible(Setup.DeveloperMode);
    CatalogItem->setVisible(Setup.DeveloperMode);
    FtpItem->setVisible(Setup.DeveloperMode);
}

void TMainForm::ShowOrderToolBar()
{
    OrderLstToolBar->hide();
    OrderToolBar->show();
    ArrangeBands();
}

void TMainForm::ShowRegistryToolBar()
{
    OrderToolBar->hide();
    OrderLstToolBar->show();
    ArrangeBands();
}

void TMainForm::HideChildToolBars()
{
    OrderToolBar->hide();
    OrderLstToolBar->hide();
}

// A deferred action that shows a modal window runs a nested event loop; the actions posted after
// it wait until it is done, so they run one after the other in posting order.
void TMainForm::PostDeferred(int message)
{
    Deferred.enqueue(message);
    QMetaObject::invokeMethod(this, &TMainForm::RunDeferred, Qt::QueuedConnection);
}

void TMainForm::RunDeferred()
{
    if (RunningDeferred)
        return;
    RunningDeferred = true;
    while (!Deferred.isEmpty())
        HandleDeferred(Deferred.dequeue());
    RunningDeferred = false;
}

void TMainForm::PostDeferred(TChildWindow* child, int message)
{
    QPointer<QWidget> widget = child->Widget();
    QMetaObject::invokeMethod(
        widget.data(),
        [widget, child, message] {
            if (widget)
                Guarded([&] { child->Deferred(message); });
        },
        Qt::QueuedConnection);
}

void TMainForm::HandleDeferred(int message)
{
    Guarded([&] {
        switch (message) {
        case MsgOpenRegistry:
            if (Factory) {
                TWaitGuard wait;
                if (TChildWindow* child = Factory->NewRegistryWindow(*this))
                    AddChild(child);
            }
            break;
        case MsgPresentation:
            if (Dialogs.Presentation)
                Dialogs.Presentation();
            break;
        case MsgCurrency:
            if (Dialogs.Currency)
                Dialogs.Currency(CurrencyItem->text());
            break;
        case MsgNews:
            if (News) {
                RefreshNews();
                Timer1->start(qMax(10, News->IntervalSeconds()) * 1000);
            }
            break;
        default:
            break;
        }
    });
}
