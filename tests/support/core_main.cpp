#include <QGuiApplication>
#include <gtest/gtest.h>

#include "support/scripted_messages.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    TScriptedMessages messages;
    InstallMessageHandler(&messages);
    const int rc = RUN_ALL_TESTS();
    InstallMessageHandler(nullptr);
    return rc;
}
