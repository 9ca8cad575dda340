#include "URLHistory.h"

#include "ComboListPopup.h"
#include "ProgramIdentity.h"
#include "TextListModel.h"
#include "URLHistoryStore.h"
#include "Utf8Strict.h"

#include <gtk/gtk.h>

#include <utility>

namespace profiles {

namespace {

constexpr int kTextColumn = 0; // the text column of a GtkComboBoxText's list

// Gives the combo a list of its rows so far followed by texts, kept in one
// vector: neither the combo nor those who follow its list do work per row. The
// list shows valid UTF-8; the store keeps the bytes as they were.
void AppendAll(Gtk::ComboBoxText& cboURL, std::vector<std::string> texts)
{
    if (texts.empty())
        return;
    std::vector<std::string> rows = platform::TextListModel::RowTexts(cboURL.get_model());
    rows.reserve(rows.size() + texts.size());
    for (auto& text : texts)
        rows.push_back(platform::ToValidUtf8(std::move(text)));
    cboURL.set_model(platform::TextListModel::Create(std::move(rows)));
}

void AppendOne(Gtk::ComboBoxText& cboURL, const std::string& text)
{
    const Glib::RefPtr<Gtk::TreeModel> model = cboURL.get_model();
    if (platform::TextListModel::Texts(model)) {
        platform::TextListModel::Append(model, platform::ValidUtf8(text));
        return;
    }
    auto* list = GTK_LIST_STORE(model->gobj());
    gtk_list_store_insert_with_values(list, nullptr, -1, kTextColumn, platform::ValidUtf8(text).c_str(), -1);
}

} // namespace

void LoadURLHistory(platform::RegistryStore& store, Gtk::ComboBoxText& cboURL)
{
    platform::UseListPopup(cboURL);
    StoredURLHistory history = ReadURLHistory(store);
    AppendAll(cboURL, std::move(history.entries));
    if (history.countMissing)
        AddURLToHistory(store, cboURL, platform::kMakerWebSite);
}

void AddURLToHistory(platform::RegistryStore& store, Gtk::ComboBoxText& cboURL,
                     const std::string& url)
{
    if (StoreNewHistoryURL(store, url))
        AppendOne(cboURL, url);
}

} // namespace profiles
