#pragma once
// Memory for reading and writing one large photometric file in a short-lived process.
//
// A table of 650,000 values passes through about 20 MB of fresh memory (the file's bytes, the values as extended
// reals, the text written). Taken a 4 kB page at a time, the first touch of each page is a fault, and on a virtual
// machine those faults cost more than reading and writing the numbers. Called once before such a file is read,
// this makes the process's heap grow ahead in one large step advised for huge pages, keeps blocks up to 32 MB on
// that heap (rather than in mappings of their own, given back on every free) and lets every thread allocate from
// it, so one fault maps 2 MB and freed blocks are used again. Elsewhere than with the GNU C library on Linux it
// does nothing.
namespace fileio {

// Returns whether the heap was prepared. Calling it again does nothing more.
bool PrepareHeapForLargeFiles();

} // namespace fileio
