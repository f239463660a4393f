#pragma once

class TField;
class TTable;

// A field of a shared table object by its name literal, resolved once per table object: the
// engine reads the same few dozen fields millions of times, and a name search over a wide table
// costs more than the read. The entry goes when the table object is destroyed.
TField& Field(TTable& table, const char* name);
