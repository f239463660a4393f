#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The Windows-1251 code page, in which the system's files, exports and stored strings keep text.
// Text is QString inside; these functions are used at the edges where bytes are read or written.
// Every byte has a character (0x98, undefined in the page, is U+0098), so bytes read and
// written back stay as they were.
QString FromCp1251(QByteArrayView bytes);
// A character the code page lacks becomes "?". Surrogate pairs count as two characters, as two "?".
QByteArray ToCp1251(const QString& text);
unsigned char ToCp1251Byte(QChar c);
// True when every character has a byte of its own in the code page.
bool IsCp1251(const QString& text);

// Upper case by the code page's rules: a letter becomes its capital when the code page holds
// that capital (Latin, Russian and the other Cyrillic letters of the page, "ё" -> "Ё");
// everything else, including characters outside the page, stays as it is.
QString UpperCp1251(const QString& text);
// The same on Windows-1251 bytes.
QByteArray UpperCp1251Bytes(const QByteArray& bytes);

// Compares the Windows-1251 bytes of two texts as unsigned values, byte by byte, a shorter text
// before a longer one with the same start: negative, 0 or positive. So Latin letters sort before
// Cyrillic ones and "Ё" (0xA8) before "А" (0xC0), as the stored indexes and lists expect.
// With Qt::CaseInsensitive both sides are compared upper-cased by UpperCp1251.
int CompareCp1251(const QString& a, const QString& b, Qt::CaseSensitivity cs = Qt::CaseSensitive);
