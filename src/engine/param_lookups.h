#pragma once

#include <QString>
#include <QStringList>

#include "engine/selection_params.h"

// Sash parameters by their catalogue codes. The outputs are zeroed first; a code that the kind's
// table does not hold raises unless quiet, and then the zeros stay.
void ReadFalzParams(int code, bool quiet, TSelectionParams& params);
void ReadDornMass(int code, bool quiet, TSelectionParams& params);
void ReadStulpType(int code, bool quiet, quint8& mullionType);
void ReadOpenType(int code, bool quiet, TSelectionParams& params);

// Names of parameter codes; empty when the code is unknown.
QString FalzName(int code);
QString DornName(int code);
QString StulpName(int code);
QString OpenTypeName(int code);

// Systems and colours.
int SystemCommonGroup(const QString& systemId, bool quiet);
QString SystemName(const QString& systemId);
QString SystemBaseColor(const QString& systemId);
QString KeeperSystemName(const QString& keeperSystemId);
QString ColorName(const QString& colorCode);

// Complects of FrnComp.
bool ComplectExists(const QString& complectId); // the row stays current when found
QString ComplectName(const QString& complectId);  // raises when unknown
bool TryComplectName(const QString& complectId, QString& name);
int ComplectGroup(const QString& complectId);
int ComplectScreenColor(const QString& complectId); // white when unknown
int ComplectImage(const QString& complectId);
QString ComplectPrintName(const QString& complectId, bool& printable);
// HandleDirect of a complect's side (1-based), 0 when the side table has no such row.
int HandleDirection(const QString& complectId, int sideNo);

// Whether a catalogue row carrying the property key applies to a sash with these property
// choices ("slot", separator, property ID per line) in this slot.
bool PropKeyAllowed(int propKey, const QStringList& choices, int slot);

// Builds the selection parameters of a sash in the calculation's order of checks: rebate,
// backset and opening type looked up, backset and rebate values checked, then the mullion type
// (6 for a single sash without any look-up).
class TEngineComplect;
TSelectionParams ResolveSelectionParams(TEngineComplect& complect);
quint8 ResolveMullionType(TEngineComplect& complect);
