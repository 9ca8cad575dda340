#pragma once
// A start that finds its settings folder taken: the copy of the program that
// holds it, the folder's one instance, takes this start's URLs over the
// session bus, and this start ends with that copy's answer. The running copy
// joins the bus once its window is up, so a start that comes while it is
// still starting waits a little for it to appear there.
#include "SettingsFolderLock.h"

#include <string>
#include <vector>

// The exit status: the running copy's answer; or, when no copy can be reached
// (none on this session bus, or the folder cannot be locked at all), 1 after
// telling the user why (lock.Problem()).
int HandOverToRunningCopy(const std::string& applicationId, const char* programName,
                          const std::vector<std::string>& urls, const platform::SettingsFolderLock& lock);
