#include "FileText.h"
#include "IesReader.h"
#include "LineText.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

tFileReadError CannotOpen(const std::string& path, const std::string& reason)
{
    return tFileReadError("Cannot open file " + path, reason);
}

tFileReadError TooLarge(const std::string& path, std::uint64_t size)
{
    const std::string reason = "too large to be a photometric file: " + std::to_string(size) + " bytes, at most "
        + std::to_string(kMaxFileBytes) + " are read";
    return tFileReadError("The file " + path + " is " + reason, reason);
}

// An open file that is regular and no larger than kMaxFileBytes; closed when it goes.
class tReadableFile {
public:
    explicit tReadableFile(const std::string& path)
        // Non-blocking open: a FIFO (or a device) named like a file must never wait for a writer and freeze the window.
        : m_fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC))
    {
        if (m_fd < 0)
            throw CannotOpen(path, std::strerror(errno));
        // Only a regular file has text: a folder opens on some systems but reads as an error (or as a huge size).
        struct stat info { };
        if (::fstat(m_fd, &info) != 0) {
            const int error = errno;
            ::close(m_fd);
            throw CannotOpen(path, std::strerror(error));
        }
        const char* refusal = S_ISDIR(info.st_mode) ? std::strerror(EISDIR)
            : !S_ISREG(info.st_mode)                ? "not a regular file"
                                                    : nullptr;
        if (refusal || static_cast<std::uint64_t>(info.st_size) > kMaxFileBytes) {
            ::close(m_fd);
            throw refusal ? CannotOpen(path, refusal) : TooLarge(path, static_cast<std::uint64_t>(info.st_size));
        }
        m_size = static_cast<std::size_t>(info.st_size);
    }
    ~tReadableFile() { ::close(m_fd); }
    tReadableFile(const tReadableFile&) = delete;
    tReadableFile& operator=(const tReadableFile&) = delete;

    int Descriptor() const { return m_fd; }
    std::size_t Size() const { return m_size; } // as the file stood when opened

private:
    int m_fd;
    std::size_t m_size = 0;
};

// Reads from the file's current offset into [at, at + room); returns the bytes read, room + 1 never being asked for:
// a read that fills the room shows the file grew.
std::size_t ReadInto(const std::string& path, const tReadableFile& file, char* at, std::size_t room)
{
    std::size_t size = 0;
    while (size < room) {
        const ssize_t got = ::read(file.Descriptor(), at + size, room - size);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw CannotOpen(path, std::strerror(errno)); // a file the system refuses to read
        }
        size += static_cast<std::size_t>(got);
    }
    return size;
}

void ReadAll(const std::string& path, const tReadableFile& file, std::string& bytes)
{
    // Read straight into the string, sized for the file plus one byte: a read that fills it all shows the file grew.
    bytes.clear();
    std::size_t size = 0;
    bytes.resize(file.Size() + 1);
    for (;;) {
        const std::size_t got = ReadInto(path, file, bytes.data() + size, bytes.size() - size);
        size += got;
        if (size > kMaxFileBytes) // the file grew while it was read
            throw TooLarge(path, size);
        if (size < bytes.size())
            break;
        bytes.resize(std::min<std::size_t>(2 * bytes.size(), kMaxFileBytes + 1));
    }
    bytes.resize(size);
}

// The large page of x86-64 and of arm64 systems with 4 kB pages.
constexpr std::size_t kLargePage = std::size_t { 2 } << 20;

struct AlignedMemory {
    void* mapping = nullptr; // what munmap takes
    std::size_t mappingSize = 0;
    char* start = nullptr;
};

// Anonymous memory of at least size bytes starting on a large-page boundary, advised for large pages; no mapping
// when the system gives none.
AlignedMemory MapAligned(std::size_t size)
{
    AlignedMemory memory;
    // Whole large pages, and one more for the alignment: a page that crossed the end would be mapped 4 kB at a time.
    memory.mappingSize = (size + kLargePage - 1) / kLargePage * kLargePage + kLargePage;
    void* const mapping
        = ::mmap(nullptr, memory.mappingSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED)
        return {};
    memory.mapping = mapping;
    const auto address = reinterpret_cast<std::uintptr_t>(mapping);
    memory.start = reinterpret_cast<char*>((address + kLargePage - 1) & ~(kLargePage - 1));
#if defined(MADV_HUGEPAGE)
    // Where large pages are not to be had, small ones do.
    ::madvise(memory.start, memory.mappingSize - kLargePage, MADV_HUGEPAGE);
#endif
    return memory;
}

} // namespace

void LoadFileBytes(const std::string& path, std::string& bytes)
{
    const tReadableFile file(path);
    ReadAll(path, file, bytes);
}

tFileText::tFileText(const std::string& path)
{
    const tReadableFile file(path);
    if (file.Size() >= kOwnMemoryFrom) {
        const AlignedMemory memory = MapAligned(file.Size() + 1);
        if (memory.mapping) {
            std::size_t size = 0;
            try {
                size = ReadInto(path, file, memory.start, file.Size() + 1);
            } catch (...) {
                ::munmap(memory.mapping, memory.mappingSize);
                throw;
            }
            if (size <= file.Size()) {
                m_memory = memory.mapping;
                m_memorySize = memory.mappingSize;
                m_text = std::string_view(memory.start, size);
                return;
            }
            // The file grew while it was read: it is read again from the start, as a smaller file is.
            ::munmap(memory.mapping, memory.mappingSize);
            if (::lseek(file.Descriptor(), 0, SEEK_SET) != 0)
                throw CannotOpen(path, std::strerror(errno));
        }
    }
    ReadAll(path, file, m_copy);
    m_text = m_copy;
}

tFileText::~tFileText()
{
    if (m_memory)
        ::munmap(m_memory, m_memorySize);
}
