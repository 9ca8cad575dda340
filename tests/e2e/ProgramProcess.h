#pragma once
// The real program as a child process: started with its own arguments,
// environment additions and an ordinary umask (022), its standard output and
// error collected, waited for with a bound, and killed if a test leaves it running.
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

// The built program (PANDREL_TEST_BINARY_DIR/app/pandrel).
std::filesystem::path ProgramFile();

class ProgramProcess {
public:
    ProgramProcess(const std::vector<std::string>& args, const std::map<std::string, std::string>& environment);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // The exit status once the process has ended within limit; nothing when it
    // is still running (or ended by a signal).
    std::optional<int> WaitForExit(std::chrono::milliseconds limit);
    // SIGTERM, as a session end sends it, then WaitForExit.
    std::optional<int> Terminate(std::chrono::milliseconds limit = std::chrono::seconds(20));
    // True when text appeared on standard error within limit.
    bool WaitForError(const std::string& text, std::chrono::milliseconds limit);

    // Driving its windows on the display (xdotool), each bounded in time:
    // true once a window of the process titled exactly title is shown;
    bool WaitForWindow(const std::string& title);
    // the main window brought to the front and given keys (xdotool's names,
    // such as "ctrl+t"), or a click of mouse button at (x, y) inside it;
    bool PressKeys(const std::string& keys);
    bool Click(int x, int y, int button);
    // keys given to whichever window has the focus (a dialog that is open).
    bool TypeKeys(const std::string& keys);

    pid_t Pid() const { return pid_; }
    const std::string& Output() { Drain(); return output_; }
    const std::string& Errors() { Drain(); return errors_; }

private:
    void Drain();

    pid_t pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    bool exited_ = false;
    bool signalled_ = false;
    int status_ = 0;
    std::string output_;
    std::string errors_;
};
