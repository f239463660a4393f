#pragma once

#include <QApplication>
#include <QDir>
#include <QWidget>

// Where the screenshot tests write their pictures; empty when they should not run.
inline QString ShotsDir()
{
    const QString dir = qEnvironmentVariable("DIRAVIR_SHOTS_DIR");
    if (!dir.isEmpty())
        QDir().mkpath(dir);
    return dir;
}

inline void Shot(QWidget& widget, const QString& name)
{
    if (!widget.isVisible())
        widget.show();
    QApplication::processEvents();
    widget.grab().save(ShotsDir() + QLatin1Char('/') + name + QStringLiteral(".png"));
}
