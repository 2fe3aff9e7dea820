#include "check_walk.h"

#include "Checker.h"
#include "in_order.h"

#include "LineText.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Adds the checkable files of one folder to files, a link named like one that leads nowhere (dangling, or looping
// back on itself) among them with its error, and a target with an error for every folder that cannot be read (the
// rest is still walked).
void WalkFolder(
    const fs::path& folder, bool recursive, std::vector<CheckTarget>& files, std::vector<CheckTarget>& failures)
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
        } else if (IsCheckableName(path.filename().string())) {
            files.push_back({ path.string(), statError ? "cannot read the file: " + statError.message() : "" });
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
            std::vector<CheckTarget> files;
            std::vector<CheckTarget> failures;
            WalkFolder(path, recursive, files, failures);
            std::sort(
                files.begin(), files.end(), [](const CheckTarget& a, const CheckTarget& b) { return a.path < b.path; });
            for (CheckTarget& failure : failures)
                targets.push_back(std::move(failure));
            for (CheckTarget& file : files)
                targets.push_back(std::move(file));
        } else {
            targets.push_back({ path, {} });
        }
    }
    return targets;
}

void CheckInOrder(const std::vector<CheckTarget>& targets, unsigned threads,
    const std::function<void(std::size_t, CheckResult&)>& done, const std::function<void(std::size_t)>& tick)
{
    RunInOrder<CheckResult>(
        targets.size(), threads,
        [&targets](std::size_t index) {
            CheckResult result;
            result.error = targets[index].error;
            if (result.error.empty()) {
                try {
                    result.diagnostics = CheckFile(targets[index].path);
                } catch (const tFileReadError& failure) {
                    result.error = "cannot read the file: " + failure.Reason();
                } catch (const std::exception& failure) {
                    result.error = failure.what();
                }
            }
            return result;
        },
        done, tick);
}
