#pragma once
// The text of one photometric file, for reading it once.

#include <cstddef>
#include <string>
#include <string_view>

// The file's bytes as LoadFileBytes gives them, refusing what it refuses with the same messages. The text of a
// large file is read into memory of its own, aligned for the system's large pages where it has them: one page fault
// then maps 2 MB rather than 4 kB, which on a virtual machine saves milliseconds per megabyte.
class tFileText {
public:
    explicit tFileText(const std::string& path);
    ~tFileText();
    tFileText(const tFileText&) = delete;
    tFileText& operator=(const tFileText&) = delete;

    std::string_view Text() const { return m_text; }

    // Files from this size on get memory of their own; a smaller one is read into a string.
    static constexpr std::size_t kOwnMemoryFrom = std::size_t { 1 } << 20;

private:
    std::string m_copy; // the bytes of a smaller file
    void* m_memory = nullptr; // the memory of a large file's text, and its size
    std::size_t m_memorySize = 0;
    std::string_view m_text;
};
