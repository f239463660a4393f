#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include "model/mat_list.h"
#include "model/order_json.h"

class TokfOrder;
class TokfOrderSelection;

// Reads a whole input file; a missing or unreadable file is reported and gives false.
bool ReadInputFile(const QString& path, QByteArray& bytes);

// A new order's defaults as the order window fills them: the settings, the base colours of the
// profile and fittings systems.
TNewOrderDefaults NewOrderDefaults();

// The document's currency, VAT rate and snapshot become the pricing context, as when its window
// is activated.
void MakePricingContext(const TokfOrder& order);
void MakePricingContext(const TokfOrderSelection& selection);

// Loads with the model's messages; false when the file was not read completely.
bool LoadOrder(const QString& path, TokfOrder& order);
bool LoadSelection(const QString& path, TokfOrderSelection& selection);

// Builds the order from a validated document: a fresh currency snapshot, the header and every
// position. A failing position is reported with its number and stops the build (false).
bool BuildOrder(const TOrderInput& input, const TNewOrderDefaults& defaults, TokfOrder& order);

// Text and machine output.
void PrintJson(const QJsonObject& object);
QString OrderText(const TokfOrder& order);
QString SelectionText(const TokfOrderSelection& selection);
// The list with the catalogue's article numbers, name and unit, sorted "id" or "name".
void PrintMatList(const TokfMatList& list, const QString& sort, bool json, bool csv);

// The reference orders beside the shipped demo catalogue (data/orders); empty when not found.
QString FindReferenceOrdersDir();
// The order documents ref-*.json of a folder (not their expected lists), by name.
QStringList ReferenceOrderFiles(const QString& dir);
