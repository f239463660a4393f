#pragma once

#include <QList>
#include <QString>

#include "platform/db/field_def.h"

// The stored tables of the three databases: the maker's catalogue, the order registry and the
// report list. Store names drop the ".DB" of the Paradox file names that messages show.
const QList<TTableDef>& CatalogTableDefs();
const TTableDef& OrderListTableDef();
const TTableDef& ReportTableDef();
// A catalogue table by store name or Paradox file name, any letter case; nullptr when unknown.
const TTableDef* FindCatalogTableDef(const QString& name);

// The file names of the three stores inside their folders.
inline const char* const CatalogStoreFile = "Catalog.sqlite";
inline const char* const RegistryStoreFile = "Registry.sqlite";
inline const char* const ReportStoreFile = "Report.sqlite";
