#include "config/setup.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <charconv>
#include <cmath>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include "config/ini_file.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/formats.h"
#include "foundation/messages.h"
#include "foundation/text_helpers.h"
#include "platform/registry/registry.h"

namespace {

TokfSetup* Installed = nullptr;

const QString Firm = QStringLiteral("Firm");
const QString Money = QStringLiteral("Money");
const QString Tax = QStringLiteral("Tax");
const QString Defaults = QStringLiteral("Defaults");
const QString Ftp = QStringLiteral("FTP");

// The firm keys with their fields, in the order they are read and written.
struct TFirmKey
{
    const char* Key;
    QString TokfSetup::*Field;
};
const TFirmKey FirmKeys[] = {
    {"Name", &TokfSetup::FirmName},       {"Logo", &TokfSetup::FirmLogo},
    {"Address", &TokfSetup::FirmAddress}, {"JustAddress", &TokfSetup::FirmJustAddress},
    {"ZipCode", &TokfSetup::FirmZipCode}, {"Phone1", &TokfSetup::FirmPhone1},
    {"Phone2", &TokfSetup::FirmPhone2},   {"Phone3", &TokfSetup::FirmPhone3},
    {"Fax", &TokfSetup::FirmFax},         {"EMail", &TokfSetup::FirmEMail},
    {"Internet", &TokfSetup::FirmInternet}, {"INN", &TokfSetup::FirmINN},
    {"Account", &TokfSetup::FirmAccount}, {"Director", &TokfSetup::FirmDirector},
    {"BookKeeper", &TokfSetup::FirmBookKeeper},
};

// Registry integers with their defaults; the options are stored as 1 and 0.
struct TRegInt
{
    const char* Name;
    int TokfSetup::*Field;
    int Default;
};
const TRegInt RegInts[] = {
    {"TechnologMainWinState", &TokfSetup::MainWinState, wsNormal},
    {"TechnologOrderWinState", &TokfSetup::OrderWinState, wsNormal},
    {"TechnologDesignWinState", &TokfSetup::DesignWinState, wsNormal},
    {"TechnologDesignFormW", &TokfSetup::DesignFormW, 640},
    {"TechnologDesignFormH", &TokfSetup::DesignFormH, 480},
};
struct TRegBool
{
    const char* Name;
    bool TokfSetup::*Field;
};
const TRegBool RegBools[] = {
    {"AlertIfNotFull", &TokfSetup::AlertIfNotFull}, {"AutoReg", &TokfSetup::AutoReg},
    {"AutoOpenReg", &TokfSetup::AutoOpenReg},       {"MoveToRecycled", &TokfSetup::MoveToRecycled},
    {"AutoLoadCurrency", &TokfSetup::AutoLoadCurrency},
};

QString K(const char* key) { return QString::fromLatin1(key); }

class TWait
{
public:
    TWait() { BeginWait(); }
    ~TWait() { EndWait(); }
    TWait(const TWait&) = delete;
    TWait& operator=(const TWait&) = delete;
};

float ReadFloatKey(const TIniFile& ini, const QString& section, const QString& key)
{
    bool ok = false;
    const double value = ParseSettingsFloat(ini.ReadString(section, key, QStringLiteral("0")), &ok);
    return ok ? static_cast<float>(value) : 0.0f;
}

void MakeHidden([[maybe_unused]] const QString& folder)
{
#ifdef Q_OS_WIN
    const std::wstring path = QDir::toNativeSeparators(folder).toStdWString();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_HIDDEN))
        SetFileAttributesW(path.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
#endif
}

} // namespace

TokfSetup& Setup()
{
    if (!Installed)
        throw TError(QStringLiteral("Настройки не загружены"));
    return *Installed;
}
bool HasSetup() { return Installed != nullptr; }
void InstallSetup(TokfSetup* setup) { Installed = setup; }

QString EncodeHexText(const QString& text) { return QString::fromLatin1(ToCp1251(text).toHex()); }

QString DecodeHexText(const QString& hex)
{
    const QString digits = hex.size() % 2 ? QLatin1Char('0') + hex : hex;
    QByteArray bytes;
    for (qsizetype i = 0; i < digits.size(); i += 2) {
        const int b = HexToByte(digits.mid(i, 2));
        if (b >= 0)
            bytes += static_cast<char>(b);
    }
    return FromCp1251(bytes);
}

QString SettingsFloatText(float value)
{
    // The shortest text that reads back as the same single, so 19.9 stays "19.9" in the file
    // instead of the 15 digits of its binary approximation.
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general);
    const double shortest = ec == std::errc() ? QString::fromLatin1(buffer, end - buffer).toDouble() : value;
    QString text = QString::number(shortest, 'g', 15);
    if (text.contains(QLatin1Char('e')))
        text = QString::number(shortest, 'f', 15).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
    text.replace(QLatin1Char('.'), Formats().DecimalSeparator());
    return text;
}

double ParseSettingsFloat(const QString& text, bool* ok)
{
    // The separator in force is "," for the whole run, so a value written by this program is read
    // back whatever the regional settings; a point is accepted as well.
    QString t = text.trimmed();
    t.replace(Formats().DecimalSeparator(), QLatin1Char('.'));
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool valid = false;
    const double value = QLocale::c().toDouble(t, &valid);
    *ok = valid && std::isfinite(value);
    return *ok ? value : 0.0;
}

TokfSetup::TokfSetup(const TStartConfig& config) : Config(config)
{
    Loaded = Load();
}

bool TokfSetup::Load()
{
    if (Config.SettingsFile.isEmpty() || !QFileInfo(Config.SettingsFile).isFile())
        return false;
    {
        TWait wait;
        LoadFile();
    }
    {
        TWait wait;
        LoadRegistry();
    }
    CreateFolders();
    return true;
}

void TokfSetup::LoadFile()
{
    const TIniFile ini(Config.SettingsFile);
    for (const auto& f : FirmKeys)
        this->*f.Field = ini.ReadString(Firm, K(f.Key), QString());
    CurCurrency = ini.ReadInteger(Money, QStringLiteral("CurCurrency"), 0);

    const QString nds = RemoveBlanks(ini.ReadString(Tax, QStringLiteral("NDSTax"), QStringLiteral("18")));
    bool ok = false;
    NDSTax = static_cast<float>(ParseSettingsFloat(nds, &ok));
    if (!ok)
        throw TError(QStringLiteral("'%1' is not a valid floating point value").arg(nds));
    TotalNDS = ini.ReadBool(Tax, QStringLiteral("TotalNDS"), true);
    ShowIncludingNDS = ini.ReadBool(Tax, QStringLiteral("ShowIncludingNDS"), true);
    PriceGrpNo = ini.ReadInteger(Tax, QStringLiteral("PriceGrpNo"), 0);

    PriceGroupNames.clear();
    for (int i = 1; i <= 10; ++i)
        PriceGroupNames << ini.ReadString(QStringLiteral("PriceGroupNames"), QString::number(i),
                                          QStringLiteral("?????? #%1").arg(i));

    DefProfSys = ini.ReadString(Defaults, QStringLiteral("DefProfSys"), QString());
    DefFurnSys = ini.ReadString(Defaults, QStringLiteral("DefFurnSys"), QString());
    DefFurnSysGroup = ini.ReadInteger(Defaults, QStringLiteral("DefFurnSysGroup"), 0);
    DefInnerProfColor = ini.ReadString(Defaults, QStringLiteral("DefInnerProfColor"), QString());
    DefOuterProfColor = ini.ReadString(Defaults, QStringLiteral("DefOuterProfColor"), QString());
    DefFurnColor = ini.ReadString(Defaults, QStringLiteral("DefFurnColor"), QString());
    DefHandle = ini.ReadString(Defaults, QStringLiteral("DefHandle"), QString());
    DefMaterial = ini.ReadInteger(Defaults, QStringLiteral("DefMaterial"), 1);
    DefFalzType = ini.ReadInteger(Defaults, QStringLiteral("DefFalzType"), 0);
    DefDornType = ini.ReadInteger(Defaults, QStringLiteral("DefDornType"), 0);
    DefStulpFalzType = ini.ReadInteger(Defaults, QStringLiteral("DefStulpFalzType"), 0);
    DefFlugelType = ini.ReadInteger(Defaults, QStringLiteral("DefFlugelType"), 0);
    DefProfWidth = ReadFloatKey(ini, Defaults, QStringLiteral("DefProfWidth"));
    DefProfThickness = ReadFloatKey(ini, Defaults, QStringLiteral("DefProfThickness"));
    ReportLogo = ini.ReadString(QStringLiteral("Report"), QStringLiteral("Logo"), QString());
    UserDefineHeight = ini.ReadBool(Defaults, QStringLiteral("UserDefineHeight"), true);

    FtpHost = ini.ReadString(Ftp, QStringLiteral("ftpHost"), QString());
    FtpPort = ini.ReadInteger(Ftp, QStringLiteral("ftpPort"), 21);
    FtpUserName = DecodeHexText(ini.ReadString(Ftp, QStringLiteral("ftpUserName"), QString()));
    FtpPassword = DecodeHexText(ini.ReadString(Ftp, QStringLiteral("ftpPassword"), QString()));
    FtpDir = ini.ReadString(Ftp, QStringLiteral("ftpDir"), QString());
    FtpUpload = ini.ReadBool(Ftp, QStringLiteral("ftpUpload"), false);
}

void TokfSetup::LoadRegistry()
{
    // Defaults first, so that a value that cannot be read leaves a sensible one.
    for (const auto& v : RegInts)
        this->*v.Field = v.Default;
    for (const auto& v : RegBools)
        this->*v.Field = true;
    try {
        TRegistry reg;
        reg.OpenKey(RegistryBaseKey, true);
        for (const auto& v : RegInts)
            if (reg.ValueExists(K(v.Name)))
                this->*v.Field = reg.ReadInteger(K(v.Name));
        for (const auto& v : RegBools)
            if (reg.ValueExists(K(v.Name)))
                this->*v.Field = reg.ReadBool(K(v.Name));
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("Ошибка чтения из системного реестра!\r\n(%1)").arg(ErrorText(e)));
    }
}

void TokfSetup::CreateFolders() const
{
    const QString folders[] = {Config.ServerDir, Config.OrdersDir, Config.RecycleDir, Config.ArchiveDir,
                               Config.SelectionsDir, Config.ReportDir, Config.ExportDir};
    for (const QString& folder : folders) {
        if (folder.isEmpty() || QFileInfo::exists(folder))
            continue;
        QDir().mkpath(folder);
        if (folder == Config.RecycleDir)
            MakeHidden(folder);
    }
}

void TokfSetup::Save()
{
    if (!Loaded)
        return;
    {
        TWait wait;
        SaveRegistry();
    }
    {
        TWait wait;
        SaveFile();
    }
}

void TokfSetup::SaveRegistry()
{
    try {
        TRegistry reg;
        reg.OpenKey(RegistryBaseKey, true);
        for (const auto& v : RegInts)
            reg.WriteInteger(K(v.Name), this->*v.Field);
        for (const auto& v : RegBools)
            reg.WriteBool(K(v.Name), this->*v.Field);
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("Ошибка записи в системный реестр!\r\n(%1)").arg(ErrorText(e)));
    }
}

void TokfSetup::SaveFile()
{
    try {
        TIniFile ini(Config.SettingsFile);
        ini.WriteString(Defaults, QStringLiteral("DefProfSys"), DefProfSys);
        ini.WriteString(Defaults, QStringLiteral("DefInnerProfColor"), DefInnerProfColor);
        ini.WriteString(Defaults, QStringLiteral("DefOuterProfColor"), DefOuterProfColor);
        ini.WriteString(Defaults, QStringLiteral("DefFurnSys"), DefFurnSys);
        ini.WriteString(Defaults, QStringLiteral("DefFurnColor"), DefFurnColor);
        ini.WriteString(Defaults, QStringLiteral("DefHandle"), DefHandle);
        ini.WriteInteger(Defaults, QStringLiteral("DefMaterial"), DefMaterial);
        ini.WriteInteger(Defaults, QStringLiteral("DefFalzType"), DefFalzType);
        ini.WriteInteger(Defaults, QStringLiteral("DefStulpFalzType"), DefStulpFalzType);
        ini.WriteInteger(Defaults, QStringLiteral("DefFlugelType"), DefFlugelType);
        ini.WriteInteger(Defaults, QStringLiteral("DefDornType"), DefDornType);
        ini.WriteString(Defaults, QStringLiteral("DefProfWidth"), SettingsFloatText(DefProfWidth));
        ini.WriteString(Defaults, QStringLiteral("DefProfThickness"), SettingsFloatText(DefProfThickness));
        ini.WriteInteger(Money, QStringLiteral("CurCurrency"), CurCurrency);
        ini.WriteString(Tax, QStringLiteral("NDSTax"), SettingsFloatText(NDSTax));
        for (const auto& f : FirmKeys)
            ini.WriteString(Firm, K(f.Key), this->*f.Field);
        ini.WriteString(Ftp, QStringLiteral("ftpHost"), FtpHost);
        ini.WriteInteger(Ftp, QStringLiteral("ftpPort"), FtpPort);
        ini.WriteString(Ftp, QStringLiteral("ftpUserName"), EncodeHexText(FtpUserName));
        ini.WriteString(Ftp, QStringLiteral("ftpPassword"), EncodeHexText(FtpPassword));
        ini.WriteString(Ftp, QStringLiteral("ftpDir"), FtpDir);
        ini.WriteBool(Ftp, QStringLiteral("ftpUpload"), FtpUpload);
        ini.UpdateFile();
    } catch (const std::exception& e) {
        ShowError(ErrorText(e));
    }
}

QString TokfSetup::PhonesLine() const
{
    QString line;
    for (const QString* number : {&FirmPhone1, &FirmPhone2, &FirmPhone3, &FirmFax}) {
        if (number->isEmpty())
            continue;
        if (line.isEmpty())
            line = FirmZipCode + QLatin1Char(' ') + *number;
        else
            line += QLatin1Char(',') + *number;
    }
    return line;
}
