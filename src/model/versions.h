#pragma once

#include <QString>

// Current format versions of the stored files: orders and everything inside them, selections.
inline QString OrderFormatVersion() { return QStringLiteral("26.12.2019"); }
inline QString SelectionFormatVersion() { return QStringLiteral("06.10.2015"); }

// Versions at which stored layouts changed.
inline QString VersionNoObsoleteCodes() { return QStringLiteral("10.12.2009"); } // order codes, position strings
inline QString VersionItemHistory() { return QStringLiteral("06.10.2015"); }     // item History
inline QString VersionItemComment() { return QStringLiteral("03.03.2019"); }     // item Comment
inline QString VersionSashDornType() { return QStringLiteral("23.07.2019"); }    // backset per sash
inline QString VersionItemSide() { return QStringLiteral("26.12.2019"); }        // item side, parent

inline QString OrderSignature() { return QStringLiteral("Diravir Furniture Order File"); }
inline QString SelectionSignature() { return QStringLiteral("Diravir Furniture Selection File"); }
