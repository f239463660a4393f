#pragma once

#include <QMessageBox>

#include "foundation/messages.h"

// The application's message boxes, question dialog and wait cursors on Qt widgets.
// Installed by the application's main; tests install it to check the real boxes.
class TQtMessages final : public TMessageHandler
{
public:
    void Error(const QString& text) override;
    void Warning(const QString& text) override;
    void Information(const QString& text) override;
    bool Confirm(const QString& text) override;
    bool ConfirmOrAbort(const QString& text) override;
    int Question(const QString& text, const QString& button1, const QString& button2,
                 const QString& caption) override;

    // The hourglass or the database-wait cursor; a second begin changes the shape only, and one
    // end always brings back the cursor from before the first begin.
    void BeginWait(TWaitCursor kind) override;
    void EndWait() override;
    bool Waiting() const { return WaitShown; }

private:
    int RunBox(QMessageBox::Icon icon, const char* caption, const QString& text,
               QMessageBox::StandardButtons buttons, QMessageBox::StandardButton escape);
    bool WaitShown = false;
};

// Replaces a wait cursor in force by the arrow while a modal box is up.
class TArrowWhileModal
{
public:
    TArrowWhileModal();
    ~TArrowWhileModal();
    TArrowWhileModal(const TArrowWhileModal&) = delete;
    TArrowWhileModal& operator=(const TArrowWhileModal&) = delete;

private:
    bool Pushed = false;
};

// Box texts keep the system's "\r\n" line breaks; the widgets want plain "\n".
QString DisplayText(const QString& text);
