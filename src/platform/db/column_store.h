#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// The rows of a table held column by column. Text columns keep QString (empty = blank); all other
// columns keep a double (blank = 0) and a blank flag, so that filters compare without conversions.
struct TColumn
{
    bool IsText = false;
    std::vector<QString> Text;
    std::vector<double> Num;
    std::vector<std::uint8_t> Blank;

    bool IsBlank(size_t slot) const { return IsText ? Text[slot].isEmpty() : Blank[slot] != 0; }
};
