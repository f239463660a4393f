#include <QApplication>

#include "config/dm_startup.h"
#include "config/startup.h"
#include "engine/fittings_engine.h"
#include "windows/qt_messages.h"
#include "windows/qt_startup_shell.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Diravir ФУРНИТУРА"));
    QApplication::setApplicationVersion(QStringLiteral(DIRAVIR_VERSION));
    // The frame ends the run itself; dialogs shown before it must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    // The model calculates through whichever engine is registered; the application uses the real one.
    RegisterFittingsEngine();

    TQtMessages messages;
    InstallMessageHandler(&messages);
    int rc = 0;
    {
        TQtStartupShell shell;
        TDMStartupDatabase database;
        TStartup startup(shell, database);
        rc = startup.Run(QApplication::arguments()) ? 0 : 1;
    }
    InstallMessageHandler(nullptr);
    return rc;
}
