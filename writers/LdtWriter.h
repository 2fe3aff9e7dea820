#pragma once
// Writing an EULUMDAT file: field for field from an EULUMDAT source, or built from any type C record.

#include "LdtReader.h"
#include "PhotometricHeader.h"
#include "tIES.h"

#include <stdexcept>
#include <string>

// A conversion the target format cannot hold; what() tells the user why.
class WriteRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How the intensities are written: in the shortest text that reads back to the same extended real (fields as read),
// or to the same double (intensities computed from another file's candela values, held as doubles).
enum class LdtIntensities { Exact, Doubles };

// The file holding every field, CR LF ended lines; numbers in their shortest text that reads back to the same value.
std::string LdtFileText(const tLdtFields& fields, LdtIntensities intensities = LdtIntensities::Exact);

// The fields an EULUMDAT file holding the record would have (see LdtFromRecord.cpp for the rules); the
// intensities are doubles, to be written with LdtIntensities::Doubles.
// fileName goes into line 11. Throws WriteRefusal when the record is not type C, when its horizontal angles do not
// form a range EULUMDAT can hold, or when its lamp flux is not a positive number.
tLdtFields LdtFieldsOf(
    const TStringList& headerLines, const tIES& ies, const tPhotometricHeader& header, const std::string& fileName);
