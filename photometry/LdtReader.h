#pragma once
// The EULUMDAT (.ldt) reader: a file's lines into the same photometric record, header lines and header numbers as
// an IES file gives, so that everything downstream works on both unchanged.

#include "IesReader.h"
#include "PhotometricHeader.h"
#include "TextLines.h"
#include "tIES.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A numeric field that did not convert but is not needed to build the record; the read went on.
struct tLdtFieldFailure {
    std::size_t line = 0; // 1-based line of the file
    std::string field; // what the field holds, e.g. "downward flux fraction"
    std::string text; // the field's text as it stands
};

// Facts of an EULUMDAT read that the record does not keep, for diagnostics. Line numbers are 1-based.
struct tLdtFacts {
    int symmetry = 0; // Isym, 0 to 4
    int cPlanes = 0; // Mc, the planes over 0 to 360
    int gammaAngles = 0; // Ng, intensities per plane
    int storedPlanes = 0; // planes the table holds for the symmetry
    int lampSets = 0;
    bool absolute = false; // the number of lamps of set 1 was negative
    long double lampFlux = 0; // flux of set 1, lm
    long double conversionFactor = 0;
    long double lightOutputRatio = 0; // LORL, line 23, percent
    bool lightOutputRatioRead = false; // line 23 converted
    long double luminaireLength = 0, luminaireWidth = 0, luminaireHeight = 0; // lines 13-15, in metres

    std::size_t firstLampSetLine = 27;
    std::size_t firstDirectRatioLine = 0;
    std::size_t firstCAngleLine = 0;
    std::size_t firstGammaLine = 0;
    std::size_t firstIntensityLine = 0;
    std::size_t lastTableLine = 0; // the last intensity
    std::size_t trailingLines = 0; // lines after the table that hold more than blanks
    std::size_t firstTrailingLine = 0; // 0 when there are none
    std::vector<tLdtFieldFailure> failures; // in file order
};

// One lamp set (six lines) as read.
struct tLdtLampSet {
    long double lamps = 0; // negative: absolute photometry
    std::string lampType;
    long double flux = 0; // lm
    std::string colourTemperature; // text: often written as such
    std::string colourRendering;
    long double watts = 0;
};

// Every field of an EULUMDAT file as read, so that the file can be written again field for field. A numeric
// field that did not convert holds the value the reader took for it. Texts are the lines as they stand (line 1
// without a UTF-8 byte order mark).
struct tLdtFields {
    std::string company; // line 1
    long double typeIndicator = 0, symmetry = 0, cPlanes = 0, cStep = 0, gammaCount = 0, gammaStep = 0; // 2-7
    std::string reportNumber, luminaireName, luminaireNumber, fileName, dateUser; // lines 8-12
    long double dimensions[9] = {}; // lines 13-21, mm
    long double downwardFlux = 0, lightOutputRatio = 0, conversionFactor = 0, tilt = 0; // lines 22-25
    std::vector<tLdtLampSet> lampSets;
    long double directRatios[10] = {};
    tArrEx cAngles, gammaAngles;
    std::vector<tArrEx> intensities; // the stored planes in file order, cd/klm, unscaled
};

// The fields of a file ReadLDT accepted with these facts, taken again from its lines.
tLdtFields CollectLdtFields(const TStringList& fileLines, const tLdtFacts& facts);
tLdtFields CollectLdtFields(const tTextLines& fileLines, const tLdtFacts& facts);

// Converts a numeric field as the reader does: blanks around it are ignored and a comma is a decimal point.
bool ConvertLdtField(std::string_view text, long double& value);

// Reads an EULUMDAT file's lines (as LoadFileLines gives them) into the record: horizontal angles as an IES file
// of the same symmetry holds them, candela values scaled to the flux of lamp set 1. headerLines receives the
// synthesised IES header keywords and TILT=NONE; header the IES header numbers (type C, metres).
// A numeric field that fails but is not needed is listed in facts and reported once through onHeaderError as
// "Error!\r\rLine N" (as a failing IES header number is); the read goes on.
// A file that cannot be read throws std::runtime_error("EULUMDAT line N: ...") naming the line and the field;
// nothing is changed then (record, header lines, header numbers and facts keep their values).
// fields, when given, receives every field as read (left as it was when the file is refused).
void ReadLDT(const TStringList& fileLines, TStringList& headerLines, tIES& ies, tPhotometricHeader& header,
    const HeaderErrorSink& onHeaderError, tLdtFacts* facts = nullptr, tLdtFields* fields = nullptr);
// The same read over a line store of the file's text, which costs little more than the text however many lines.
void ReadLDT(const tTextLines& fileLines, TStringList& headerLines, tIES& ies, tPhotometricHeader& header,
    const HeaderErrorSink& onHeaderError, tLdtFacts* facts = nullptr, tLdtFields* fields = nullptr);
