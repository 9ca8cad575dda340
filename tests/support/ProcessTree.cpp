#include "ProcessTree.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

std::vector<int> ProcessTree(int root)
{
    std::vector<std::pair<int, int>> parentOf; // (pid, ppid)
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat(entry.path() / "stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        auto close = text.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(text.substr(close + 2));
        char state;
        int ppid = 0;
        rest >> state >> ppid;
        parentOf.emplace_back(std::stoi(name), ppid);
    }
    std::vector<int> tree{root};
    for (std::size_t i = 0; i < tree.size(); ++i)
        for (auto [pid, ppid] : parentOf)
            if (ppid == tree[i])
                tree.push_back(pid);
    return tree;
}

namespace {

// Processes below ancestor whose command name (as /proc cuts it) starts with prefix.
std::vector<int> ProcessesNamed(int ancestor, const std::string& prefix)
{
    std::vector<int> found;
    for (int pid : ProcessTree(ancestor)) {
        std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
        std::string command;
        std::getline(comm, command);
        if (command.rfind(prefix, 0) == 0)
            found.push_back(pid);
    }
    return found;
}

} // namespace

std::vector<int> WebProcessesOf(int ancestor)
{
    return ProcessesNamed(ancestor, "WebKitWebProces");
}

std::vector<int> NetworkProcessesOf(int ancestor)
{
    return ProcessesNamed(ancestor, "WebKitNetworkPr");
}

long SummedPss(int root)
{
    long total = 0;
    for (int pid : ProcessTree(root)) {
        std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
        std::string label;
        long kib = 0;
        while (rollup >> label)
            if (label == "Pss:" && rollup >> kib) {
                total += kib;
                break;
            }
    }
    return total;
}
