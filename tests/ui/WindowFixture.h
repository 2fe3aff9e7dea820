#pragma once
// Helpers for the suites that drive the real windows with hostile input and under load: a hang watchdog, IES
// text built from parts, and the process's resident memory.

#include "mainwindow_harness.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>
#include <string>
#include <thread>

// Ends the whole run with a clear line when one step does not return in time. A handler that never returns
// (a FIFO opened for reading, an endless loop on a bad number) would otherwise only show as a ctest time-out
// without the name of the input that caused it. The limit is generous: it catches hangs, it measures nothing.
class HangWatchdog {
public:
    HangWatchdog(std::string what, std::chrono::seconds limit)
        : what_(std::move(what))
        , thread_([this, limit] {
            std::unique_lock lock(mutex_);
            if (!done_.wait_for(lock, limit, [this] { return finished_; })) {
                std::fprintf(stderr, "HANG: '%s' did not return within %lld s\n", what_.c_str(),
                    static_cast<long long>(limit.count()));
                std::fflush(stderr);
                std::abort();
            }
        })
    {
    }
    ~HangWatchdog()
    {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        thread_.join();
    }
    HangWatchdog(const HangWatchdog&) = delete;
    HangWatchdog& operator=(const HangWatchdog&) = delete;

private:
    std::string what_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

// The limit for one hostile step; sanitizer builds run several times slower.
inline std::chrono::seconds hangLimit() { return std::chrono::seconds(180); }

// Reproducible random bytes: the same seed gives the same file on every run.
inline QByteArray randomBytes(qsizetype size, unsigned seed)
{
    std::mt19937 generator(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(generator() & 0xff);
    return bytes;
}

// An IES file from its parts: the header lines, then TILT=NONE, then the numeric block as given.
inline QByteArray iesFile(const QByteArray& header, const QByteArray& numbers)
{
    return "IESNA:LM-63-2002\r\n" + header + "TILT=NONE\r\n" + numbers;
}

// The thirteen numbers of the photometric block with the given counts and multiplier.
inline QByteArray photometricBlock(const QByteArray& vertical, const QByteArray& horizontal,
    const QByteArray& multiplier = "1", const QByteArray& lumens = "1000")
{
    return "1 " + lumens + " " + multiplier + " " + vertical + " " + horizontal + " 1 2 0.1 0.1 0 1 1 20\r\n";
}

// A small two-plane file: vertical angles 0 45 90, planes 0 and 180, the candela values given as text.
inline QByteArray twoPlaneFile(const QByteArray& candela, const QByteArray& multiplier = "1")
{
    return iesFile(
        "[TEST] hostile\r\n", photometricBlock("3", "2", multiplier) + "0 45 90\r\n0 180\r\n" + candela + "\r\n");
}

// Resident memory of this process in bytes, from /proc/self/statm (second field, in pages).
inline long long residentBytes()
{
    std::FILE* file = std::fopen("/proc/self/statm", "r");
    if (!file)
        return -1;
    long long size = 0;
    long long resident = 0;
    const int got = std::fscanf(file, "%lld %lld", &size, &resident);
    std::fclose(file);
    return got == 2 ? resident * ::sysconf(_SC_PAGESIZE) : -1;
}
