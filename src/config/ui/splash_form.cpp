#include "config/ui/splash_form.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

QPixmap ProductLogo(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);
    const QColor frame(0x1F, 0x4E, 0x8C), glass(0xCF, 0xE4, 0xF7), handle(0xC8, 0x8A, 0x1E);
    p.setPen(QPen(frame, 6));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(8, 6, 84, 88), 4, 4);
    p.setBrush(glass);
    p.setPen(QPen(frame, 4));
    p.drawRect(QRectF(18, 16, 64, 68));
    p.setPen(QPen(frame.lighter(150), 2, Qt::DashLine));
    p.drawLine(QPointF(18, 16), QPointF(82, 50));
    p.drawLine(QPointF(18, 84), QPointF(82, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(handle);
    p.drawRoundedRect(QRectF(72, 44, 7, 24), 3, 3);
    return pixmap;
}

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      StatusLabel(new QLabel(QStringLiteral("Загрузка..."))), ProgressBar(new QProgressBar)
{
    setObjectName(QStringLiteral("SplashForm"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, QColor(0x1F, 0x2A, 0x3A));
    setPalette(p);

    auto* logo = new QLabel;
    logo->setPixmap(ProductLogo(96));
    auto* title = new QLabel(QStringLiteral("ФУРНИТУРА "));
    title->setObjectName(QStringLiteral("TitleLabel"));
    QFont big = title->font();
    big.setPointSize(26);
    big.setBold(true);
    title->setFont(big);
    auto* version = new QLabel(QStringLiteral("ВЕРСИЯ 3.80"));
    version->setObjectName(QStringLiteral("VersionLabel"));
    QFont middle = version->font();
    middle.setPointSize(11);
    middle.setBold(true);
    version->setFont(middle);
    auto* maker = new QLabel(QStringLiteral("Diravir"));
    maker->setStyleSheet(QStringLiteral("color: #1F4E8C;"));
    QFont makerFont = maker->font();
    makerFont.setPointSize(12);
    maker->setFont(makerFont);

    auto* texts = new QVBoxLayout;
    texts->addWidget(maker);
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addSpacing(16);
    top->addLayout(texts, 1);

    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    ProgressBar->setFixedHeight(14);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 18);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addWidget(StatusLabel);
    layout->addWidget(ProgressBar);
    setFixedSize(QSize(440, 230).expandedTo(sizeHint()));
    CenterOnScreen();
}

void TSplashForm::CenterOnScreen()
{
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TSplashForm::SetStatus(const QString& text)
{
    StatusLabel->setText(text);
    StatusLabel->repaint();
}

void TSplashForm::SetProgress(int percent)
{
    ProgressBar->setValue(percent);
    ProgressBar->repaint();
}

QString TSplashForm::Status() const { return StatusLabel->text(); }
int TSplashForm::Progress() const { return ProgressBar->value(); }
