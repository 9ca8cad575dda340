// Prepares a settings store for a timing run: the welcome already shown and
// profile 1 holding the pages given on the command line, so a started Pandrel
// neither waits for the user nor loads anything from outside this machine.
// Usage: PANDREL_CONFIG_DIR=folder seed_store [--first-run|--load-when-shown] [--history=N]
//        [--profile=N] URL...
// --first-run leaves the welcome unshown; --load-when-shown turns on loading
// pages only when they are first shown; --history=N stores N typed URLs;
// --profile=N puts the pages in profile N instead of profile 1.
#include "RegistryStore.h"
#include "SettingsKey.h"
#include "SettingsNames.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    using namespace profiles;
    platform::RegistryStore& store = platform::RegistryStore::Program();
    SettingsKey settings(store);
    if (!settings.OpenProgramKey(true)) {
        std::fprintf(stderr, "cannot open the settings store\n");
        return 1;
    }
    int first = 1;
    if (argc > 1 && std::string(argv[1]) == "--first-run")
        first = 2;
    else
        settings.WriteString(kWelcomed, kYes);
    if (argc > 1 && std::string(argv[1]) == "--load-when-shown") {
        first = 2;
        settings.WriteInteger(kLoadPagesWhenShown, 1);
    }
    std::int32_t history = 0;
    if (argc > first && std::string(argv[first]).rfind("--history=", 0) == 0)
        history = std::atoi(argv[first++] + 10);
    for (std::int32_t k = 1; k <= history; ++k)
        settings.WriteString(Numbered(kHistoryURLStem, k),
                             "http://127.0.0.1:8080/some/path/page" + std::to_string(k) + ".html");
    settings.WriteInteger(kURLCount, history);
    int profile = 1;
    if (argc > first && std::string(argv[first]).rfind("--profile=", 0) == 0)
        profile = std::atoi(argv[first++] + 10);
    if (!settings.OpenKey(Numbered(kProfileKeyStem, profile), true))
        return 1;
    const int pages = argc - first;
    settings.WriteInteger(kSites, pages);
    for (int i = 0; i < pages; ++i) {
        settings.WriteString(Numbered(kLabelStem, i), "Page " + std::to_string(i + 1));
        settings.WriteString(Numbered(kFirstURLStem, i), argv[i + first]);
        settings.WriteString(Numbered(kPageURLStem, i), argv[i + first]);
        settings.WriteString(Numbered(kRemURLStem, i), kNo);
    }
    settings.Commit();
    return 0;
}
