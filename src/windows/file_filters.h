#pragma once

#include <QStringList>

// File dialog filters are kept in the "description|pattern|description|pattern" form; the
// dialogs want one "description (pattern)" entry per filter.
QStringList DialogFilters(const QString& pairs);
// The default suffix for a default extension written "*.ext".
QString DefaultSuffix(const QString& extension);

inline const QString OpenFilter = QStringLiteral(
    "Заказ 370 (*.kfo370)|*.kfo370|Заказ 317 (*.kfo)|*.kfo|Выборка (*.kfs370)|*.kfs370");
inline const QString SaveOrderFilter = QStringLiteral("Заказ (*.kfo370)|*.kfo370|Все файлы (*.*)|*.*");
inline const QString SaveSelectionFilter = QStringLiteral("Выборка (*.kfs370)|*.kfs370|Все файлы (*.*)|*.*");
inline const QString OrderExtension = QStringLiteral("*.kfo370");
inline const QString SelectionExtension = QStringLiteral("*.kfs370");
