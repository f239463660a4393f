#include "cli/cli_fixture.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>

std::unique_ptr<QTemporaryDir> CliTest::Dir;

void CliTest::SetUpTestSuite()
{
    Dir = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(Dir->isValid());
    // The demo settings go in first: the installer keeps a settings file it finds.
    ASSERT_TRUE(QDir().mkpath(Work(QStringLiteral("root/Catalog"))));
    ASSERT_TRUE(QFile::copy(QStringLiteral(DIRAVIR_DATA_DIR "/OKFurniture.ini"),
                            Work(QStringLiteral("root/Catalog/OKFurniture.ini"))));
    const TCliRun install = Run({QStringLiteral("install"), QStringLiteral("--config"), QStringLiteral("Демо"),
                                 QStringLiteral("--root"), Work(QStringLiteral("root")), QStringLiteral("--catalog-from"),
                                 QStringLiteral(DIRAVIR_DATA_DIR "/catalog"), QStringLiteral("--default")});
    ASSERT_EQ(install.Exit, 0) << install.Err.toStdString();
}

void CliTest::TearDownTestSuite()
{
    Dir.reset();
}

QString CliTest::Work(const QString& name)
{
    return Dir->filePath(name);
}

QString CliTest::WriteFile(const QString& name, const QByteArray& bytes)
{
    QFile file(Work(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

QString CliTest::ReferenceOrder(const QString& name)
{
    return QStringLiteral(DIRAVIR_DATA_DIR "/orders/") + name;
}

QJsonObject CliTest::ParseJson(const QString& text)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text.left(400).toStdString();
    return doc.object();
}

TCliRun CliTest::Run(const QStringList& args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DIRAVIR_REGISTRY"), Work(QStringLiteral("registry.ini")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(Dir->path());
    process.start(QStringLiteral(DIRAVIR_CLI_PATH), args);
    TCliRun run;
    if (!process.waitForFinished(180000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.Exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.Out = QString::fromUtf8(process.readAllStandardOutput());
    run.Err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
