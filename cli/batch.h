#pragma once
// Work on several files at once for render and goniogram: each file is done on one of the workers and what it has
// to say is printed in the order the files were given.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// What one file's work printed and how it ended.
struct FileOutcome {
    int exitCode = 0;
    std::string out; // for standard output
    std::string err; // for standard error
};

// Runs job for the files 0 to count - 1 on up to workers threads (0: one per core) and prints each outcome in order
// as soon as it and those before it are done. An exception from job counts as an error of that file (exit code 3).
// Returns the worst exit code, 0 when count is 0.
int RunBatch(size_t count, const std::function<FileOutcome(size_t)>& job, unsigned workers = 0);

// Prints one outcome: its standard error text, then its standard output text.
void PrintOutcome(const FileOutcome& outcome);

// The output file in folder for input: its last name with the extension after its last dot (if any) replaced by
// extension ("render" ".pgm" for "/a/b/lamp.IES" gives folder + "/lamp.pgm").
std::string BatchOutputPath(const std::string& folder, const std::string& input, const std::string& extension);

// For each input, empty when its output name is free, else the input before it that gives the same output.
std::vector<std::string> OutputClashes(const std::vector<std::string>& inputs, const std::string& extension);

// Creates folder and its parents when missing; an explanation when it cannot be made or is not a folder.
std::string MakeOutputFolder(const std::string& folder);

// The batch form every writing command shares: creates folder (exit 3 with the reason when it cannot), then runs
// job(file, output) for each file on the workers, output being BatchOutputPath(folder, file, extension). A file whose
// output name a file before it already gives is refused ("FILE: gives the same WHAT name as OTHER", exit 3) without
// running job. Returns the worst exit code.
int RunIntoFolder(const std::vector<std::string>& files, const std::string& folder, const std::string& extension,
    const std::string& what, const std::function<FileOutcome(const std::string& file, const std::string& output)>& job);

// Prefixes every line of text with prefix ("" leaves it as it is).
std::string PrefixLines(const std::string& text, const std::string& prefix);
