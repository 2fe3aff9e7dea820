#include "ProfileFile.h"

#include "ProfileLock.h"
#include "ProfileText.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace profile {
namespace {

    // Closes a descriptor on every way out.
    class Fd {
    public:
        explicit Fd(int fd)
            : m_fd(fd)
        {
        }
        ~Fd()
        {
            if (m_fd >= 0)
                ::close(m_fd);
        }
        Fd(const Fd&) = delete;
        Fd& operator=(const Fd&) = delete;
        int get() const { return m_fd; }
        // Closes now and reports whether the close succeeded (a deferred write error shows up here).
        bool close()
        {
            int fd = m_fd;
            m_fd = -1;
            return ::close(fd) == 0;
        }

    private:
        int m_fd;
    };

    // Reads a whole regular file. O_NONBLOCK keeps a FIFO in the settings path from blocking the open; only
    // regular files are read, so a folder, a FIFO or a device reads as no file at all.
    bool ReadRegularFile(const std::string& path, std::string& content)
    {
        Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (fd.get() < 0)
            return false;
        struct stat st { };
        if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
            return false;
        content.clear();
        content.reserve(static_cast<std::size_t>(st.st_size));
        char buffer[65536];
        for (;;) {
            ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
            if (n == 0)
                return true;
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            content.append(buffer, static_cast<std::size_t>(n));
        }
    }

    bool WriteAll(int fd, const std::string& data, off_t at = -1)
    {
        std::size_t done = 0;
        while (done < data.size()) {
            const char* from = data.data() + done;
            const std::size_t left = data.size() - done;
            ssize_t n = at < 0 ? ::write(fd, from, left) : ::pwrite(fd, from, left, at + static_cast<off_t>(done));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

    std::string Absolute(const std::string& path)
    {
        if (path.empty() || path.front() == '/')
            return path;
        char cwd[PATH_MAX];
        if (!::getcwd(cwd, sizeof cwd))
            return path;
        std::string dir = cwd;
        return dir.back() == '/' ? dir + path : dir + "/" + path;
    }

    std::string FolderOf(const std::string& path)
    {
        std::size_t slash = path.rfind('/');
        if (slash == std::string::npos)
            return ".";
        return slash == 0 ? "/" : path.substr(0, slash);
    }

    enum class Replaced { Done, Failed, NoTemporary };

    // Writes content to a new file beside target and renames it over target, so that target is always
    // either the old file or the new one, never a part of either. On failure target is left as it was and no
    // temporary file behind; NoTemporary tells that the folder refused the temporary file itself.
    Replaced ReplaceAtomically(const std::string& target, const std::string& content, const struct stat* old)
    {
        static std::atomic<unsigned> counter { 0 };
        std::string folder = FolderOf(target);
        std::string base = target.substr(target.rfind('/') + 1);
        std::string temp;
        int raw = -1;
        for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
            temp = folder + "/." + base + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
            // 0666 lets the umask decide a new file's permissions, as for any file the user creates.
            raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (raw < 0 && errno != EEXIST)
                return errno == EACCES || errno == EPERM || errno == EROFS ? Replaced::NoTemporary : Replaced::Failed;
        }
        if (raw < 0)
            return Replaced::Failed;
        Fd fd(raw);
        bool ok = WriteAll(fd.get(), content);
        if (ok && old) {
            // Keep the replaced file's permissions and, where allowed, its owner.
            ok = ::fchmod(fd.get(), old->st_mode & 07777) == 0;
            if (::fchown(fd.get(), old->st_uid, old->st_gid) != 0) {
                // Only the superuser may give a file away; the file then belongs to whoever writes it.
            }
        }
        ok = ok && ::fsync(fd.get()) == 0;
        ok = fd.close() && ok;
        ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
        if (!ok) {
            ::unlink(temp.c_str());
            return Replaced::Failed;
        }
        // Make the rename itself durable; a failure here leaves a correct file, so it is not reported.
        Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.get() >= 0)
            ::fsync(dir.get());
        return Replaced::Done;
    }

    // Rewrites an existing file in place, for a folder that allows no new file beside it. The new contents go
    // over the old bytes before the file is cut to length, so a write that fails (a full disk) can still put
    // the old contents back, as far as the blocks they used remain.
    bool RewriteInPlace(const std::string& target, const std::string& content, const std::string& old)
    {
        Fd fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
        struct stat st { };
        if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
            return false;
        const auto writeWhole = [&fd](const std::string& data) {
            return WriteAll(fd.get(), data, 0) && ::ftruncate(fd.get(), static_cast<off_t>(data.size())) == 0
                && ::fsync(fd.get()) == 0;
        };
        if (writeWhole(content))
            return fd.close();
        writeWhole(old);
        return false;
    }

    // Resolves the file a write must replace: the path itself, or the file a symbolic link points at (so
    // a linked settings file stays linked). False when the path cannot be a settings file.
    bool ResolveTarget(const std::string& path, std::string& target, struct stat& st, bool& exists)
    {
        target = path;
        exists = false;
        if (::lstat(path.c_str(), &st) != 0)
            return errno == ENOENT;
        if (S_ISLNK(st.st_mode)) {
            char* real = ::realpath(path.c_str(), nullptr);
            if (!real)
                return false; // a dangling link: where the user wants the file is unclear
            target = real;
            std::free(real);
            if (::stat(target.c_str(), &st) != 0)
                return false;
        }
        // A folder, FIFO or device is never replaced, and a file the user made read-only stays unchanged, also
        // for the superuser, whom access() would allow any write.
        if (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
            return false;
        exists = true;
        return true;
    }

} // namespace

std::string ReadString(
    const std::string& path, const std::string& section, const std::string& key, const std::string& def)
{
    std::string content;
    std::string value = def;
    bool read = false;
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        // A write in progress is waited for; a lock that cannot be had does not keep the value from being read.
        const std::string target = real;
        std::free(real);
        const FileLock lock(target, FileLock::Mode::Shared);
        read = ReadRegularFile(target, content);
    }
    if (read) {
        if (std::optional<std::string_view> found = FindValue(content, section, key))
            value.assign(*found);
    }
    // Like the platform's C string buffer, a default ends at a NUL byte too.
    value.resize(std::min({ value.size(), value.find('\0'), MaxValueLength }));
    return value;
}

void WriteString(const std::string& path, const std::string& section, const std::string& key, const std::string& value)
{
    WriteStrings(path, section, { { key, value } });
}

void WriteStrings(const std::string& path, const std::string& section,
    const std::vector<std::pair<std::string, std::string>>& entries)
{
    const std::string full = Absolute(path);
    auto fail = [&full]() { throw std::runtime_error("Unable to write to " + full); };
    if (full.empty())
        fail();
    for (const auto& [key, value] : entries) {
        if (!CanStore(section, key, value))
            fail();
    }

    std::string target;
    struct stat st { };
    bool exists = false;
    // Checked before locking too, so that a path that can never be written leaves no lock file behind.
    if (!ResolveTarget(full, target, st, exists))
        fail();
    const FileLock lock(target, FileLock::Mode::Exclusive);
    if (!lock.held() || !ResolveTarget(full, target, st, exists))
        fail();
    std::string content;
    if (exists && !ReadRegularFile(target, content))
        fail(); // never overwrite a file whose contents could not be kept
    std::string updated = content;
    for (const auto& [key, value] : entries)
        updated = SetValue(updated, section, key, value);
    const Replaced replaced = ReplaceAtomically(target, updated, exists ? &st : nullptr);
    if (replaced == Replaced::Done)
        return;
    if (replaced == Replaced::Failed || !exists || !RewriteInPlace(target, updated, content))
        fail();
}

int StrToInt(const std::string& text)
{
    auto fail = [&text]() { throw std::runtime_error("'" + text + "' is not a valid integer value"); };
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        fail();
    // Accumulate as a negative number so that INT_MIN, whose magnitude has no positive int, fits.
    long long value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            fail();
        value = value * 10 - (c - '0');
        if (value < static_cast<long long>(INT_MIN))
            fail();
    }
    if (!negative) {
        if (-value > INT_MAX)
            fail();
        return static_cast<int>(-value);
    }
    return static_cast<int>(value);
}

std::string SettingsPath(const std::string& exeDir)
{
    if (exeDir.empty())
        return "ies.ini";
    if (exeDir.back() == '/')
        return exeDir + "ies.ini";
    return exeDir + "/ies.ini";
}

} // namespace profile
