#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/cli/command.h"
#include "foundation/error.h"

namespace {
std::vector<TCliCommandInfo>& Registry()
{
    static std::vector<TCliCommandInfo> commands;
    return commands;
}

void Write(FILE* to, QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), to);
}

// Standard error carries the system's messages for callers that read them; Qt's own notes (for
// example about the offscreen platform's runtime folder) would only be noise there.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg || qEnvironmentVariableIsSet("DIRAVIR_QT_MESSAGES"))
        PrintErr(text + QLatin1Char('\n'));
}

int Usage()
{
    QString text = QStringLiteral("usage: diravir-cli COMMAND [ARGS]\n\ncommands:\n");
    for (const auto& c : Registry())
        text += QStringLiteral("  ") + c.Usage + QLatin1Char('\n');
    PrintErr(text);
    return 2;
}
} // namespace

TCliCommand::TCliCommand(QString name, QString usage, THandler handler)
{
    Registry().push_back({std::move(name), std::move(usage), std::move(handler)});
}

const std::vector<TCliCommandInfo>& CliCommands() { return Registry(); }
void PrintOut(const QString& text) { Write(stdout, text); }
void PrintErr(const QString& text) { Write(stderr, text); }

int main(int argc, char** argv)
{
    // Sketches paint text on images, which needs a GUI application; it runs without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QtMessages);
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("help") || args.first() == QLatin1String("--help"))
        return Usage();

    // The longest registered name that the arguments start with wins ("order build" over "order").
    const TCliCommandInfo* chosen = nullptr;
    qsizetype words = 0;
    for (const auto& c : Registry()) {
        const QStringList parts = c.Name.split(QLatin1Char(' '));
        if (parts.size() <= args.size() && args.mid(0, parts.size()) == parts && parts.size() > words) {
            chosen = &c;
            words = parts.size();
        }
    }
    if (!chosen)
        return Usage();
    try {
        return chosen->Handler(args.mid(words));
    } catch (const std::exception& e) {
        PrintErr(ErrorText(e) + QLatin1Char('\n'));
        return 1;
    }
}
