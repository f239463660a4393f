#include "windows/btn_dlg2.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "windows/qt_messages.h"

TBtnDlg2::TBtnDlg2(const QString& text, const QString& button1, const QString& button2,
                   const QString& caption, QWidget* parent)
    : QDialog(parent), First(new QPushButton(button1, this)), Second(new QPushButton(button2, this))
{
    setWindowTitle(caption);
    auto* label = new QLabel(DisplayText(text), this);
    label->setObjectName(QStringLiteral("TextLabel"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setMinimumWidth(300);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(First);
    buttons->addWidget(Second);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label, 1);
    layout->addLayout(buttons);

    First->setDefault(true);
    connect(First, &QPushButton::clicked, this, [this] { done(1); });
    connect(Second, &QPushButton::clicked, this, [this] { done(2); });
}

int TBtnDlg2::Run()
{
    const int result = exec();
    return result == 1 || result == 2 ? result : 0;
}
