#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

// The white panel shown while the system loads.
class TSplashForm : public QWidget
{
    Q_OBJECT
public:
    explicit TSplashForm(QWidget* parent = nullptr);

    // Both paint at once: start-up does not return to the event loop while the splash is up.
    void SetStatus(const QString& text);
    void SetProgress(int percent);
    QString Status() const;
    int Progress() const;
    void CenterOnScreen();

private:
    QLabel* StatusLabel;
    QProgressBar* ProgressBar;
};

// The product's logo: a window with a sash and its handle.
QPixmap ProductLogo(int size);
