#pragma once

#include <QList>
#include <QString>

class QMenu;
class QWidget;
class TMainForm;

enum class TChildKind { Order, Selection, Registry };

// What the main window asks of its child windows (the order, selection and order registry
// windows). Each command does nothing by default, so a child implements only what its kind has.
class TChildWindow
{
public:
    virtual ~TChildWindow() = default;

    virtual TChildKind Kind() const = 0;
    // The widget shown in the frame's child area; the frame wraps it in a sub-window and deletes
    // it when the sub-window closes. The widget's closeEvent may refuse (the save question).
    virtual QWidget* Widget() = 0;

    // Documents: order and selection windows.
    virtual bool LoadFile(const QString& /*path*/) { return false; }
    virtual bool IsNew() const { return false; }
    virtual QString ProposedFileName() const { return {}; }
    virtual QString FileName() const { return {}; }
    // Saves to `path`, or to the document's own file when `path` is empty; true when saved.
    virtual bool SaveDocument(const QString& /*path*/) { return false; }

    // The order tool bar and the print button.
    virtual void PropertyItemClick() {}
    virtual void NewPosItemClick() {}
    virtual void EditPosition() {}
    virtual void DeletePosItemClick() {}
    virtual void Print() {}
    // Entries of the print button's drop-down; an empty menu is not shown.
    virtual void FillPrintMenu(QMenu& /*menu*/) {}

    // The registry tool bar.
    virtual void RegistrateOrderItemClick() {}
    virtual void OpenRegisteredOrder() {}
    virtual void DeleteRegisteredOrder() {}
    virtual void MoveToArchive() {}
    // Rows marked in the registry, the source of a new selection.
    virtual bool HasMarkedRows() const { return false; }

    // Sets the frame's save items, print button and this kind's tool bar buttons.
    virtual void UpdateCommands(TMainForm& /*frame*/) {}
    // Menus inserted between "&Файл" and "&Установки" while this child is active.
    virtual QList<QMenu*> MergedMenus() { return {}; }
    // Deferred actions posted to this window (1424 header dialog, 1429 recalculate, ...).
    virtual void Deferred(int /*message*/) {}
};

// Creates the child windows; supplied by the application, so the frame does not depend on the
// windows that live in it. A null result means the window could not be created.
class TChildFactory
{
public:
    virtual ~TChildFactory() = default;
    virtual TChildWindow* NewOrderWindow(TMainForm& frame) = 0;
    // `source` is the registry window whose marked orders start the selection, or null.
    virtual TChildWindow* NewSelectionWindow(TMainForm& frame, TChildWindow* source) = 0;
    virtual TChildWindow* NewRegistryWindow(TMainForm& frame) = 0;
};
