#pragma once

#include <QDialog>

class QPushButton;

// A question with two captioned buttons: 1 for the first, 2 for the second, 0 when the dialog
// is closed any other way (Escape, the title bar's close button).
class TBtnDlg2 : public QDialog
{
    Q_OBJECT
public:
    TBtnDlg2(const QString& text, const QString& button1, const QString& button2, const QString& caption,
             QWidget* parent = nullptr);

    int Run();
    QPushButton* Button1() const { return First; }
    QPushButton* Button2() const { return Second; }

private:
    QPushButton* First;
    QPushButton* Second;
};
