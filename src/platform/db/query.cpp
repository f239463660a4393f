#include "platform/db/query.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include "foundation/error.h"
#include "platform/db/database.h"

namespace {
TTableDef QueryDef()
{
    TTableDef def;
    def.Name = QStringLiteral("Query");
    def.FileName = QStringLiteral("Query");
    return def;
}
} // namespace

TQuery::TQuery(QObject* parent) : TTable(QueryDef(), parent) { SetCachedUpdates(true); }

void TQuery::LoadRows()
{
    static const QRegularExpression tableRef(QStringLiteral("\"\\s*:[^:\"]*:([^\":]+?)(?:\\.db)?\\s*\""),
                                             QRegularExpression::CaseInsensitiveOption);
    QString sql = Lines.join(QLatin1Char('\n'));
    sql.replace(tableRef, QStringLiteral("\"\\1\""));
    QSqlQuery q(DatabaseObject()->Handle());
    q.setForwardOnly(true);
    if (!q.exec(sql)) {
        const QSqlError e = q.lastError();
        throw TError((e.databaseText().isEmpty() ? e.text() : e.databaseText()).trimmed());
    }
    TTableDef def = QueryDef();
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i) {
        TFieldDef f;
        f.Name = rec.fieldName(i);
        switch (rec.field(i).metaType().id()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong: f.Type = TFieldType::Int32; break;
        case QMetaType::Double: f.Type = TFieldType::Decimal; f.Decimals = 4; break;
        default: f.Type = TFieldType::Text;
        }
        def.Fields.append(f);
    }
    ReplaceFields(def);
    LoadFrom(q, false, 0);
}
