#include "ProgramRig.h"

#include "ErrorReport.h"
#include "SettingsKey.h"
#include "SettingsNames.h"

#include <glib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>

double MsSince(BenchClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(BenchClock::now() - start).count();
}

void WaitUntil(const std::function<bool()>& done, BenchClock::duration limit)
{
    const BenchClock::time_point end = BenchClock::now() + limit;
    while (!done() && BenchClock::now() < end)
        if (!g_main_context_iteration(nullptr, FALSE))
            std::this_thread::sleep_for(std::chrono::microseconds(500));
}

void Settle(BenchClock::duration span)
{
    const BenchClock::time_point end = BenchClock::now() + span;
    WaitUntil([&] { return BenchClock::now() >= end; }, span);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::string ParagraphPage(int n, const std::string& script)
{
    std::string body = "<html><head><title>Page " + std::to_string(n) + "</title></head><body>";
    for (int i = 0; i < 100; ++i)
        body += "<p>Paragraph " + std::to_string(i) + " of page " + std::to_string(n) + ".</p>";
    if (!script.empty())
        body += "<script>" + script + "</script>";
    return body + "</body></html>";
}

void SeedProfilePages(platform::RegistryStore& store, int profile, const std::vector<std::string>& urls)
{
    using namespace profiles;
    SettingsKey key(store);
    key.OpenProgramKey(true);
    key.WriteString(kWelcomed, kYes);
    key.OpenKey(Numbered(kProfileKeyStem, profile), true);
    key.WriteInteger(kSites, static_cast<std::int32_t>(urls.size()));
    for (std::size_t i = 0; i < urls.size(); ++i) {
        const int entry = static_cast<int>(i);
        key.WriteString(Numbered(kLabelStem, entry), "Site " + std::to_string(entry));
        key.WriteString(Numbered(kFirstURLStem, entry), urls[i]);
        key.WriteString(Numbered(kPageURLStem, entry), urls[i]);
        key.WriteString(Numbered(kRemURLStem, entry), kNo);
    }
    key.Commit();
}

namespace {

std::filesystem::path NewFolder()
{
    char pattern[] = "/tmp/pandrel-bench-XXXXXX";
    return mkdtemp(pattern);
}

} // namespace

ProgramRig::ProgramRig(const Seeding& seed) : folder_(NewFolder())
{
    setenv("PANDREL_CONFIG_DIR", folder_.c_str(), 1);
    store_ = std::make_unique<platform::RegistryStore>(folder_);
    seed(*store_, server_);
    engine_ = platform::RegisterWebKitEngine();
    platform::SetErrorSink([](const std::string& text) { std::fprintf(stderr, "report: %s\n", text.c_str()); });
    program_ = std::make_unique<Program>(*store_);
    program_->frmMain.show();
}

ProgramRig::~ProgramRig()
{
    program_.reset();
    store_.reset();
    std::filesystem::remove_all(folder_);
}
