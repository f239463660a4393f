#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "sizing/size_grid.h"

class TokfConstruction;

// What a sketch shows unless the caller asks otherwise: the overall size and the side dimensions
// without the corners that lie on a sash's own box.
TSizeOptions DefaultSketchOptions();

// The sketch of a position, black on white, on an image of the given pixel size.
QImage RenderSketch(const TokfConstruction& construction, QSize size, const TSizeOptions& options);
// The sketch on one PDF page of the given size in pixels at 96 dpi, centred on the page.
// Throws TError when the file cannot be written.
void WriteSketchPdf(const TokfConstruction& construction, const QString& fileName, QSize size,
                    const TSizeOptions& options);
