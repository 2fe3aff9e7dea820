#pragma once
// What `gonilux-cli check` checks: the files named and those found in the folders named, in a stable order, and
// checked on every core while the results come back in that order.

#include "Diagnostic.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// One file to check, or a path that could not be used (error set: no such file, a folder that cannot be read).
struct CheckTarget {
    std::string path;
    std::string error;
};

// The targets for the paths given, in their order; a folder's checkable files (recursively with recursive) are
// sorted by path.
std::vector<CheckTarget> CollectTargets(const std::vector<std::string>& paths, bool recursive);

struct CheckResult {
    Diagnostics diagnostics;
    std::string error; // the file could not be read
};

// Checks every target on `threads` workers and hands each result to `done` in the targets' order, from the calling
// thread. Only a bounded window of results waits to be handed on, whatever the number of files. `tick` is called
// from the calling thread after every result and while waiting (at least ten times a second) with the number of
// results handed on so far.
void CheckInOrder(const std::vector<CheckTarget>& targets, unsigned threads,
    const std::function<void(std::size_t index, CheckResult&)>& done, const std::function<void(std::size_t)>& tick);
