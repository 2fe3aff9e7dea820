#include "TableRead.h"
#include "HelperThread.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <system_error>

namespace {

// From this many candela values on, the table is read on two threads: a table of hundreds of thousands of values
// then takes less time, and a small one does not pay for starting a thread.
constexpr std::size_t kValuesForTwoThreads = 50000;

// Rows are shared out in chunks of this many: small enough that both threads end within a chunk of each other.
constexpr std::size_t kRowsPerChunk = 16;

// The chunks not yet taken, [front, back): the calling thread takes them from the front, one after another, and
// its cursor runs on from chunk to chunk; the helper takes them from the back.
class tChunkEnds {
public:
    explicit tChunkEnds(std::size_t chunks)
        : m_back(chunks)
    {
    }

    bool TakeFront(std::size_t& chunk)
    {
        const std::lock_guard lock(m_mutex);
        if (m_front == m_back)
            return false;
        chunk = m_front++;
        return true;
    }

    bool TakeBack(std::size_t& chunk)
    {
        const std::lock_guard lock(m_mutex);
        if (m_front == m_back)
            return false;
        chunk = --m_back;
        return true;
    }

private:
    std::mutex m_mutex;
    std::size_t m_front = 0;
    std::size_t m_back;
};

} // namespace

void FillValues(tArrEx& values, std::size_t count, NumericCursor& cursor)
{
    values.resize(count);
    bool ignored = false; // failures past the header are not reported
    for (long double& value : values)
        value = cursor.NextNumber(ignored);
}

// A value depends on its own token alone (failures past the header are not reported), so a large table is read on
// two threads at once. The helper first finds where each chunk of rows starts, passing over the tokens without
// converting them (a fraction of the time converting takes), then reads chunks from the back while the calling
// thread reads them from the front: however fast each runs, they meet within a chunk.
void FillTable(std::vector<tArrEx>& rows, std::size_t count, std::size_t columns, NumericCursor& cursor)
{
    rows.resize(count);
    const std::size_t chunks = (count + kRowsPerChunk - 1) / kRowsPerChunk;
    const auto fillChunk = [&rows, count, columns](std::size_t chunk, NumericCursor& at) {
        const std::size_t last = std::min(count, (chunk + 1) * kRowsPerChunk);
        for (std::size_t row = chunk * kRowsPerChunk; row < last; ++row)
            FillValues(rows[row], columns, at);
    };
    tChunkEnds ends(chunks);
    std::optional<tHelperThread> helper;
    if (chunks > 1 && count * columns >= kValuesForTwoThreads) {
        try {
            helper.emplace([&ends, &fillChunk, chunks, columns, start = cursor] {
                std::vector<NumericCursor> starts(chunks, start);
                for (std::size_t chunk = 1; chunk < chunks; ++chunk) {
                    starts[chunk] = starts[chunk - 1];
                    starts[chunk].SkipTokens(kRowsPerChunk * columns);
                }
                for (std::size_t chunk = 0; ends.TakeBack(chunk);)
                    fillChunk(chunk, starts[chunk]);
            });
        } catch (const std::system_error&) { // no thread to be had: one reads it all
        }
    }
    for (std::size_t chunk = 0; ends.TakeFront(chunk);)
        fillChunk(chunk, cursor);
    if (helper)
        helper->Join();
}
