#pragma once

#include <QDate>
#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>
#include <memory>
#include <unordered_map>
#include <vector>

#include "foundation/money.h"
#include "platform/db/column_store.h"
#include "platform/db/field_def.h"
#include "platform/db/filter.h"
#include "platform/db/filter_cache.h"

class QSqlQuery;
class TDatabase;
class TTable;

enum class TDataSetState { Inactive, Browse, Edit, Insert };

enum TLocateOption : unsigned { loNone = 0, loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = unsigned;

// One column as the Parts reach it: FieldByName("ID").AsString(). Stored fields read the current
// row (or the edit buffer while editing); lookup fields are filled from another table; calculated
// fields always read as blank. A blank reads as "", 0 or false.
class TField
{
public:
    enum TKind { Data, Lookup, Calculated };

    const QString& FieldName() const { return Def.Name; }
    TFieldType DataType() const { return Def.Type; }
    int Size() const { return Def.Size; }
    TKind Kind() const { return FieldKind; }
    int Index() const { return FieldNo; }
    bool ReadOnly() const { return FieldKind != Data || Def.Type == TFieldType::AutoInc; }

    QVariant Value() const; // null when blank; text, qint64, double, QDate or bool otherwise
    bool IsNull() const { return Value().isNull(); }
    QString AsString() const;
    int AsInteger() const;
    double AsFloat() const;
    // The value as a currency amount (four decimals, rounded half to even).
    TMoney AsCurrency() const;
    QDate AsDate() const;
    bool AsBoolean() const;

    // Only while the table is in edit or insert state; text is cut to the column's capacity.
    void SetValue(const QVariant& value);
    void SetAsString(const QString& value) { SetValue(value); }
    void SetAsInteger(qint64 value) { SetValue(value); }
    void SetAsFloat(double value) { SetValue(value); }
    void SetAsCurrency(TMoney value) { SetValue(value.ToDouble()); }
    void SetAsDate(const QDate& value) { SetValue(value); }
    void SetAsBoolean(bool value) { SetValue(value); }
    void Clear() { SetValue(QVariant()); }

private:
    // The number a stored numeric cell reads as, without going through QVariant; false for text
    // columns and fields that are not stored.
    bool StoredNumber(double& value) const;

    friend class TTable;
    TTable* Owner = nullptr;
    TFieldDef Def;
    TKind FieldKind = Data;
    int FieldNo = 0;
    int Column = -1; // stored column for data fields
    // Lookup fields: key field of this table, table and key and result field there.
    QString KeyField;
    TTable* LookupTable = nullptr;
    QString LookupKey;
    QString LookupResult;
};

// A table object: one stored table held in memory while open, with one cursor shared by its
// users, a current order (primary index, a named index or field names), a filter and editing that
// is written through to the store at once. Failures raise TError with the engine's message.
class TTable : public QObject
{
    Q_OBJECT
public:
    explicit TTable(TTableDef def, QObject* parent = nullptr);
    ~TTable() override;

    const TTableDef& Def() const { return TableDef; }
    // The name messages show: the file name of the table ("FrnComp.DB").
    const QString& TableName() const { return TableDef.FileName; }
    void SetDatabase(TDatabase* database) { Database = database; }
    TDatabase* DatabaseObject() const { return Database; }

    void Open();
    void Close();
    bool Active() const { return State() != TDataSetState::Inactive; }
    TDataSetState State() const { return DataState; }

    // Order: a named secondary index, or field names separated by ';'. Setting one clears the
    // other; both empty means the primary index (or storage order where there is none).
    void SetIndexName(const QString& name);
    const QString& IndexName() const { return CurIndexName; }
    void SetIndexFieldNames(const QString& names);
    const QString& IndexFieldNames() const { return CurIndexFields; }

    // Filter text and switch; the filter is compiled when set (TError on a bad text) and cached.
    void SetFilter(const QString& text);
    const QString& Filter() const { return FilterText; }
    void SetFiltered(bool on);
    bool Filtered() const { return FilterOn; }
    // A filter that is always in force in addition to Filter, for the fixed views of a table
    // (ParamList ranges, Material without row 0); clearing Filter does not lift it.
    void SetBaseFilter(const QString& text);
    const QString& BaseFilter() const { return BaseFilterText; }
    // Narrowing candidates through equality indexes; switched off only to measure it.
    void SetIndexNarrowing(bool on);
    bool IndexNarrowing() const { return Narrowing; }
    // Changes whenever the rows may have changed (opened, refreshed, edited, reordered, closed),
    // for caches of what was read from them; a value is never given twice, even across tables.
    quint64 DataVersion() const { return Version; }

    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const { return EofFlag; }
    bool Bof() const { return BofFlag; }
    int RecordCount() const;
    bool IsEmpty() const { return RecordCount() == 0; }
    int RecNo() const { return Cur + 1; } // 1-based; 0 when empty
    void SetRecNo(int recNo);

    // Moves to the first visible row whose fields (separated by ';') equal the values.
    bool Locate(const QString& fields, const QVariantList& values, TLocateOptions options = loNone);
    bool Locate(const QString& field, const QVariant& value, TLocateOptions options = loNone)
    {
        return Locate(field, QVariantList{value}, options);
    }
    // The result field of the first row (filter ignored) whose key field equals the value,
    // without moving the cursor; null when there is none.
    QVariant Lookup(const QString& keyField, const QVariant& key, const QString& resultField);
    // Keyed search on the leading fields of the current order; FindNearest stops at the first
    // row not below the key.
    bool FindKey(const QVariantList& values);
    void FindNearest(const QVariantList& values);

    int FieldCount() const { return static_cast<int>(FieldList.size()); }
    TField& Fields(int index) { return *FieldList[static_cast<size_t>(index)]; }
    TField* FindField(const QString& name);
    TField& FieldByName(const QString& name); // TError when absent

    void AddLookupField(const QString& name, TFieldType type, int size, const QString& keyField,
                        TTable* lookupTable, const QString& lookupKey, const QString& lookupResult);
    void AddCalculatedField(const QString& name, TFieldType type, int size = 0);

    void Append();
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    // Re-reads the store, staying on the same row where it still exists.
    void Refresh();
    // With cached updates, edits and deletions change only the rows in memory and are gone when
    // the table is closed or refreshed (the report list lets the user change copies that way).
    void SetCachedUpdates(bool on) { CachedUpdates = on; }
    bool CachedUpdatesOn() const { return CachedUpdates; }

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return DisableCount > 0; }

    // Store row id of the current row (0 when none) and the way back to it.
    qint64 Bookmark() const;
    bool GotoBookmark(qint64 bookmark);
    // Grid access to a visible row without moving the cursor.
    QVariant ValueAt(int row, int field) const;

protected:
    // Where the rows come from: the stored table, or a query in TQuery.
    virtual void CheckStore();
    virtual void LoadRows();
    // A query's columns are known only once it has run.
    void ReplaceFields(TTableDef def);
    // Reads every row of the query into memory; without row ids the rows are numbered 1, 2, ...
    void LoadFrom(QSqlQuery& query, bool withRowIds, size_t expected);

signals:
    // The rows, their order or the filter changed as a whole.
    void DataReset();
    void RowUpdated(int row);
    void CurrentChanged(int row);
    void StateChanged();

private:
    friend class TField;
    QVariant CellValue(size_t slot, int column) const;
    const TColumn* StoredCell(const TField& f, size_t& slot) const;
    const std::vector<int>& LocateColumns(const QString& fields, qsizetype count);
    QVariant FieldValue(const TField& f) const;
    void SetFieldValue(const TField& f, const QVariant& value);
    void CheckActive() const;
    void CheckBrowse(const char* what) const;
    void Resort();
    void RebuildView(bool keepRow);
    int CompareKey(int slot, const std::vector<QVariant>& key, size_t count) const;
    std::vector<int> OrderColumns(std::vector<bool>* caseInsensitive) const;
    const std::vector<int>* EqualitySlots(int column, const TFilter::TEquality& eq);
    void DropIndexes();
    std::shared_ptr<const TFilter> Compiled(const QString& text);
    bool Indexed(int column) const;
    void MoveTo(int viewPos);
    const std::vector<int>& Visible() const { return ViewAll ? Order : View; }
    void NotifyReset();
    void NotifyCurrent();
    size_t SlotFromStore(const QVariantList& row);
    void PostInMemory();
    QVariant ToStore(int column, const QVariant& v) const;

    TTableDef TableDef;
    TDatabase* Database = nullptr;
    std::vector<std::unique_ptr<TField>> FieldList;

    TDataSetState DataState = TDataSetState::Inactive;
    std::vector<TColumn> Columns;
    std::vector<qint64> RowIds;
    std::vector<std::uint8_t> Alive;
    std::vector<int> Order;   // live slots in the current order
    std::vector<int> OrderPos; // slot -> position in Order, -1 for dead slots
    std::vector<int> View;    // visible slots in order, unless every row is visible
    bool ViewAll = false;     // no filter in force: the visible rows are Order itself
    int Cur = -1;
    bool EofFlag = true;
    bool BofFlag = true;

    QString CurIndexName;
    QString CurIndexFields;
    QString FilterText;
    QString BaseFilterText;
    bool FilterOn = false;
    bool Narrowing = true;
    bool CachedUpdates = false;
    std::shared_ptr<const TFilter> UserFilter;
    std::shared_ptr<const TFilter> FixedFilter;
    TFilterCache FilterCache;
    QHash<QString, std::vector<int>> LocateFields; // field lists of Locate, resolved
    mutable std::vector<std::int8_t> IndexedColumns; // per column: -1 not yet known, 0 or 1

    // Equality indexes, built on first use and dropped when rows change.
    // Keys of the text indexes carry their hash, so that a probe compares hashes and reads a
    // key's characters only on a match: catalogue codes are mostly of one length, and reading
    // the text of every key passed on the way costs a cache miss each.
    struct TTextKey
    {
        size_t Hash;
        QString Text;
        friend bool operator==(const TTextKey& a, const TTextKey& b) { return a.Hash == b.Hash && a.Text == b.Text; }
        friend size_t qHash(const TTextKey& key, size_t seed) noexcept { return key.Hash ^ seed; }
    };
    std::unordered_map<int, QHash<TTextKey, std::vector<int>>> TextIndex;
    std::unordered_map<int, std::unordered_map<double, std::vector<int>>> NumIndex;
    struct TProbe
    {
        int Column = -1;
        QString Text;
        double Num = 0;
        const std::vector<int>* Rows = nullptr;
    };
    TProbe LastProbe; // the last key looked up, and its rows
    quint64 Version = 0;

    std::vector<QVariant> Buffer; // per stored column while editing
    int DisableCount = 0;
    bool ResetPending = false;
};
