#pragma once
// Every file a subcommand writes: complete or not at all. The bytes go through fileio::WriteFileAtomically, so a
// failure leaves what was at the path exactly as it was.

#include <string>
#include <string_view>

// Writes bytes to path, which is taken as given (any bytes, UTF-8 or not). Returns "" on success, else the message
// for the user: "cannot write PATH: REASON".
std::string WriteOutputFile(const std::string& path, std::string_view bytes);
