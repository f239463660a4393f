#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

// The per-user registry (HKEY_CURRENT_USER). On Windows it is the real registry; elsewhere an INI
// file stands in for it: the file named by the environment variable DIRAVIR_REGISTRY, or
// "Diravir/registry.ini" in the user's configuration folder.
//
// Used like the Windows registry object: open a key, then read and write its values. Key paths
// are separated by backslashes; a path beginning with a backslash starts at HKEY_CURRENT_USER,
// any other path is relative to the key open at the time. Key and value names are matched
// without regard to letter case and keep the spelling with which they were first created.
// Failures raise TError with a readable text.
class TRegistry
{
public:
    TRegistry();
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // The file that stands in for the registry (empty on Windows).
    static QString StandInFile();

    // Opens the key; with canCreate the key and its missing parents are created. False when the
    // key does not exist and may not be created (the key open before stays open).
    bool OpenKey(const QString& key, bool canCreate);
    bool KeyExists(const QString& key) const;
    // Back to HKEY_CURRENT_USER.
    void CloseKey();
    // "\SoftWare\..." as stored; "" at the root.
    QString CurrentPath() const;
    // Sub-key names of the open key, in the order the registry lists them.
    QStringList GetKeyNames() const;
    QStringList GetValueNames() const;
    // Deletes a key with all its sub-keys and values; false when it does not exist.
    bool DeleteKey(const QString& key);

    bool ValueExists(const QString& name) const;
    bool DeleteValue(const QString& name);

    // A missing value reads as an empty text, an integer as its decimal text; binary values raise.
    QString ReadString(const QString& name) const;
    // A missing value or one that is not an integer raises.
    int ReadInteger(const QString& name) const;
    bool ReadBool(const QString& name) const { return ReadInteger(name) != 0; }
    // Any binary value; a missing value raises.
    QByteArray ReadBinary(const QString& name) const;
    // An 8-byte binary value holding an IEEE-754 double (little-endian); other sizes raise.
    double ReadFloat(const QString& name) const;
    // A date kept as ReadFloat keeps it: days since 30 December 1899.
    QDate ReadDate(const QString& name) const;

    void WriteString(const QString& name, const QString& value);
    void WriteInteger(const QString& name, int value);
    void WriteBool(const QString& name, bool value) { WriteInteger(name, value ? 1 : 0); }
    void WriteBinary(const QString& name, const QByteArray& value);
    void WriteFloat(const QString& name, double value);
    void WriteDate(const QString& name, const QDate& date);

private:
    // Resolves a path to the stored spelling of its keys; false when a key is missing.
    bool Resolve(const QString& key, bool canCreate, QStringList& resolved) const;
    QString Group(const QStringList& path) const;
    QString StoredValueName(const QString& name) const;
    QStringList ChildGroups(const QString& group) const;
    QStringList ChildKeys(const QString& group) const;
    void Commit(const QString& failure);
    void CheckReadable() const;

    std::unique_ptr<QSettings> Settings;
    QStringList Current;
};
