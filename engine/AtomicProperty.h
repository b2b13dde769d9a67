#pragma once

#include <mutex>
#include <utility>

// One property whose every read and write is whole. A read hands out the reader's own copy,
// which stays valid after a later write replaces the value.
template <typename T>
class AtomicProperty {
public:
    AtomicProperty() = default;
    explicit AtomicProperty(T value) : value_(std::move(value)) {}

    T get() const
    {
        std::lock_guard lock(mutex_);
        return value_;
    }

    void set(T value)
    {
        {
            std::lock_guard lock(mutex_);
            std::swap(value_, value);
        }
        // The old value goes outside the lock, so that a closure's captures may use the owner.
    }

private:
    mutable std::mutex mutex_;
    T value_{};
};
