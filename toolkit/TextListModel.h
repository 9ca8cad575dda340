#pragma once
// A list of texts as a tree model, kept in one vector: handing over a hundred
// thousand texts costs a move, not a row insertion (and its signals) each, and
// a view reads only the rows it shows. Rows are only ever appended.
//
// Its columns are those of a GtkComboBoxText: 0 the text, 1 the id (unset), so
// it can stand in for such a box's list.
#include <gtkmm/treemodel.h>

#include <string>
#include <vector>

namespace platform {

class TextListModel {
public:
    // A new model holding texts, which must be valid UTF-8.
    static Glib::RefPtr<Gtk::TreeModel> Create(std::vector<std::string> texts);

    // The texts of model, or nullptr when model is not a TextListModel.
    static const std::vector<std::string>* Texts(const Glib::RefPtr<Gtk::TreeModel>& model);

    // The texts of column 0 of any list model, in row order (a missing text
    // reads as empty).
    static std::vector<std::string> RowTexts(const Glib::RefPtr<Gtk::TreeModel>& model);

    // Appends text (valid UTF-8) to model, a TextListModel, and tells its
    // watchers as any list does.
    static void Append(const Glib::RefPtr<Gtk::TreeModel>& model, std::string text);
};

} // namespace platform
