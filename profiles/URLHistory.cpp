#include "URLHistory.h"

#include "ComboListPopup.h"
#include "ProgramIdentity.h"
#include "URLHistoryStore.h"
#include "Utf8Strict.h"

#include <gtkmm/liststore.h>

namespace profiles {

namespace {

constexpr int kTextColumn = 0; // the text column of a GtkComboBoxText's list

// Appends the texts to the combo's list by filling a new list, which nothing
// watches yet, and giving it to the combo whole: neither the combo nor those
// who follow its list do work per row. The list shows valid UTF-8; the store
// keeps the bytes as they were.
void AppendAll(Gtk::ComboBoxText& cboURL, const std::vector<std::string>& texts)
{
    if (texts.empty())
        return;
    GtkTreeModel* old = cboURL.get_model()->gobj();
    const int columns = gtk_tree_model_get_n_columns(old);
    std::vector<GType> types(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c)
        types[static_cast<std::size_t>(c)] = gtk_tree_model_get_column_type(old, c);
    GtkListStore* list = gtk_list_store_newv(columns, types.data());
    GtkTreeIter row;
    for (gboolean more = gtk_tree_model_get_iter_first(old, &row); more; more = gtk_tree_model_iter_next(old, &row)) {
        gchar* text = nullptr;
        gtk_tree_model_get(old, &row, kTextColumn, &text, -1);
        gtk_list_store_insert_with_values(list, nullptr, -1, kTextColumn, text, -1);
        g_free(text);
    }
    int position = gtk_tree_model_iter_n_children(GTK_TREE_MODEL(list), nullptr);
    for (const auto& text : texts)
        gtk_list_store_insert_with_values(list, nullptr, position++, kTextColumn, platform::ValidUtf8(text).c_str(), -1);
    cboURL.set_model(Glib::wrap(GTK_TREE_MODEL(list)));
}

void AppendOne(Gtk::ComboBoxText& cboURL, const std::string& text)
{
    auto* list = GTK_LIST_STORE(cboURL.get_model()->gobj());
    gtk_list_store_insert_with_values(list, nullptr, -1, kTextColumn, platform::ValidUtf8(text).c_str(), -1);
}

} // namespace

void LoadURLHistory(platform::RegistryStore& store, Gtk::ComboBoxText& cboURL)
{
    platform::UseListPopup(cboURL);
    const StoredURLHistory history = ReadURLHistory(store);
    AppendAll(cboURL, history.entries);
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
