#include "windows/news_panel.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

TNewsPanel::TNewsPanel(QWidget* parent)
    : QWidget(parent), Pages(new QTabWidget(this)), NewsMemo(new QPlainTextEdit)
{
    setObjectName(QStringLiteral("GeneralNewsPanel"));
    NewsMemo->setObjectName(QStringLiteral("NewsMemo"));
    NewsMemo->setReadOnly(true);
    NewsMemo->setPlaceholderText(QStringLiteral("Новостей пока нет."));
    NewsMemo->viewport()->installEventFilter(this);
    NewsMemo->viewport()->setCursor(Qt::PointingHandCursor);
    Pages->addTab(NewsMemo, QStringLiteral("Новости"));
    auto* close = new QToolButton;
    close->setText(QStringLiteral("✕"));
    close->setToolTip(QStringLiteral("Закрыть"));
    close->setAutoRaise(true);
    Pages->setCornerWidget(close, Qt::TopRightCorner);
    connect(close, &QToolButton::clicked, this, &TNewsPanel::CloseClicked);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Pages);
    setFixedHeight(84);
}

bool TNewsPanel::ShowNews(const QList<TNewsSource::TItem>& news)
{
    QStringList lines;
    for (const auto& item : news) {
        const QString line = QStringLiteral("Новости #%1. %2. Просмотреть...>>>").arg(item.Number).arg(item.Subject);
        if (lines.isEmpty() || lines.first() != line)
            lines << line;
    }
    const QString text = lines.join(QLatin1Char('\n'));
    if (text == NewsMemo->toPlainText())
        return false;
    NewsMemo->setPlainText(text);
    return !text.isEmpty();
}

bool TNewsPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == NewsMemo->viewport() && event->type() == QEvent::MouseButtonRelease)
        emit MemoClicked();
    return QWidget::eventFilter(watched, event);
}

TPersonalInfoPanel::TPersonalInfoPanel(QWidget* parent)
    : QLabel(QStringLiteral("Для Вас пока нет новых сообщений. Посмотреть общий список >>>..."), parent)
{
    setObjectName(QStringLiteral("UserPersonalInfoPanel"));
    setCursor(Qt::PointingHandCursor);
    setContentsMargins(6, 2, 6, 2);
    setAutoFillBackground(true);
}

void TPersonalInfoPanel::ShowMessage(const TNewsSource::TItem& message)
{
    QPalette p = palette();
    if (message.Important) {
        setText(QStringLiteral("Вам поступило ВАЖНОЕ сообщение. Тема: %1. Просмотреть...>>>").arg(message.Subject));
        p.setColor(QPalette::Window, QColor(0xC0, 0xDC, 0xC0));
    } else {
        setText(QStringLiteral("Вам поступило сообщение #%1. Тема: %2. Просмотреть...>>>")
                    .arg(message.Number)
                    .arg(message.Subject));
        p.setColor(QPalette::Window, QColor(0xA6, 0xCA, 0xF0));
    }
    setPalette(p);
}

void TPersonalInfoPanel::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    emit Clicked();
}
