#include "windows/qt_messages.h"

#include <QApplication>
#include <QPushButton>

#include "windows/btn_dlg2.h"

QString DisplayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

TArrowWhileModal::TArrowWhileModal()
{
    const QCursor* current = QApplication::overrideCursor();
    if (current && current->shape() != Qt::ArrowCursor) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        Pushed = true;
    }
}

TArrowWhileModal::~TArrowWhileModal()
{
    if (Pushed)
        QApplication::restoreOverrideCursor();
}

int TQtMessages::RunBox(QMessageBox::Icon icon, const char* caption, const QString& text,
                        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton escape)
{
    TArrowWhileModal arrow;
    QMessageBox box(icon, QString::fromLatin1(caption), DisplayText(text), buttons,
                    QApplication::activeWindow());
    box.setEscapeButton(escape);
    return box.exec();
}

void TQtMessages::Error(const QString& text)
{
    QApplication::beep();
    RunBox(QMessageBox::Critical, ErrorCaption, text, QMessageBox::Ok, QMessageBox::Ok);
}

void TQtMessages::Warning(const QString& text)
{
    QApplication::beep();
    RunBox(QMessageBox::Warning, WarningCaption, text, QMessageBox::Ok, QMessageBox::Ok);
}

void TQtMessages::Information(const QString& text)
{
    RunBox(QMessageBox::Information, InformationCaption, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool TQtMessages::Confirm(const QString& text)
{
    return RunBox(QMessageBox::Question, ConfirmCaption, text, QMessageBox::Ok | QMessageBox::Cancel,
                  QMessageBox::Cancel) == QMessageBox::Ok;
}

bool TQtMessages::ConfirmOrAbort(const QString& text)
{
    QApplication::beep();
    return RunBox(QMessageBox::Question, ConfirmCaption, text, QMessageBox::Ok | QMessageBox::Abort,
                  QMessageBox::Abort) == QMessageBox::Ok;
}

int TQtMessages::Question(const QString& text, const QString& button1, const QString& button2,
                          const QString& caption)
{
    QApplication::beep();
    TArrowWhileModal arrow;
    TBtnDlg2 dialog(text, button1, button2, caption, QApplication::activeWindow());
    return dialog.Run();
}

void TQtMessages::BeginWait(TWaitCursor kind)
{
    const Qt::CursorShape shape = kind == TWaitCursor::Database ? Qt::BusyCursor : Qt::WaitCursor;
    if (WaitShown)
        QApplication::changeOverrideCursor(shape);
    else
        QApplication::setOverrideCursor(shape);
    WaitShown = true;
}

void TQtMessages::EndWait()
{
    if (!WaitShown)
        return;
    QApplication::restoreOverrideCursor();
    WaitShown = false;
}
