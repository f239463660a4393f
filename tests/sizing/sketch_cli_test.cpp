#include <gtest/gtest.h>

#include "model/order.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {
struct TRun
{
    int Code = -1;
    QString Err;
};

TRun RunCli(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(DIRAVIR_CLI_PATH), QStringList{QStringLiteral("sketch")} + args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}
} // namespace

TEST(SketchCommand, WritesPngAndPdfOfAPosition)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString orderFile = dir.filePath(QStringLiteral("order.kfo370"));
    {
        TokfOrder order;
        TokfConstruction& arch = order.AddPosition();
        arch.PosNo = QStringLiteral("002");
        arch.Arrangement = arSingle;
        arch.BuildOutline({1200, 1600, 7, 339, 0, 700, 700}, 201);
        ASSERT_TRUE(order.SaveToFile(orderFile));
    }

    const QString png = dir.filePath(QStringLiteral("arch.png"));
    const QString pdf = dir.filePath(QStringLiteral("arch.pdf"));
    const TRun run = RunCli({orderFile, QStringLiteral("002"), QStringLiteral("--png"), png, QStringLiteral("--pdf"), pdf,
                             QStringLiteral("--size"), QStringLiteral("300x400"), QStringLiteral("--options"),
                             QStringLiteral("0,1")});
    EXPECT_EQ(run.Code, 0) << run.Err.toStdString();
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(300, 400));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF-"));

    // Failures: an unknown position names the ones there are; wrong usage is told apart.
    const TRun missing = RunCli({orderFile, QStringLiteral("001"), QStringLiteral("--png"), png});
    EXPECT_EQ(missing.Code, 1);
    EXPECT_TRUE(missing.Err.contains(QStringLiteral("002"))) << missing.Err.toStdString();
    EXPECT_EQ(RunCli({orderFile, QStringLiteral("002")}).Code, 2);
    EXPECT_EQ(RunCli({orderFile, QStringLiteral("002"), QStringLiteral("--png"), png, QStringLiteral("--options"),
                      QStringLiteral("3")}).Code, 2);
    EXPECT_EQ(RunCli({orderFile, QStringLiteral("002"), QStringLiteral("--png"), png, QStringLiteral("--size"),
                      QStringLiteral("10x10")}).Code, 2);
    EXPECT_EQ(RunCli({dir.filePath(QStringLiteral("none.kfo370")), QStringLiteral("002"), QStringLiteral("--png"), png}).Code, 1);
}
