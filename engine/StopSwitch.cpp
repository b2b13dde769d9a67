#include "StopSwitch.h"

#include "ToolProcess.h"

#include <signal.h>

void StopSwitch::request()
{
    std::lock_guard lock(mutex_);
    if (requested_.exchange(true))
        return;
    if (running_ != nullptr)
        running_->signal(SIGTERM);
    killer_ = std::jthread([this](const std::stop_token& destroying) { killAfterGrace(destroying); });
}

void StopSwitch::killAfterGrace(const std::stop_token& destroying)
{
    std::unique_lock lock(mutex_);
    if (!detached_.wait_for(lock, destroying, grace_, [this] { return running_ == nullptr; }) && running_ != nullptr)
        running_->signal(SIGKILL);
}

StopSwitch::Attachment::Attachment(StopSwitch& stopSwitch, ToolProcess& process) : switch_(stopSwitch)
{
    std::lock_guard lock(switch_.mutex_);
    switch_.running_ = &process;
}

StopSwitch::Attachment::~Attachment()
{
    {
        std::lock_guard lock(switch_.mutex_);
        switch_.running_ = nullptr;
    }
    switch_.detached_.notify_all();
}
