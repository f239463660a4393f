#include "catalog/catalog_import.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>
#include <cmath>
#include <filesystem>
#include <optional>

#include "catalog/catalog_schema.h"
#include "foundation/error.h"
#include "platform/db/csv.h"
#include "platform/db/database.h"
#include "platform/db/paradox_table.h"

namespace {
// A file in the folder whose name equals `name` in any letter case.
QString FindFile(const QDir& dir, const QString& name)
{
    for (const QString& entry : dir.entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return QString();
}

// Converts one source value to the stored form of a column; the error text says why not.
std::optional<QVariant> Convert(const TFieldDef& f, const QVariant& v, QString& error)
{
    if (v.isNull())
        return QVariant();
    const bool fromText = v.typeId() == QMetaType::QString;
    const QString text = fromText ? v.toString() : QString();
    if (fromText && text.isEmpty())
        return QVariant();
    switch (f.Type) {
    case TFieldType::Text:
    case TFieldType::Memo: {
        QString s = v.typeId() == QMetaType::QDate ? v.toDate().toString(QStringLiteral("yyyy-MM-dd")) : v.toString();
        if (f.Type == TFieldType::Text && f.Size > 0 && s.size() > f.Size) {
            error = QStringLiteral("текст длиннее %1 знаков").arg(f.Size);
            return std::nullopt;
        }
        return s;
    }
    case TFieldType::Date: {
        QDate d = v.typeId() == QMetaType::QDate ? v.toDate()
                  : v.typeId() == QMetaType::QDateTime ? v.toDateTime().date()
                                                       : QDate::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd"));
        if (!d.isValid()) {
            error = QStringLiteral("неверная дата \"%1\" (нужно гггг-мм-дд)").arg(v.toString());
            return std::nullopt;
        }
        return d.toString(QStringLiteral("yyyy-MM-dd"));
    }
    case TFieldType::Logical: {
        if (v.typeId() == QMetaType::Bool)
            return v.toBool() ? 1 : 0;
        const QString t = fromText ? text.trimmed() : v.toString();
        if (t == QLatin1String("1") || t == QLatin1String("0"))
            return t.toInt();
        error = QStringLiteral("неверное логическое значение \"%1\" (нужно 1 или 0)").arg(t);
        return std::nullopt;
    }
    default: break;
    }
    bool ok = false;
    double d = fromText || v.typeId() == QMetaType::QString ? text.trimmed().toDouble(&ok) : v.toDouble(&ok);
    if (!ok && !fromText && v.typeId() == QMetaType::QString)
        d = v.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d)) {
        error = QStringLiteral("\"%1\" не число").arg(v.toString());
        return std::nullopt;
    }
    if (f.Type == TFieldType::Decimal || f.Type == TFieldType::Money) {
        const double scale = std::pow(10.0, f.Type == TFieldType::Money ? 4 : f.Decimals);
        return std::round(d * scale) / scale;
    }
    if (d != std::floor(d)) {
        error = QStringLiteral("\"%1\" не целое число").arg(v.toString());
        return std::nullopt;
    }
    const double limit = f.Type == TFieldType::Int16 ? 32767.0 : 2147483647.0;
    if (d > limit || d < -limit - 1) {
        error = QStringLiteral("%1 вне допустимого диапазона").arg(v.toString());
        return std::nullopt;
    }
    return static_cast<qint64>(d);
}

// Rows of one source table mapped onto the schema's columns.
class TTableWriter
{
public:
    TTableWriter(TDatabase& db, const TTableDef& def) : Db(db), Def(def)
    {
        QStringList cols, marks;
        for (const auto& f : def.Fields) {
            cols.append(TDatabase::Quote(f.Name));
            marks.append(QStringLiteral("?"));
        }
        Insert = QSqlQuery(db.Handle());
        if (!Insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(TDatabase::Quote(def.Name), cols.join(QStringLiteral(", ")),
                                     marks.join(QStringLiteral(", ")))))
            throw TError(Insert.lastError().text());
        AutoNext.assign(static_cast<size_t>(def.Fields.size()), 1);
    }

    // Maps the source columns; returns the ones the schema does not know.
    QStringList MapColumns(const QStringList& names)
    {
        QStringList unknown;
        Source.clear();
        for (const QString& n : names) {
            const int c = Def.FieldIndex(n.trimmed());
            Source.push_back(c);
            if (c < 0)
                unknown.append(n);
        }
        return unknown;
    }

    // `where` names the file and row for messages.
    void Add(const QList<QVariant>& values, const QString& where)
    {
        std::vector<QVariant> row(static_cast<size_t>(Def.Fields.size()));
        if (values.size() > static_cast<qsizetype>(Source.size()))
            throw TError(QStringLiteral("%1: значений больше, чем столбцов в заголовке").arg(where));
        for (qsizetype i = 0; i < values.size(); ++i) {
            const int c = Source[static_cast<size_t>(i)];
            if (c < 0)
                continue;
            QString error;
            const auto v = Convert(Def.Fields[c], values[i], error);
            if (!v)
                throw TError(QStringLiteral("%1, столбец %2: %3").arg(where, Def.Fields[c].Name, error));
            row[static_cast<size_t>(c)] = *v;
        }
        for (size_t c = 0; c < row.size(); ++c) {
            const TFieldDef& f = Def.Fields[static_cast<qsizetype>(c)];
            if (f.Type == TFieldType::AutoInc) {
                // A row without its number gets the next one, as the store numbers new rows.
                if (row[c].isNull())
                    row[c] = AutoNext[c];
                AutoNext[c] = std::max(AutoNext[c], row[c].toLongLong() + 1);
            }
            if (row[c].isNull())
                Insert.addBindValue(QVariant(QMetaType(IsTextType(f.Type) || f.Type == TFieldType::Date
                                                           ? QMetaType::QString
                                                           : QMetaType::Double)));
            else
                Insert.addBindValue(row[c]);
        }
        if (!Insert.exec())
            throw TError(QStringLiteral("%1: %2").arg(where, Insert.lastError().databaseText()));
        ++Count;
    }

    int Count = 0;

private:
    TDatabase& Db;
    const TTableDef& Def;
    QSqlQuery Insert;
    std::vector<int> Source;
    std::vector<qint64> AutoNext;
};

void ImportCsv(const QString& path, TTableWriter& writer, TImportReport& report, const QString& table)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    TCsvReader reader(file.readAll(), QDir::toNativeSeparators(path));
    QStringList cells;
    if (!reader.Next(cells))
        throw TError(QStringLiteral("%1: нет строки заголовка").arg(reader.FileName()));
    for (const QString& u : writer.MapColumns(cells))
        report.Warnings.append(QStringLiteral("%1: неизвестный столбец %2 пропущен").arg(table, u));
    while (reader.Next(cells)) {
        if (cells.size() == 1 && cells.first().isEmpty())
            continue; // a blank line, such as the last line of many editors
        QList<QVariant> values(cells.begin(), cells.end());
        writer.Add(values, QStringLiteral("%1, строка %2").arg(reader.FileName()).arg(reader.Line()));
    }
}

void ImportParadox(const QString& path, int codepage, TTableWriter& writer, TImportReport& report, const QString& table)
{
    TParadoxTable source(path, codepage);
    QStringList names;
    for (const auto& f : source.Fields())
        names.append(f.Name);
    for (const QString& u : writer.MapColumns(names))
        report.Warnings.append(QStringLiteral("%1: неизвестный столбец %2 пропущен").arg(table, u));
    for (int r = 0; r < source.RecordCount(); ++r) {
        QList<QVariant> values = source.Record(r);
        for (QVariant& v : values)
            if (v.typeId() == QMetaType::QTime)
                v = v.toTime().toString(QStringLiteral("HH:mm:ss"));
        writer.Add(values, QStringLiteral("%1, запись %2").arg(QDir::toNativeSeparators(path)).arg(r + 1));
    }
}
} // namespace

TImportReport ImportCatalog(const QString& fromDir, const QString& toDir, int codepage, const TImportProgress& progress)
{
    const QDir from(fromDir);
    if (!from.exists())
        throw TError(QStringLiteral("Папка %1 не найдена").arg(QDir::toNativeSeparators(fromDir)));
    struct TSource { const TTableDef* Def; QString Path; bool Paradox; };
    std::vector<TSource> sources;
    TImportReport report;
    for (const auto& def : CatalogTableDefs()) {
        const QString db = FindFile(from, def.Name + QStringLiteral(".db"));
        const QString csv = FindFile(from, def.Name + QStringLiteral(".csv"));
        if (!db.isEmpty())
            sources.push_back({&def, db, true});
        else if (!csv.isEmpty())
            sources.push_back({&def, csv, false});
        else
            report.Missing.append(def.FileName);
        if (!db.isEmpty() && !csv.isEmpty())
            report.Warnings.append(QStringLiteral("%1: взята таблица Paradox, файл %2 пропущен")
                                       .arg(def.Name, QFileInfo(csv).fileName()));
    }
    if (sources.empty())
        throw TError(QStringLiteral("В папке %1 нет таблиц каталога").arg(QDir::toNativeSeparators(fromDir)));

    QDir().mkpath(toDir);
    const QString target = QDir(toDir).filePath(QString::fromLatin1(CatalogStoreFile));
    const QString building = target + QStringLiteral(".new");
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")})
        QFile::remove(building + suffix);
    {
        TDatabase db(QStringLiteral("OMDB_CatalogImport"));
        try {
            db.Open(building, true);
            db.Exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
            db.BeginTransaction();
            for (size_t i = 0; i < sources.size(); ++i) {
                const TSource& s = sources[i];
                if (progress)
                    progress(s.Def->Name, static_cast<int>(i), static_cast<int>(sources.size()));
                db.EnsureTable(*s.Def);
                TTableWriter writer(db, *s.Def);
                if (s.Paradox)
                    ImportParadox(s.Path, codepage, writer, report, s.Def->Name);
                else
                    ImportCsv(s.Path, writer, report, s.Def->Name);
                report.Tables.append(QStringLiteral("%1: %2").arg(s.Def->Name).arg(writer.Count));
                ++report.Imported;
            }
            db.Commit();
            db.Close();
        } catch (...) {
            db.Rollback();
            db.Close();
            QFile::remove(building);
            throw;
        }
    }
    // The old store's journal files belong to the old contents; the rename itself is atomic.
    std::error_code ec;
    QFile::remove(target + QStringLiteral("-wal"));
    QFile::remove(target + QStringLiteral("-shm"));
    std::filesystem::rename(QFile::encodeName(building).toStdString(), QFile::encodeName(target).toStdString(), ec);
    if (ec) {
        QFile::remove(building);
        throw TError(QStringLiteral("Не удалось заменить %1: %2")
                         .arg(QDir::toNativeSeparators(target), QString::fromLocal8Bit(ec.message().c_str())));
    }
    return report;
}

bool CatalogNeedsImport(const QString& catalogDir)
{
    const QDir dir(catalogDir);
    if (QFileInfo::exists(dir.filePath(QString::fromLatin1(CatalogStoreFile))))
        return false;
    for (const auto& def : CatalogTableDefs())
        if (!FindFile(dir, def.Name + QStringLiteral(".db")).isEmpty())
            return true;
    return false;
}
