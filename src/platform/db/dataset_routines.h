#pragma once

class TTable;

// The table-opening and table-closing routines that every Part uses: a failure is shown in an
// error box naming the table and the engine's message, and the routine returns false; it never
// raises.
bool OpenDataSet(TTable& table);
bool CloseDataSet(TTable& table);
