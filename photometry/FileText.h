#pragma once
// The text of one photometric file, for reading it once.

#include <string>
#include <string_view>

// The file's bytes as LoadFileBytes gives them, refusing what it refuses with the same messages. A large regular
// file is mapped into memory rather than copied: its text is then read straight from the system's cache, which
// spares copying megabytes into fresh memory. Should another program cut the file short while it is mapped, what
// lies past its new end reads as zeros and Check throws, so that a reader's result is never taken for the file's.
class tFileText {
public:
    explicit tFileText(const std::string& path);
    ~tFileText();
    tFileText(const tFileText&) = delete;
    tFileText& operator=(const tFileText&) = delete;

    std::string_view Text() const { return m_text; }

    // Whether the text is mapped (a file of kMapFrom bytes or more, where the system allows it).
    bool Mapped() const { return m_mapping != nullptr; }

    // Throws tFileReadError when the file was cut short while it was read; call it once the text is read.
    void Check() const;

    // Files from this size on are mapped: below it a copy costs less than the mapping.
    static constexpr std::size_t kMapFrom = std::size_t { 1 } << 20;

private:
    std::string m_path;
    std::string m_copy; // the bytes of a file that is not mapped
    void* m_mapping = nullptr;
    std::size_t m_mappedSize = 0;
    int m_watch = -1;
    std::string_view m_text;
};
