#pragma once

#include <QCloseEvent>
#include <QMenu>
#include <QStringList>
#include <QWidget>

#include "windows/child_window.h"
#include "windows/main_form.h"

// A child window that records every command the frame routes to it.
class TTestChild : public QWidget, public TChildWindow
{
public:
    TTestChild(TChildKind kind, QStringList& log, QString name)
        : ChildKindValue(kind), Log(log), Name(std::move(name))
    {
        setWindowTitle(Name);
        resize(300, 200);
    }

    TChildKind Kind() const override { return ChildKindValue; }
    QWidget* Widget() override { return this; }
    bool LoadFile(const QString& path) override
    {
        Log << Name + QStringLiteral(" load ") + path;
        Path = path;
        return LoadSucceeds;
    }
    bool IsNew() const override { return Path.isEmpty(); }
    QString ProposedFileName() const override { return QStringLiteral("Заказ 17.kfo370"); }
    QString FileName() const override { return Path; }
    bool SaveDocument(const QString& path) override
    {
        Log << Name + QStringLiteral(" save ") + path;
        if (!path.isEmpty())
            Path = path;
        return true;
    }
    void PropertyItemClick() override { Log << Name + QStringLiteral(" properties"); }
    void NewPosItemClick() override { Log << Name + QStringLiteral(" add"); }
    void EditPosition() override { Log << Name + QStringLiteral(" edit"); }
    void DeletePosItemClick() override { Log << Name + QStringLiteral(" delete"); }
    void Print() override { Log << Name + QStringLiteral(" print"); }
    void RegistrateOrderItemClick() override { Log << Name + QStringLiteral(" register"); }
    void OpenRegisteredOrder() override { Log << Name + QStringLiteral(" open registered"); }
    void DeleteRegisteredOrder() override { Log << Name + QStringLiteral(" delete registered"); }
    void MoveToArchive() override { Log << Name + QStringLiteral(" archive"); }
    bool HasMarkedRows() const override { return Marked; }
    void Deferred(int message) override { Log << Name + QStringLiteral(" deferred %1").arg(message); }
    QList<QMenu*> MergedMenus() override { return Menus; }

    bool LoadSucceeds = true;
    bool Marked = false;
    bool RefuseClose = false;
    QString Path;
    QList<QMenu*> Menus;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        Log << Name + QStringLiteral(" close");
        if (RefuseClose)
            event->ignore();
        else
            event->accept();
    }

private:
    TChildKind ChildKindValue;
    QStringList& Log;
    QString Name;
};

class TTestFactory : public TChildFactory
{
public:
    TChildWindow* NewOrderWindow(TMainForm&) override { return Make(TChildKind::Order, QStringLiteral("order")); }
    TChildWindow* NewSelectionWindow(TMainForm&, TChildWindow* source) override
    {
        Sources << source;
        return Make(TChildKind::Selection, QStringLiteral("selection"));
    }
    TChildWindow* NewRegistryWindow(TMainForm&) override
    {
        return Make(TChildKind::Registry, QStringLiteral("registry"));
    }

    TTestChild* Make(TChildKind kind, const QString& name)
    {
        Log << QStringLiteral("new ") + name;
        auto* child = new TTestChild(kind, Log, QStringLiteral("%1%2").arg(name).arg(++Count));
        Made << child;
        return child;
    }

    QStringList Log;
    QList<TTestChild*> Made;
    QList<TChildWindow*> Sources;
    int Count = 0;
};
