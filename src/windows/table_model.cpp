#include "windows/table_model.h"

#include <QFontMetrics>

#include "foundation/error.h"
#include "foundation/messages.h"
#include "foundation/formats.h"

TTableModel::TTableModel(TTable& table, QList<TGridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), Source(&table), Cols(std::move(columns))
{
    ShownRows = rowCount();
    connect(&table, &TTable::DataReset, this, &TTableModel::Reset);
    connect(&table, &TTable::StateChanged, this, [this] {
        if (rowCount() != ShownRows)
            Reset();
        else if (const int row = Source->RecNo() - 1; row >= 0)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    connect(&table, &TTable::RowUpdated, this, [this](int row) {
        if (Source->State() == TDataSetState::Insert)
            row = InsertRow();
        if (row >= 0 && row < rowCount())
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

void TTableModel::Reset()
{
    beginResetModel();
    ShownRows = rowCount();
    endResetModel();
}

TField* TTableModel::FieldOf(int column) const
{
    if (!Source || column < 0 || column >= Cols.size())
        return nullptr;
    return Source->FindField(Cols[column].Field);
}

int TTableModel::Decimals(int column) const
{
    const TField* field = FieldOf(column);
    if (!field)
        return -1;
    switch (field->DataType()) {
    case TFieldType::Decimal: {
        const int def = Source->Def().FieldIndex(field->FieldName());
        return def >= 0 ? Source->Def().Fields[def].Decimals : 2;
    }
    case TFieldType::Money: return 2;
    case TFieldType::Int16:
    case TFieldType::Int32:
    case TFieldType::AutoInc: return 0;
    default: return -1;
    }
}

int TTableModel::InsertRow() const
{
    if (!Source || Source->State() != TDataSetState::Insert)
        return -1;
    return Source->RecordCount();
}

int TTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !Source || !Source->Active())
        return 0;
    return Source->RecordCount() + (Source->State() == TDataSetState::Insert ? 1 : 0);
}

int TTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(Cols.size());
}

QVariant TTableModel::Value(int row, int column) const
{
    TField* field = FieldOf(column);
    if (!field)
        return {};
    const bool editing = Source->State() == TDataSetState::Edit && row == Source->RecNo() - 1;
    if (row == InsertRow() || editing)
        return field->Value();
    return Source->ValueAt(row, field->Index());
}

QString TTableModel::DisplayText(int column, const QVariant& value) const
{
    if (value.isNull())
        return {};
    const TField* field = FieldOf(column);
    if (!field)
        return value.toString();
    switch (field->DataType()) {
    case TFieldType::Decimal:
    case TFieldType::Money: {
        return Formats().FormatFloat(value.toDouble(), Decimals(column));
    }
    case TFieldType::Date: return Formats().FormatDate(value.toDate());
    case TFieldType::Logical: return value.toBool() ? QStringLiteral("Да") : QStringLiteral("Нет");
    default: return value.toString();
    }
}

QVariant TTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !Source || !Source->Active())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return DisplayText(index.column(), Value(index.row(), index.column()));
    case Qt::TextAlignmentRole:
        return Decimals(index.column()) >= 0 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                             : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant TTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < Cols.size())
        return Cols[section].Title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    const TField* field = FieldOf(index.column());
    if (field && !ReadOnlyTable && !Cols[index.column()].ReadOnly && !field->ReadOnly())
        f |= Qt::ItemIsEditable;
    return f;
}

bool TTableModel::PostPending()
{
    if (!Source || (Source->State() != TDataSetState::Edit && Source->State() != TDataSetState::Insert))
        return true;
    try {
        Source->Post();
        return true;
    } catch (const std::exception& e) {
        ShowError(ErrorText(e));
        return false;
    }
}

bool TTableModel::MoveTo(int row)
{
    if (!Source || !Source->Active())
        return false;
    if (row == InsertRow())
        return true;
    if (Source->State() != TDataSetState::Browse) {
        if (Source->State() == TDataSetState::Edit && row == Source->RecNo() - 1)
            return true;
        if (!PostPending())
            return false;
    }
    if (row >= 0 && row < Source->RecordCount() && row != Source->RecNo() - 1)
        Source->SetRecNo(row + 1);
    return true;
}

bool TTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    TField* field = FieldOf(index.column());
    if (!MoveTo(index.row()))
        return false;
    try {
        if (Source->State() == TDataSetState::Browse) {
            if (DisplayText(index.column(), Value(index.row(), index.column())) == value.toString())
                return true; // nothing changed: the row does not go into edit
            Source->Edit();
        }
        QVariant stored = value;
        if (Decimals(index.column()) >= 0 && value.typeId() == QMetaType::QString) {
            const QString text = value.toString().trimmed();
            bool ok = false;
            const double number = Formats().ParseFloat(text, &ok);
            stored = text.isEmpty() ? QVariant() : ok ? QVariant(number) : QVariant(text);
        }
        field->SetValue(stored);
        emit dataChanged(index, index);
        return true;
    } catch (const std::exception& e) {
        ShowError(ErrorText(e));
        return false;
    }
}
