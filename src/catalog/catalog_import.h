#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// What an import did: one line per imported table ("FrnArt: 1234"), warnings about columns the
// schema does not know, and the catalogue tables that the source folder lacks.
struct TImportReport
{
    QStringList Tables;
    QStringList Warnings;
    QStringList Missing;
    int Imported = 0;
};

// Called before each table with its name, its number (from 0) and the number of tables found.
using TImportProgress = std::function<void(const QString& table, int index, int count)>;

// Imports every catalogue table found in `fromDir`, as a Paradox file (<table>.DB, any letter
// case) or as <table>.csv, into Catalog.sqlite in `toDir`. The new store is built beside the old
// one and replaces it only when every table went in, so a failure leaves the previous catalogue
// as it was. `codepage` is used for Paradox tables whose header names none (0: Windows-1251).
// Fails with TError naming the file (and the line, for CSV).
TImportReport ImportCatalog(const QString& fromDir, const QString& toDir, int codepage = 0,
                            const TImportProgress& progress = {});

// True when the folder holds Paradox catalogue tables but no Catalog.sqlite yet: the start-up
// imports such a folder before it connects.
bool CatalogNeedsImport(const QString& catalogDir);
