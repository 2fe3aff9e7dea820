#include "AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileio {
namespace {

    std::string Reason(int error) { return std::strerror(error); }

    std::string FolderOf(const std::string& path)
    {
        std::size_t slash = path.rfind('/');
        if (slash == std::string::npos)
            return ".";
        return slash == 0 ? "/" : path.substr(0, slash);
    }

    using Producer = std::function<void(const PieceSink&)>;

    // Writes the whole buffer, retrying short writes and interruptions. Returns 0 or the error.
    int WriteAll(int fd, std::string_view bytes)
    {
        while (!bytes.empty()) {
            ssize_t n = ::write(fd, bytes.data(), bytes.size());
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return 0;
    }

    // Writes every piece produce gives; the first error ends the writing. Returns 0 or the error. What produce
    // throws is kept in thrown (the error is then EIO), to be thrown again once the file is closed.
    int WritePieces(int fd, const Producer& produce, std::exception_ptr& thrown)
    {
        int error = 0;
        try {
            produce([fd, &error](std::string_view piece) {
                if (error == 0)
                    error = WriteAll(fd, piece);
                return error == 0;
            });
        } catch (...) {
            thrown = std::current_exception();
            error = EIO;
        }
        return error;
    }

    // A device or a pipe cannot be replaced by a rename: it is written as it is.
    std::string WriteDirectly(const std::string& path, const Producer& produce)
    {
        int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd < 0)
            return Reason(errno);
        std::exception_ptr thrown;
        int error = WritePieces(fd, produce, thrown);
        if (::close(fd) != 0 && error == 0)
            error = errno;
        if (thrown)
            std::rethrow_exception(thrown);
        return error ? Reason(error) : std::string();
    }

    // Opens a new temporary file in folder; its short name keeps it valid however long the target's name is.
    int OpenTemporary(const std::string& folder, std::string& temp, int& error)
    {
        static std::atomic<unsigned> counter { 0 };
        for (int attempt = 0; attempt < 100; ++attempt) {
            temp = folder + "/.gonilux-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
            // 0666 lets the umask decide a new file's permissions, as for any file the user creates.
            int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0 || errno != EEXIST) {
                error = fd < 0 ? errno : 0;
                return fd;
            }
        }
        error = EEXIST;
        return -1;
    }

} // namespace

std::string WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    return WriteFileAtomically(path, [bytes](const PieceSink& write) { write(bytes); });
}

std::string WriteFileAtomically(const std::string& path, const Producer& produce)
{
    if (path.empty())
        return Reason(ENOENT);
    std::string target = path;
    struct stat st { };
    bool exists = ::stat(path.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        return Reason(errno);
    if (exists) {
        if (S_ISDIR(st.st_mode))
            return Reason(EISDIR);
        if (!S_ISREG(st.st_mode))
            return WriteDirectly(path, produce);
        if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)
            return Reason(EACCES);
        struct stat link { };
        if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
            char resolved[PATH_MAX];
            if (!::realpath(path.c_str(), resolved))
                return Reason(errno);
            target = resolved;
        }
    }
    std::string temp;
    int error = 0;
    int fd = OpenTemporary(FolderOf(target), temp, error);
    if (fd < 0)
        return Reason(error);
    std::exception_ptr thrown;
    error = WritePieces(fd, produce, thrown);
    if (error == 0 && exists) {
        // Keep the replaced file's permissions and, where allowed, its owner.
        if (::fchmod(fd, st.st_mode & 07777) != 0)
            error = errno;
        if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
            // Only the superuser may give a file away; the file then belongs to whoever writes it.
        }
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        if (thrown)
            std::rethrow_exception(thrown);
        return Reason(error);
    }
    return {};
}

} // namespace fileio
