#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class TTable;
class TDM;

// The catalogue data module the engine reads; raises TError when none has been created.
TDM& EngineCatalog();

// Asked when several articles fit an element. The table is filtered to the candidates; the row
// under the cursor when Choose returns is the one taken, whatever the answer.
class TArticleChooser
{
public:
    virtual ~TArticleChooser() = default;
    virtual bool Choose(TTable& table, const QString& keyField, const QStringList& columns, const QString& caption,
                        const QString& prompt) = 0;
};

// Takes the row the cursor is on: the first candidate.
class TFirstRowChooser final : public TArticleChooser
{
public:
    bool Choose(TTable&, const QString&, const QStringList&, const QString&, const QString&) override { return true; }
};

// For tools that run without a user: several fitting articles are an error naming them.
class TRefusingChooser final : public TArticleChooser
{
public:
    bool Choose(TTable& table, const QString& keyField, const QStringList& columns, const QString& caption,
                const QString& prompt) override;
};

// The chooser in force (not owned); nullptr restores the default, which takes the first row.
void SetArticleChooser(TArticleChooser* chooser);
TArticleChooser& ArticleChooser();

// Debug mode of the settings (switched by the main window): every line is added separately, with
// its history. A source set here replaces the settings object, for tools and tests.
void SetDebugModeSource(std::function<bool()> source);
bool EngineDebugMode();
