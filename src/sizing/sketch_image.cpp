#include "sizing/sketch_image.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "foundation/error.h"
#include "model/construction.h"
#include "sizing/sketch.h"

TSizeOptions DefaultSketchOptions() { return SizeOptions({0, 2}); }

namespace {
void Paint(QPainter& painter, const TokfConstruction& construction, const QRect& rect, const TSizeOptions& options)
{
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(QPen(Qt::black, 1));
    DrawConstruction(painter, construction, rect, 0, options);
}
} // namespace

QImage RenderSketch(const TokfConstruction& construction, QSize size, const TSizeOptions& options)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Paint(painter, construction, image.rect(), options);
    return image;
}

void WriteSketchPdf(const TokfConstruction& construction, const QString& fileName, QSize size,
                    const TSizeOptions& options)
{
    QPdfWriter writer(fileName);
    // 96 dpi keeps a canvas unit as large as a screen pixel, so pens and fonts look as on screen.
    writer.setResolution(96);
    writer.setPageSize(QPageSize(QSizeF(size.width() * 72.0 / 96, size.height() * 72.0 / 96), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setCreator(QStringLiteral("Diravir"));
    writer.setTitle(construction.PosNo);
    QPainter painter;
    if (!painter.begin(&writer))
        throw TError(QStringLiteral("Не удалось создать файл %1").arg(fileName));
    Paint(painter, construction, QRect(QPoint(0, 0), size), options);
    painter.end();
}
