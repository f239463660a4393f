#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// A subcommand of diravir-cli. Each command file registers itself with a static TCliCommand,
// so a new command needs no edit of the dispatcher.
// Exit codes: 0 success, 1 a failure the system reports, 2 wrong usage.
struct TCliCommand
{
    using THandler = std::function<int(const QStringList& args)>;
    TCliCommand(QString name, QString usage, THandler handler);
};

struct TCliCommandInfo
{
    QString Name;  // may hold a blank: "paradox dump", "order build"
    QString Usage; // one line shown by "diravir-cli help"
    TCliCommand::THandler Handler;
};
const std::vector<TCliCommandInfo>& CliCommands();

// Prints to standard output or standard error as UTF-8, "\r\n" as a line break.
void PrintOut(const QString& text);
void PrintErr(const QString& text);
