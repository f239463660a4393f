#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The catalogue tables in the order the generator writes them.
const QStringList& DemoCatalogTables();

// What a scaled catalogue holds: the number of copies of the demo systems and the rows per table.
struct TScaledCatalogReport
{
    int Copies = 0;
    QList<QPair<QString, qint64>> Rows;
    qint64 RowsOf(const QString& table) const;
};

// Writes into `targetDir` a catalogue of the demo's structure made of copies of the demo's
// fittings systems: copy 0 is the demo itself, copy c gets system codes shifted by c * 1000,
// every complect, element and article code suffixed with ".c" and prices raised by (c mod 10) %.
// Reference data (colours, currencies, price groups, parameters, properties) is shared.
// One unit of scale is as many copies as it takes to reach 1,000 FrnArt rows, so scale N
// holds at least N * 1,000 FrnArt rows. Fails with TError (unreadable source, unwritable target,
// a scale below 1).
TScaledCatalogReport GenerateScaledCatalog(const QString& sourceDir, int scale, const QString& targetDir);

// The shipped demo catalogue (data/catalog) near the executable or the current folder; empty
// when none is found.
QString FindDemoCatalogDir();
