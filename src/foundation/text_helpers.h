#pragma once

#include <QString>
#include <QStringList>

// Text helpers for separator-delimited lists, fixed-width fields and file names proposed from
// document data. Widths and positions count characters (QString), not bytes.
// A separator argument is a set of single characters: each character of it separates tokens.

// 0 for an empty text, else 1 + the number of separator characters in it.
int TokenCount(const QString& text, const QString& separators);
// The n-th token (1-based): the characters after the (n-1)-th separator up to the next one or
// the end. Empty when n < 1 or the text has fewer tokens. Trimmed of blanks when trim is set.
QString Token(const QString& text, int n, const QString& separators, bool trim = false);
// True when some token, trimmed of blanks, equals item exactly.
bool TokenIn(const QString& text, const QString& item, const QString& separators);
// item alone when list is empty, else list + separator + item; with unique the list is returned
// unchanged when it already holds the item (TokenIn over the characters of separator).
QString AppendItem(const QString& list, const QString& item, const QString& separator,
                   bool unique = false);

// Replaces occurrences of oldText by newText left to right, each search continuing after the
// inserted text (so newText containing oldText cannot loop). With ignoreCase the matching is
// case-insensitive and the unmatched parts keep their case; with firstOnly only the first
// occurrence is replaced. An empty oldText replaces nothing.
QString ReplaceText(const QString& text, const QString& oldText, const QString& newText,
                    bool ignoreCase = false, bool firstOnly = false);

// The text without any blank (space); "0" when nothing is left.
QString RemoveBlanks(const QString& text);

// The text (trimmed first when trim is set) filled with fill on the right up to width, then cut
// to its first width characters. A width below 1 gives an empty text.
QString PadRight(const QString& text, int width, bool trim = false, QChar fill = u' ');
// The same filled on the left and cut to its last width characters.
QString PadLeft(const QString& text, int width, bool trim = false, QChar fill = u' ');

// The 21 characters that never go into a file name proposed from a document number:
// \ / : * ? , ; " ` ! ( ) { } [ ] < > | % '
extern const QString ForbiddenFileNameChars;
// Every forbidden character replaced by replacement. Names of files moved into the recycle or
// archive folder (alsoFullStop) also lose the full stop, so that no extension survives in them.
QString ReplaceForbiddenChars(const QString& text, QChar replacement = u'_', bool alsoFullStop = false);

// The decimal value of the text (blanks around it allowed, optional sign), 0 when it is not a
// whole number in the int32 range.
int StrToIntOrZero(const QString& text);
// The value 0..255 of one or two hexadecimal digits; -1 when pair is anything else.
int HexToByte(const QString& pair);

// True when some argument contains the switch, both upper-cased ("/developer" matches
// "-X/DEVELOPERmode"). An empty switch matches nothing.
bool HasSwitch(const QStringList& arguments, const QString& commandSwitch);
// The same over the process's command-line parameters, without the program path (a program
// installed under ".../developer/" must not switch developer mode on).
bool HasSwitch(const QString& commandSwitch);

// The application's version text: QCoreApplication::applicationVersion() when set, else the
// version the build was made with; empty when neither is known.
QString ExecutableVersion();
