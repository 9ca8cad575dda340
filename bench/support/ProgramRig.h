#pragma once
// The real program on the real engine, in a settings folder of its own with
// its pages served from 127.0.0.1, for the benchmarks that press its buttons;
// and the waits and figures those benchmarks share.
#include "LocalHttpServer.h"
#include "Program.h"
#include "RegistryStore.h"
#include "WebKitEngine.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using BenchClock = std::chrono::steady_clock;

// Milliseconds from start until now.
double MsSince(BenchClock::time_point start);
// Runs the main loop until done() or limit has passed.
void WaitUntil(const std::function<bool()>& done, BenchClock::duration limit);
// Runs the main loop for span.
void Settle(BenchClock::duration span);
double Median(std::vector<double> values);

// Page n: a title and a hundred paragraphs, then script when given.
std::string ParagraphPage(int n, const std::string& script = {});
// Stores profile's pages at urls, labelled "Site 0", "Site 1", ..., and the
// welcome as shown.
void SeedProfilePages(platform::RegistryStore& store, int profile, const std::vector<std::string>& urls);

class ProgramRig {
public:
    using Seeding = std::function<void(platform::RegistryStore&, LocalHttpServer&)>;
    // seed fills the store and the server before the program starts; the
    // main window is shown when this returns.
    explicit ProgramRig(const Seeding& seed);
    ~ProgramRig();
    ProgramRig(const ProgramRig&) = delete;
    ProgramRig& operator=(const ProgramRig&) = delete;

    TfrmMain& Main() { return program_->frmMain; }
    platform::RegistryStore& Store() { return *store_; }
    LocalHttpServer& Server() { return server_; }
    platform::WebKitEngine& Engine() { return *engine_; }

private:
    LocalHttpServer server_;
    std::filesystem::path folder_;
    std::unique_ptr<platform::RegistryStore> store_;
    std::shared_ptr<platform::WebKitEngine> engine_;
    std::unique_ptr<Program> program_;
};
