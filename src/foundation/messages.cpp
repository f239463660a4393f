#include "foundation/messages.h"

#include <cstdio>

namespace {

// Headless default: every notice goes to standard error, every question takes its safe answer.
class TPrintingMessages final : public TMessageHandler
{
public:
    void Error(const QString& text) override { Print(ErrorCaption, text); }
    void Warning(const QString& text) override { Print(WarningCaption, text); }
    void Information(const QString& text) override { Print(InformationCaption, text); }
    bool Confirm(const QString& text) override
    {
        Print(ConfirmCaption, text);
        return false;
    }
    bool ConfirmOrAbort(const QString& text) override
    {
        Print(ConfirmCaption, text);
        return false;
    }
    int Question(const QString& text, const QString&, const QString&, const QString& caption) override
    {
        Print(caption, text);
        return 0;
    }

private:
    static void Print(const QString& caption, const QString& text)
    {
        QString shown = text;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        std::fprintf(stderr, "%s: %s\n", caption.toLocal8Bit().constData(), shown.toLocal8Bit().constData());
    }
};

TPrintingMessages DefaultHandler;
TMessageHandler* Installed = nullptr;

} // namespace

TMessageHandler& Messages() { return Installed ? *Installed : DefaultHandler; }
void InstallMessageHandler(TMessageHandler* handler) { Installed = handler; }

void ShowError(const QString& text) { Messages().Error(text); }
void ShowErrorDetail(const QString& text, const QString& detail)
{
    Messages().Error(text + QStringLiteral("\r\n[") + detail + QStringLiteral("]"));
}
void ShowWarning(const QString& text) { Messages().Warning(text); }
void ShowInformation(const QString& text) { Messages().Information(text); }
bool ShowConfirm(const QString& text) { return Messages().Confirm(text); }
bool ShowConfirmOrAbort(const QString& text) { return Messages().ConfirmOrAbort(text); }
int BtnDlg2(const QString& text, const QString& button1, const QString& button2, const QString& caption)
{
    return Messages().Question(text, button1, button2, caption);
}

void BeginWait() { Messages().BeginWait(TWaitCursor::Hourglass); }
void BeginDbWait() { Messages().BeginWait(TWaitCursor::Database); }
void EndWait() { Messages().EndWait(); }
