#include "platform/registry/registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QtEndian>
#include <cmath>
#include <cstring>

#include "foundation/error.h"

namespace {

// An INI file has no empty sections, so a key created without values keeps this marker value,
// which the value listings never show.
const QString KeyMarker = QStringLiteral(".key");

#ifdef Q_OS_WIN
constexpr bool StandIn = false;
#else
constexpr bool StandIn = true;
#endif

QStringList Segments(const QString& key)
{
    QString path = key;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

QString Find(const QStringList& names, const QString& name)
{
    for (const QString& n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    return {};
}

const QDate DayZero(1899, 12, 30);

} // namespace

TRegistry::TRegistry()
{
    if (StandIn) {
        const QString file = StandInFile();
        QDir().mkpath(QFileInfo(file).absolutePath());
        Settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
    } else {
        Settings = std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER"), QSettings::NativeFormat);
    }
    CheckReadable();
}

TRegistry::~TRegistry() = default;

QString TRegistry::StandInFile()
{
    if (!StandIn)
        return {};
    const QString env = qEnvironmentVariable("DIRAVIR_REGISTRY");
    if (!env.isEmpty())
        return env;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
         + QStringLiteral("/Diravir/registry.ini");
}

void TRegistry::CheckReadable() const
{
    if (Settings->status() == QSettings::FormatError)
        throw TError(QStringLiteral("The registry file %1 is damaged").arg(Settings->fileName()));
    if (Settings->status() == QSettings::AccessError)
        throw TError(QStringLiteral("The registry %1 cannot be read").arg(Settings->fileName()));
}

void TRegistry::Commit(const QString& failure)
{
    Settings->sync();
    if (Settings->status() != QSettings::NoError)
        throw TError(failure);
}

QString TRegistry::Group(const QStringList& path) const { return path.join(QLatin1Char('/')); }

QStringList TRegistry::ChildGroups(const QString& group) const
{
    Settings->beginGroup(group);
    QStringList result = Settings->childGroups();
    Settings->endGroup();
    return result;
}

QStringList TRegistry::ChildKeys(const QString& group) const
{
    Settings->beginGroup(group);
    QStringList result = Settings->childKeys();
    Settings->endGroup();
    if (StandIn)
        result.removeAll(KeyMarker);
    return result;
}

bool TRegistry::Resolve(const QString& key, bool canCreate, QStringList& resolved) const
{
    resolved = key.startsWith(QLatin1Char('\\')) || key.startsWith(QLatin1Char('/')) ? QStringList() : Current;
    bool created = false;
    for (const QString& segment : Segments(key)) {
        const QString stored = created ? QString() : Find(ChildGroups(Group(resolved)), segment);
        if (stored.isEmpty()) {
            if (!canCreate)
                return false;
            created = true;
            resolved << segment;
        } else {
            resolved << stored;
        }
    }
    if (created) {
        // The native registry keeps the key that a written value created after the value is gone.
        const QString marker = Group(resolved) + QLatin1Char('/') + KeyMarker;
        Settings->setValue(marker, QString());
        if (!StandIn)
            Settings->remove(marker);
        const_cast<TRegistry*>(this)->Commit(QStringLiteral("Failed to create key %1").arg(key));
    }
    return true;
}

bool TRegistry::OpenKey(const QString& key, bool canCreate)
{
    QStringList resolved;
    if (!Resolve(key, canCreate, resolved))
        return false;
    Current = resolved;
    return true;
}

bool TRegistry::KeyExists(const QString& key) const
{
    QStringList resolved;
    return Resolve(key, false, resolved);
}

void TRegistry::CloseKey() { Current.clear(); }

QString TRegistry::CurrentPath() const
{
    return Current.isEmpty() ? QString() : QLatin1Char('\\') + Current.join(QLatin1Char('\\'));
}

QStringList TRegistry::GetKeyNames() const { return ChildGroups(Group(Current)); }
QStringList TRegistry::GetValueNames() const { return ChildKeys(Group(Current)); }

bool TRegistry::DeleteKey(const QString& key)
{
    QStringList resolved;
    if (!Resolve(key, false, resolved) || resolved.isEmpty())
        return false;
    Settings->remove(Group(resolved));
    Commit(QStringLiteral("Failed to delete key %1").arg(key));
    if (Current.size() >= resolved.size() && Current.mid(0, resolved.size()) == resolved)
        Current.clear();
    return true;
}

QString TRegistry::StoredValueName(const QString& name) const
{
    return Find(ChildKeys(Group(Current)), name);
}

bool TRegistry::ValueExists(const QString& name) const { return !StoredValueName(name).isEmpty(); }

bool TRegistry::DeleteValue(const QString& name)
{
    const QString stored = StoredValueName(name);
    if (stored.isEmpty())
        return false;
    Settings->remove(Group(Current + QStringList{stored}));
    Commit(QStringLiteral("Failed to delete value '%1'").arg(name));
    return true;
}

QString TRegistry::ReadString(const QString& name) const
{
    const QString stored = StoredValueName(name);
    if (stored.isEmpty())
        return {};
    const QVariant v = Settings->value(Group(Current + QStringList{stored}));
    // The stand-in file cannot tell an integer from its text once it was read back, so integers
    // read as their text everywhere.
    if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::UInt || v.typeId() == QMetaType::LongLong)
        return v.toString();
    if (v.typeId() != QMetaType::QString)
        throw TError(QStringLiteral("Invalid data type for '%1'").arg(name));
    return v.toString();
}

int TRegistry::ReadInteger(const QString& name) const
{
    const QString stored = StoredValueName(name);
    bool ok = false;
    int result = 0;
    if (!stored.isEmpty()) {
        const QVariant v = Settings->value(Group(Current + QStringList{stored}));
        if (v.typeId() == QMetaType::QString)
            result = v.toString().trimmed().toInt(&ok);
        else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::UInt || v.typeId() == QMetaType::LongLong)
            result = v.toInt(&ok);
    }
    if (!ok)
        throw TError(QStringLiteral("Invalid data type for '%1'").arg(name));
    return result;
}

QByteArray TRegistry::ReadBinary(const QString& name) const
{
    const QString stored = StoredValueName(name);
    if (!stored.isEmpty()) {
        const QVariant v = Settings->value(Group(Current + QStringList{stored}));
        if (v.typeId() == QMetaType::QByteArray)
            return v.toByteArray();
    }
    throw TError(QStringLiteral("Invalid data type for '%1'").arg(name));
}

double TRegistry::ReadFloat(const QString& name) const
{
    const QByteArray bytes = ReadBinary(name);
    if (bytes.size() != 8)
        throw TError(QStringLiteral("Invalid data type for '%1'").arg(name));
    const quint64 bits = qFromLittleEndian<quint64>(bytes.constData());
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QDate TRegistry::ReadDate(const QString& name) const
{
    const double days = ReadFloat(name);
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        throw TError(QStringLiteral("Invalid data type for '%1'").arg(name));
    return DayZero.addDays(static_cast<qint64>(std::floor(days)));
}

void TRegistry::WriteString(const QString& name, const QString& value)
{
    const QString stored = StoredValueName(name);
    Settings->setValue(Group(Current + QStringList{stored.isEmpty() ? name : stored}), value);
    Commit(QStringLiteral("Failed to set data for '%1'").arg(name));
}

void TRegistry::WriteInteger(const QString& name, int value)
{
    const QString stored = StoredValueName(name);
    Settings->setValue(Group(Current + QStringList{stored.isEmpty() ? name : stored}), value);
    Commit(QStringLiteral("Failed to set data for '%1'").arg(name));
}

void TRegistry::WriteBinary(const QString& name, const QByteArray& value)
{
    const QString stored = StoredValueName(name);
    Settings->setValue(Group(Current + QStringList{stored.isEmpty() ? name : stored}), value);
    Commit(QStringLiteral("Failed to set data for '%1'").arg(name));
}

void TRegistry::WriteFloat(const QString& name, double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    QByteArray bytes(8, '\0');
    qToLittleEndian<quint64>(bits, bytes.data());
    WriteBinary(name, bytes);
}

void TRegistry::WriteDate(const QString& name, const QDate& date)
{
    WriteFloat(name, static_cast<double>(DayZero.daysTo(date)));
}
