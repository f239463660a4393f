#include "platform/db/paradox_table.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <cstring>
#include <iconv.h>
extern "C" {
#include <paradox.h>
// Exported by pxlib without a header; the blob file of an encrypted table is decrypted with it.
void px_decrypt_mb_block(unsigned char* src, unsigned char* dest, unsigned long encryption, unsigned long blocksize);
}
#include <vector>

#include "foundation/error.h"

// Paradox counts days from 1 January of the year 1; the Julian day number of day 0 is this.
static constexpr qint64 ParadoxDayZero = 1721425;

struct TParadoxTable::TImpl
{
    pxdoc_t* Doc = nullptr;
    iconv_t Conv = reinterpret_cast<iconv_t>(-1);
    QString LastError;
    std::vector<char> Buffer;
    QByteArray Blobs; // the whole .MB file, decrypted
    bool HasBlobs = false;
};

namespace {
void ErrorHandler(pxdoc_t*, int level, const char* msg, void* data)
{
    auto* impl = static_cast<TParadoxTable::TImpl*>(data);
    if (level != PX_Warning && impl->LastError.isEmpty())
        impl->LastError = QString::fromLocal8Bit(msg).trimmed();
}

bool AllZero(const char* data, int len)
{
    for (int i = 0; i < len; ++i)
        if (data[i] != 0)
            return false;
    return true;
}
} // namespace

QString TParadoxTable::TField::TypeName() const
{
    switch (Type) {
    case pxfAlpha: return QStringLiteral("alpha");
    case pxfDate: return QStringLiteral("date");
    case pxfShort: return QStringLiteral("short");
    case pxfLong: return QStringLiteral("long");
    case pxfCurrency: return QStringLiteral("money");
    case pxfNumber: return QStringLiteral("number");
    case pxfLogical: return QStringLiteral("logical");
    case pxfMemoBLOb: return QStringLiteral("memo");
    case pxfBLOb: return QStringLiteral("blob");
    case pxfFmtMemoBLOb: return QStringLiteral("fmtmemo");
    case pxfOLE: return QStringLiteral("ole");
    case pxfGraphic: return QStringLiteral("graphic");
    case pxfTime: return QStringLiteral("time");
    case pxfTimestamp: return QStringLiteral("timestamp");
    case pxfAutoInc: return QStringLiteral("autoinc");
    case pxfBCD: return QStringLiteral("bcd");
    case pxfBytes: return QStringLiteral("bytes");
    default: return QStringLiteral("type %1").arg(Type);
    }
}

TParadoxTable::TParadoxTable(const QString& path, int codepage) : Path(path), Impl(new TImpl)
{
    const QString name = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile()) {
        delete Impl;
        throw TError(QStringLiteral("%1: файл не найден").arg(name));
    }
    Impl->Doc = PX_new3(ErrorHandler, nullptr, nullptr, nullptr, Impl);
    auto fail = [&](const QString& what) {
        const QString text = QStringLiteral("%1: %2%3")
                                 .arg(name, what,
                                      Impl->LastError.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(Impl->LastError));
        Release();
        throw TError(text);
    };
    if (!Impl->Doc || PX_open_file(Impl->Doc, QFile::encodeName(path).constData()) < 0)
        fail(QStringLiteral("не является таблицей Paradox или повреждён"));
    pxhead_t* head = Impl->Doc->px_head;
    if (head->px_filetype != pxfFileTypIndexDB && head->px_filetype != pxfFileTypNonIndexDB)
        fail(QStringLiteral("не является таблицей данных Paradox"));
    const qint64 fileSize = QFileInfo(path).size();
    const qint64 needed = static_cast<qint64>(head->px_headersize) +
                          static_cast<qint64>(head->px_fileblocks) * head->px_maxtablesize * 1024;
    if (head->px_numrecords > 0 && fileSize < needed)
        fail(QStringLiteral("файл обрезан (%1 байт вместо %2)").arg(fileSize).arg(needed));
    IsEncrypted = head->px_encryption != 0;
    CpFromHeader = head->px_doscodepage != 0;
    Cp = CpFromHeader ? head->px_doscodepage : (codepage > 0 ? codepage : 1251);
    Impl->Conv = iconv_open("UTF-8", QStringLiteral("CP%1").arg(Cp).toLatin1().constData());
    if (Impl->Conv == reinterpret_cast<iconv_t>(-1))
        fail(QStringLiteral("неизвестная кодовая страница %1").arg(Cp));

    int offset = 0;
    const int n = PX_get_num_fields(Impl->Doc);
    pxfield_t* fields = PX_get_fields(Impl->Doc);
    for (int i = 0; i < n; ++i) {
        TField f;
        f.Name = Decode(fields[i].px_fname, static_cast<int>(std::strlen(fields[i].px_fname)));
        f.Type = static_cast<unsigned char>(fields[i].px_ftype);
        f.Length = fields[i].px_flen;
        f.Decimals = fields[i].px_fdc;
        FieldList.append(f);
        Offsets.append(offset);
        offset += f.Length;
    }
    if (offset > PX_get_recordsize(Impl->Doc))
        fail(QStringLiteral("повреждён заголовок таблицы"));
    Records = PX_get_num_records(Impl->Doc);
    Impl->Buffer.assign(static_cast<size_t>(PX_get_recordsize(Impl->Doc)) + 16, 0);

    // The blob file lies beside the table with the extension .MB in any letter case.
    const QFileInfo info(path);
    QString blobPath;
    for (const QString& entry : info.dir().entryList(QDir::Files))
        if (entry.compare(info.completeBaseName() + QStringLiteral(".mb"), Qt::CaseInsensitive) == 0)
            blobPath = info.dir().filePath(entry);
    // pxlib's own blob reader overruns its stack on some .MB headers, so the blob file is read
    // here: it is small next to the table and read once.
    if (!blobPath.isEmpty()) {
        QFile mb(blobPath);
        if (!mb.open(QIODevice::ReadOnly))
            fail(QStringLiteral("не открывается файл примечаний %1").arg(QDir::toNativeSeparators(blobPath)));
        Impl->Blobs = mb.readAll();
        Impl->HasBlobs = true;
        if (IsEncrypted)
            for (qsizetype at = 0; at + 4096 <= Impl->Blobs.size(); at += 4096) {
                auto* block = reinterpret_cast<unsigned char*>(Impl->Blobs.data() + at);
                px_decrypt_mb_block(block, block, head->px_encryption, 4096);
            }
    }
    Impl->LastError.clear();
}

TParadoxTable::~TParadoxTable() { Release(); }

void TParadoxTable::Release()
{
    if (!Impl)
        return;
    if (Impl->Doc) {
        PX_close(Impl->Doc);
        PX_delete(Impl->Doc);
    }
    if (Impl->Conv != reinterpret_cast<iconv_t>(-1))
        iconv_close(Impl->Conv);
    delete Impl;
    Impl = nullptr;
}

QString TParadoxTable::Decode(const char* data, int size) const
{
    int len = 0;
    while (len < size && data[len] != 0)
        ++len;
    if (len == 0)
        return QString();
    if (Impl->Conv == reinterpret_cast<iconv_t>(-1))
        return QString::fromLatin1(data, len);
    std::vector<char> out(static_cast<size_t>(len) * 4 + 4);
    char* in = const_cast<char*>(data);
    size_t inLeft = static_cast<size_t>(len);
    char* to = out.data();
    size_t outLeft = out.size();
    iconv(Impl->Conv, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        if (iconv(Impl->Conv, &in, &inLeft, &to, &outLeft) == static_cast<size_t>(-1)) {
            // A byte the code page does not define becomes a replacement character.
            if (outLeft < 3)
                break;
            std::memcpy(to, "\xEF\xBF\xBD", 3);
            to += 3;
            outLeft -= 3;
            ++in;
            --inLeft;
        }
    }
    return QString::fromUtf8(out.data(), static_cast<qsizetype>(to - out.data()));
}

QList<QVariant> TParadoxTable::Record(int recno)
{
    Impl->LastError.clear();
    char* buf = Impl->Buffer.data();
    std::memset(buf, 0, Impl->Buffer.size());
    if (recno < 0 || recno >= Records || !PX_get_record(Impl->Doc, recno, buf))
        throw TError(QStringLiteral("%1: не читается запись %2%3")
                         .arg(QDir::toNativeSeparators(Path))
                         .arg(recno + 1)
                         .arg(Impl->LastError.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(Impl->LastError)));
    QList<QVariant> row;
    for (int i = 0; i < FieldList.size(); ++i)
        row.append(Value(i, buf + Offsets[i]));
    return row;
}

QVariant TParadoxTable::Value(int field, char* data)
{
    const TField& f = FieldList[field];
    // Blank values are all zero bytes in every fixed-size type; pxlib does not always say so.
    switch (f.Type) {
    case pxfAlpha:
        if (AllZero(data, f.Length))
            return QVariant();
        return Decode(data, f.Length);
    case pxfShort: {
        if (AllZero(data, f.Length))
            return QVariant();
        short v = 0;
        PX_get_data_short(Impl->Doc, data, f.Length, &v);
        return static_cast<qint64>(v);
    }
    case pxfLong:
    case pxfAutoInc: {
        if (AllZero(data, f.Length))
            return QVariant();
        long v = 0;
        PX_get_data_long(Impl->Doc, data, f.Length, &v);
        return static_cast<qint64>(v);
    }
    case pxfNumber:
    case pxfCurrency: {
        if (AllZero(data, f.Length))
            return QVariant();
        double v = 0;
        PX_get_data_double(Impl->Doc, data, f.Length, &v);
        return v;
    }
    case pxfBCD: {
        // The first byte holds the sign, a "has a value" bit and the places; pxlib reads a
        // blank, whose value bit is clear, as a string of question marks.
        if (AllZero(data, f.Length) || (static_cast<unsigned char>(data[0]) & 0x40) == 0)
            return QVariant();
        char* text = nullptr;
        if (PX_get_data_bcd(Impl->Doc, reinterpret_cast<unsigned char*>(data), f.Decimals, &text) <= 0 || !text)
            return QVariant();
        QString s = QString::fromLatin1(text);
        Impl->Doc->free(Impl->Doc, text);
        return s;
    }
    case pxfDate: {
        if (AllZero(data, f.Length))
            return QVariant();
        long v = 0;
        PX_get_data_long(Impl->Doc, data, f.Length, &v);
        return QDate::fromJulianDay(v + ParadoxDayZero);
    }
    case pxfTime: {
        if (AllZero(data, f.Length))
            return QVariant();
        long v = 0;
        PX_get_data_long(Impl->Doc, data, f.Length, &v);
        return QTime::fromMSecsSinceStartOfDay(static_cast<int>(v));
    }
    case pxfTimestamp: {
        if (AllZero(data, f.Length))
            return QVariant();
        double v = 0;
        PX_get_data_double(Impl->Doc, data, f.Length, &v);
        const qint64 ms = static_cast<qint64>(v);
        const qint64 days = ms / 86400000;
        return QDateTime(QDate::fromJulianDay(days + ParadoxDayZero),
                         QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms % 86400000)));
    }
    case pxfLogical: {
        if (AllZero(data, f.Length))
            return QVariant();
        char v = 0;
        PX_get_data_byte(Impl->Doc, data, f.Length, &v);
        return v != 0;
    }
    case pxfBytes:
        if (AllZero(data, f.Length))
            return QVariant();
        return QByteArray(data, f.Length);
    case pxfMemoBLOb:
    case pxfFmtMemoBLOb:
    case pxfBLOb:
    case pxfOLE:
    case pxfGraphic: {
        if (AllZero(data, f.Length) || f.Length < 10)
            return QVariant();
        QByteArray bytes = BlobBytes(f, data);
        if (f.Type == pxfGraphic && bytes.size() >= 8)
            bytes.remove(0, 8); // graphics carry a small header of their own
        if (bytes.isEmpty())
            return QVariant();
        if (f.Type == pxfMemoBLOb || f.Type == pxfFmtMemoBLOb)
            return Decode(bytes.constData(), static_cast<int>(bytes.size()));
        return bytes;
    }
    default: return QVariant();
    }
}

namespace {
quint32 Le32(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return u[0] | (u[1] << 8) | (u[2] << 16) | (static_cast<quint32>(u[3]) << 24);
}
} // namespace

QByteArray TParadoxTable::BlobBytes(const TField& f, const char* data) const
{
    // The last ten bytes point into the blob file: offset (low byte: slot), length, mod number.
    const char* pointer = data + f.Length - 10;
    const quint32 offset = Le32(pointer);
    const quint32 size = Le32(pointer + 4);
    const int leader = f.Length - 10;
    if (size == 0)
        return QByteArray();
    if (static_cast<int>(size) <= leader)
        return QByteArray(data, static_cast<qsizetype>(size));
    auto damaged = [&] {
        return TError(QStringLiteral("%1: повреждён файл примечаний (поле %2)").arg(QDir::toNativeSeparators(Path), f.Name));
    };
    if (!Impl->HasBlobs)
        throw TError(QStringLiteral("%1: нет файла примечаний .MB для поля %2").arg(QDir::toNativeSeparators(Path), f.Name));
    const QByteArray& mb = Impl->Blobs;
    const qint64 block = offset & 0xFFFFFF00u;
    const int slot = static_cast<int>(offset & 0xFFu);
    qint64 start = 0;
    if (slot == 0xFF) {
        if (block + 9 > mb.size() || mb[block] != 2)
            throw damaged();
        start = block + 9;
    } else {
        const qint64 entry = block + 12 + static_cast<qint64>(slot) * 5;
        if (entry + 5 > mb.size() || mb[block] != 3)
            throw damaged();
        start = block + static_cast<unsigned char>(mb[entry]) * 16;
    }
    if (start + size > mb.size())
        throw damaged();
    return mb.mid(start, size);
}
