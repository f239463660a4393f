#include "platform/db/database.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "foundation/error.h"

namespace {
QAtomicInt ConnectionCounter;

QString EngineText(const QSqlError& e)
{
    QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return text.trimmed();
}
} // namespace

TDatabase::TDatabase(QString alias) : AliasName(std::move(alias))
{
    ConnectionName = QStringLiteral("%1#%2").arg(AliasName).arg(ConnectionCounter.fetchAndAddRelaxed(1));
}

TDatabase::~TDatabase() { Close(); }

void TDatabase::Open(const QString& filePath, bool create)
{
    Close();
    if (!create && !QFileInfo::exists(filePath))
        throw TError(QStringLiteral("Файл базы данных не найден: %1").arg(filePath));
    Db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ConnectionName);
    Db.setDatabaseName(filePath);
    Db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!Db.open()) {
        const QString text = EngineText(Db.lastError());
        Close();
        throw TError(QStringLiteral("Ошибка подключения к базе данных %1 (%2)\r\n(%3)").arg(AliasName, filePath, text));
    }
    Path = filePath;
    // A read-only folder refuses WAL; the database is still readable then.
    QSqlQuery q(Db);
    q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    q.exec(QStringLiteral("PRAGMA busy_timeout=5000"));
    // A file that is no database shows itself only at the first read.
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        const QString text = EngineText(q.lastError());
        q = QSqlQuery();
        Close();
        throw TError(QStringLiteral("Ошибка подключения к базе данных %1 (%2)\r\n(%3)").arg(AliasName, filePath, text));
    }
}

void TDatabase::Close()
{
    if (Db.isValid()) {
        Db.close();
        Db = QSqlDatabase();
        QSqlDatabase::removeDatabase(ConnectionName);
    }
    Path.clear();
}

bool TDatabase::HasTable(const QString& name)
{
    QSqlQuery q(Db);
    q.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"));
    q.addBindValue(name);
    return q.exec() && q.next();
}

QStringList TDatabase::Columns(const QString& table)
{
    QStringList names;
    const QSqlRecord rec = Db.record(table);
    for (int i = 0; i < rec.count(); ++i)
        names.append(rec.fieldName(i));
    return names;
}

QString TDatabase::Quote(const QString& name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString TDatabase::SqlType(TFieldType type)
{
    switch (type) {
    case TFieldType::Text:
    case TFieldType::Memo:
    case TFieldType::Date: return QStringLiteral("TEXT");
    case TFieldType::Decimal:
    case TFieldType::Money: return QStringLiteral("REAL");
    default: return QStringLiteral("INTEGER");
    }
}

void TDatabase::EnsureTable(const TTableDef& def)
{
    if (HasTable(def.Name))
        return;
    QStringList cols;
    for (const auto& f : def.Fields)
        cols.append(Quote(f.Name) + QLatin1Char(' ') + SqlType(f.Type));
    Exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(Quote(def.Name), cols.join(QStringLiteral(", "))));
    for (const auto& index : def.Indexes) {
        QStringList fields;
        for (const auto& f : index.Fields)
            fields.append(Quote(f) + (index.CaseInsensitive ? QStringLiteral(" COLLATE NOCASE") : QString()));
        const QString name = def.Name + QLatin1Char('_') + (index.Primary ? QStringLiteral("PK") : index.Name);
        Exec(QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                 .arg(index.Primary ? QStringLiteral("UNIQUE ") : QString(), Quote(name), Quote(def.Name),
                      fields.join(QStringLiteral(", "))));
    }
}

void TDatabase::Exec(const QString& sql)
{
    QSqlQuery q(Db);
    if (!q.exec(sql))
        throw TError(EngineText(q.lastError()));
}

void TDatabase::BeginTransaction()
{
    if (!Db.transaction())
        throw TError(EngineText(Db.lastError()));
}

void TDatabase::Commit()
{
    if (!Db.commit())
        throw TError(EngineText(Db.lastError()));
}

void TDatabase::Rollback() { Db.rollback(); }
