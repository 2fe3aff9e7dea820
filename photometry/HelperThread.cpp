#include "HelperThread.h"

#include <system_error>
#include <thread>
#include <utility>

#if defined(__linux__) && defined(__GLIBC__)
#include <pthread.h>
#include <sched.h>
#define GONILUX_PLACED_THREADS 1
#endif

struct tHelperThread::State {
    std::function<void()> work;
    std::exception_ptr error;
    bool joined = false;
#if defined(GONILUX_PLACED_THREADS)
    pthread_t thread {};
    cpu_set_t allowed {}; // where the caller may run: the thread's own once started
    bool placed = false;
#else
    std::thread thread;
#endif

    void Run()
    {
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
    }
};

#if defined(GONILUX_PLACED_THREADS)
namespace {

void* RunPlaced(void* argument)
{
    auto* const state = static_cast<tHelperThread::State*>(argument);
    if (state->placed)
        pthread_setaffinity_np(pthread_self(), sizeof state->allowed, &state->allowed);
    state->Run();
    return nullptr;
}

} // namespace
#endif

tHelperThread::tHelperThread(std::function<void()> work)
    : m_state(std::make_unique<State>())
{
    m_state->work = std::move(work);
#if defined(GONILUX_PLACED_THREADS)
    pthread_attr_t attributes;
    if (int error = pthread_attr_init(&attributes); error != 0)
        throw std::system_error(error, std::generic_category(), "pthread_attr_init");
    // The processors the caller may use but the one it is on: the new thread starts on one of them at once.
    const int here = sched_getcpu();
    if (here >= 0 && sched_getaffinity(0, sizeof m_state->allowed, &m_state->allowed) == 0) {
        cpu_set_t others = m_state->allowed;
        CPU_CLR(here, &others);
        m_state->placed
            = CPU_COUNT(&others) > 0 && pthread_attr_setaffinity_np(&attributes, sizeof others, &others) == 0;
    }
    int error = pthread_create(&m_state->thread, &attributes, RunPlaced, m_state.get());
    pthread_attr_destroy(&attributes);
    if (error != 0 && m_state->placed) { // a system that refuses the placement still gives a thread
        m_state->placed = false;
        error = pthread_create(&m_state->thread, nullptr, RunPlaced, m_state.get());
    }
    if (error != 0)
        throw std::system_error(error, std::generic_category(), "pthread_create");
#else
    m_state->thread = std::thread([state = m_state.get()] { state->Run(); });
#endif
}

tHelperThread::~tHelperThread() { WaitForEnd(); }

void tHelperThread::WaitForEnd()
{
    if (m_state->joined)
        return;
#if defined(GONILUX_PLACED_THREADS)
    pthread_join(m_state->thread, nullptr);
#else
    m_state->thread.join();
#endif
    m_state->joined = true;
}

void tHelperThread::Join()
{
    WaitForEnd();
    if (m_state->error)
        std::rethrow_exception(std::exchange(m_state->error, nullptr));
}
