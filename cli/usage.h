#pragma once
// Every subcommand's usage text in one form: `gonilux-cli SUBCOMMAND --help` (or -h) prints it on standard output and
// exits 0; a usage error names what is wrong, then prints the usage, on standard error.

#include <string>

// One subcommand's usage: its lines, each ending in a line feed ("usage: gonilux-cli NAME ...\n" first).
struct CommandUsage {
    const char* name; // the subcommand, as typed
    const char* text;
};

// Whether argv (argv[0] is the subcommand's name) asks for help: any argument is "--help" or "-h".
bool AsksForHelp(int argc, char** argv);

// Prints the usage on standard output; 0, or 3 when standard output fails.
int PrintHelp(const CommandUsage& usage);

// Prints "gonilux-cli: NAME: PROBLEM" and the usage on standard error; returns exitCode (2 unless the subcommand's
// exit codes say otherwise).
int UsageError(const CommandUsage& usage, const std::string& problem, int exitCode = 2);
