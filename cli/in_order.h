#pragma once
// Work on many files on every core whose results are taken in the files' order: what batch pictures and check both
// need, so that the output reads the same whatever finishes first.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Runs work(i) for i = 0 to count - 1 on up to `threads` workers (at least one) and hands each result to done(i,
// result) on the calling thread, in order of i, as soon as it and those before it are finished. Only a bounded
// window of results waits to be handed on, whatever count is. tick, when given, is called on the calling thread
// after every result and while waiting (at least ten times a second) with the number of results handed on so far.
// work must not throw.
template <typename Result>
void RunInOrder(std::size_t count, unsigned threads, const std::function<Result(std::size_t)>& work,
    const std::function<void(std::size_t, Result&)>& done, const std::function<void(std::size_t)>& tick = nullptr)
{
    threads = static_cast<unsigned>(std::clamp<std::size_t>(count, 1, std::max(threads, 1u)));
    const std::size_t window = 64 * std::size_t { threads };
    std::vector<std::optional<Result>> results(count);
    std::mutex mutex;
    std::condition_variable ready, room;
    std::size_t handed = 0; // guarded by mutex
    std::atomic<std::size_t> next { 0 };

    const auto worker = [&]() {
        for (std::size_t index = next++; index < count; index = next++) {
            {
                std::unique_lock lock(mutex);
                room.wait(lock, [&]() { return index < handed + window; });
            }
            Result result = work(index);
            const std::lock_guard lock(mutex);
            results[index] = std::move(result);
            ready.notify_all();
        }
    };
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < threads; ++i)
        workers.emplace_back(worker);

    for (std::size_t index = 0; index < count; ++index) {
        Result result;
        {
            std::unique_lock lock(mutex);
            const auto finished = [&]() { return results[index].has_value(); };
            if (tick) {
                while (!ready.wait_for(lock, std::chrono::milliseconds(100), finished)) {
                    lock.unlock();
                    tick(index);
                    lock.lock();
                }
            } else {
                ready.wait(lock, finished);
            }
            result = std::move(*results[index]);
            results[index].reset();
            handed = index + 1;
        }
        room.notify_all();
        done(index, result);
        if (tick)
            tick(index + 1);
    }
    for (std::thread& thread : workers)
        thread.join();
}
