#include "ProgramProcess.h"

#include <csignal>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

std::filesystem::path ProgramFile()
{
    const char* binaryDir = std::getenv("PANDREL_TEST_BINARY_DIR");
    return std::filesystem::path(binaryDir ? binaryDir : ".") / "app" / "pandrel";
}

ProgramProcess::ProgramProcess(const std::vector<std::string>& args,
                               const std::map<std::string, std::string>& environment)
{
    int out[2];
    int err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        return;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        for (const auto& [name, value] : environment)
            setenv(name.c_str(), value.c_str(), 1);
        umask(022); // an ordinary umask: the program makes its private files private itself
        const std::string program = ProgramFile().string();
        std::vector<char*> argv{const_cast<char*>("pandrel")};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    outFd_ = out[0];
    errFd_ = err[0];
    fcntl(outFd_, F_SETFL, O_NONBLOCK);
    fcntl(errFd_, F_SETFL, O_NONBLOCK);
}

ProgramProcess::~ProgramProcess()
{
    if (pid_ > 0 && !exited_ && !signalled_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (outFd_ >= 0)
        close(outFd_);
    if (errFd_ >= 0)
        close(errFd_);
}

void ProgramProcess::Drain()
{
    char buffer[4096];
    for (auto [fd, text] : {std::pair{outFd_, &output_}, std::pair{errFd_, &errors_}}) {
        ssize_t n;
        while (fd >= 0 && (n = read(fd, buffer, sizeof buffer)) > 0)
            text->append(buffer, static_cast<std::size_t>(n));
    }
}

std::optional<int> ProgramProcess::WaitForExit(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (pid_ > 0 && !exited_ && !signalled_) {
        int status = 0;
        Drain();
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            exited_ = WIFEXITED(status);
            signalled_ = !exited_;
            status_ = exited_ ? WEXITSTATUS(status) : 0;
            break;
        }
        if (std::chrono::steady_clock::now() > deadline)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Drain();
    return exited_ ? std::optional<int>(status_) : std::nullopt;
}

std::optional<int> ProgramProcess::Terminate(std::chrono::milliseconds limit)
{
    if (pid_ > 0 && !exited_ && !signalled_)
        kill(pid_, SIGTERM);
    return WaitForExit(limit);
}

bool ProgramProcess::WaitForError(const std::string& text, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        Drain();
        if (errors_.find(text) != std::string::npos)
            return true;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

namespace {

// Runs xdotool, ended if it has not finished within half a minute.
bool Xdotool(const std::string& arguments)
{
    return std::system(("timeout 30 xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

// A search fails when a window it walks goes away meanwhile (the engine's
// come and go): it is run again, a bounded number of times. Only searches
// and what merely moves the focus or pointer are, never a key or a click.
bool XdotoolSearch(const std::string& arguments)
{
    for (int attempt = 0; attempt < 5; ++attempt)
        if (Xdotool("search --all --sync --onlyvisible " + arguments))
            return true;
    return false;
}

} // namespace

bool ProgramProcess::WaitForWindow(const std::string& title)
{
    return XdotoolSearch("--pid " + std::to_string(pid_) + " --name '^" + title + "$'");
}

bool ProgramProcess::PressKeys(const std::string& keys)
{
    // Separate runs: a key given after a search goes to the found window as a
    // sent event, which GTK ignores; typed keys go to the focused window.
    return XdotoolSearch("--pid " + std::to_string(pid_) + " --name '^Kestrane Pandrel' windowactivate --sync") &&
           TypeKeys(keys);
}

bool ProgramProcess::TypeKeys(const std::string& keys)
{
    return Xdotool("key --clearmodifiers " + keys);
}

bool ProgramProcess::Click(int x, int y, int button)
{
    return XdotoolSearch("--pid " + std::to_string(pid_) + " --name '^Kestrane Pandrel' windowactivate --sync "
                         "mousemove --window %1 " + std::to_string(x) + " " + std::to_string(y)) &&
           Xdotool("click " + std::to_string(button));
}
