#include "support/scripted_messages.h"

namespace {
TScriptedMessages* Instance = nullptr;
}

TScriptedMessages::TScriptedMessages() { Instance = this; }
TScriptedMessages::~TScriptedMessages() { Instance = nullptr; }
TScriptedMessages& TScriptedMessages::Current() { return *Instance; }

void TScriptedMessages::Error(const QString& text) { ShownBoxes.push_back({QStringLiteral("Error"), text}); }
void TScriptedMessages::Warning(const QString& text) { ShownBoxes.push_back({QStringLiteral("Warning"), text}); }
void TScriptedMessages::Information(const QString& text)
{
    ShownBoxes.push_back({QStringLiteral("Information"), text});
}
bool TScriptedMessages::Confirm(const QString& text)
{
    ShownBoxes.push_back({QStringLiteral("Confirm"), text});
    return Next(1) != 0;
}
bool TScriptedMessages::ConfirmOrAbort(const QString& text)
{
    ShownBoxes.push_back({QStringLiteral("ConfirmOrAbort"), text});
    return Next(1) != 0;
}
int TScriptedMessages::Question(const QString& text, const QString&, const QString&, const QString&)
{
    ShownBoxes.push_back({QStringLiteral("Question"), text});
    return Next(1);
}

void TScriptedMessages::Clear()
{
    ShownBoxes.clear();
    Answers.clear();
}

QStringList TScriptedMessages::Texts() const
{
    QStringList texts;
    for (const auto& shown : ShownBoxes)
        texts << shown.Text;
    return texts;
}

int TScriptedMessages::Next(int fallback)
{
    if (Answers.empty())
        return fallback;
    const int answer = Answers.front();
    Answers.pop_front();
    return answer;
}
