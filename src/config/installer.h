#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Sets up a database configuration for the current user, as the Windows installation did: the
// folders under one root, the catalogue, the registry and report stores, a settings file with
// workable defaults and the configuration's registry key.
struct TInstallOptions
{
    QString ConfigName;
    QString Root;
    QString CatalogFrom; // Paradox or CSV catalogue to import; empty: keep or create an empty one
    int Codepage = 0;    // for Paradox tables without a code page in their header
    bool MakeDefault = false;
    bool Force = false;  // replace an existing catalogue
};

// Returns the lines that tell what was done; raises TError when the configuration cannot be set
// up (a second run over the same root only fills in what is missing).
QStringList InstallConfiguration(const TInstallOptions& options);

struct TConfigurationInfo
{
    QString Name;
    QString CatalogDir;
    QString ServerDir;
    QString ReportDir;
    QString TempDir;
    bool IsDefault = false;
};
// The configurations registered for the current user, in registry order.
std::vector<TConfigurationInfo> RegisteredConfigurations();
