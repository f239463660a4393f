#include "foundation/cp1251.h"

#include <algorithm>
#include <array>

namespace {

// Unicode code points of the bytes 0x80..0xFF. The page leaves 0x98 undefined; it maps to the C1
// control U+0098, as Windows maps it, so that stored texts holding that byte survive a re-save.
constexpr std::array<char16_t, 128> HighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F
};

// Inverse of HighHalf, built once.
struct TReverse
{
    std::array<unsigned char, 0x10000> Byte{};
    TReverse()
    {
        for (int b = 0; b < 128; ++b)
            Byte[HighHalf[b]] = static_cast<unsigned char>(0x80 + b);
    }
};

const TReverse& Reverse()
{
    static const TReverse table;
    return table;
}

} // namespace

QString FromCp1251(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = b < 0x80 ? QChar(b) : QChar(HighHalf[b - 0x80]);
    }
    return text;
}

unsigned char ToCp1251Byte(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return static_cast<unsigned char>(u);
    const unsigned char b = Reverse().Byte[u];
    return b ? b : static_cast<unsigned char>('?');
}

QByteArray ToCp1251(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar c : text)
        *out++ = static_cast<char>(ToCp1251Byte(c));
    return bytes;
}

bool IsCp1251(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80 && !Reverse().Byte[c.unicode()])
            return false;
    return true;
}

namespace {

QChar UpperCp1251Char(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= u'a' && u <= u'z') ? QChar(char16_t(u - 0x20)) : c;
    if (!Reverse().Byte[u])
        return c;
    const QChar upper = c.toUpper();
    if (upper == c || upper.unicode() < 0x80 || !Reverse().Byte[upper.unicode()])
        return c;
    return upper;
}

unsigned char CompareByte(QChar c, Qt::CaseSensitivity cs)
{
    return ToCp1251Byte(cs == Qt::CaseInsensitive ? UpperCp1251Char(c) : c);
}

} // namespace

QString UpperCp1251(const QString& text)
{
    QString result = text;
    for (QChar& c : result)
        c = UpperCp1251Char(c);
    return result;
}

QByteArray UpperCp1251Bytes(const QByteArray& bytes)
{
    static const std::array<unsigned char, 256> upper = [] {
        std::array<unsigned char, 256> table{};
        for (int b = 0; b < 256; ++b) {
            const QChar c = b < 0x80 ? QChar(char16_t(b)) : QChar(HighHalf[b - 0x80]);
            table[b] = ToCp1251Byte(UpperCp1251Char(c));
        }
        return table;
    }();
    QByteArray result = bytes;
    for (char& c : result)
        c = static_cast<char>(upper[static_cast<unsigned char>(c)]);
    return result;
}

int CompareCp1251(const QString& a, const QString& b, Qt::CaseSensitivity cs)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const int diff = int(CompareByte(a[i], cs)) - int(CompareByte(b[i], cs));
        if (diff)
            return diff;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}
