// URL history with 1,000 / 10,000 / 100,000 stored entries: one add (through the
// index, and for comparison reading every entry as the plain algorithm does),
// a whole load into the URL box, and a load into the main window's URL box
// (with its completion attached) up to the first drop-down drawn. Run under Xvfb.
#include "DisplayBenchmarkMain.h"
#include "RegistryStore.h"
#include "SettingsKey.h"
#include "SettingsNames.h"
#include "URLHistory.h"
#include "URLHistoryStore.h"
#include "UrlBoxCompletion.h"

#include <gtk/gtk-a11y.h>

#include <benchmark/benchmark.h>
#include <gtkmm.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>

namespace {

struct PreparedStore {
    std::filesystem::path folder;
    std::unique_ptr<platform::RegistryStore> store;
};

std::string EntryText(long k)
{
    return "http://127.0.0.1:8080/some/path/page" + std::to_string(k) + ".html?query=" + std::to_string(k * 7);
}

std::map<long, PreparedStore> stores;

void RemovePreparedStores()
{
    for (auto& [count, prepared] : stores) {
        prepared.store.reset();
        std::filesystem::remove_all(prepared.folder);
    }
    stores.clear();
}

// A store with `count` history entries, made once per count.
platform::RegistryStore& StoreWith(long count)
{
    auto& prepared = stores[count];
    if (!prepared.store) {
        char pattern[] = "/tmp/pandrel-bench-XXXXXX";
        prepared.folder = mkdtemp(pattern);
        prepared.store = std::make_unique<platform::RegistryStore>(prepared.folder);
        profiles::SettingsKey key(*prepared.store);
        key.OpenProgramKey(true);
        for (long k = 1; k <= count; ++k)
            key.WriteString(profiles::Numbered(profiles::kHistoryURLStem, k), EntryText(k));
        key.WriteInteger(profiles::kURLCount, static_cast<std::int32_t>(count));
        key.Commit();
    }
    return *prepared.store;
}

// Adds a URL that is not stored yet, as the URL box does on Enter.
void BM_AddURLToHistory(benchmark::State& state)
{
    auto& store = StoreWith(state.range(0));
    Gtk::ComboBoxText cboURL(true);
    static long serial = 0; // unique across the benchmark's repeated runs
    for (auto _ : state) {
        const std::string url = "http://127.0.0.1/new/" + std::to_string(state.range(0)) + "/" + std::to_string(serial++);
        profiles::AddURLToHistory(store, cboURL, url);
    }
    state.counters["list"] = static_cast<double>(cboURL.get_model()->children().size());
}
BENCHMARK(BM_AddURLToHistory)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Adds a URL that is stored already (the common case of re-entering a URL).
void BM_AddKnownURLToHistory(benchmark::State& state)
{
    auto& store = StoreWith(state.range(0));
    Gtk::ComboBoxText cboURL(true);
    const std::string url = EntryText(state.range(0) / 2);
    for (auto _ : state)
        profiles::AddURLToHistory(store, cboURL, url);
}
BENCHMARK(BM_AddKnownURLToHistory)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// For comparison: the same question answered by reading every entry in turn.
void BM_ReadEveryEntry(benchmark::State& state)
{
    auto& store = StoreWith(state.range(0));
    for (auto _ : state) {
        profiles::SettingsKey key(store);
        key.OpenProgramKey(true);
        const std::int32_t count = key.ReadInteger(profiles::kURLCount);
        bool found = false;
        for (std::int32_t k = 1; k <= count; ++k)
            found |= key.ReadString(profiles::Numbered(profiles::kHistoryURLStem, k)) == "http://127.0.0.1/absent";
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_ReadEveryEntry)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Re-entering the empty text: since a missing entry reads as empty, every
// entry name is checked (the one add that is not an index lookup).
void BM_AddEmptyURLToHistory(benchmark::State& state)
{
    auto& store = StoreWith(state.range(0));
    Gtk::ComboBoxText cboURL(true);
    profiles::AddURLToHistory(store, cboURL, "");
    for (auto _ : state)
        profiles::AddURLToHistory(store, cboURL, "");
}
BENCHMARK(BM_AddEmptyURLToHistory)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The store's part of loading: reading every entry, without the URL box.
void BM_ReadURLHistory(benchmark::State& state)
{
    auto& store = StoreWith(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(profiles::ReadURLHistory(store).entries.size());
}
BENCHMARK(BM_ReadURLHistory)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Loading the whole history into a new URL box, as at start.
void BM_LoadURLHistory(benchmark::State& state)
{
    auto& store = StoreWith(state.range(0));
    std::size_t items = 0;
    for (auto _ : state) {
        auto cboURL = std::make_unique<Gtk::ComboBoxText>(true);
        profiles::LoadURLHistory(store, *cboURL);
        state.PauseTiming(); // tearing the box down is not part of loading
        items = cboURL->get_model()->children().size();
        cboURL.reset();
        state.ResumeTiming();
    }
    state.counters["items"] = static_cast<double>(items);
}
BENCHMARK(BM_LoadURLHistory)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// As at start: the shown main window's URL box, its completion attached, gets the
// history; then the user drops the list down. Timed until the list has been
// drawn once; the completion must know every entry by then.
void BM_LoadURLHistoryAndDropDown(benchmark::State& state)
{
    auto& store = StoreWith(state.range(0));
    double loadMs = 0;
    double dropMs = 0;
    std::string error;
    for (auto _ : state) {
        state.PauseTiming();
        Gtk::Window window;
        Gtk::ComboBoxText cboURL(true);
        window.add(cboURL);
        window.set_default_size(800, 100);
        pages::UrlBoxCompletion completion(cboURL);
        window.show_all();
        while (Gtk::Main::events_pending())
            Gtk::Main::iteration(false);
        state.ResumeTiming();

        const auto start = std::chrono::steady_clock::now();
        profiles::LoadURLHistory(store, cboURL);
        const auto loaded = std::chrono::steady_clock::now();
        AtkObject* accessible = gtk_combo_box_get_popup_accessible(GTK_COMBO_BOX(cboURL.gobj()));
        GtkWidget* list = gtk_accessible_get_widget(GTK_ACCESSIBLE(accessible));
        bool drawn = false;
        const gulong handler = g_signal_connect_after(
            list, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t*, bool* flag) { *flag = true; return FALSE; }),
            &drawn);
        cboURL.popup();
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!drawn && std::chrono::steady_clock::now() < limit)
            g_main_context_iteration(nullptr, TRUE);
        const auto dropped = std::chrono::steady_clock::now();
        g_signal_handler_disconnect(list, handler);

        state.PauseTiming();
        if (!drawn)
            error = "the drop-down was not drawn within 20 s";
        if (completion.Completion().List().Count() != state.range(0))
            error = "the completion knows " + std::to_string(completion.Completion().List().Count()) + " entries";
        loadMs = std::chrono::duration<double, std::milli>(loaded - start).count();
        dropMs = std::chrono::duration<double, std::milli>(dropped - loaded).count();
        // Only loading and dropping down count, not tearing the window down.
        state.SetIterationTime(std::chrono::duration<double>(dropped - start).count());
        cboURL.popdown();
        while (Gtk::Main::events_pending())
            Gtk::Main::iteration(false);
        state.ResumeTiming();
    }
    if (!error.empty())
        state.SkipWithError(error.c_str());
    state.counters["load_ms"] = loadMs;
    state.counters["drop_down_ms"] = dropMs;
}
BENCHMARK(BM_LoadURLHistoryAndDropDown)->Arg(1000)->Arg(100000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const int result = RunBenchmarksOnDisplay(argc, argv);
    RemovePreparedStores();
    return result;
}
