#include "SettingsTransferCommand.h"

#include "BrowserUserAgentToken.h"
#include "RegFileTransfer.h"
#include "SettingsNames.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

// A file larger than this is not a settings export.
constexpr std::streamsize kMaxFileBytes = 64 * 1024 * 1024;

std::string WithoutLeadingSeparator(const char* path)
{
    return path[0] == '\\' ? path + 1 : path;
}

std::vector<platform::RegSubtree> ProgramSubtrees()
{
    using platform::RegRoot;
    return {
        {RegRoot::CurrentUser, WithoutLeadingSeparator(profiles::kProgramKey)},
        {RegRoot::CurrentUser, WithoutLeadingSeparator(platform::kPostPlatformKeyPath)},
        // The shell's DDE names of web pages and folders.
        {RegRoot::ClassesRoot, "htmlfile\\shell"},
        {RegRoot::ClassesRoot, "Folder\\shell"},
        {RegRoot::ClassesRoot, "Directory\\shell"},
    };
}

// Writes bytes to a new or truncated file that only its owner can read.
bool WritePrivateFile(const std::string& file, const std::string& bytes, std::string& error)
{
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return error = std::strerror(errno), false;
    ::fchmod(fd, 0600);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = std::strerror(errno);
            ::close(fd);
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0)
        return error = std::strerror(errno), false;
    return true;
}

} // namespace

int ExportSettingsFile(platform::RegistryStore& store, const std::string& file, std::ostream& out,
                       std::ostream& err)
{
    try {
        const platform::RegFile content = platform::ExportSubtrees(store, ProgramSubtrees());
        std::string error;
        if (!WritePrivateFile(file, platform::WriteRegFile(content), error)) {
            err << file << ": " << error << "\n";
            return 1;
        }
        std::size_t values = 0;
        for (const auto& key : content.keys)
            values += key.values.size();
        out << "Exported " << content.keys.size() << " keys and " << values << " values to " << file << "\n";
        return 0;
    } catch (const std::exception& error) {
        err << error.what() << "\n";
        return 1;
    }
}

int ImportSettingsFile(platform::RegistryStore& store, const std::string& file, std::ostream& out,
                       std::ostream& err)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        err << file << ": cannot be read\n";
        return 1;
    }
    std::string bytes(static_cast<std::size_t>(kMaxFileBytes) + 1, '\0');
    in.read(bytes.data(), kMaxFileBytes + 1);
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    try {
        const platform::RegFile content = platform::ParseRegFile(bytes);
        const auto report = platform::ImportRegFile(store, content, ProgramSubtrees());
        out << "Imported from " << file << ": " << report.keysWritten << " keys and "
            << report.valuesWritten << " values written, " << report.keysDeleted << " keys and "
            << report.valuesDeleted << " values deleted, " << report.skipped.size() << " keys skipped\n";
        for (const auto& skipped : report.skipped)
            out << "Skipped " << skipped << "\n";
        return 0;
    } catch (const platform::RegFileError& error) {
        err << file << ": refused, nothing was changed: " << error.what() << "\n";
        return 1;
    } catch (const std::exception& error) {
        err << file << ": nothing was changed: " << error.what() << "\n";
        return 1;
    }
}

int RunSettingsTransfer(SettingsTransfer transfer, const std::string& file)
{
    auto& store = platform::RegistryStore::Program();
    if (!store.IsAvailable()) {
        std::cerr << "The settings store cannot be opened.\n";
        return 1;
    }
    return transfer == SettingsTransfer::Export ? ExportSettingsFile(store, file, std::cout, std::cerr)
                                                : ImportSettingsFile(store, file, std::cout, std::cerr);
}
