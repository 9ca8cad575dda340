#include "URLHistory.h"

#include "ComboListPopup.h"
#include "ProgramIdentity.h"
#include "URLHistoryStore.h"

#include <gtkmm/liststore.h>

namespace profiles {

namespace {

constexpr int kTextColumn = 0; // the text column of a GtkComboBoxText's list

// Appends the texts to the combo's list with the list detached, so the combo
// does not rebuild its drop-down for every row. Texts are kept byte for byte.
void AppendAll(Gtk::ComboBoxText& cboURL, const std::vector<std::string>& texts)
{
    if (texts.empty())
        return;
    Glib::RefPtr<Gtk::TreeModel> model = cboURL.get_model();
    auto* list = GTK_LIST_STORE(model->gobj());
    cboURL.unset_model();
    for (const auto& text : texts)
        gtk_list_store_insert_with_values(list, nullptr, -1, kTextColumn, text.c_str(), -1);
    cboURL.set_model(model);
}

void AppendOne(Gtk::ComboBoxText& cboURL, const std::string& text)
{
    auto* list = GTK_LIST_STORE(cboURL.get_model()->gobj());
    gtk_list_store_insert_with_values(list, nullptr, -1, kTextColumn, text.c_str(), -1);
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
