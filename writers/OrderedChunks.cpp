#include "OrderedChunks.h"
#include "HelperThread.h"

#include <array>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <system_error>

namespace {

// Buffers going round: chunk i is put together in buffer i % kBuffers once chunk i - kBuffers has gone.
constexpr std::size_t kBuffers = 4;

class ChunkRound {
public:
    ChunkRound(std::size_t count, const ChunkFormatter& format, const ChunkSink& sink)
        : m_count(count)
        , m_format(format)
        , m_sink(sink)
    {
    }

    // The second thread: puts chunks together until none is left or the work has failed.
    void Help()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_failed || m_nextToFormat == m_count || FreeBufferForNext(); });
            if (m_failed || m_nextToFormat == m_count)
                return;
            if (!FormatNext(lock))
                return;
        }
    }

    // The calling thread: hands on what is ready in order, and puts chunks together while the next one to go is not.
    void Lead()
    {
        std::unique_lock lock(m_mutex);
        while (m_nextToHandOn < m_count) {
            if (m_failed)
                return;
            const std::size_t slot = m_nextToHandOn % kBuffers;
            if (m_ready[slot]) {
                lock.unlock();
                try {
                    m_sink(m_buffers[slot]);
                } catch (...) {
                    Fail(lock, std::current_exception());
                    return;
                }
                lock.lock();
                m_ready[slot] = false;
                ++m_nextToHandOn;
                m_changed.notify_all();
            } else if (m_nextToFormat < m_count && FreeBufferForNext()) {
                if (!FormatNext(lock))
                    return;
            } else {
                m_changed.wait(lock);
            }
        }
    }

    // Stops the work: the second thread returns at its next look.
    void Fail(std::unique_lock<std::mutex>& lock, std::exception_ptr error)
    {
        if (!lock.owns_lock())
            lock.lock();
        if (!m_error)
            m_error = error;
        m_failed = true;
        m_changed.notify_all();
    }

    void ThrowIfFailed() const
    {
        if (m_error)
            std::rethrow_exception(m_error);
    }

private:
    bool FreeBufferForNext() const { return m_nextToFormat < m_nextToHandOn + kBuffers; }

    // Claims the next chunk and puts it together outside the lock. Returns false when that failed.
    bool FormatNext(std::unique_lock<std::mutex>& lock)
    {
        const std::size_t index = m_nextToFormat++;
        std::string& buffer = m_buffers[index % kBuffers];
        lock.unlock();
        try {
            buffer.clear(); // the buffer keeps its room: after the first round no new memory is touched
            m_format(index, buffer);
        } catch (...) {
            Fail(lock, std::current_exception());
            return false;
        }
        lock.lock();
        m_ready[index % kBuffers] = true;
        m_changed.notify_all();
        return true;
    }

    const std::size_t m_count;
    const ChunkFormatter& m_format;
    const ChunkSink& m_sink;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::array<std::string, kBuffers> m_buffers;
    std::array<bool, kBuffers> m_ready {};
    std::size_t m_nextToFormat = 0;
    std::size_t m_nextToHandOn = 0;
    bool m_failed = false;
    std::exception_ptr m_error;
};

} // namespace

void HandOnChunksInOrder(std::size_t count, bool twoThreads, const ChunkFormatter& format, const ChunkSink& sink)
{
    if (!twoThreads || count < 2) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i) {
            text.clear();
            format(i, text);
            sink(text);
        }
        return;
    }
    ChunkRound round(count, format, sink);
    std::optional<tHelperThread> helper;
    try {
        helper.emplace([&round] { round.Help(); });
    } catch (const std::system_error&) { // no thread to be had: the calling thread does it all
    }
    round.Lead();
    if (helper)
        helper->Join(); // what Help meets is kept for ThrowIfFailed
    round.ThrowIfFailed();
}
