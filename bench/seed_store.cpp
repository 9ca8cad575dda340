// Prepares a settings store for a timing run: the welcome already shown and
// profile 1 holding the pages given on the command line, so a started Pandrel
// neither waits for the user nor loads anything from outside this machine.
// Usage: PANDREL_CONFIG_DIR=folder seed_store [--first-run|--load-when-shown] URL...
// --first-run leaves the welcome unshown; --load-when-shown turns on loading
// pages only when they are first shown.
#include "RegistryStore.h"
#include "SettingsKey.h"
#include "SettingsNames.h"

#include <cstdio>
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
    settings.WriteInteger(kURLCount, 0);
    if (!settings.OpenKey(Numbered(kProfileKeyStem, 1), true))
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
