#pragma once

#include <QMap>
#include <QWidget>

class QToolButton;

enum class TNavButton { First, Prior, Next, Last, Insert, Edit, Post, Cancel, Refresh };

// A record navigator: a row of small buttons with their hints, for a grid's table.
class TNavigator : public QWidget
{
    Q_OBJECT
public:
    struct TEntry
    {
        TNavButton Button;
        QString Hint;
    };
    explicit TNavigator(const QList<TEntry>& buttons, QWidget* parent = nullptr);

    QToolButton* Button(TNavButton which) const { return Buttons.value(which); }
    QList<TNavButton> Shown() const { return Order; }

signals:
    void Clicked(TNavButton which);

private:
    QMap<TNavButton, QToolButton*> Buttons;
    QList<TNavButton> Order;
};
