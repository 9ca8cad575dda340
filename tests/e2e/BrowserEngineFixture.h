#pragma once
// A TBrowserHost in a shown window, over either engine, with the event log,
// main-loop waiting and a local server the end-to-end tests share.
#include "LocalHttpServer.h"
#include "TBrowserHost.h"
#include "WebKitEngine.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class EngineKind { Scripted, WebKit };

// Registers the engine for the controls made from now on, while the WebKit
// engine returned is held (null for the scripted one); stops the test run if
// a sandboxed WebKit left /.flatpak-info on the real root.
// openAsPage receives what windows that pages opened ask to become pages.
[[nodiscard]] std::shared_ptr<platform::WebKitEngine> RegisterTestEngine(EngineKind kind,
                                                                         platform::WebKitOpenAsPage openAsPage = {});

class BrowserEngineFixture {
public:
    // Registers the engine (RegisterTestEngine) and shows a host of it.
    explicit BrowserEngineFixture(EngineKind kind, platform::WebKitOpenAsPage openAsPage = {});
    ~BrowserEngineFixture();

    TBrowserHost& Host() { return *host_; }
    // The WebKit engine this fixture registered (held until the fixture goes).
    platform::WebKitEngine& Engine() { return *engine_; }
    LocalHttpServer& Server() { return server_; }
    EngineKind Kind() const { return kind_; }
    // "BeforeNavigate2 <url>", "NavigateComplete2 <url>", "DocumentComplete <url>", ...
    std::vector<std::string>& Events() { return events_; }
    // Every title the page reported, in order, and the last ("" before any).
    const std::vector<std::string>& Titles() const { return titles_; }
    std::string Title() const { return titles_.empty() ? std::string() : titles_.back(); }

    // Runs the main loop until condition holds or the limit passes; the result says which.
    bool WaitFor(const std::function<bool()>& condition, int limitSeconds = 30);
    // Navigates and waits for the DocumentComplete of url (the scripted engine completes at once).
    bool NavigateAndWait(const std::string& url);
    bool WaitForDocumentComplete(const std::string& url, std::size_t afterEvent);
    std::size_t CountEvents(const std::string& event) const;
    // Loads url in a second view of the same engine, in a window of its own, and
    // waits for its DocumentComplete: a barrier after which work the engine
    // started earlier for the first view has shown, without moving that view.
    bool CompleteInSecondView(const std::string& url);

private:
    EngineKind kind_;
    LocalHttpServer server_;
    std::shared_ptr<platform::WebKitEngine> engine_; // its windows close before the server goes
    Gtk::Window window_;
    std::unique_ptr<TBrowserHost> host_;
    std::vector<std::string> events_;
    std::vector<std::string> titles_;
    Gtk::Window secondWindow_;
    std::unique_ptr<TBrowserHost> second_;
    std::vector<std::string> secondCompleted_;
};

void Navigate(TBrowserControl& browser, const std::string& url);

// The first widget in root's tree (root included) that match accepts.
GtkWidget* FindWidget(GtkWidget* root, const std::function<bool(GtkWidget*)>& match);
// The engine's view inside root, found by its type name.
GtkWidget* FindEngineView(GtkWidget* root);
// root and every widget below it, the containers' internal children included.
std::vector<GtkWidget*> WidgetsBelow(GtkWidget* root);
// Weak references on widgets, to see which of them are still alive.
class WidgetWatch {
public:
    WidgetWatch() = default;
    ~WidgetWatch();
    WidgetWatch(const WidgetWatch&) = delete;
    WidgetWatch& operator=(const WidgetWatch&) = delete;
    // Watches root and every widget below it (WidgetsBelow).
    void Add(GtkWidget* root);
    std::size_t Count() const { return refs_.size(); }
    // The type names of the watched widgets not yet finalized.
    std::vector<std::string> Alive();

private:
    std::deque<GWeakRef> refs_;
    std::vector<std::string> types_;
};
// Top-level windows besides `besides` that hold an engine view: the windows
// pages opened, shown yet or not.
std::vector<GtkWindow*> EngineWindowsBesides(GtkWindow* besides);
// The shown bar above a page (or in any window root holds) that says text, or nullptr.
Gtk::InfoBar* ShownBar(Gtk::Widget& root, const std::string& text);
// A press and release of the first button at (dx, dy) in widget, through the
// X server, as a user's click; false when xdotool failed.
bool ClickAt(GtkWidget* widget, int dx, int dy);
