#pragma once

#include <QTableView>
#include <functional>

class TTableModel;

// The editable data grid: a table view over a table model with the keyboard commands that every
// editable grid of the system shares (Insert, Ctrl+Insert, Shift+Insert, Ctrl+C, Ctrl+V, Ctrl+B,
// Ctrl+Delete, Ctrl+Shift+Delete) and marked rows (several selected rows).
class TDataGrid : public QTableView
{
    Q_OBJECT
public:
    explicit TDataGrid(QWidget* parent = nullptr);

    void SetTableModel(TTableModel* model);
    TTableModel* TableModel() const { return Model; }

    // Whether the shared keyboard commands are on (a grid that only edits values turns them off).
    bool KeyCommands = true;
    // Whether deleting asks first ("Удалить запись?" and the others).
    bool AskBeforeDelete = true;
    std::function<void()> CopyRecords;
    std::function<void()> PasteRecords;
    std::function<void()> ThirdCommand;

    // Rows marked by the user: a selection of more than one row; none otherwise.
    QList<int> MarkedRows() const;
    void ClearMarks();
    bool Editing() const { return state() == QAbstractItemView::EditingState; }
    // Hands a cell being edited to the model, as leaving the cell would.
    void CommitEdit();
    // The open cell editor, or null.
    QWidget* CellEditor() const;
    // Sets column widths from the columns' widths in characters.
    void FitColumns();

    // The commands, public so that menus and navigators can run them too.
    void InsertRow();
    void DeleteRows(bool all);
    void CopyCellText();
    void PasteCellText();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    bool CanModify() const;
    void RestoreCurrent(int column);
    TTableModel* Model = nullptr;
    bool Moving = false;
    int ResetColumn = 0;
};
