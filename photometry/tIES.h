#pragma once
// The in-memory photometric record of one IES file.

#include <cstdint>
#include <string>
#include <vector>

// Growable array of 80-bit extended reals, indexed from 0.
using tArrEx = std::vector<long double>;

// A list of text lines; each character is one byte of the file (no encoding applied).
using TStringList = std::vector<std::string>;

struct tIES {
    long double LumensPerLamp = 0; // stored as read, never used in computations
    long double CandelaMultiplier = 0; // stored as read, never applied to Candela
    uint16_t NumVertAngles = 0;
    uint16_t NumHorizAngles = 0;
    uint16_t UnitsType = 0; // 1 feet, 2 metres; stored as read
    tArrEx VertAngles; // degrees, file order, NumVertAngles entries
    tArrEx HorizAngles; // degrees, file order, NumHorizAngles entries; entry h is plane h
    std::vector<tArrEx> Candela; // NumHorizAngles rows of NumVertAngles values, unscaled
};

// Empties the intensity table: every row to length 0 in row order, then the table itself.
// The other fields keep their values. An empty table means "no file loaded".
void EmptyIntensityTable(tIES& ies);

// True while no file is loaded.
inline bool IsEmpty(const tIES& ies) { return ies.Candela.empty(); }
