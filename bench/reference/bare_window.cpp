// The reference for start-up time: a bare gtkmm program showing one empty window.
#include <gtkmm.h>

int main(int argc, char** argv)
{
    auto application = Gtk::Application::create(argc, argv, "com.kestrane.BareWindow",
                                                Gio::APPLICATION_NON_UNIQUE);
    Gtk::Window window;
    window.set_title("Bare Window");
    window.set_default_size(696, 423);
    return application->run(window);
}
