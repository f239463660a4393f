#pragma once

#include <QString>

// Path helpers. Folder separators are "\" (stored and configured paths) and the platform's own
// separator, both accepted everywhere.

// True for "\" and for the platform's separator ("/" on Unix; Qt accepts "/" on Windows too).
bool IsPathSeparator(QChar c);

// Parts of a path: folder (with its final separator), name, extension (with its dot; the text
// after the last full stop of the file name). Flag combinations:
//   folder+name+extension  the whole path        folder        the folder
//   name+extension         file name             extension     the extension
//   folder+name            path without extension name         name without extension
//   folder+extension, or none of the three: an empty text.
QString FileNameParts(const QString& path, bool withFolder, bool withName, bool withExtension);

// Trimmed of blanks and of one trailing separator, so that "\Orders" can be appended.
QString TrimFolder(const QString& text);

// Deletes the folder with all its contents. True when the folder is gone afterwards (also when
// it did not exist). An empty or blank path and a file-system root are refused (false), so that
// an unset setting never wipes the working folder. On failure errorText (when given) receives
// the system's text for the last failure.
bool DeleteFolder(const QString& path, QString* errorText = nullptr);
