#include "SettingsTransferCommand.h"

#include "BrowserUserAgentToken.h"
#include "PrivateFiles.h"
#include "RegFileTransfer.h"
#include "RegistryStoreLocation.h"
#include "SettingsFolderLock.h"
#include "SettingsNames.h"

#include <fstream>
#include <iostream>

namespace {

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

} // namespace

int ExportSettingsFile(platform::RegistryStore& store, const std::string& file, std::ostream& out,
                       std::ostream& err)
{
    // A fresh store after damage holds nothing: written out, it could replace
    // the very backup that would bring the settings back.
    if (!store.DamagedCopy().empty()) {
        err << "The settings file was damaged; it has been kept as \"" << store.DamagedCopy().string()
            << "\". Nothing was exported, and " << file << " was left as it is.\n";
        return 1;
    }
    try {
        std::vector<std::string> leftOut;
        const platform::RegFile content = platform::ExportSubtrees(store, ProgramSubtrees(), &leftOut);
        std::error_code error;
        if (!platform::ReplacePrivateFile(file, platform::WriteRegFile(content), error)) {
            err << file << ": " << error.message() << "; nothing was exported\n";
            return 1;
        }
        std::size_t values = 0;
        for (const auto& key : content.keys)
            values += key.values.size();
        out << "Exported " << content.keys.size() << " keys and " << values << " values to " << file << "\n";
        for (const auto& item : leftOut)
            out << "Left out " << item << ": a registry file cannot hold it\n";
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
    try {
        const auto report = platform::ImportRegFile(store, in, ProgramSubtrees());
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
    // The window holds the folder's lock while it runs and writes its state at
    // close: a transfer beside it would be overwritten, or read a store about
    // to change.
    const std::filesystem::path folder = platform::DefaultSettingsFolder();
    const platform::SettingsFolderLock lock(folder);
    if (!lock.Owns()) {
        if (lock.HeldElsewhere())
            std::cerr << "Pandrel is running on the settings folder " << folder.string()
                      << ". Close it and try again; nothing was "
                      << (transfer == SettingsTransfer::Export ? "exported.\n" : "imported.\n");
        else
            std::cerr << lock.Problem() << "\n";
        return 1;
    }
    platform::RegistryStore store(folder);
    if (!store.IsAvailable()) {
        std::cerr << "The settings store cannot be opened. " << store.RecoveryMessage() << "\n";
        return 1;
    }
    if (transfer == SettingsTransfer::Import && !store.RecoveryMessage().empty())
        std::cerr << store.RecoveryMessage() << "\n"; // the import goes into the new settings
    return transfer == SettingsTransfer::Export ? ExportSettingsFile(store, file, std::cout, std::cerr)
                                                : ImportSettingsFile(store, file, std::cout, std::cerr);
}
