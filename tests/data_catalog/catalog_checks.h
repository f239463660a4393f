#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include "catalog/demo_csv.h"

// The CSV catalogue of a folder, read once, with the cross-table checks that any catalogue we
// ship or generate must pass.
class TCatalogFolder
{
public:
    explicit TCatalogFolder(const QString& dir);
    const TDemoCsvTable& Table(const QString& name) const;
    // Every value of a column (empty values included).
    QSet<QString> Values(const QString& table, const QString& column) const;
    // A list of problems, one line each; empty when the catalogue is consistent.
    QStringList Problems() const;

private:
    QHash<QString, TDemoCsvTable> Tables;
};
