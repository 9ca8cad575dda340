#include "WebKitSessionState.h"

#include "GObjectPtr.h"

#include <webkit2/webkit2.h>

#include <algorithm>

namespace platform {

namespace {

// "WebKitGTK <major>.<minor>.<micro>\n": the serialised form is only read back
// by the version that wrote it.
std::string VersionTag()
{
    return "WebKitGTK " + std::to_string(webkit_get_major_version()) + "."
           + std::to_string(webkit_get_minor_version()) + "." + std::to_string(webkit_get_micro_version()) + "\n";
}

} // namespace

ByteArray SaveWebKitSessionState(WebKitWebView* view)
{
    WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(view);
    if (!list || !webkit_back_forward_list_get_current_item(list))
        return {};
    const WebKitSessionStatePtr state(webkit_web_view_get_session_state(view));
    if (!state)
        return {};
    const GOwnedPtr<GBytes, g_bytes_unref> bytes(webkit_web_view_session_state_serialize(state.get()));
    if (!bytes)
        return {};
    gsize size = 0;
    const auto* data = static_cast<const std::uint8_t*>(g_bytes_get_data(bytes.get(), &size));
    const std::string tag = VersionTag();
    ByteArray out(tag.begin(), tag.end());
    out.insert(out.end(), data, data + size);
    return out;
}

void WebKitSessionStateUnref::operator()(WebKitWebViewSessionState* state) const noexcept
{
    webkit_web_view_session_state_unref(state);
}

WebKitSessionStatePtr LoadWebKitSessionState(const ByteArray& state)
{
    const std::string tag = VersionTag();
    if (state.size() <= tag.size() || !std::equal(tag.begin(), tag.end(), state.begin()))
        return nullptr;
    const GOwnedPtr<GBytes, g_bytes_unref> bytes(g_bytes_new(state.data() + tag.size(), state.size() - tag.size()));
    return WebKitSessionStatePtr(webkit_web_view_session_state_new(bytes.get()));
}

void RestoreWebKitSessionState(WebKitWebView* view, WebKitWebViewSessionState* session, const std::string& target)
{
    webkit_web_view_restore_session_state(view, session);
    WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(view);
    WebKitBackForwardListItem* current = list ? webkit_back_forward_list_get_current_item(list) : nullptr;
    if (current && target == webkit_back_forward_list_item_get_uri(current))
        webkit_web_view_go_to_back_forward_list_item(view, current);
    else
        webkit_web_view_load_uri(view, target.c_str());
}

} // namespace platform
