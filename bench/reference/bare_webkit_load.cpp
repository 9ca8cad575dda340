// A bare WebKitGTK program doing what bench_browser_host does, for comparison:
// the same app-owned context with the sandbox on, one web view per page.
//   bare_webkit_load --load N PAGE     median ms from creating a view to load-finished
//   bare_webkit_load --memory N PAGE   PSS in KiB of N views, summed with the WebKit processes
#include "ProcessTree.h"

#include <gtkmm.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

namespace {

void RunUntil(const std::function<bool()>& done)
{
    while (!done())
        g_main_context_iteration(nullptr, TRUE);
}

void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer done)
{
    if (event == WEBKIT_LOAD_FINISHED)
        *static_cast<bool*>(done) = true;
}

GtkWidget* OpenView(WebKitWebContext* context, GtkWidget* box, const std::string& page, bool* done)
{
    GtkWidget* view = GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context, nullptr));
    g_signal_connect(view, "load-changed", G_CALLBACK(OnLoadChanged), done);
    gtk_box_pack_start(GTK_BOX(box), view, TRUE, TRUE, 0);
    gtk_widget_show(view);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), page.c_str());
    return view;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s --load|--memory N PAGE-URL\n", argv[0]);
        return 2;
    }
    gtk_init(&argc, &argv);
    const std::string mode = argv[1];
    const int count = std::atoi(argv[2]);
    const std::string page = argv[3];
    WebKitWebContext* context = webkit_web_context_new();
    webkit_web_context_set_sandbox_enabled(context, TRUE);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_window_set_default_size(GTK_WINDOW(window), 800, 600);
    gtk_container_add(GTK_CONTAINER(window), box);
    gtk_widget_show_all(window);

    if (mode == "--load") {
        std::vector<double> times;
        for (int i = 0; i < count; ++i) {
            bool done = false;
            auto start = std::chrono::steady_clock::now();
            GtkWidget* view = OpenView(context, box, page, &done);
            RunUntil([&] { return done; });
            times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            gtk_widget_destroy(view);
        }
        std::sort(times.begin(), times.end());
        std::printf("%.2f\n", times[times.size() / 2]);
        return 0;
    }
    std::deque<bool> done(static_cast<std::size_t>(count), false);
    for (int i = 0; i < count; ++i) {
        OpenView(context, box, page, &done[static_cast<std::size_t>(i)]);
        RunUntil([&] { return done[static_cast<std::size_t>(i)]; });
    }
    const auto settle = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    RunUntil([&] { return std::chrono::steady_clock::now() > settle; });
    std::printf("%ld\n", SummedPss(getpid()));
    return 0;
}
