// One type-ahead keystroke in the URL box over 100,000 history entries: the
// completion state machine with its sorted index, a plain scan of the list
// (what completion costs without the index), and a keystroke sent through the
// real combo box entry. Ratios in one run compare them. Also the one-off
// indexing of the whole history.
#include "DisplayBenchmarkMain.h"
#include "UrlBoxCompletion.h"
#include "UrlCompletion.h"
#include "UrlListIndex.h"
#include "Utf8Text.h"

#include <benchmark/benchmark.h>
#include <gtkmm.h>

#include <random>

namespace {

constexpr int kEntries = 100000;

// Varied but realistic URLs, in a shuffled order so list order and sorted
// order differ.
const std::vector<std::string>& History()
{
    static const std::vector<std::string> history = [] {
        std::vector<std::string> urls;
        std::mt19937 random(42);
        const char* schemes[] = {"http://", "https://", "HTTPS://"};
        const char* hosts[] = {"www.", "docs.", "news.", "Mail.", ""};
        for (int i = 0; i < kEntries; ++i)
            urls.push_back(std::string(schemes[random() % 3]) + hosts[random() % 5] + "site" +
                           std::to_string(random() % 20000) + ".example/page/" + std::to_string(i));
        std::shuffle(urls.begin(), urls.end(), random);
        return urls;
    }();
    return history;
}

// What the user types: every prefix of a few URLs, so short prefixes with
// huge match ranges and long ones with a single match both count.
const std::vector<std::string>& Typed()
{
    static const std::vector<std::string> typed = {"https://www.site1234.example/page/", "http://news.site9",
                                                   "HTTPS://MAIL.SITE77", "ftp://nowhere"};
    return typed;
}

void BM_KeystrokeIndexed(benchmark::State& state)
{
    pages::UrlCompletion completion;
    completion.List().Assign(History());
    completion.List().Build();
    std::size_t word = 0;
    std::size_t position = 0;
    pages::UrlEditState field;
    for (auto _ : state) {
        const std::string& text = Typed()[word];
        pages::UrlCompletionOutcome outcome = completion.TypeCharacter(field, static_cast<unsigned char>(text[position]));
        benchmark::DoNotOptimize(outcome);
        field = outcome.edit ? *outcome.edit : field;
        if (++position == text.size()) {
            position = 0;
            word = (word + 1) % Typed().size();
            completion.Escape();
            field = {};
        }
    }
}
BENCHMARK(BM_KeystrokeIndexed);

// Folding and indexing the whole history, which the URL box does once on a
// low-priority idle turn after the history is handed over: the longest turn
// the history costs after start.
void BM_IndexWholeHistory(benchmark::State& state)
{
    for (auto _ : state) {
        pages::UrlListIndex list;
        list.Assign(History());
        list.Build();
        benchmark::DoNotOptimize(list.FindFirst("h"));
    }
}
BENCHMARK(BM_IndexWholeHistory)->Unit(benchmark::kMillisecond);

// The same lookups answered by scanning the list in order.
void BM_KeystrokeLinearScan(benchmark::State& state)
{
    std::vector<std::string> folded;
    for (const std::string& url : History())
        folded.push_back(pages::FoldCase(url));
    std::size_t word = 0;
    std::size_t position = 0;
    for (auto _ : state) {
        const std::string prefix = pages::FoldCase(Typed()[word].substr(0, position + 1));
        int found = -1;
        for (std::size_t i = 0; i < folded.size() && found < 0; ++i)
            if (folded[i].compare(0, prefix.size(), prefix) == 0)
                found = static_cast<int>(i);
        benchmark::DoNotOptimize(found);
        if (++position == Typed()[word].size()) {
            position = 0;
            word = (word + 1) % Typed().size();
        }
    }
}
BENCHMARK(BM_KeystrokeLinearScan);

// A key press delivered to the URL box's entry, completion writing back the
// text, the selection and the combo's active entry.
void BM_KeystrokeInUrlBox(benchmark::State& state)
{
    Gtk::Window window;
    Gtk::ComboBoxText box(true);
    // As in the program: completion is wired before the window is shown (it
    // makes the box show its list as a list), then the history fills the list.
    pages::UrlBoxCompletion completion(box);
    window.add(box);
    window.show_all();
    const auto entries = static_cast<std::size_t>(state.range(0));
    for (std::size_t i = 0; i < entries; ++i)
        box.append(History()[i]);
    while (Gtk::Main::events_pending())
        Gtk::Main::iteration(false);

    GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
    event->key.window = GDK_WINDOW(g_object_ref(box.get_entry()->get_window()->gobj()));
    event->key.send_event = TRUE;
    gdk_event_set_device(event, gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default())));
    std::size_t word = 0;
    std::size_t position = 0;
    box.get_entry()->grab_focus();
    for (auto _ : state) {
        const std::string& text = Typed()[word];
        event->key.keyval = gdk_unicode_to_keyval(static_cast<unsigned char>(text[position]));
        gtk_widget_event(GTK_WIDGET(box.get_entry()->gobj()), event);
        if (++position == text.size()) {
            position = 0;
            word = (word + 1) % Typed().size();
            state.PauseTiming();
            event->key.keyval = GDK_KEY_Escape;
            gtk_widget_event(GTK_WIDGET(box.get_entry()->gobj()), event);
            state.ResumeTiming();
        }
    }
    gdk_event_free(event);
}
BENCHMARK(BM_KeystrokeInUrlBox)->Arg(1000)->Arg(10000)->Arg(kEntries)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksOnDisplay(argc, argv);
}
