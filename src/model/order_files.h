#pragma once

#include <QString>

// The folder of the order files: the start-up configuration's, unless a tool or test set another.
QString OrdersFolder();
// An empty folder returns to the start-up configuration's.
void SetOrdersFolder(const QString& folder);

// A stored reference to an order file, upper-cased: a path inside the orders folder becomes "%"
// followed by the rest of the path after the folder's separator; any other path stays full; a
// reference that already begins with "%" is kept.
QString OrderFileReference(const QString& path, const QString& ordersFolder = OrdersFolder());
// The full path of a reference, upper-cased: a leading "%" becomes the orders folder and "\".
QString OrderFilePath(const QString& reference, const QString& ordersFolder = OrdersFolder());

// The file a stored path names on this machine. References are kept upper-cased with "\" as
// separator; on a file system that tells letter case apart each part of the path is matched
// without case. The path with native separators when nothing matches.
QString LocateStoredFile(const QString& path);
