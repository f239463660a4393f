#pragma once

#include <QString>

#include "platform/db/table.h"

// Whether the table has a row whose field equals the value, whatever its filter, without moving
// its cursor (an index probe; a keyed Locate would also rebuild the position map that every
// filter change discards).
inline bool HasRow(TTable& table, const QString& field, const QString& value)
{
    return !table.Lookup(field, value, field).isNull();
}

// Sets a filter on a shared table object for one walk and puts the table back as it was when the
// walk ends by any way, exceptions included; the table's controls stay disabled meanwhile.
class TFilterGuard
{
public:
    TFilterGuard(TTable& table, const QString& filter)
        : Table(table), OldFilter(table.Filter()), OldFiltered(table.Filtered())
    {
        Table.DisableControls();
        try {
            Table.SetFiltered(false);
            Table.SetFilter(filter);
            Table.SetFiltered(true);
        } catch (...) {
            Restore();
            throw;
        }
    }
    ~TFilterGuard() { Restore(); }
    TFilterGuard(const TFilterGuard&) = delete;
    TFilterGuard& operator=(const TFilterGuard&) = delete;

    // Puts another filter in force within the same guard (the colourless fall-back).
    void Change(const QString& filter) { Table.SetFilter(filter); }

private:
    void Restore() noexcept
    {
        try {
            Table.SetFiltered(false);
            Table.SetFilter(OldFilter);
            Table.SetFiltered(OldFiltered);
        } catch (...) {
            // The previous state was valid when it was set; nothing sensible is left to do.
        }
        Table.EnableControls();
    }

    TTable& Table;
    QString OldFilter;
    bool OldFiltered;
};

