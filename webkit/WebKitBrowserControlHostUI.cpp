// The WebKit control's questions to the host (script dialogs, context menus,
// script errors, keys); keys the host leaves to the engine go to the engine's
// own commands and tools (WebKitViewTools: find bar, zoom, printing).
#include "WebKitBrowserControl.h"

#include "BrowserDispIds.h"
#include "BrowserInterfaceIds.h"
#include "BrowserPropertyBag.h"
#include "ErrorReport.h"
#include "GObjectPtr.h"
#include "KeyMessage.h"

namespace platform {
namespace {

// The menu kinds ShowContextMenu tells the host (a table's kind, 3, has no
// counterpart in the view's hit test).
constexpr std::uint32_t kMenuDefault = 0;
constexpr std::uint32_t kMenuImage = 1;
constexpr std::uint32_t kMenuControl = 2;
constexpr std::uint32_t kMenuSelection = 4;
constexpr std::uint32_t kMenuAnchor = 5;

} // namespace

// --- questions to the host ---

gboolean WebKitBrowserControl::OnScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, gpointer data)
{
    gboolean handled = FALSE;
    WhileOpen(data, [&](Held& self) {
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
        if (showUI->ShowMessage(self->view_.get(), text ? text : "", "Message from webpage", type, "", 0, result) == S_OK) {
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
    gboolean suppressed = FALSE;
    WhileOpen(data, [&](Held& self) {
        auto* handler = self->Host<IDocHostUIHandler>(IID_IDocHostUIHandler);
        if (!handler)
            return;
        std::uint32_t kind = kMenuDefault;
        if (webkit_hit_test_result_context_is_link(hit))
            kind = kMenuAnchor;
        else if (webkit_hit_test_result_context_is_image(hit))
            kind = kMenuImage;
        else if (webkit_hit_test_result_context_is_editable(hit))
            kind = kMenuControl;
        else if (webkit_hit_test_result_context_is_selection(hit))
            kind = kMenuSelection;
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
    WhileOpen(data, [&](Held& self) {
        auto* target = self->Host<IOleCommandTarget>(IID_IOleCommandTarget);
        if (!target)
            return;
        JSCValue* value = webkit_javascript_result_get_js_value(message);
        auto field = [value](const char* name) {
            const auto property = GObjectPtr<JSCValue>::Adopt(jsc_value_object_get_property(value, name));
            return TakeGText(jsc_value_to_string(property.get()));
        };
        auto event = std::make_shared<BrowserPropertyBag>();
        event->AddProperty("errorLine", Variant(field("line")));
        event->AddProperty("errorCharacter", Variant(field("character")));
        event->AddProperty("errorCode", Variant(field("code")));
        event->AddProperty("errorMessage", Variant(field("message")));
        event->AddProperty("errorUrl", Variant(field("url")));
        // The document's event object is this report while the host looks at it.
        self->currentEvent_ = event;
        Variant continueScript;
        try {
            target->Exec(&CGID_DocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, &continueScript);
        } catch (...) {
            self->currentEvent_ = nullptr;
            throw; // on to the report around this handler
        }
        self->currentEvent_ = nullptr;
    });
}

// --- the engine's own user interface ---

gboolean WebKitBrowserControl::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data)
{
    gboolean consumed = FALSE;
    WhileOpen(data, [&](Held& self) {
        if (auto* handler = self->Host<IDocHostUIHandler>(IID_IDocHostUIHandler)) {
            Msg msg = KeyMessageFor(event, self->view_.get());
            if (msg.wParam != 0 && handler->TranslateAccelerator(&msg, nullptr, 0) == S_OK) {
                consumed = TRUE;
                return;
            }
        }
        if (self) // the host may have closed the page
            consumed = self->HandleEngineKey(event);
    });
    return consumed;
}

bool WebKitBrowserControl::HandleEngineKey(GdkEventKey* event)
{
    switch (const EngineKeyCommand command = EngineKeyCommandFor(event)) {
    case EngineKeyCommand::Refresh: Refresh(); return true;
    case EngineKeyCommand::Back: GoBack(); return true;
    case EngineKeyCommand::Forward: GoForward(); return true;
    case EngineKeyCommand::Stop:
        if (tools_.CloseFind())
            return true;
        if (!webkit_web_view_is_loading(view_.get()))
            return false;
        Stop();
        return true;
    default: return tools_.Run(command);
    }
}

gboolean WebKitBrowserControl::OnScroll(GtkWidget*, GdkEventScroll* event, gpointer data)
{
    if (!(event->state & GDK_CONTROL_MASK))
        return FALSE;
    WhileOpen(data, [&](Held& self) { self->tools_.ZoomByScroll(*event); });
    return TRUE;
}

} // namespace platform
