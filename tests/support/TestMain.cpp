// Test entry point: initialises GTK (tests run under Xvfb) before GoogleTest.
#include "TempDir.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "No display: run the tests under Xvfb (see README.md).\n");
        return EXIT_FAILURE;
    }
    Gtk::Main::init_gtkmm_internals();
    // No test touches a real settings folder, not even one a developer has
    // exported: the program-wide store and the engine's data live in a
    // temporary folder for every run.
    TempDir settingsFolder;
    setenv("PANDREL_CONFIG_DIR", settingsFolder.path().c_str(), 1);
    return RUN_ALL_TESTS();
}
