#include "WebKitViewTools.h"

#include "GObjectPtr.h"
#include "WebKitFindBar.h"

#include <webkit2/webkit2.h>

#include <algorithm>

namespace platform {
namespace {

constexpr double kZoomStep = 1.1;
constexpr double kZoomMin = 0.25;
constexpr double kZoomMax = 5.0;

} // namespace

WebKitViewTools::WebKitViewTools(WebKitWebView* view, Gtk::Box& container) : view_(view), container_(container) {}

WebKitViewTools::~WebKitViewTools() = default;

bool WebKitViewTools::Run(EngineKeyCommand command)
{
    switch (command) {
    case EngineKeyCommand::Find:
        if (!findBar_) {
            findBar_ = std::make_unique<WebKitFindBar>(view_);
            container_.pack_start(*findBar_, Gtk::PACK_SHRINK);
            container_.reorder_child(*findBar_, 0);
            findBar_->show_all();
        }
        findBar_->Open();
        return true;
    case EngineKeyCommand::Print: Print(); return true;
    case EngineKeyCommand::ZoomIn: Zoom(kZoomStep); return true;
    case EngineKeyCommand::ZoomOut: Zoom(1 / kZoomStep); return true;
    case EngineKeyCommand::ZoomReset: webkit_web_view_set_zoom_level(view_, 1.0); return true;
    default: return false;
    }
}

bool WebKitViewTools::CloseFind()
{
    return findBar_ && findBar_->Close();
}

void WebKitViewTools::ZoomByScroll(const GdkEventScroll& event)
{
    double dy = 0;
    if (event.direction == GDK_SCROLL_UP)
        dy = -1;
    else if (event.direction == GDK_SCROLL_DOWN)
        dy = 1;
    else if (event.direction == GDK_SCROLL_SMOOTH)
        dy = event.delta_y;
    if (dy < 0)
        Zoom(kZoomStep);
    else if (dy > 0)
        Zoom(1 / kZoomStep);
}

void WebKitViewTools::Zoom(double factor)
{
    webkit_web_view_set_zoom_level(view_, std::clamp(webkit_web_view_get_zoom_level(view_) * factor, kZoomMin, kZoomMax));
}

void WebKitViewTools::Print()
{
    const auto operation = GObjectPtr<WebKitPrintOperation>::Adopt(webkit_print_operation_new(view_));
    GtkWidget* toplevel = gtk_widget_get_toplevel(GTK_WIDGET(view_));
    webkit_print_operation_run_dialog(operation.get(), GTK_IS_WINDOW(toplevel) ? GTK_WINDOW(toplevel) : nullptr);
}

} // namespace platform
