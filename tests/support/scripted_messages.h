#pragma once

#include <QString>
#include <QStringList>
#include <deque>

#include "foundation/messages.h"

// Records every box the code under test shows and answers questions from a script.
// Installed for the whole test run by the test main; tests reach it through TScriptedMessages::Current().
class TScriptedMessages final : public TMessageHandler
{
public:
    struct TShown
    {
        QString Kind; // "Error", "Warning", "Information", "Confirm", "ConfirmOrAbort", "Question"
        QString Text;
    };

    TScriptedMessages();
    ~TScriptedMessages() override;
    static TScriptedMessages& Current();

    void Error(const QString& text) override;
    void Warning(const QString& text) override;
    void Information(const QString& text) override;
    bool Confirm(const QString& text) override;
    bool ConfirmOrAbort(const QString& text) override;
    int Question(const QString& text, const QString& button1, const QString& button2,
                 const QString& caption) override;

    // Answers for the next questions, in order; when the script is empty Confirm answers true
    // and Question answers 1.
    void Answer(int answer) { Answers.push_back(answer); }
    void Clear();
    const std::deque<TShown>& Shown() const { return ShownBoxes; }
    QStringList Texts() const;

private:
    int Next(int fallback);
    std::deque<TShown> ShownBoxes;
    std::deque<int> Answers;
};
