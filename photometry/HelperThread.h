#pragma once
// A second thread that takes part of one large piece of work beside the calling thread.

#include <exception>
#include <functional>
#include <memory>

class tHelperThread {
public:
    // Starts work on a new thread. Throws std::system_error when no thread is to be had.
    //
    // The thread starts on another processor than the caller's where the caller may run elsewhere. Left to itself
    // the system may queue a new thread behind a busy caller until its next balancing tick (milliseconds, as long
    // as the shared work itself takes on a small machine); once started, the thread may run anywhere.
    explicit tHelperThread(std::function<void()> work);
    ~tHelperThread(); // waits for the work to end
    tHelperThread(const tHelperThread&) = delete;
    tHelperThread& operator=(const tHelperThread&) = delete;

    // Waits for the work to end and throws what it threw.
    void Join();

    struct State;

private:
    void WaitForEnd();

    std::unique_ptr<State> m_state;
};
