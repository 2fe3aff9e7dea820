#include "ProfileLock.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace profile {
namespace {

    // Opens the lock file, making it when missing: 0666 lets the umask decide, so that other users of a shared
    // settings folder may lock it too. Read access is enough for flock, for a lock file made by someone else.
    int OpenLockFile(const std::string& path, bool create)
    {
        const int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
        int fd = create ? ::open(path.c_str(), O_RDWR | O_CREAT | flags, 0666) : -1;
        if (fd < 0)
            fd = ::open(path.c_str(), O_RDONLY | flags);
        return fd;
    }

    // Waits for the lock with growing pauses, so that a stuck holder cannot hang the caller for good.
    bool Acquire(int fd, int operation)
    {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
        std::chrono::microseconds pause(200);
        for (;;) {
            if (::flock(fd, operation | LOCK_NB) == 0)
                return true;
            if (errno != EWOULDBLOCK && errno != EINTR)
                return false;
            if (Clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(pause);
            pause = std::min(pause * 2, std::chrono::microseconds(20000));
        }
    }

} // namespace

std::string LockPathFor(const std::string& target) { return target + ".lock"; }

FileLock::FileLock(const std::string& target, Mode mode)
{
    const bool exclusive = mode == Mode::Exclusive;
    m_fd = OpenLockFile(LockPathFor(target), exclusive);
    if (m_fd < 0) {
        // No lock file and none can be made: the folder allows no new file, and a write goes in place.
        m_fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    }
    if (m_fd >= 0)
        m_held = Acquire(m_fd, exclusive ? LOCK_EX : LOCK_SH);
}

FileLock::~FileLock()
{
    // Closing the descriptor releases the lock.
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace profile
