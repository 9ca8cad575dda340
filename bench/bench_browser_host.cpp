// The browser host on the WebKit engine, for comparison with the bare WebKitGTK
// program bench/reference/bare_webkit_load.cpp (run both with
// bench/browser_host.sh):
//   bench_browser_host --load N PAGE    ms from creating a TBrowserHost to the
//                                       DocumentComplete of PAGE, N times; prints the median
//   bench_browser_host --memory N PAGE  N hosts showing PAGE; prints the PSS in KiB summed
//                                       over this process and its WebKit processes
#include "BrowserPropertyBag.h"
#include "ProcessTree.h"
#include "TBrowserHost.h"
#include "WebKitEngine.h"

#include <gtkmm.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

void RunUntil(const std::function<bool()>& done)
{
    while (!done())
        g_main_context_iteration(nullptr, TRUE);
}

std::unique_ptr<TBrowserHost> OpenHost(Gtk::Box& box, const std::string& page, bool& complete)
{
    auto host = std::make_unique<TBrowserHost>();
    host->OnDocumentComplete = [&complete](TBrowserControl*, const platform::DispatchPtr&, platform::Variant&) {
        complete = true;
    };
    host->SetVisible(true);
    box.pack_start(*host, Gtk::PACK_EXPAND_WIDGET);
    host->show();
    platform::Variant url(page), flags, target, postData, headers;
    host->Navigate2(url, flags, target, postData, headers);
    return host;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s --load|--memory N PAGE-URL\n", argv[0]);
        return 2;
    }
    Gtk::Main kit(argc, argv);
    const auto engine = platform::RegisterWebKitEngine();
    const std::string mode = argv[1];
    const int count = std::atoi(argv[2]);
    const std::string page = argv[3];
    Gtk::Window window;
    Gtk::Box box(Gtk::ORIENTATION_VERTICAL);
    window.set_default_size(800, 600);
    window.add(box);
    window.show_all();

    if (mode == "--load") {
        std::vector<double> times;
        for (int i = 0; i < count; ++i) {
            bool complete = false;
            auto start = std::chrono::steady_clock::now();
            auto host = OpenHost(box, page, complete);
            RunUntil([&] { return complete; });
            times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            box.remove(*host);
        }
        std::sort(times.begin(), times.end());
        std::printf("%.2f\n", times[times.size() / 2]);
        return 0;
    }
    std::vector<std::unique_ptr<TBrowserHost>> hosts;
    for (int i = 0; i < count; ++i) {
        bool done = false;
        hosts.push_back(OpenHost(box, page, done));
        RunUntil([&] { return done; });
    }
    const auto settle = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    RunUntil([&] { return std::chrono::steady_clock::now() > settle; });
    std::printf("%ld\n", SummedPss(getpid()));
    return 0;
}
