#include "check_walk.h"

#include "Checker.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace fs = std::filesystem;

namespace {

// Adds the checkable files of one folder to files, and a target with an error for every folder that cannot be
// read (the rest is still walked).
void WalkFolder(
    const fs::path& folder, bool recursive, std::vector<std::string>& files, std::vector<CheckTarget>& failures)
{
    std::error_code error;
    fs::directory_iterator it(folder, error);
    std::vector<fs::path> subfolders;
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const fs::path& path = it->path();
        std::error_code statError;
        const fs::file_status status = fs::status(path, statError); // follows links, like opening the file would
        if (fs::is_directory(status)) {
            std::error_code linkError;
            if (recursive && !it->is_symlink(linkError)) // a linked folder may lead back up: a walk that never ends
                subfolders.push_back(path);
        } else if (!statError && IsCheckableName(path.filename().string())) {
            files.push_back(path.string());
        }
    }
    if (error)
        failures.push_back({ folder.string(), "cannot read the folder: " + error.message() });
    for (const fs::path& sub : subfolders)
        WalkFolder(sub, recursive, files, failures);
}

} // namespace

std::vector<CheckTarget> CollectTargets(const std::vector<std::string>& paths, bool recursive)
{
    std::vector<CheckTarget> targets;
    for (const std::string& path : paths) {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (!fs::exists(status)) {
            targets.push_back({ path, "no such file or folder" });
        } else if (fs::is_directory(status)) {
            std::vector<std::string> files;
            std::vector<CheckTarget> failures;
            WalkFolder(path, recursive, files, failures);
            std::sort(files.begin(), files.end());
            for (CheckTarget& failure : failures)
                targets.push_back(std::move(failure));
            for (std::string& file : files)
                targets.push_back({ std::move(file), {} });
        } else {
            targets.push_back({ path, {} });
        }
    }
    return targets;
}

void CheckInOrder(const std::vector<CheckTarget>& targets, unsigned threads,
    const std::function<void(std::size_t, CheckResult&)>& done, const std::function<void(std::size_t)>& tick)
{
    const std::size_t window = 64 * std::max(threads, 1u);
    std::vector<std::optional<CheckResult>> results(targets.size());
    std::mutex mutex;
    std::condition_variable ready, room;
    std::size_t handed = 0; // guarded by mutex
    std::atomic<std::size_t> next { 0 };

    const auto work = [&]() {
        for (;;) {
            const std::size_t index = next.fetch_add(1);
            if (index >= targets.size())
                return;
            {
                std::unique_lock lock(mutex);
                room.wait(lock, [&]() { return index < handed + window; });
            }
            CheckResult result;
            result.error = targets[index].error;
            if (result.error.empty()) {
                try {
                    result.diagnostics = CheckFile(targets[index].path);
                } catch (const std::exception& failure) {
                    result.error = failure.what();
                }
            }
            std::lock_guard lock(mutex);
            results[index] = std::move(result);
            ready.notify_all();
        }
    };
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < std::max(threads, 1u); ++i)
        workers.emplace_back(work);

    for (std::size_t index = 0; index < targets.size(); ++index) {
        CheckResult result;
        {
            std::unique_lock lock(mutex);
            while (
                !ready.wait_for(lock, std::chrono::milliseconds(100), [&]() { return results[index].has_value(); })) {
                lock.unlock();
                tick(index);
                lock.lock();
            }
            result = std::move(*results[index]);
            results[index].reset();
        }
        done(index, result);
        tick(index + 1);
        {
            std::lock_guard lock(mutex);
            handed = index + 1;
        }
        room.notify_all();
    }
    for (std::thread& worker : workers)
        worker.join();
}
