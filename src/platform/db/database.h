#pragma once

#include <QSqlDatabase>
#include <QString>

#include "platform/db/field_def.h"

// One database connection: a SQLite file reached through Qt SQL. The alias is the name under
// which the system knows the database (OMDB_Catalog, ...); the connection is closed when created.
class TDatabase
{
public:
    explicit TDatabase(QString alias);
    ~TDatabase();
    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;

    const QString& Alias() const { return AliasName; }
    const QString& FilePath() const { return Path; }
    bool Connected() const { return Db.isValid() && Db.isOpen(); }

    // Opens the file; a missing file fails unless `create` is true. WAL journal and a busy
    // timeout let two running copies share one file. Fails with TError naming the file.
    void Open(const QString& filePath, bool create);
    void Close();

    QSqlDatabase& Handle() { return Db; }

    bool HasTable(const QString& name);
    QStringList Columns(const QString& table);
    // Creates the table with its indexes when the store lacks it.
    void EnsureTable(const TTableDef& def);
    void Exec(const QString& sql);

    void BeginTransaction();
    void Commit();
    void Rollback();

    static QString Quote(const QString& name);
    static QString SqlType(TFieldType type);

private:
    QString AliasName;
    QString ConnectionName;
    QString Path;
    QSqlDatabase Db;
};
