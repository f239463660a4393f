#include "platform/db/table.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <atomic>
#include <cmath>

#include "foundation/error.h"
#include "platform/db/database.h"

namespace {
QString EngineText(const QSqlError& e)
{
    return (e.databaseText().isEmpty() ? e.text() : e.databaseText()).trimmed();
}

QStringList SplitNames(const QString& names)
{
    QStringList out;
    for (const QString& n : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!n.trimmed().isEmpty())
            out.append(n.trimmed());
    return out;
}

// A value given by a caller, in the in-memory form of a column: text or number (dates as days).
bool NumberOf(const QVariant& v, TFieldType type, double& out)
{
    if (v.isNull()) {
        out = 0;
        return true;
    }
    if (type == TFieldType::Date) {
        QDate d = v.typeId() == QMetaType::QDate ? v.toDate() : QDate();
        if (!d.isValid() && v.typeId() == QMetaType::QDateTime)
            d = v.toDateTime().date();
        if (!d.isValid()) {
            d = QDate::fromString(v.toString(), QStringLiteral("yyyy-MM-dd"));
            if (!d.isValid())
                d = QDate::fromString(v.toString(), QStringLiteral("dd.MM.yyyy"));
        }
        if (!d.isValid())
            return false;
        out = static_cast<double>(d.toJulianDay());
        return true;
    }
    if (v.typeId() == QMetaType::Bool) {
        out = v.toBool() ? 1 : 0;
        return true;
    }
    bool ok = false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.isEmpty()) {
            out = 0;
            return true;
        }
        out = QString(s).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        if (!ok && type == TFieldType::Logical) {
            const QString low = s.toLower();
            if (low == QLatin1String("true") || low == QLatin1String("false")) {
                out = low == QLatin1String("true") ? 1 : 0;
                return true;
            }
        }
        return ok;
    }
    out = v.toDouble(&ok);
    return ok;
}

double RoundTo(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(v * scale) / scale;
}
} // namespace

// ---- TField ----

QVariant TField::Value() const { return Owner->FieldValue(*this); }

QString TField::AsString() const
{
    size_t slot = 0;
    if (const TColumn* col = Owner->StoredCell(*this, slot)) {
        if (col->IsText)
            return col->Text[slot];
        if (col->Blank[slot])
            return QString();
        const double n = col->Num[slot];
        switch (Def.Type) {
        case TFieldType::Date: return QDate::fromJulianDay(static_cast<qint64>(n)).toString(QStringLiteral("dd.MM.yyyy"));
        case TFieldType::Logical: return n != 0 ? QStringLiteral("True") : QStringLiteral("False");
        case TFieldType::Decimal:
        case TFieldType::Money: return QString::number(n, 'g', 15);
        default: return QString::number(static_cast<qint64>(std::llround(n)));
        }
    }
    const QVariant v = Value();
    if (v.isNull())
        return QString();
    switch (Def.Type) {
    case TFieldType::Date: return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case TFieldType::Logical: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case TFieldType::Decimal:
    case TFieldType::Money: return QString::number(v.toDouble(), 'g', 15);
    default: return v.toString();
    }
}

bool TField::StoredNumber(double& value) const
{
    size_t slot = 0;
    const TColumn* col = Owner->StoredCell(*this, slot);
    if (!col || col->IsText)
        return false;
    const double n = col->Blank[slot] ? 0 : col->Num[slot];
    switch (Def.Type) {
    case TFieldType::Date: value = static_cast<double>(static_cast<qint64>(n)); break;
    case TFieldType::Logical: value = n != 0 ? 1 : 0; break;
    case TFieldType::Decimal:
    case TFieldType::Money: value = n; break;
    default: value = static_cast<double>(std::llround(n)); break;
    }
    return true;
}

int TField::AsInteger() const
{
    if (double n = 0; StoredNumber(n))
        return static_cast<int>(std::llround(n));
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    if (IsTextType(Def.Type)) {
        bool ok = false;
        const int n = v.toString().trimmed().toInt(&ok);
        if (!ok)
            throw TError(QStringLiteral("'%1' is not a valid integer value").arg(v.toString()));
        return n;
    }
    if (Def.Type == TFieldType::Date)
        return static_cast<int>(v.toDate().toJulianDay());
    return static_cast<int>(std::llround(v.toDouble()));
}

double TField::AsFloat() const
{
    if (double n = 0; StoredNumber(n))
        return n;
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    if (IsTextType(Def.Type)) {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        if (!ok)
            throw TError(QStringLiteral("'%1' is not a valid floating point value").arg(v.toString()));
        return d;
    }
    if (Def.Type == TFieldType::Date)
        return static_cast<double>(v.toDate().toJulianDay());
    return v.toDouble();
}

TMoney TField::AsCurrency() const { return TMoney::FromDouble(AsFloat()); }

QDate TField::AsDate() const
{
    const QVariant v = Value();
    if (v.isNull())
        return QDate();
    if (Def.Type == TFieldType::Date)
        return v.toDate();
    return QDate::fromString(v.toString(), QStringLiteral("dd.MM.yyyy"));
}

bool TField::AsBoolean() const
{
    const QVariant v = Value();
    if (v.isNull())
        return false;
    if (IsTextType(Def.Type)) {
        const QString s = v.toString().trimmed().toLower();
        return s == QLatin1String("true") || s == QLatin1String("t") || s == QLatin1String("1") ||
               s == QLatin1String("y") || s == QLatin1String("yes");
    }
    return v.toDouble() != 0;
}

void TField::SetValue(const QVariant& value) { Owner->SetFieldValue(*this, value); }

// ---- TTable ----

TTable::TTable(TTableDef def, QObject* parent) : QObject(parent), TableDef(std::move(def))
{
    for (qsizetype i = 0; i < TableDef.Fields.size(); ++i) {
        auto f = std::make_unique<TField>();
        f->Owner = this;
        f->Def = TableDef.Fields[i];
        f->FieldNo = static_cast<int>(i);
        f->Column = static_cast<int>(i);
        FieldList.push_back(std::move(f));
    }
}

TTable::~TTable() = default;

void TTable::CheckActive() const
{
    if (DataState == TDataSetState::Inactive)
        throw TError(QStringLiteral("Таблица %1 не открыта").arg(TableDef.FileName));
}

void TTable::CheckBrowse(const char* what) const
{
    CheckActive();
    if (DataState != TDataSetState::Browse)
        throw TError(QStringLiteral("Таблица %1 редактируется: %2 невозможно").arg(TableDef.FileName, QLatin1String(what)));
}

TField* TTable::FindField(const QString& name)
{
    for (auto& f : FieldList)
        if (f->Def.Name.compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

TField& TTable::FieldByName(const QString& name)
{
    if (TField* f = FindField(name))
        return *f;
    throw TError(QStringLiteral("%1: Field '%2' not found").arg(TableDef.FileName, name));
}

void TTable::AddLookupField(const QString& name, TFieldType type, int size, const QString& keyField,
                            TTable* lookupTable, const QString& lookupKey, const QString& lookupResult)
{
    auto f = std::make_unique<TField>();
    f->Owner = this;
    f->Def = {name, type, size, 0};
    f->FieldKind = TField::Lookup;
    f->FieldNo = FieldCount();
    f->KeyField = keyField;
    f->LookupTable = lookupTable;
    f->LookupKey = lookupKey;
    f->LookupResult = lookupResult;
    FieldList.push_back(std::move(f));
}

void TTable::AddCalculatedField(const QString& name, TFieldType type, int size)
{
    auto f = std::make_unique<TField>();
    f->Owner = this;
    f->Def = {name, type, size, 0};
    f->FieldKind = TField::Calculated;
    f->FieldNo = FieldCount();
    FieldList.push_back(std::move(f));
}

// ---- opening and loading ----

void TTable::Open()
{
    if (Active())
        return;
    if (!Database || !Database->Connected())
        throw TError(QStringLiteral("База данных таблицы %1 не подключена").arg(TableDef.FileName));
    CheckStore();
    // The order must name known fields before any row is read.
    if (!CurIndexName.isEmpty() && !TableDef.Index(CurIndexName))
        throw TError(QStringLiteral("Индекс %1 не найден в таблице %2").arg(CurIndexName, TableDef.FileName));
    LoadRows();
    DataState = TDataSetState::Browse;
    Resort();
    RebuildView(false);
    emit StateChanged();
}

void TTable::CheckStore()
{
    if (!Database->HasTable(TableDef.Name))
        throw TError(QStringLiteral("Таблица %1 не найдена в базе данных %2").arg(TableDef.Name, Database->FilePath()));
    const QStringList stored = Database->Columns(TableDef.Name);
    for (const auto& f : TableDef.Fields) {
        const bool present = std::any_of(stored.begin(), stored.end(), [&](const QString& s) {
            return s.compare(f.Name, Qt::CaseInsensitive) == 0;
        });
        if (!present)
            throw TError(QStringLiteral("В таблице %1 нет поля %2").arg(TableDef.Name, f.Name));
    }
}

void TTable::ReplaceFields(TTableDef def)
{
    TableDef = std::move(def);
    FieldList.clear();
    for (qsizetype i = 0; i < TableDef.Fields.size(); ++i) {
        auto f = std::make_unique<TField>();
        f->Owner = this;
        f->Def = TableDef.Fields[i];
        f->FieldNo = static_cast<int>(i);
        f->Column = static_cast<int>(i);
        FieldList.push_back(std::move(f));
    }
    DropIndexes();
    FilterCache.Clear();
    LocateFields.clear();
    IndexedColumns.clear();
    UserFilter.reset();
    FixedFilter.reset();
    if (!FilterText.trimmed().isEmpty())
        UserFilter = Compiled(FilterText);
    if (!BaseFilterText.trimmed().isEmpty())
        FixedFilter = Compiled(BaseFilterText);
}

void TTable::Close()
{
    if (!Active())
        return;
    Columns.clear();
    RowIds.clear();
    Alive.clear();
    Order.clear();
    OrderPos.clear();
    View.clear();
    ViewAll = false;
    DropIndexes();
    Buffer.clear();
    Cur = -1;
    EofFlag = BofFlag = true;
    DataState = TDataSetState::Inactive;
    NotifyReset();
    emit StateChanged();
}

void TTable::LoadRows()
{
    QStringList cols;
    for (const auto& f : TableDef.Fields)
        cols.append(TDatabase::Quote(f.Name));
    QSqlQuery q(Database->Handle());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid")
                    .arg(cols.join(QStringLiteral(", ")), TDatabase::Quote(TableDef.Name))))
        throw TError(EngineText(q.lastError()));
    size_t expected = 0;
    {
        QSqlQuery count(Database->Handle());
        if (count.exec(QStringLiteral("SELECT count(*) FROM %1").arg(TDatabase::Quote(TableDef.Name))) && count.next())
            expected = static_cast<size_t>(count.value(0).toLongLong());
    }
    LoadFrom(q, true, expected);
}

void TTable::LoadFrom(QSqlQuery& q, bool withRowIds, size_t expected)
{
    // Knowing the row count up front spares the columns their regrowth while loading.
    Columns.assign(static_cast<size_t>(TableDef.Fields.size()), TColumn());
    for (qsizetype i = 0; i < TableDef.Fields.size(); ++i) {
        TColumn& col = Columns[static_cast<size_t>(i)];
        col.IsText = IsTextType(TableDef.Fields[i].Type);
        if (col.IsText) {
            col.Text.reserve(expected);
        } else {
            col.Num.reserve(expected);
            col.Blank.reserve(expected);
        }
    }
    RowIds.clear();
    Alive.clear();
    RowIds.reserve(expected);
    Alive.reserve(expected);
    DropIndexes();
    const int n = static_cast<int>(TableDef.Fields.size());
    // Catalogue texts repeat a lot (element codes, colours, units); equal texts share one copy.
    std::vector<QSet<QString>> seen(static_cast<size_t>(n));
    std::vector<bool> unique(static_cast<size_t>(n), false); // a one-field key never repeats
    if (const TIndexDef* primary = TableDef.Primary(); primary && primary->Fields.size() == 1)
        if (const int k = TableDef.FieldIndex(primary->Fields.first()); k >= 0)
            unique[static_cast<size_t>(k)] = true;
    const int first = withRowIds ? 1 : 0;
    while (q.next()) {
        RowIds.push_back(withRowIds ? q.value(0).toLongLong() : static_cast<qint64>(RowIds.size()) + 1);
        Alive.push_back(1);
        for (int c = 0; c < n; ++c) {
            TColumn& col = Columns[static_cast<size_t>(c)];
            const QVariant v = q.value(c + first);
            if (col.IsText) {
                if (v.isNull()) {
                    col.Text.emplace_back();
                    continue;
                }
                QString text = v.toString();
                if (!col.Text.empty() && col.Text.back() == text) {
                    text = col.Text.back();
                } else if (!unique[static_cast<size_t>(c)]) {
                    QSet<QString>& known = seen[static_cast<size_t>(c)];
                    const auto hit = known.constFind(text);
                    if (hit != known.constEnd())
                        text = *hit;
                    else
                        known.insert(text);
                }
                col.Text.push_back(std::move(text));
            } else if (v.isNull()) {
                col.Num.push_back(0);
                col.Blank.push_back(1);
            } else if (TableDef.Fields[c].Type == TFieldType::Date) {
                const QDate d = QDate::fromString(v.toString(), QStringLiteral("yyyy-MM-dd"));
                col.Num.push_back(d.isValid() ? static_cast<double>(d.toJulianDay()) : 0);
                col.Blank.push_back(d.isValid() ? 0 : 1);
            } else {
                col.Num.push_back(v.toDouble());
                col.Blank.push_back(0);
            }
        }
    }
    if (q.lastError().isValid())
        throw TError(EngineText(q.lastError()));
}

// ---- order ----

std::vector<int> TTable::OrderColumns(std::vector<bool>* caseInsensitive) const
{
    QStringList names;
    bool ci = false;
    if (!CurIndexFields.isEmpty()) {
        names = SplitNames(CurIndexFields);
        // Like the engine, field names pick the index that begins with them (the primary one
        // first), and the rows follow that whole index.
        std::vector<const TIndexDef*> candidates;
        if (const TIndexDef* primary = TableDef.Primary())
            candidates.push_back(primary);
        for (const auto& index : TableDef.Indexes)
            if (!index.Primary)
                candidates.push_back(&index);
        for (const TIndexDef* index : candidates) {
            bool leads = index->Fields.size() >= names.size();
            for (qsizetype i = 0; leads && i < names.size(); ++i)
                leads = index->Fields[i].compare(names[i], Qt::CaseInsensitive) == 0;
            if (leads) {
                names = index->Fields;
                ci = index->CaseInsensitive;
                break;
            }
        }
    } else if (!CurIndexName.isEmpty()) {
        if (const TIndexDef* index = TableDef.Index(CurIndexName)) {
            names = index->Fields;
            ci = index->CaseInsensitive;
        }
    } else if (const TIndexDef* primary = TableDef.Primary()) {
        names = primary->Fields;
        ci = primary->CaseInsensitive;
    }
    std::vector<int> cols;
    for (const QString& n : names) {
        const int c = TableDef.FieldIndex(n);
        if (c >= 0) {
            cols.push_back(c);
            if (caseInsensitive)
                caseInsensitive->push_back(ci);
        }
    }
    return cols;
}

void TTable::Resort()
{
    // Equality indexes list their rows in the current order, so they go with it.
    DropIndexes();
    Order.clear();
    for (size_t s = 0; s < Alive.size(); ++s)
        if (Alive[s])
            Order.push_back(static_cast<int>(s));
    std::vector<bool> ci;
    const std::vector<int> cols = OrderColumns(&ci);
    if (!cols.empty()) {
        // Comparing through prepared column pointers keeps the sort of large tables quick.
        std::stable_sort(Order.begin(), Order.end(), [&](int a, int b) {
            for (size_t i = 0; i < cols.size(); ++i) {
                const TColumn& col = Columns[static_cast<size_t>(cols[i])];
                const size_t sa = static_cast<size_t>(a), sb = static_cast<size_t>(b);
                int r;
                if (col.IsText) {
                    r = col.Text[sa].compare(col.Text[sb], ci[i] ? Qt::CaseInsensitive : Qt::CaseSensitive);
                } else {
                    const bool ba = col.Blank[sa], bb = col.Blank[sb];
                    r = ba != bb ? (ba ? -1 : 1) : (col.Num[sa] < col.Num[sb] ? -1 : (col.Num[sb] < col.Num[sa] ? 1 : 0));
                }
                if (r != 0)
                    return r < 0;
            }
            return false;
        });
    }
    OrderPos.assign(Alive.size(), -1);
    for (size_t i = 0; i < Order.size(); ++i)
        OrderPos[static_cast<size_t>(Order[i])] = static_cast<int>(i);
}

void TTable::SetIndexName(const QString& name)
{
    if (!name.isEmpty() && !TableDef.Index(name))
        throw TError(QStringLiteral("Индекс %1 не найден в таблице %2").arg(name, TableDef.FileName));
    CurIndexName = name;
    CurIndexFields.clear();
    IndexedColumns.clear();
    if (Active()) {
        CheckBrowse("смена порядка");
        Resort();
        RebuildView(true);
    }
}

void TTable::SetIndexFieldNames(const QString& names)
{
    for (const QString& n : SplitNames(names))
        if (TableDef.FieldIndex(n) < 0)
            throw TError(QStringLiteral("%1: Field '%2' not found").arg(TableDef.FileName, n));
    CurIndexFields = names;
    CurIndexName.clear();
    IndexedColumns.clear();
    if (Active()) {
        CheckBrowse("смена порядка");
        Resort();
        RebuildView(true);
    }
}

// ---- filters ----

std::shared_ptr<const TFilter> TTable::Compiled(const QString& text)
{
    return FilterCache.Get(text, TableDef);
}

void TTable::SetFilter(const QString& text)
{
    if (text == FilterText && (UserFilter || text.isEmpty()))
        return;
    auto compiled = text.trimmed().isEmpty() ? nullptr : Compiled(text);
    if (Active() && FilterOn)
        CheckBrowse("смена фильтра");
    FilterText = text;
    UserFilter = compiled;
    if (Active() && FilterOn)
        RebuildView(false);
}

void TTable::SetFiltered(bool on)
{
    if (on == FilterOn)
        return;
    if (Active())
        CheckBrowse("смена фильтра");
    FilterOn = on;
    if (Active())
        RebuildView(false);
}

void TTable::SetBaseFilter(const QString& text)
{
    FixedFilter = text.trimmed().isEmpty() ? nullptr : Compiled(text);
    BaseFilterText = text;
    if (Active())
        RebuildView(false);
}

void TTable::SetIndexNarrowing(bool on) { Narrowing = on; }

bool TTable::Indexed(int column) const
{
    // Asked for every equality of every filter set; the answer changes only with the order.
    if (IndexedColumns.empty())
        IndexedColumns.assign(static_cast<size_t>(TableDef.Fields.size()), -1);
    std::int8_t& known = IndexedColumns[static_cast<size_t>(column)];
    if (known >= 0)
        return known != 0;
    known = 0;
    const QString& name = TableDef.Fields[column].Name;
    for (const auto& index : TableDef.Indexes)
        for (const auto& f : index.Fields)
            if (f.compare(name, Qt::CaseInsensitive) == 0)
                known = 1;
    for (const QString& f : SplitNames(CurIndexFields))
        if (f.compare(name, Qt::CaseInsensitive) == 0)
            known = 1;
    return known != 0;
}

void TTable::DropIndexes()
{
    static std::atomic<quint64> versions{0};
    TextIndex.clear();
    NumIndex.clear();
    LastProbe = TProbe();
    Version = ++versions;
}

const std::vector<int>* TTable::EqualitySlots(int column, const TFilter::TEquality& eq)
{
    static const std::vector<int> none;
    const TColumn& col = Columns[static_cast<size_t>(column)];
    // The engine probes a key and then filters or locates by the same key at once; a probe of a
    // large index costs several cache misses, the repeat a string comparison.
    if (LastProbe.Rows && LastProbe.Column == column && (col.IsText ? LastProbe.Text == eq.Text : LastProbe.Num == eq.Num))
        return LastProbe.Rows;
    const std::vector<int>* rows = &none;
    if (col.IsText) {
        auto it = TextIndex.find(column);
        if (it == TextIndex.end()) {
            it = TextIndex.emplace(column, QHash<TTextKey, std::vector<int>>()).first;
            for (int s : Order) {
                const QString& text = col.Text[static_cast<size_t>(s)];
                it->second[TTextKey{qHash(text), text}].push_back(s);
            }
        }
        if (auto hit = it->second.constFind(TTextKey{qHash(eq.Text), eq.Text}); hit != it->second.constEnd())
            rows = &*hit;
    } else {
        auto it = NumIndex.find(column);
        if (it == NumIndex.end()) {
            it = NumIndex.emplace(column, std::unordered_map<double, std::vector<int>>()).first;
            for (int s : Order)
                it->second[col.Num[static_cast<size_t>(s)]].push_back(s);
        }
        if (auto hit = it->second.find(eq.Num); hit != it->second.end())
            rows = &hit->second;
    }
    LastProbe = {column, col.IsText ? eq.Text : QString(), eq.Num, rows};
    return rows;
}

void TTable::RebuildView(bool keepRow)
{
    const qint64 keep = keepRow ? Bookmark() : 0;
    View.clear();
    const TFilter* user = FilterOn && UserFilter ? UserFilter.get() : nullptr;
    const TFilter* fixed = FixedFilter.get();
    ViewAll = !user && !fixed;
    if (!ViewAll) {
        // The smallest candidate list that an and-ed equality on an indexed field allows.
        const std::vector<int>* best = nullptr;
        if (Narrowing) {
            for (const TFilter* f : {user, fixed}) {
                if (!f)
                    continue;
                for (const auto& eq : f->Equalities())
                    if (Indexed(eq.Field)) {
                        const std::vector<int>* c = EqualitySlots(eq.Field, eq);
                        if (!best || c->size() < best->size())
                            best = c;
                    }
            }
        }
        auto pass = [&](int s) {
            return (!fixed || fixed->Matches(Columns, static_cast<size_t>(s))) &&
                   (!user || user->Matches(Columns, static_cast<size_t>(s)));
        };
        if (best) {
            // Candidates are kept in the order they had when the index was built, which is the
            // current order; a row edited since then drops the index, so no sort is needed.
            for (int s : *best)
                if (pass(s))
                    View.push_back(s);
        } else {
            for (int s : Order)
                if (pass(s))
                    View.push_back(s);
        }
    }
    const std::vector<int>& visible = Visible();
    int pos = visible.empty() ? -1 : 0;
    if (keep != 0)
        for (size_t i = 0; i < visible.size(); ++i)
            if (RowIds[static_cast<size_t>(visible[i])] == keep) {
                pos = static_cast<int>(i);
                break;
            }
    Cur = pos;
    BofFlag = true;
    EofFlag = visible.empty();
    NotifyReset();
}

// ---- navigation ----

int TTable::RecordCount() const
{
    CheckActive();
    return static_cast<int>(Visible().size());
}

void TTable::MoveTo(int viewPos)
{
    Cur = viewPos;
    NotifyCurrent();
}

void TTable::First()
{
    CheckBrowse("переход");
    MoveTo(Visible().empty() ? -1 : 0);
    BofFlag = true;
    EofFlag = Visible().empty();
}

void TTable::Last()
{
    CheckBrowse("переход");
    MoveTo(Visible().empty() ? -1 : static_cast<int>(Visible().size()) - 1);
    EofFlag = true;
    BofFlag = Visible().empty();
}

void TTable::Next()
{
    CheckBrowse("переход");
    if (Cur + 1 < static_cast<int>(Visible().size())) {
        MoveTo(Cur + 1);
        BofFlag = EofFlag = false;
    } else {
        EofFlag = true;
    }
}

void TTable::Prior()
{
    CheckBrowse("переход");
    if (Cur > 0) {
        MoveTo(Cur - 1);
        BofFlag = EofFlag = false;
    } else {
        BofFlag = true;
    }
}

void TTable::SetRecNo(int recNo)
{
    CheckBrowse("переход");
    if (recNo >= 1 && recNo <= static_cast<int>(Visible().size())) {
        MoveTo(recNo - 1);
        BofFlag = EofFlag = false;
    }
}

qint64 TTable::Bookmark() const
{
    if (Cur < 0 || Cur >= static_cast<int>(Visible().size()))
        return 0;
    return RowIds[static_cast<size_t>(Visible()[static_cast<size_t>(Cur)])];
}

bool TTable::GotoBookmark(qint64 bookmark)
{
    CheckBrowse("переход");
    for (size_t i = 0; i < Visible().size(); ++i)
        if (RowIds[static_cast<size_t>(Visible()[i])] == bookmark) {
            MoveTo(static_cast<int>(i));
            BofFlag = EofFlag = false;
            return true;
        }
    return false;
}

const std::vector<int>& TTable::LocateColumns(const QString& fields, qsizetype count)
{
    // The engine locates by the same few field lists all the time.
    if (auto it = LocateFields.constFind(fields); it != LocateFields.constEnd() && it->size() == size_t(count))
        return *it;
    const QStringList names = SplitNames(fields);
    if (names.size() != count)
        throw TError(QStringLiteral("%1: число полей и значений поиска не совпадает").arg(TableDef.FileName));
    std::vector<int> columns;
    for (const QString& name : names) {
        const int c = TableDef.FieldIndex(name);
        if (c < 0)
            throw TError(QStringLiteral("%1: Field '%2' not found").arg(TableDef.FileName, name));
        columns.push_back(c);
    }
    return *LocateFields.insert(fields, std::move(columns));
}

bool TTable::Locate(const QString& fields, const QVariantList& values, TLocateOptions options)
{
    CheckBrowse("поиск");
    const std::vector<int>& columns = LocateColumns(fields, values.size());
    struct TKey { int Column; bool Text; QString S; double N; };
    std::vector<TKey> keys;
    keys.reserve(columns.size());
    for (size_t i = 0; i < columns.size(); ++i) {
        const int c = columns[i];
        const QVariant& value = values[static_cast<qsizetype>(i)];
        TKey k{c, Columns[static_cast<size_t>(c)].IsText, QString(), 0};
        if (k.Text)
            k.S = value.isNull() ? QString() : value.toString();
        else if (!NumberOf(value, TableDef.Fields[c].Type, k.N))
            return false; // a value of the wrong kind matches no row
        keys.push_back(k);
    }
    const bool ci = options & loCaseInsensitive;
    const bool partial = options & loPartialKey;
    auto matches = [&](int s) {
        for (const auto& k : keys) {
            const TColumn& col = Columns[static_cast<size_t>(k.Column)];
            if (k.Text) {
                const QString& v = col.Text[static_cast<size_t>(s)];
                const Qt::CaseSensitivity cs = ci ? Qt::CaseInsensitive : Qt::CaseSensitive;
                if (partial ? !v.startsWith(k.S, cs) : v.compare(k.S, cs) != 0)
                    return false;
            } else if (col.Num[static_cast<size_t>(s)] != k.N) {
                return false;
            }
        }
        return true;
    };
    int found = -1;
    // An exact search on an indexed field goes through its equality index.
    const TKey* indexed = nullptr;
    if (!ci && !partial)
        for (const auto& k : keys)
            if (Indexed(k.Column)) {
                indexed = &k;
                break;
            }
    if (indexed) {
        const std::vector<int>* c = EqualitySlots(indexed->Column, {indexed->Column, indexed->Text, indexed->S, indexed->N});
        // The visible rows follow the current order, so a candidate's place among them is found by
        // a binary search on its order position: a slot-wide map would cost a pass over the whole
        // table after every filter change, and the engine locates right after setting filters.
        auto visiblePos = [&](int s) -> int {
            const int op = OrderPos[static_cast<size_t>(s)];
            if (op < 0 || ViewAll)
                return op;
            auto it = std::lower_bound(View.begin(), View.end(), op,
                                       [&](int v, int key) { return OrderPos[static_cast<size_t>(v)] < key; });
            return it != View.end() && *it == s ? static_cast<int>(it - View.begin()) : -1;
        };
        // Candidates come in the current order, so the first one visible and matching is the row.
        for (int s : *c) {
            const int p = visiblePos(s);
            if (p >= 0 && matches(s)) {
                found = p;
                break;
            }
        }
    } else {
        for (size_t i = 0; i < Visible().size(); ++i)
            if (matches(Visible()[i])) {
                found = static_cast<int>(i);
                break;
            }
    }
    if (found < 0)
        return false;
    MoveTo(found);
    BofFlag = EofFlag = false;
    return true;
}

QVariant TTable::Lookup(const QString& keyField, const QVariant& key, const QString& resultField)
{
    CheckActive();
    const int kc = TableDef.FieldIndex(keyField);
    const int rc = TableDef.FieldIndex(resultField);
    if (kc < 0 || rc < 0)
        throw TError(QStringLiteral("%1: Field '%2' not found").arg(TableDef.FileName, kc < 0 ? keyField : resultField));
    TFilter::TEquality eq{kc, Columns[static_cast<size_t>(kc)].IsText, QString(), 0};
    if (eq.IsText)
        eq.Text = key.isNull() ? QString() : key.toString();
    else if (!NumberOf(key, TableDef.Fields[kc].Type, eq.Num))
        return QVariant();
    const std::vector<int>* rows = EqualitySlots(kc, eq);
    if (rows->empty())
        return QVariant();
    return CellValue(static_cast<size_t>(rows->front()), rc);
}

int TTable::CompareKey(int slot, const std::vector<QVariant>& key, size_t count) const
{
    std::vector<bool> ci;
    const std::vector<int> cols = OrderColumns(&ci);
    for (size_t i = 0; i < count && i < cols.size(); ++i) {
        const TColumn& col = Columns[static_cast<size_t>(cols[i])];
        int r;
        if (col.IsText) {
            r = col.Text[static_cast<size_t>(slot)].compare(key[i].toString(), ci[i] ? Qt::CaseInsensitive : Qt::CaseSensitive);
        } else {
            double k = 0;
            NumberOf(key[i], TableDef.Fields[cols[i]].Type, k);
            const double v = col.Num[static_cast<size_t>(slot)];
            r = v < k ? -1 : (k < v ? 1 : 0);
        }
        if (r != 0)
            return r;
    }
    return 0;
}

bool TTable::FindKey(const QVariantList& values)
{
    CheckBrowse("поиск");
    if (OrderColumns(nullptr).empty())
        throw TError(QStringLiteral("%1: у таблицы нет индекса для поиска по ключу").arg(TableDef.FileName));
    const std::vector<QVariant> key(values.begin(), values.end());
    auto it = std::lower_bound(Visible().begin(), Visible().end(), 0, [&](int s, int) { return CompareKey(s, key, key.size()) < 0; });
    if (it == Visible().end() || CompareKey(*it, key, key.size()) != 0)
        return false;
    MoveTo(static_cast<int>(it - Visible().begin()));
    BofFlag = EofFlag = false;
    return true;
}

void TTable::FindNearest(const QVariantList& values)
{
    CheckBrowse("поиск");
    const std::vector<QVariant> key(values.begin(), values.end());
    auto it = std::lower_bound(Visible().begin(), Visible().end(), 0, [&](int s, int) { return CompareKey(s, key, key.size()) < 0; });
    if (Visible().empty())
        return;
    MoveTo(it == Visible().end() ? static_cast<int>(Visible().size()) - 1 : static_cast<int>(it - Visible().begin()));
    BofFlag = EofFlag = false;
}

// ---- values ----

QVariant TTable::CellValue(size_t slot, int column) const
{
    const TColumn& col = Columns[static_cast<size_t>(column)];
    if (col.IsText) {
        const QString& s = col.Text[slot];
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    if (col.Blank[slot])
        return QVariant();
    const double v = col.Num[slot];
    switch (TableDef.Fields[column].Type) {
    case TFieldType::Date: return QDate::fromJulianDay(static_cast<qint64>(v));
    case TFieldType::Logical: return v != 0;
    case TFieldType::Decimal:
    case TFieldType::Money: return v;
    default: return static_cast<qint64>(std::llround(v));
    }
}

// The stored cell a data field reads while browsing, for the typed reads that need no QVariant
// (the engine reads fields millions of times); null when the field reads otherwise.
const TColumn* TTable::StoredCell(const TField& f, size_t& slot) const
{
    if (f.FieldKind != TField::Data || DataState != TDataSetState::Browse || Cur < 0 ||
        Cur >= static_cast<int>(Visible().size()))
        return nullptr;
    slot = static_cast<size_t>(Visible()[static_cast<size_t>(Cur)]);
    return &Columns[static_cast<size_t>(f.Column)];
}

QVariant TTable::FieldValue(const TField& f) const
{
    if (!Active() || f.FieldKind == TField::Calculated)
        return QVariant();
    if (f.FieldKind == TField::Lookup) {
        const TField* key = const_cast<TTable*>(this)->FindField(f.KeyField);
        if (!key || !f.LookupTable || !f.LookupTable->Active())
            return QVariant();
        return f.LookupTable->Lookup(f.LookupKey, key->Value(), f.LookupResult);
    }
    if (DataState == TDataSetState::Edit || DataState == TDataSetState::Insert)
        return Buffer[static_cast<size_t>(f.Column)];
    if (Cur < 0 || Cur >= static_cast<int>(Visible().size()))
        return QVariant();
    return CellValue(static_cast<size_t>(Visible()[static_cast<size_t>(Cur)]), f.Column);
}

QVariant TTable::ValueAt(int row, int field) const
{
    if (row < 0 || row >= static_cast<int>(Visible().size()) || field < 0 || field >= FieldCount())
        return QVariant();
    const TField& f = *FieldList[static_cast<size_t>(field)];
    if (f.FieldKind == TField::Data)
        return CellValue(static_cast<size_t>(Visible()[static_cast<size_t>(row)]), f.Column);
    if (f.FieldKind == TField::Calculated)
        return QVariant();
    const int kc = TableDef.FieldIndex(f.KeyField);
    if (kc < 0 || !f.LookupTable || !f.LookupTable->Active())
        return QVariant();
    return f.LookupTable->Lookup(f.LookupKey, CellValue(static_cast<size_t>(Visible()[static_cast<size_t>(row)]), kc),
                                 f.LookupResult);
}

void TTable::SetFieldValue(const TField& f, const QVariant& value)
{
    if (DataState != TDataSetState::Edit && DataState != TDataSetState::Insert)
        throw TError(QStringLiteral("%1: таблица не в режиме редактирования").arg(TableDef.FileName));
    if (f.ReadOnly())
        throw TError(QStringLiteral("%1: поле %2 только для чтения").arg(TableDef.FileName, f.Def.Name));
    QVariant v;
    if (!value.isNull()) {
        if (IsTextType(f.Def.Type)) {
            QString s = value.typeId() == QMetaType::QDate ? value.toDate().toString(QStringLiteral("dd.MM.yyyy"))
                                                           : value.toString();
            if (f.Def.Type == TFieldType::Text && f.Def.Size > 0 && s.size() > f.Def.Size)
                s.truncate(f.Def.Size);
            if (!s.isEmpty())
                v = s;
        } else {
            double n = 0;
            if (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty()) {
                v = QVariant();
            } else {
                if (!NumberOf(value, f.Def.Type, n))
                    throw TError(QStringLiteral("'%1' is not a valid value for field '%2'").arg(value.toString(), f.Def.Name));
                switch (f.Def.Type) {
                case TFieldType::Date: v = QDate::fromJulianDay(static_cast<qint64>(n)); break;
                case TFieldType::Logical: v = n != 0; break;
                case TFieldType::Decimal: v = RoundTo(n, f.Def.Decimals); break;
                case TFieldType::Money: v = RoundTo(n, 4); break;
                default: {
                    const qint64 i = std::llround(n);
                    const qint64 limit = f.Def.Type == TFieldType::Int16 ? 32767 : 2147483647LL;
                    if (i > limit || i < -limit - 1)
                        throw TError(QStringLiteral("%1 is not a valid value for field '%2'. The allowed range is %3 to %4")
                                         .arg(i)
                                         .arg(f.Def.Name)
                                         .arg(-limit - 1)
                                         .arg(limit));
                    v = i;
                }
                }
            }
        }
    }
    Buffer[static_cast<size_t>(f.Column)] = v;
    if (DisableCount == 0 && Cur >= 0)
        emit RowUpdated(Cur);
}

// ---- editing ----

QVariant TTable::ToStore(int column, const QVariant& v) const
{
    if (v.isNull())
        return QVariant(QMetaType(IsTextType(TableDef.Fields[column].Type) ? QMetaType::QString : QMetaType::Double));
    switch (TableDef.Fields[column].Type) {
    case TFieldType::Date: return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case TFieldType::Logical: return v.toBool() ? 1 : 0;
    default: return v;
    }
}

void TTable::Append()
{
    CheckBrowse("добавление");
    Buffer.assign(static_cast<size_t>(TableDef.Fields.size()), QVariant());
    DataState = TDataSetState::Insert;
    emit StateChanged();
}

void TTable::Insert() { Append(); }

void TTable::Edit()
{
    CheckActive();
    if (DataState != TDataSetState::Browse)
        return;
    if (Cur < 0) {
        Append();
        return;
    }
    Buffer.clear();
    const size_t slot = static_cast<size_t>(Visible()[static_cast<size_t>(Cur)]);
    for (int c = 0; c < static_cast<int>(TableDef.Fields.size()); ++c)
        Buffer.push_back(CellValue(slot, c));
    DataState = TDataSetState::Edit;
    emit StateChanged();
}

void TTable::Cancel()
{
    if (DataState != TDataSetState::Edit && DataState != TDataSetState::Insert)
        return;
    Buffer.clear();
    DataState = TDataSetState::Browse;
    emit StateChanged();
    NotifyCurrent();
}

void TTable::Post()
{
    if (DataState != TDataSetState::Edit && DataState != TDataSetState::Insert)
        return;
    if (CachedUpdates) {
        PostInMemory();
        return;
    }
    const QString table = TDatabase::Quote(TableDef.Name);
    QSqlQuery q(Database->Handle());
    qint64 rowId = 0;
    if (DataState == TDataSetState::Insert) {
        QStringList cols, marks;
        QVariantList binds;
        for (int c = 0; c < static_cast<int>(TableDef.Fields.size()); ++c) {
            const QString name = TDatabase::Quote(TableDef.Fields[c].Name);
            cols.append(name);
            if (TableDef.Fields[c].Type == TFieldType::AutoInc) {
                marks.append(QStringLiteral("(SELECT COALESCE(MAX(%1), 0) + 1 FROM %2)").arg(name, table));
            } else {
                marks.append(QStringLiteral("?"));
                binds.append(ToStore(c, Buffer[static_cast<size_t>(c)]));
            }
        }
        q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(table, cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
        for (const auto& b : binds)
            q.addBindValue(b);
        if (!q.exec())
            throw TError(EngineText(q.lastError()));
        rowId = q.lastInsertId().toLongLong();
    } else {
        rowId = RowIds[static_cast<size_t>(Visible()[static_cast<size_t>(Cur)])];
        QStringList sets;
        QVariantList binds;
        for (int c = 0; c < static_cast<int>(TableDef.Fields.size()); ++c) {
            if (TableDef.Fields[c].Type == TFieldType::AutoInc)
                continue;
            sets.append(TDatabase::Quote(TableDef.Fields[c].Name) + QStringLiteral(" = ?"));
            binds.append(ToStore(c, Buffer[static_cast<size_t>(c)]));
        }
        q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(table, sets.join(QStringLiteral(", "))));
        for (const auto& b : binds)
            q.addBindValue(b);
        q.addBindValue(rowId);
        if (!q.exec())
            throw TError(EngineText(q.lastError()));
    }
    // Read the row back so that memory holds exactly what the store numbered and kept.
    QStringList cols;
    for (const auto& f : TableDef.Fields)
        cols.append(TDatabase::Quote(f.Name));
    QSqlQuery back(Database->Handle());
    back.prepare(QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid = ?").arg(cols.join(QStringLiteral(", ")), table));
    back.addBindValue(rowId);
    if (!back.exec() || !back.next())
        throw TError(EngineText(back.lastError()));
    QVariantList row;
    for (int c = 0; c <= static_cast<int>(TableDef.Fields.size()); ++c)
        row.append(back.value(c));
    if (DataState == TDataSetState::Edit)
        Alive[static_cast<size_t>(Visible()[static_cast<size_t>(Cur)])] = 0;
    SlotFromStore(row);
    Buffer.clear();
    DataState = TDataSetState::Browse;
    DropIndexes();
    Resort();
    RebuildView(false);
    GotoBookmark(rowId);
    emit StateChanged();
}

void TTable::PostInMemory()
{
    qint64 rowId = 0;
    if (DataState == TDataSetState::Insert) {
        rowId = RowIds.empty() ? 1 : *std::max_element(RowIds.begin(), RowIds.end()) + 1;
        for (int c = 0; c < static_cast<int>(TableDef.Fields.size()); ++c)
            if (TableDef.Fields[c].Type == TFieldType::AutoInc) {
                double top = 0;
                for (size_t slot = 0; slot < Alive.size(); ++slot)
                    if (Alive[slot])
                        top = std::max(top, Columns[static_cast<size_t>(c)].Num[slot]);
                Buffer[static_cast<size_t>(c)] = static_cast<qint64>(top) + 1;
            }
    } else {
        const size_t old = static_cast<size_t>(Visible()[static_cast<size_t>(Cur)]);
        rowId = RowIds[old];
        Alive[old] = 0;
    }
    QVariantList row{rowId};
    for (int c = 0; c < static_cast<int>(TableDef.Fields.size()); ++c)
        row.append(ToStore(c, Buffer[static_cast<size_t>(c)]));
    SlotFromStore(row);
    Buffer.clear();
    DataState = TDataSetState::Browse;
    Resort();
    RebuildView(false);
    GotoBookmark(rowId);
    emit StateChanged();
}

size_t TTable::SlotFromStore(const QVariantList& row)
{
    RowIds.push_back(row[0].toLongLong());
    Alive.push_back(1);
    for (int c = 0; c < static_cast<int>(TableDef.Fields.size()); ++c) {
        TColumn& col = Columns[static_cast<size_t>(c)];
        const QVariant& v = row[c + 1];
        if (col.IsText) {
            col.Text.push_back(v.isNull() ? QString() : v.toString());
            continue;
        }
        double n = 0;
        const bool blank = v.isNull() || !NumberOf(v, TableDef.Fields[c].Type, n);
        col.Num.push_back(blank ? 0 : n);
        col.Blank.push_back(blank ? 1 : 0);
    }
    return RowIds.size() - 1;
}

void TTable::Delete()
{
    CheckBrowse("удаление");
    if (Cur < 0)
        throw TError(QStringLiteral("%1: нет записи для удаления").arg(TableDef.FileName));
    const size_t slot = static_cast<size_t>(Visible()[static_cast<size_t>(Cur)]);
    if (!CachedUpdates) {
        QSqlQuery q(Database->Handle());
        q.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(TDatabase::Quote(TableDef.Name)));
        q.addBindValue(RowIds[slot]);
        if (!q.exec())
            throw TError(EngineText(q.lastError()));
    }
    const int pos = Cur;
    Alive[slot] = 0;
    DropIndexes();
    Resort();
    RebuildView(false);
    if (!Visible().empty())
        MoveTo(std::min(pos, static_cast<int>(Visible().size()) - 1));
    EofFlag = Visible().empty();
    BofFlag = Visible().empty();
}

void TTable::Refresh()
{
    CheckBrowse("обновление");
    const qint64 keep = Bookmark();
    LoadRows();
    Resort();
    RebuildView(false);
    if (keep != 0)
        GotoBookmark(keep);
    BofFlag = false;
    EofFlag = Visible().empty();
}

// ---- notifications ----

void TTable::DisableControls() { ++DisableCount; }

void TTable::EnableControls()
{
    if (DisableCount > 0 && --DisableCount == 0 && ResetPending) {
        ResetPending = false;
        emit DataReset();
    }
}

void TTable::NotifyReset()
{
    if (DisableCount > 0)
        ResetPending = true;
    else
        emit DataReset();
}

void TTable::NotifyCurrent()
{
    if (DisableCount > 0)
        ResetPending = true;
    else
        emit CurrentChanged(Cur);
}
