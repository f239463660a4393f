#pragma once

#include <QString>
#include <QStringList>

#include "config/start_config.h"

// The active document's currency snapshot; the model defines it. The settings only point at it.
class TokfCurrencyList;

// Window states as stored: 0 normal, 1 minimised, 2 maximised.
enum TWinState : int { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

// The settings: firm details, new-order defaults, tax and currency defaults, price group names,
// FTP account, window states and options, and the pricing context of the active document window.
// Loaded at creation from the settings file OKFurniture.ini of the configuration and from the
// per-user registry; written back by Save at exit. Other code reads and writes the fields directly.
class TokfSetup
{
public:
    // Loads the settings of the configuration (the start-up record unless given). Loaded tells
    // whether the settings file was found; only then is anything read from the registry, are the
    // storage folders created, and does Save write. A NDSTax value that is no number raises TError.
    explicit TokfSetup(const TStartConfig& config = StartConfig());

    // Registry values first, then the settings file; failures are shown in error boxes.
    // Does nothing when the settings were not loaded.
    void Save();

    // Phone 1..3 and fax, the city code before the first one: "017 123,456".
    QString PhonesLine() const;

    // [Firm]
    QString FirmName;
    QString FirmLogo;
    QString FirmAddress;
    QString FirmJustAddress;
    QString FirmZipCode;
    QString FirmPhone1;
    QString FirmPhone2;
    QString FirmPhone3;
    QString FirmFax;
    QString FirmEMail;
    QString FirmInternet;
    QString FirmINN;
    QString FirmAccount;
    QString FirmDirector;
    QString FirmBookKeeper;

    // Pricing context of the active order or selection window; never stored.
    int ActiveCurrency = 0;
    float ActiveNDS = 0;
    const TokfCurrencyList* ActiveCurrencies = nullptr; // not owned

    // New-order defaults ([Defaults], [Money], [Tax]).
    QString DefProfSys;
    QString DefInnerProfColor;
    QString DefOuterProfColor;
    QString DefFurnSys;
    int DefFurnSysGroup = 0; // read only
    QString DefFurnColor;
    QString DefHandle;
    int DefMaterial = 0;
    int CurCurrency = 0;
    int PriceGrpNo = 0;           // read only
    float NDSTax = 0;
    bool TotalNDS = false;         // read only
    bool ShowIncludingNDS = false; // read only
    int DefFalzType = 0;
    int DefDornType = 0;
    int DefStulpFalzType = 0;
    int DefFlugelType = 0;
    float DefProfWidth = 0;
    float DefProfThickness = 0;

    // Options (registry).
    bool AlertIfNotFull = false;
    bool AutoReg = false;
    bool AutoOpenReg = false;
    bool MoveToRecycled = false;
    bool AutoLoadCurrency = false;

    bool Loaded = false;

    // Window states (registry); the designer's are kept only to be written back.
    int MainWinState = wsNormal;
    int OrderWinState = wsNormal;
    int DesignWinState = wsNormal;
    int DesignFormW = 0;
    int DesignFormH = 0;

    QStringList PriceGroupNames; // ten names, read only
    QString ReportLogo;          // read only
    bool UserDefineHeight = false; // read only
    bool DebugMode = false;

    // [FTP]
    QString FtpHost;
    int FtpPort = 0;
    QString FtpUserName;
    QString FtpPassword;
    QString FtpDir;
    bool FtpUpload = false;

private:
    bool Load();
    void LoadFile();
    void LoadRegistry();
    void CreateFolders() const;
    void SaveRegistry();
    void SaveFile();

    TStartConfig Config;
};

// The settings of the running process; start-up installs them.
TokfSetup& Setup();
bool HasSetup();
// Not owned; nullptr uninstalls.
void InstallSetup(TokfSetup* setup);

// The user name and password as stored: lower-case hex of their Windows-1251 bytes. Decoding
// reads an odd-length text as if a "0" stood before it and skips pairs that are no hex digits.
QString EncodeHexText(const QString& text);
QString DecodeHexText(const QString& hex);
// A real as the settings file keeps it: general format, up to 15 significant digits, no
// trailing zeros, with the decimal separator in force.
QString SettingsFloatText(float value);
// A real written with the decimal separator in force or a point; ok tells whether it was one.
double ParseSettingsFloat(const QString& text, bool* ok);
