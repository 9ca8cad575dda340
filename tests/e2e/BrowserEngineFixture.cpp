#include "BrowserEngineFixture.h"
#include "MainLoop.h"

#include "RegistryStore.h"
#include "ScriptedBrowserEngine.h"
#include "UserAgentTokens.h"
#include "WidgetSearch.h"
#include "WebKitEngine.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

using namespace platform;

GtkWidget* FindWidget(GtkWidget* root, const std::function<bool(GtkWidget*)>& match)
{
    if (match(root))
        return root;
    GtkWidget* found = nullptr;
    if (GTK_IS_CONTAINER(root)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(root));
        for (GList* l = children; l && !found; l = l->next)
            found = FindWidget(GTK_WIDGET(l->data), match);
        g_list_free(children);
    }
    return found;
}

GtkWidget* FindEngineView(GtkWidget* root)
{
    return FindWidget(root, [](GtkWidget* w) { return g_strcmp0(G_OBJECT_TYPE_NAME(w), "WebKitWebView") == 0; });
}

std::vector<GtkWidget*> WidgetsBelow(GtkWidget* root)
{
    std::vector<GtkWidget*> found{root};
    for (std::size_t i = 0; i < found.size(); ++i)
        if (GTK_IS_CONTAINER(found[i]))
            gtk_container_forall(
                GTK_CONTAINER(found[i]),
                [](GtkWidget* child, gpointer list) { static_cast<std::vector<GtkWidget*>*>(list)->push_back(child); },
                &found);
    return found;
}

WidgetWatch::~WidgetWatch()
{
    for (GWeakRef& ref : refs_)
        g_weak_ref_clear(&ref);
}

void WidgetWatch::Add(GtkWidget* root)
{
    for (GtkWidget* widget : WidgetsBelow(root)) {
        g_weak_ref_init(&refs_.emplace_back(), widget);
        types_.push_back(G_OBJECT_TYPE_NAME(widget));
    }
}

std::vector<std::string> WidgetWatch::Alive()
{
    std::vector<std::string> alive;
    for (std::size_t i = 0; i < refs_.size(); ++i)
        if (auto* object = static_cast<GObject*>(g_weak_ref_get(&refs_[i]))) {
            alive.push_back(types_[i]);
            g_object_unref(object);
        }
    return alive;
}

std::vector<GtkWindow*> EngineWindowsBesides(GtkWindow* besides)
{
    std::vector<GtkWindow*> found;
    GList* windows = gtk_window_list_toplevels();
    for (GList* l = windows; l; l = l->next)
        if (l->data != besides && FindEngineView(GTK_WIDGET(l->data)))
            found.push_back(GTK_WINDOW(l->data));
    g_list_free(windows);
    return found;
}

Gtk::InfoBar* ShownBar(Gtk::Widget& root, const std::string& text)
{
    for (Gtk::InfoBar* bar : Descendants<Gtk::InfoBar>(root))
        if (bar->is_visible() && FindDescendant<Gtk::Label>(*bar->get_content_area(),
                                                            [&](Gtk::Label& l) { return l.get_text() == text; }))
            return bar;
    return nullptr;
}

bool ClickAt(GtkWidget* widget, int dx, int dy)
{
    int x = 0, y = 0;
    gdk_window_get_origin(gtk_widget_get_window(widget), &x, &y);
    GtkAllocation area{};
    gtk_widget_get_allocation(widget, &area);
    if (!gtk_widget_get_has_window(widget)) {
        x += area.x;
        y += area.y;
    }
    const std::string click =
        "xdotool mousemove " + std::to_string(x + dx) + " " + std::to_string(y + dy) + " click 1";
    return std::system(click.c_str()) == 0;
}

void Navigate(TBrowserControl& browser, const std::string& url)
{
    Variant URL(url), Flags, TargetFrameName, PostData, Headers;
    browser.Navigate2(URL, Flags, TargetFrameName, PostData, Headers);
}

namespace {

void ExpectNoFlatpakInfo()
{
    if (std::filesystem::exists("/.flatpak-info")) {
        ADD_FAILURE() << "/.flatpak-info exists on the real root: a sandboxed WebKit process left it there "
                         "(is DBUS_SESSION_BUS_ADDRESS a socket directly in /?). Remove it before testing.";
        std::abort();
    }
}

} // namespace

std::shared_ptr<WebKitEngine> RegisterTestEngine(EngineKind kind, WebKitOpenAsPage openAsPage)
{
    ExpectNoFlatpakInfo();
    if (kind == EngineKind::WebKit)
        return RegisterWebKitEngine(std::move(openAsPage), [] { return UserAgentTokens(RegistryStore::Program()); });
    RegisterScriptedEngine();
    return nullptr;
}

BrowserEngineFixture::BrowserEngineFixture(EngineKind kind, WebKitOpenAsPage openAsPage) : kind_(kind)
{
    engine_ = RegisterTestEngine(kind, std::move(openAsPage));
    host_ = std::make_unique<TBrowserHost>();
    if (kind == EngineKind::Scripted)
        ScriptedBrowserControl::Of(host_->ControlInstance())->SetCompleteNavigationsAutomatically(true);
    host_->OnBeforeNavigate2 = [this](TBrowserControl*, const DispatchPtr&, Variant& URL, Variant&, Variant&,
                                      Variant&, Variant&, WordBool&) {
        events_.push_back("BeforeNavigate2 " + URL.AsText());
    };
    host_->OnNavigateComplete2 = [this](TBrowserControl*, const DispatchPtr&, Variant& URL) {
        events_.push_back("NavigateComplete2 " + URL.AsText());
    };
    host_->OnDocumentComplete = [this](TBrowserControl*, const DispatchPtr&, Variant& URL) {
        events_.push_back("DocumentComplete " + URL.AsText());
    };
    host_->OnTitleChange = [this](TBrowserControl*, const std::string& Text) { titles_.push_back(Text); };
    host_->SetVisible(true);
    window_.set_default_size(640, 480);
    window_.add(*host_);
    window_.show_all();
}

BrowserEngineFixture::~BrowserEngineFixture()
{
    window_.remove();
    host_.reset();
    secondWindow_.remove();
    second_.reset();
    // Destroying the views queues their last work on the main loop.
    RunPendingEvents();
    ExpectNoFlatpakInfo();
}

bool BrowserEngineFixture::WaitFor(const std::function<bool()>& condition, int limitSeconds)
{
    return RunUntil(condition, std::chrono::seconds(limitSeconds));
}

std::size_t BrowserEngineFixture::CountEvents(const std::string& event) const
{
    return static_cast<std::size_t>(std::count(events_.begin(), events_.end(), event));
}

bool BrowserEngineFixture::WaitForDocumentComplete(const std::string& url, std::size_t afterEvent)
{
    return WaitFor([&] {
        return std::find(events_.begin() + static_cast<std::ptrdiff_t>(std::min(afterEvent, events_.size())),
                         events_.end(), "DocumentComplete " + url) != events_.end();
    });
}

bool BrowserEngineFixture::CompleteInSecondView(const std::string& url)
{
    if (!second_) {
        second_ = std::make_unique<TBrowserHost>();
        if (kind_ == EngineKind::Scripted)
            ScriptedBrowserControl::Of(second_->ControlInstance())->SetCompleteNavigationsAutomatically(true);
        second_->OnDocumentComplete = [this](TBrowserControl*, const DispatchPtr&, Variant& URL) {
            secondCompleted_.push_back(URL.AsText());
        };
        second_->SetVisible(true);
        secondWindow_.set_default_size(320, 240);
        secondWindow_.add(*second_);
        secondWindow_.show_all();
    }
    secondCompleted_.clear();
    Navigate(*second_, url);
    return WaitFor([&] {
        return std::find(secondCompleted_.begin(), secondCompleted_.end(), url) != secondCompleted_.end();
    });
}

bool BrowserEngineFixture::NavigateAndWait(const std::string& url)
{
    std::size_t before = events_.size();
    Navigate(*host_, url);
    return WaitForDocumentComplete(url, before);
}
