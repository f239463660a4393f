#pragma once

#include <QLabel>
#include <QWidget>

class QPlainTextEdit;
class QTabWidget;
class QToolButton;

// Where news and personal messages come from; the frame runs without one.
class TNewsSource
{
public:
    struct TItem
    {
        int Number = 0;
        QString Subject;
        bool Important = false;
    };
    virtual ~TNewsSource() = default;
    virtual void Request() = 0;                 // ask for the latest news now
    virtual QList<TItem> News() const = 0;      // newest first
    virtual QList<TItem> Messages() const = 0;  // newest first
    virtual int IntervalSeconds() const { return 300; }
    virtual void ShowNewsList() {}
    virtual void ShowMessageList() {}
};

// The news page below the child area: headlines, newest first, and a close button.
class TNewsPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TNewsPanel(QWidget* parent = nullptr);
    QPlainTextEdit* Memo() const { return NewsMemo; }
    // Puts the headlines in; true when there was something new.
    bool ShowNews(const QList<TNewsSource::TItem>& news);

signals:
    void CloseClicked();
    void MemoClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTabWidget* Pages;
    QPlainTextEdit* NewsMemo;
};

// The personal-message strip of the tool bar area.
class TPersonalInfoPanel : public QLabel
{
    Q_OBJECT
public:
    explicit TPersonalInfoPanel(QWidget* parent = nullptr);
    void ShowMessage(const TNewsSource::TItem& message);

signals:
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
