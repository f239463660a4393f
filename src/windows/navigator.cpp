#include "windows/navigator.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {
QString Glyph(TNavButton b)
{
    switch (b) {
    case TNavButton::First: return QStringLiteral("|◀");
    case TNavButton::Prior: return QStringLiteral("◀");
    case TNavButton::Next: return QStringLiteral("▶");
    case TNavButton::Last: return QStringLiteral("▶|");
    case TNavButton::Insert: return QStringLiteral("+");
    case TNavButton::Edit: return QStringLiteral("✎");
    case TNavButton::Post: return QStringLiteral("✔");
    case TNavButton::Cancel: return QStringLiteral("✘");
    case TNavButton::Refresh: return QStringLiteral("↻");
    }
    return {};
}
} // namespace

TNavigator::TNavigator(const QList<TEntry>& buttons, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (const TEntry& entry : buttons) {
        auto* button = new QToolButton(this);
        button->setText(Glyph(entry.Button));
        button->setToolTip(entry.Hint);
        button->setStatusTip(entry.Hint);
        button->setAutoRaise(true);
        button->setMinimumWidth(26);
        layout->addWidget(button);
        Buttons.insert(entry.Button, button);
        Order << entry.Button;
        const TNavButton which = entry.Button;
        connect(button, &QToolButton::clicked, this, [this, which] { emit Clicked(which); });
    }
}
