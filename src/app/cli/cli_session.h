#pragma once

#include <QString>
#include <QStringList>
#include <memory>

// The common rules of the order, selection and demo commands: the options every one of them
// takes, the database configuration opened as at start-up, the system's messages printed to
// standard error and fixed answers to its questions.
struct TCliOptions
{
    QString ConfigName;         // --config NAME
    bool FailOnAlternatives = false; // --alternatives fail
    bool Convert = false;       // --convert
    bool DebugMode = false;     // --debug-mode
    bool Json = false;          // --json
    bool Csv = false;           // --csv
    QString Sort;               // --sort id|name
    QStringList Positional;
};

// Splits the arguments; false (after printing the usage line) on an unknown or incomplete option.
// `allowed` lists the output options the command accepts ("--json", "--csv", "--sort").
bool ParseCliOptions(const QStringList& args, const QStringList& allowed, const QString& usage, TCliOptions& options);
// The same for a command that takes exactly `positional` arguments besides its options.
bool ParseCliCommand(const QStringList& args, const QStringList& allowed, const QString& usage, qsizetype positional,
                     TCliOptions& options);

// While alive: messages printed, questions answered, the configuration's settings installed
// (never saved), the catalogue connected and the engine registered. Open() reports the failure
// itself and returns false.
class TCliSession
{
public:
    explicit TCliSession(const TCliOptions& options);
    ~TCliSession();
    TCliSession(const TCliSession&) = delete;
    TCliSession& operator=(const TCliSession&) = delete;

    bool Open();
    // True once any error or warning was printed.
    bool Reported() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> Impl;
};

// The usage failure: prints "usage: diravir-cli " + usage and returns 2.
int UsageError(const QString& usage);
