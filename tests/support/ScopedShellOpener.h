#pragma once
// Records what would be opened through the desktop's handler instead of
// opening it, for the life of the object. Header only: it needs the toolkit.
#include "ShellOpen.h"

#include <string>
#include <vector>

class ScopedShellOpener {
public:
    explicit ScopedShellOpener(bool succeed = true)
        : previous_(platform::SetShellOpener([this, succeed](const std::string& target) {
              opened.push_back(target);
              return succeed;
          }))
    {
    }
    ~ScopedShellOpener() { platform::SetShellOpener(std::move(previous_)); }
    ScopedShellOpener(const ScopedShellOpener&) = delete;
    ScopedShellOpener& operator=(const ScopedShellOpener&) = delete;

    std::vector<std::string> opened;

private:
    platform::ShellOpener previous_;
};
