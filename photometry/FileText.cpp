#include "FileText.h"
#include "BusErrorGuard.h"
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

void ReadAll(const std::string& path, const tReadableFile& file, std::string& bytes)
{
    // Read straight into the string, sized for the file plus one byte: a read that fills it all shows the file grew.
    bytes.clear();
    std::size_t size = 0;
    bytes.resize(file.Size() + 1);
    for (;;) {
        if (size == bytes.size())
            bytes.resize(std::min<std::size_t>(2 * bytes.size(), kMaxFileBytes + 1));
        const ssize_t got = ::read(file.Descriptor(), bytes.data() + size, bytes.size() - size);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw CannotOpen(path, std::strerror(errno)); // a file the system refuses to read
        }
        size += static_cast<std::size_t>(got);
        if (size > kMaxFileBytes) // the file grew while it was read
            throw TooLarge(path, size);
    }
    bytes.resize(size);
}

} // namespace

void LoadFileBytes(const std::string& path, std::string& bytes)
{
    const tReadableFile file(path);
    ReadAll(path, file, bytes);
}

tFileText::tFileText(const std::string& path)
    : m_path(path)
{
    const tReadableFile file(path);
    if (file.Size() >= kMapFrom) {
        // The pages are mapped at once (MAP_POPULATE): one call rather than a fault per page as they are read.
        void* const mapping = ::mmap(nullptr, file.Size(), PROT_READ, MAP_PRIVATE | MAP_POPULATE, file.Descriptor(), 0);
        if (mapping != MAP_FAILED) {
            m_watch = busguard::Watch(mapping, file.Size());
            if (m_watch >= 0) {
                m_mapping = mapping;
                m_mappedSize = file.Size();
                m_text = std::string_view(static_cast<const char*>(mapping), m_mappedSize);
                return;
            }
            ::munmap(mapping, file.Size());
        }
    }
    ReadAll(path, file, m_copy);
    m_text = m_copy;
}

tFileText::~tFileText()
{
    if (!m_mapping)
        return;
    busguard::Release(m_watch);
    ::munmap(m_mapping, m_mappedSize);
}

void tFileText::Check() const
{
    if (busguard::WasCut(m_watch))
        throw CannotOpen(m_path, "the file was cut short while it was read");
}
