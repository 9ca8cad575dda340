#pragma once
// A yes/no property that runs an action each time it is set to yes before it
// takes the value: the host builds its optional machinery when EnableDDE is
// switched on. Read it as a bool; assign it a bool.
#include <functional>
#include <utility>

class HostSwitch {
public:
    explicit HostSwitch(std::function<void()> switchedOn) : switchedOn_(std::move(switchedOn)) {}
    HostSwitch(const HostSwitch&) = delete;
    HostSwitch& operator=(const HostSwitch&) = delete;

    HostSwitch& operator=(bool value)
    {
        if (value)
            switchedOn_();
        value_ = value;
        return *this;
    }
    operator bool() const { return value_; }

private:
    std::function<void()> switchedOn_;
    bool value_ = false;
};
