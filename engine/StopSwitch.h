#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <thread>

class ToolProcess;

// A stop request that any thread may make at any time. It ends the tool of the run in progress:
// SIGTERM at once, so that the tool can finish cleanly, and SIGKILL if it is still there when
// the grace period is over. The request stays: it is for the run thread to start nothing more.
class StopSwitch {
public:
    explicit StopSwitch(std::chrono::milliseconds grace = std::chrono::seconds(3)) : grace_(grace) {}
    StopSwitch(const StopSwitch&) = delete;
    StopSwitch& operator=(const StopSwitch&) = delete;

    void request();
    bool requested() const { return requested_; }

    // While it lives, `process` is the tool that a stop ends. Check requested() after making
    // one: a stop that came before it has signalled nothing.
    class Attachment {
    public:
        Attachment(StopSwitch& stopSwitch, ToolProcess& process);
        ~Attachment();
        Attachment(const Attachment&) = delete;
        Attachment& operator=(const Attachment&) = delete;

    private:
        StopSwitch& switch_;
    };

private:
    void killAfterGrace(const std::stop_token& destroying);

    const std::chrono::milliseconds grace_;
    std::mutex mutex_;
    std::condition_variable_any detached_;
    std::atomic<bool> requested_{false};
    ToolProcess* running_ = nullptr;
    // Declared last, so that it is joined before the members it uses go.
    std::jthread killer_;
};
