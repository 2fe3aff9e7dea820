#pragma once
// Putting a long text together in chunks on two threads and handing the chunks on in their order.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Appends the text of chunk index (0 to count - 1) to out, which comes in empty.
using ChunkFormatter = std::function<void(std::size_t index, std::string& out)>;
// Takes the next chunk's text, in order.
using ChunkSink = std::function<void(std::string_view text)>;

// Puts count chunks together and hands each to sink, chunk 0 first. With twoThreads, a second thread puts chunks
// together beside the calling thread; the calling thread also hands on every chunk as soon as the ones before it have
// gone. A few buffers go round between them, so memory stays within a few chunks whatever count is.
// What format or sink throws is thrown here, once the second thread has stopped; chunks after it are not handed on.
// Without a thread to be had the calling thread does it all.
void HandOnChunksInOrder(std::size_t count, bool twoThreads, const ChunkFormatter& format, const ChunkSink& sink);
