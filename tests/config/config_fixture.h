#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "config/start_config.h"
#include "foundation/cp1251.h"
#include "foundation/formats.h"
#include "support/scripted_messages.h"

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// A temporary installation: its own registry file and folders for the catalogue and the server.
class ConfigFixture : public ::testing::Test
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        qputenv("DIRAVIR_REGISTRY", Path(QStringLiteral("registry.ini")).toLocal8Bit());
        TScriptedMessages::Current().Clear();
        Formats().Reset();
        Config = TStartConfig();
        Config.CatalogDir = Path(QStringLiteral("Catalog"));
        Config.ServerDir = Path(QStringLiteral("Server"));
        Config.ReportDir = Path(QStringLiteral("Report"));
        Config.DeriveFolders();
        QDir().mkpath(Config.CatalogDir);
    }
    void TearDown() override { qunsetenv("DIRAVIR_REGISTRY"); }

    QString Path(const QString& name) const { return QDir::toNativeSeparators(Dir.filePath(name)); }

    static void WriteFile(const QString& path, const QString& text)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QString crlf = text;
        crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        f.write(ToCp1251(crlf));
    }
    static QString ReadFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? FromCp1251(f.readAll()) : QString();
    }

    QTemporaryDir Dir;
    TStartConfig Config;
};
