// The WebKit control's questions to the host (script dialogs, context menus,
// script errors, keys) and the engine's own user interface when the host
// leaves it to the engine (find bar, zoom, printing).
#include "WebKitBrowserControl.h"

#include "BrowserDispIds.h"
#include "BrowserInterfaceIds.h"
#include "BrowserPropertyBag.h"
#include "ErrorReport.h"
#include "KeyMessage.h"
#include "WebKitKeys.h"

#include <algorithm>

namespace platform {
namespace {


constexpr double kZoomStep = 1.1;
constexpr double kZoomMin = 0.25;
constexpr double kZoomMax = 5.0;

} // namespace

// --- questions to the host ---

gboolean WebKitBrowserControl::OnScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, gpointer data)
{
    Held self(data);
    gboolean handled = FALSE;
    RunGuarded([&] {
        if (!self)
            return;
        auto kind = webkit_script_dialog_get_dialog_type(dialog);
        // A silent control shows no dialog at all: alerts pass, questions are declined.
        handled = self->IsSilent();
        if (kind != WEBKIT_SCRIPT_DIALOG_ALERT && kind != WEBKIT_SCRIPT_DIALOG_CONFIRM)
            return; // prompts and leave-page questions: the engine's own dialogs
        auto* showUI = self->Host<IDocHostShowUI>(IID_IDocHostShowUI);
        if (!showUI)
            return;
        std::uint32_t type = kind == WEBKIT_SCRIPT_DIALOG_ALERT ? (MB_OK | MB_ICONWARNING)
                                                                 : (MB_OKCANCEL | MB_ICONQUESTION);
        std::int32_t result = 0;
        const char* text = webkit_script_dialog_get_message(dialog);
        if (showUI->ShowMessage(self->view_, text ? text : "", "Message from webpage", type, "", 0, result) == S_OK) {
            if (kind == WEBKIT_SCRIPT_DIALOG_CONFIRM)
                webkit_script_dialog_confirm_set_confirmed(dialog, result == IDOK);
            handled = TRUE;
        }
    });
    return handled;
}

gboolean WebKitBrowserControl::OnContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent* event,
                                             WebKitHitTestResult* hit, gpointer data)
{
    Held self(data);
    gboolean suppressed = FALSE;
    RunGuarded([&] {
        if (!self)
            return;
        auto* handler = self->Host<IDocHostUIHandler>(IID_IDocHostUIHandler);
        if (!handler)
            return;
        // The platform's menu kinds: default, image, control, table, selection, anchor.
        std::uint32_t kind = 0;
        if (webkit_hit_test_result_context_is_link(hit))
            kind = 5;
        else if (webkit_hit_test_result_context_is_image(hit))
            kind = 1;
        else if (webkit_hit_test_result_context_is_editable(hit))
            kind = 2;
        else if (webkit_hit_test_result_context_is_selection(hit))
            kind = 4;
        Point where;
        gdouble x = 0, y = 0;
        if (event && gdk_event_get_root_coords(event, &x, &y))
            where = {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
        suppressed = handler->ShowContextMenu(kind, &where, nullptr, nullptr) == S_OK;
    });
    return suppressed;
}


void WebKitBrowserControl::OnScriptMessage(WebKitUserContentManager*, WebKitJavascriptResult* message, gpointer data)
{
    Held self(data);
    RunGuarded([&] {
        if (!self)
            return;
        auto* target = self->Host<IOleCommandTarget>(IID_IOleCommandTarget);
        if (!target)
            return;
        JSCValue* value = webkit_javascript_result_get_js_value(message);
        auto field = [value](const char* name) {
            JSCValue* property = jsc_value_object_get_property(value, name);
            gchar* text = jsc_value_to_string(property);
            std::string result = text ? text : "";
            g_free(text);
            g_object_unref(property);
            return result;
        };
        auto event = std::make_shared<BrowserPropertyBag>();
        event->AddProperty("errorLine", Variant(field("line")));
        event->AddProperty("errorCharacter", Variant(field("character")));
        event->AddProperty("errorCode", Variant(field("code")));
        event->AddProperty("errorMessage", Variant(field("message")));
        event->AddProperty("errorUrl", Variant(field("url")));
        self->currentEvent_ = event;
        Variant continueScript;
        try {
            target->Exec(&CGID_DocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, &continueScript);
        } catch (...) {
            self->currentEvent_ = nullptr;
            throw;
        }
        self->currentEvent_ = nullptr;
    });
}

// --- the engine's own user interface ---

gboolean WebKitBrowserControl::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data)
{
    Held self(data);
    gboolean consumed = FALSE;
    RunGuarded([&] {
        if (!self)
            return;
        if (auto* handler = self->Host<IDocHostUIHandler>(IID_IDocHostUIHandler)) {
            Msg msg = KeyMessageFor(event, self->view_);
            if (msg.wParam != 0 && handler->TranslateAccelerator(&msg, nullptr, 0) == S_OK) {
                consumed = TRUE;
                return;
            }
        }
        if (self)
            consumed = self->HandleEngineKey(event);
    });
    return consumed;
}

WebKitFindBar& WebKitBrowserControl::FindBar()
{
    // Made when first asked for: most pages never search, and opening many
    // pages at once should not build a bar for each.
    if (!findBar_) {
        findBar_ = std::make_unique<WebKitFindBar>(view_);
        container_.pack_start(*findBar_, Gtk::PACK_SHRINK);
        container_.reorder_child(*findBar_, 0);
        findBar_->show_all();
    }
    return *findBar_;
}

bool WebKitBrowserControl::HandleEngineKey(GdkEventKey* event)
{
    switch (EngineKeyCommandFor(event)) {
    case EngineKeyCommand::Refresh: Refresh(); return true;
    case EngineKeyCommand::Back: GoBack(); return true;
    case EngineKeyCommand::Forward: GoForward(); return true;
    case EngineKeyCommand::Stop:
        if (findBar_ && findBar_->Close())
            return true;
        if (!webkit_web_view_is_loading(view_))
            return false;
        Stop();
        return true;
    case EngineKeyCommand::Find: FindBar().Open(); return true;
    case EngineKeyCommand::Print: Print(); return true;
    case EngineKeyCommand::ZoomIn: Zoom(kZoomStep); return true;
    case EngineKeyCommand::ZoomOut: Zoom(1 / kZoomStep); return true;
    case EngineKeyCommand::ZoomReset: webkit_web_view_set_zoom_level(view_, 1.0); return true;
    case EngineKeyCommand::None: break;
    }
    return false;
}

gboolean WebKitBrowserControl::OnScroll(GtkWidget*, GdkEventScroll* event, gpointer data)
{
    Held self(data);
    if (!(event->state & GDK_CONTROL_MASK))
        return FALSE;
    RunGuarded([&] {
        if (!self)
            return;
        double dy = 0;
        if (event->direction == GDK_SCROLL_UP)
            dy = -1;
        else if (event->direction == GDK_SCROLL_DOWN)
            dy = 1;
        else if (event->direction == GDK_SCROLL_SMOOTH)
            dy = event->delta_y;
        if (dy < 0)
            self->Zoom(kZoomStep);
        else if (dy > 0)
            self->Zoom(1 / kZoomStep);
    });
    return TRUE;
}

void WebKitBrowserControl::Zoom(double factor)
{
    double level = std::clamp(webkit_web_view_get_zoom_level(view_) * factor, kZoomMin, kZoomMax);
    webkit_web_view_set_zoom_level(view_, level);
}

void WebKitBrowserControl::Print()
{
    WebKitPrintOperation* operation = webkit_print_operation_new(view_);
    GtkWidget* toplevel = gtk_widget_get_toplevel(GTK_WIDGET(view_));
    webkit_print_operation_run_dialog(operation, GTK_IS_WINDOW(toplevel) ? GTK_WINDOW(toplevel) : nullptr);
    g_object_unref(operation);
}

} // namespace platform
