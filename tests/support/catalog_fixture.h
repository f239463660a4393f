#pragma once

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "catalog/catalog_import.h"
#include "catalog/data_module.h"
#include "support/scripted_messages.h"

// The small test catalogue imported into a fresh folder, connected and opened.
class TCatalogFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        ImportCatalog(QStringLiteral(DIRAVIR_TEST_DATA_DIR "/catalog_min"), Dir.filePath(QStringLiteral("cat")));
        Dm.Connect(Dir.filePath(QStringLiteral("cat")), Dir.filePath(QStringLiteral("server/Registry")),
                   Dir.filePath(QStringLiteral("reports")));
        Dm.OpenCatalogTables();
        TScriptedMessages::Current().Clear();
    }

    // What the store holds now, read back from disk.
    QStringList Stored(TTable& table, const QString& field)
    {
        table.Refresh();
        QStringList values;
        table.DisableControls();
        for (table.First(); !table.Eof(); table.Next())
            values << table.FieldByName(field).AsString();
        table.EnableControls();
        return values;
    }

    QTemporaryDir Dir;
    TDM Dm;
};
