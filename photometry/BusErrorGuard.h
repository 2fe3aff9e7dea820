#pragma once
// A file mapped into memory raises SIGBUS where it is read past its end, which happens when another program cuts
// the file short while it is mapped. The guard turns that into a readable outcome: the pages past the new end read
// as zeros, and the mapping is marked as cut, for the reader to refuse what it read.

#include <cstddef>

namespace busguard {

// Watches [begin, begin + size) until Release. Returns the watch's slot, or -1 when every slot is taken or the
// handler could not be installed (the caller then reads the file rather than mapping it).
int Watch(const void* begin, std::size_t size);

// True when a page of the watched range was read past the file's end.
bool WasCut(int slot);

// Ends the watch (before the range is unmapped).
void Release(int slot);

} // namespace busguard
