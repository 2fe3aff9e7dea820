#pragma once
// The viewer's command line, read before any window exists. --help and --version answer on standard output and end
// the program; otherwise the window opens and the positional arguments (a file or a folder to start with) are kept
// for it.

#include <QStringList>

#include <optional>

class QTextStream;

struct CommandLineRequest {
    std::optional<int> exitCode; // set when the program ends here, without a window
    QStringList paths; // positional arguments, in the order given
};

// arguments[0] is the program's name. Help and version go to out; an unknown option is named on err with a hint,
// exit code 2.
CommandLineRequest ReadCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

// main's hook: argv in the local 8-bit encoding, answers on standard output and standard error.
CommandLineRequest ReadCommandLine(int argc, char** argv);
