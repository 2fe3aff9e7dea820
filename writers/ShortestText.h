#pragma once
// Numbers written into photometric files: the shortest decimal text that the readers take back to the very same
// value, with a "." whatever the process locale ("0.15", "-1", "1e-07").

#include <string>

// Appends the shortest text that ConvertToken reads back to exactly value (value must be finite).
void AppendShortest(std::string& out, long double value);

// Appends the shortest text that reads back to exactly value as a double.
void AppendShortest(std::string& out, double value);

std::string ShortestText(long double value);
