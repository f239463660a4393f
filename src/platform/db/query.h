#pragma once

#include <QStringList>

#include "platform/db/table.h"

// A query object: SQL text run on one database, its result held in memory like a table, with
// cached updates (edits never reach the store). Table references written in the engine's form
// ":OMDB_Report:Report.db" are read as the stored table of that name ("Report").
class TQuery : public TTable
{
    Q_OBJECT
public:
    explicit TQuery(QObject* parent = nullptr);

    // The statement as lines; set while closed.
    void SetSQL(const QStringList& lines) { Lines = lines; }
    const QStringList& SQL() const { return Lines; }
    // The lines joined with line breaks, as messages show them.
    QString SQLText() const { return Lines.join(QStringLiteral("\r\n")); }

protected:
    void CheckStore() override {}
    void LoadRows() override;

private:
    QStringList Lines;
};
