#pragma once
// Serialises the read-modify-write of a settings file between threads and processes (two viewers closing at
// the same instant): an advisory lock (flock) on the lock file "<file>.lock" beside it. The lock file is made on
// first use and stays; it holds no data. In a folder that allows no new file the settings file is changed in
// place, so the file itself is locked instead. A shared lock lets a read wait for a write in progress.

#include <string>

namespace profile {

class FileLock {
public:
    enum class Mode { Shared, Exclusive };

    // Locks for the settings file at target (links already resolved), waiting at most about ten seconds for
    // another holder. held() tells whether the lock was had.
    FileLock(const std::string& target, Mode mode);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return m_held; }

private:
    int m_fd = -1;
    bool m_held = false;
};

// The lock file used for the settings file at target.
std::string LockPathFor(const std::string& target);

} // namespace profile
