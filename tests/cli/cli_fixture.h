#pragma once

#include <gtest/gtest.h>

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// diravir-cli run as a process on a demo configuration registered in a temporary registry.
struct TCliRun
{
    int Exit = -1;
    QString Out;
    QString Err;
};

class CliTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    static TCliRun Run(const QStringList& args);
    // A file in the suite's work folder.
    static QString Work(const QString& name);
    static QString WriteFile(const QString& name, const QByteArray& bytes);
    static QString ReferenceOrder(const QString& name);
    static QJsonObject ParseJson(const QString& text);

private:
    static std::unique_ptr<QTemporaryDir> Dir;
};
