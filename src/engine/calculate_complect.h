#pragma once

#include <QString>

class TEngineComplect;
class TEngineSash;

// Builds the item list of a complect whose items have just been cleared: every chosen complect
// expanded in slot order, then additional complects, keepers, colour accessories and accessories
// of the lines found, empty lines dropped and the rest sorted. False when there is no complect.
bool CalculateComplect(TEngineComplect* complect);

// Whether a complect's side table fits the shape of a sash.
bool ComplectFitsSash(const TEngineSash& sash, const QString& complectId);
