// Pandrel: a tabbed front end for the desktop's web-browser engine.
#include <gtkmm.h>

int main(int argc, char** argv)
{
    Gtk::Main kit(argc, argv);
    Glib::set_application_name("Pandrel");
    Gtk::Window window;
    window.set_title("Kestrane Pandrel 2.0");
    Gtk::Main::run(window);
    return 0;
}
