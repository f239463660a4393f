#pragma once

#include <QString>

// The system's modal questions and notices. The core never shows a window itself: it calls the
// installed handler, which is the Qt dialogs in the application, a printing handler in the
// command-line tool and a scripted one in tests.
enum class TWaitCursor { Hourglass, Database };

class TMessageHandler
{
public:
    virtual ~TMessageHandler() = default;

    virtual void Error(const QString& text) = 0;
    virtual void Warning(const QString& text) = 0;
    virtual void Information(const QString& text) = 0;
    // OK and Cancel; true when OK was pressed.
    virtual bool Confirm(const QString& text) = 0;
    // OK and Abort; true when OK was pressed.
    virtual bool ConfirmOrAbort(const QString& text) = 0;
    // Two buttons with their captions: 1 for the first, 2 for the second, 0 when closed otherwise.
    virtual int Question(const QString& text, const QString& button1, const QString& button2,
                         const QString& caption) = 0;

    virtual void BeginWait(TWaitCursor) {}
    virtual void EndWait() {}
};

// The handler in force; never null (a printing handler writes to standard error by default).
TMessageHandler& Messages();
// Installs a handler (not owned); nullptr restores the default printing handler.
void InstallMessageHandler(TMessageHandler* handler);

void ShowError(const QString& text);
// The error box with detail: the text, a line break, "[", the detail, "]".
void ShowErrorDetail(const QString& text, const QString& detail);
void ShowWarning(const QString& text);
void ShowInformation(const QString& text);
bool ShowConfirm(const QString& text);
bool ShowConfirmOrAbort(const QString& text);
// TBtnDlg2: 1 for the first button, 2 for the second, 0 when closed otherwise.
int BtnDlg2(const QString& text, const QString& button1, const QString& button2, const QString& caption);

void BeginWait();
void BeginDbWait();
void EndWait();

// The captions of the four boxes.
inline constexpr const char* ErrorCaption = "Error";
inline constexpr const char* WarningCaption = "Warning";
inline constexpr const char* InformationCaption = "Information";
inline constexpr const char* ConfirmCaption = "Confirm";
