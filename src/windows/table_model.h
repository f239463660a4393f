#pragma once

#include <QAbstractTableModel>
#include <QPointer>

#include "platform/db/table.h"

// One column of a data grid: the field shown, its title, its width in characters and whether the
// grid may change it.
struct TGridColumn
{
    QString Field;
    QString Title;
    int Width = 10;
    bool ReadOnly = false;
    // For a lookup column: the field of this table holding the key it shows a name for.
    QString KeyField = {};
};

// A grid's view of a shared table object. Rows are the table's visible rows in its order; a row
// being inserted shows as an extra last row. Editing a cell puts the row into edit; moving to
// another row posts it, as the table grids of the system always did.
class TTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    TTableModel(TTable& table, QList<TGridColumn> columns, QObject* parent = nullptr);

    TTable& Table() const { return *Source; }
    const QList<TGridColumn>& Columns() const { return Cols; }
    TField* FieldOf(int column) const;
    int Decimals(int column) const; // decimal places of a numeric column, -1 for others
    bool CanModify() const { return !ReadOnlyTable; }
    void SetReadOnly(bool readOnly) { ReadOnlyTable = readOnly; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Makes `row` the table's current row, posting a row left in edit; false (after an error box)
    // when that post fails, the row staying in edit.
    bool MoveTo(int row);
    // Posts a row in edit or insert; false after an error box when the store refuses it.
    bool PostPending();
    // The shown text of a value: numbers with the decimal comma and the column's places.
    QString DisplayText(int column, const QVariant& value) const;
    int InsertRow() const; // the extra row while inserting, else -1

private:
    QVariant Value(int row, int column) const;
    void Reset();

    QPointer<TTable> Source;
    QList<TGridColumn> Cols;
    bool ReadOnlyTable = false;
    int ShownRows = 0;
};
