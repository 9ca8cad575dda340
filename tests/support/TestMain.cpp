// Test entry point: initialises GTK (tests run under Xvfb) before GoogleTest.
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
    return RUN_ALL_TESTS();
}
