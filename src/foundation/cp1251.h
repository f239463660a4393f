#pragma once

#include <QByteArray>
#include <QString>

// The Windows-1251 code page, in which the system's files, exports and stored strings keep text.
// Text is QString inside; these functions are used at the edges where bytes are read or written.
QString FromCp1251(const QByteArray& bytes);
// A character the code page lacks becomes "?". Surrogate pairs count as two characters, as two "?".
QByteArray ToCp1251(const QString& text);
unsigned char ToCp1251Byte(QChar c);
// True when every character has a byte of its own in the code page.
bool IsCp1251(const QString& text);
