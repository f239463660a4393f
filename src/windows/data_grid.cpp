#include "windows/data_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>

#include "foundation/error.h"
#include "foundation/messages.h"
#include "windows/num_edit.h"
#include "windows/table_model.h"

// The numeric cell editor of the grids: a TNumEdit with the column's places.
class TNumDelegate : public QStyledItemDelegate
{
public:
    explicit TNumDelegate(TTableModel* model, QObject* parent) : QStyledItemDelegate(parent), Model(model) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const int decimals = Model->Decimals(index.column());
        if (decimals < 0)
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto* edit = new TNumEdit(parent);
        edit->SetNumStyle(decimals > 0 ? nsFloat : nsInteger);
        edit->SetDecimals(decimals);
        return edit;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        if (auto* edit = qobject_cast<TNumEdit*>(editor))
            edit->Complete();
        QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    TTableModel* Model;
};

namespace {
template <typename F>
void Guarded(F&& body)
{
    try {
        body();
    } catch (const std::exception& e) {
        ShowError(ErrorText(e));
    }
}
} // namespace

TDataGrid::TDataGrid(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(18);
    setAlternatingRowColors(false);
}

void TDataGrid::SetTableModel(TTableModel* model)
{
    Model = model;
    setModel(model);
    setItemDelegate(new TNumDelegate(model, this));
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { ResetColumn = currentIndex().column(); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        if (!Moving)
            RestoreCurrent(ResetColumn);
    });
    FitColumns();
    if (model && model->Table().Active() && model->Table().RecNo() > 0)
        setCurrentIndex(model->index(model->Table().RecNo() - 1, 0));
}

void TDataGrid::FitColumns()
{
    if (!Model)
        return;
    const int charWidth = fontMetrics().averageCharWidth();
    for (int c = 0; c < Model->columnCount(); ++c) {
        const int byTitle = fontMetrics().horizontalAdvance(Model->Columns()[c].Title) + 16;
        setColumnWidth(c, qMax(Model->Columns()[c].Width * charWidth + 10, byTitle));
    }
}

void TDataGrid::CommitEdit()
{
    if (!Editing())
        return;
    QWidget* editor = CellEditor();
    if (!editor)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

QWidget* TDataGrid::CellEditor() const
{
    if (!Editing())
        return nullptr;
    QWidget* focused = QApplication::focusWidget();
    if (focused && viewport()->isAncestorOf(focused))
        return focused;
    // Without keyboard focus (a window in the background) the editor is still the viewport's child.
    for (QWidget* child : viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isVisible())
            return child;
    return nullptr;
}

bool TDataGrid::CanModify() const { return Model && Model->CanModify() && Model->Table().Active(); }

QList<int> TDataGrid::MarkedRows() const
{
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        if (!rows.contains(index.row()))
            rows << index.row();
    std::sort(rows.begin(), rows.end());
    if (rows.size() < 2)
        rows.clear();
    return rows;
}

void TDataGrid::ClearMarks()
{
    if (selectionModel())
        selectionModel()->clearSelection();
}

void TDataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (!Model || Moving || !current.isValid() || (previous.isValid() && current.row() == previous.row()))
        return;
    const int column = current.column();
    Moving = true;
    const bool moved = Model->MoveTo(current.row());
    Moving = false;
    if (!moved) {
        // The row left could not be posted: the cursor stays on it, in edit.
        QMetaObject::invokeMethod(this, [this, column] { RestoreCurrent(column); }, Qt::QueuedConnection);
        return;
    }
    // Posting the row left may have rebuilt the rows under the view.
    if (!currentIndex().isValid())
        RestoreCurrent(column);
}

void TDataGrid::RestoreCurrent(int column)
{
    if (!Model)
        return;
    const int row = Model->InsertRow() >= 0 ? Model->InsertRow() : Model->Table().RecNo() - 1;
    if (row >= 0 && row < Model->rowCount())
        setCurrentIndex(Model->index(row, qBound(0, column, Model->columnCount() - 1)));
}

void TDataGrid::InsertRow()
{
    if (!CanModify() || !Model->PostPending())
        return;
    Guarded([&] {
        Model->Table().Append();
        const int row = Model->InsertRow();
        setCurrentIndex(Model->index(row, qMax(0, currentIndex().column())));
    });
}

void TDataGrid::CopyCellText()
{
    const QModelIndex index = currentIndex();
    if (!Model || !index.isValid())
        return;
    QString text = Model->data(index, Qt::DisplayRole).toString();
    // A lookup column copies the key it shows a name for.
    const QString keyField = Model->Columns()[index.column()].KeyField;
    if (TField* key = keyField.isEmpty() ? nullptr : Model->Table().FindField(keyField))
        text = Model->Table().ValueAt(index.row(), key->Index()).toString();
    QApplication::clipboard()->setText(text);
}

void TDataGrid::PasteCellText()
{
    const QModelIndex index = currentIndex();
    if (!CanModify() || !index.isValid())
        return;
    const QString text = QApplication::clipboard()->text();
    const QString keyField = Model->Columns()[index.column()].KeyField;
    if (keyField.isEmpty()) {
        Model->setData(index, text, Qt::EditRole);
        return;
    }
    if (!Model->MoveTo(index.row()))
        return;
    Guarded([&] {
        if (Model->Table().State() == TDataSetState::Browse)
            Model->Table().Edit();
        Model->Table().FieldByName(keyField).SetValue(text);
    });
}

void TDataGrid::DeleteRows(bool all)
{
    if (!CanModify() || Model->Table().IsEmpty())
        return;
    TTable& table = Model->Table();
    QList<int> rows = MarkedRows();
    if (all) {
        if (AskBeforeDelete && !ShowConfirm(QStringLiteral("Удалить все записи?")))
            return;
        rows.clear();
        for (int r = 0; r < table.RecordCount(); ++r)
            rows << r;
    } else if (rows.isEmpty()) {
        if (AskBeforeDelete && !ShowConfirm(QStringLiteral("Удалить запись?")))
            return;
    } else if (AskBeforeDelete && !ShowConfirm(QStringLiteral("Удалить %1 записей?").arg(rows.size()))) {
        return;
    }
    if (table.State() != TDataSetState::Browse)
        table.Cancel();
    Guarded([&] {
        if (rows.isEmpty()) {
            if (currentIndex().isValid())
                table.SetRecNo(currentIndex().row() + 1);
            table.Delete();
            return;
        }
        // Marked rows from the last up, so the row numbers still to come stay valid.
        setUpdatesEnabled(false);
        table.DisableControls();
        try {
            for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
                table.SetRecNo(*it + 1);
                table.Delete();
            }
        } catch (...) {
            table.EnableControls();
            setUpdatesEnabled(true);
            throw;
        }
        table.EnableControls();
        setUpdatesEnabled(true);
        ClearMarks();
    });
}

void TDataGrid::keyPressEvent(QKeyEvent* event)
{
    if (Editing() || !Model || !KeyCommands) {
        QTableView::keyPressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const int key = event->key();
    if (key == Qt::Key_Insert && mods == Qt::NoModifier)
        InsertRow();
    else if (key == Qt::Key_Insert && mods == Qt::ControlModifier)
        CopyCellText();
    else if (key == Qt::Key_Insert && mods == Qt::ShiftModifier)
        PasteCellText();
    else if (key == Qt::Key_C && mods == Qt::ControlModifier) {
        if (CopyRecords)
            Guarded(CopyRecords);
    } else if (key == Qt::Key_V && mods == Qt::ControlModifier) {
        if (PasteRecords && CanModify())
            Guarded(PasteRecords);
    } else if (key == Qt::Key_B && mods == Qt::ControlModifier) {
        if (ThirdCommand && CanModify())
            Guarded(ThirdCommand);
    } else if (key == Qt::Key_Delete && mods == Qt::ControlModifier)
        DeleteRows(false);
    else if (key == Qt::Key_Delete && mods == (Qt::ControlModifier | Qt::ShiftModifier))
        DeleteRows(true);
    else if (key == Qt::Key_Escape && Model->Table().State() != TDataSetState::Browse)
        Model->Table().Cancel();
    else {
        QTableView::keyPressEvent(event);
        return;
    }
    event->accept();
}
