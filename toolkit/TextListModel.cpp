#include "TextListModel.h"

#include "GObjectPtr.h"

#include <gtk/gtk.h>

#include <utility>

namespace {

constexpr gint kTextColumn = 0;
constexpr gint kColumnCount = 2;

struct PandrelTextList {
    GObject parent;
    std::vector<std::string>* texts; // owned; a GObject's fields are not constructed
    gint stamp;
};

struct PandrelTextListClass {
    GObjectClass parent;
};

GType pandrel_text_list_get_type();
void pandrel_text_list_tree_model_init(GtkTreeModelIface* iface);

G_DEFINE_TYPE_WITH_CODE(PandrelTextList, pandrel_text_list, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(GTK_TYPE_TREE_MODEL, pandrel_text_list_tree_model_init))

PandrelTextList* Self(GtkTreeModel* model)
{
    return G_TYPE_CHECK_INSTANCE_CAST(model, pandrel_text_list_get_type(), PandrelTextList);
}

void pandrel_text_list_init(PandrelTextList* self)
{
    self->texts = new std::vector<std::string>;
    self->stamp = static_cast<gint>(g_random_int());
}

void pandrel_text_list_finalize(GObject* object)
{
    delete G_TYPE_CHECK_INSTANCE_CAST(object, pandrel_text_list_get_type(), PandrelTextList)->texts;
    G_OBJECT_CLASS(pandrel_text_list_parent_class)->finalize(object);
}

void pandrel_text_list_class_init(PandrelTextListClass* klass)
{
    G_OBJECT_CLASS(klass)->finalize = pandrel_text_list_finalize;
}

// A row's iterator carries its index; rows are only appended, so it stays
// valid for the life of the model.
void SetRow(PandrelTextList* self, GtkTreeIter* iter, std::size_t index)
{
    iter->stamp = self->stamp;
    iter->user_data = GSIZE_TO_POINTER(index);
    iter->user_data2 = nullptr;
    iter->user_data3 = nullptr;
}

bool RowOf(PandrelTextList* self, const GtkTreeIter* iter, std::size_t& index)
{
    if (!iter || iter->stamp != self->stamp)
        return false;
    index = GPOINTER_TO_SIZE(iter->user_data);
    return index < self->texts->size();
}

bool SetRowIfPresent(PandrelTextList* self, GtkTreeIter* iter, std::size_t index)
{
    if (index >= self->texts->size()) {
        iter->stamp = 0;
        return false;
    }
    SetRow(self, iter, index);
    return true;
}

GtkTreeModelFlags GetFlags(GtkTreeModel*)
{
    return GtkTreeModelFlags(GTK_TREE_MODEL_ITERS_PERSIST | GTK_TREE_MODEL_LIST_ONLY);
}

gint GetNColumns(GtkTreeModel*)
{
    return kColumnCount;
}

GType GetColumnType(GtkTreeModel*, gint column)
{
    return column >= 0 && column < kColumnCount ? G_TYPE_STRING : G_TYPE_INVALID;
}

gboolean GetIter(GtkTreeModel* model, GtkTreeIter* iter, GtkTreePath* path)
{
    gint depth = 0;
    const gint* indices = gtk_tree_path_get_indices_with_depth(path, &depth);
    if (depth != 1 || indices[0] < 0) {
        iter->stamp = 0;
        return FALSE;
    }
    return SetRowIfPresent(Self(model), iter, static_cast<std::size_t>(indices[0]));
}

GtkTreePath* GetPath(GtkTreeModel* model, GtkTreeIter* iter)
{
    std::size_t index = 0;
    if (!RowOf(Self(model), iter, index))
        return nullptr;
    return gtk_tree_path_new_from_indices(static_cast<gint>(index), -1);
}

void GetValue(GtkTreeModel* model, GtkTreeIter* iter, gint column, GValue* value)
{
    g_value_init(value, G_TYPE_STRING);
    std::size_t index = 0;
    if (column == kTextColumn && RowOf(Self(model), iter, index))
        g_value_set_string(value, (*Self(model)->texts)[index].c_str());
}

gboolean IterNext(GtkTreeModel* model, GtkTreeIter* iter)
{
    std::size_t index = 0;
    if (!RowOf(Self(model), iter, index)) {
        iter->stamp = 0;
        return FALSE;
    }
    return SetRowIfPresent(Self(model), iter, index + 1);
}

gboolean IterPrevious(GtkTreeModel* model, GtkTreeIter* iter)
{
    std::size_t index = 0;
    if (!RowOf(Self(model), iter, index) || index == 0) {
        iter->stamp = 0;
        return FALSE;
    }
    SetRow(Self(model), iter, index - 1);
    return TRUE;
}

gboolean IterNthChild(GtkTreeModel* model, GtkTreeIter* iter, GtkTreeIter* parent, gint n)
{
    if (parent || n < 0) {
        iter->stamp = 0;
        return FALSE;
    }
    return SetRowIfPresent(Self(model), iter, static_cast<std::size_t>(n));
}

gboolean IterChildren(GtkTreeModel* model, GtkTreeIter* iter, GtkTreeIter* parent)
{
    return IterNthChild(model, iter, parent, 0);
}

gboolean IterHasChild(GtkTreeModel*, GtkTreeIter*)
{
    return FALSE;
}

gint IterNChildren(GtkTreeModel* model, GtkTreeIter* iter)
{
    return iter ? 0 : static_cast<gint>(Self(model)->texts->size());
}

gboolean IterParent(GtkTreeModel*, GtkTreeIter* iter, GtkTreeIter*)
{
    iter->stamp = 0;
    return FALSE;
}

void pandrel_text_list_tree_model_init(GtkTreeModelIface* iface)
{
    iface->get_flags = GetFlags;
    iface->get_n_columns = GetNColumns;
    iface->get_column_type = GetColumnType;
    iface->get_iter = GetIter;
    iface->get_path = GetPath;
    iface->get_value = GetValue;
    iface->iter_next = IterNext;
    iface->iter_previous = IterPrevious;
    iface->iter_children = IterChildren;
    iface->iter_has_child = IterHasChild;
    iface->iter_n_children = IterNChildren;
    iface->iter_nth_child = IterNthChild;
    iface->iter_parent = IterParent;
}

PandrelTextList* TextListOf(const Glib::RefPtr<Gtk::TreeModel>& model)
{
    if (!model || !G_TYPE_CHECK_INSTANCE_TYPE(model->gobj(), pandrel_text_list_get_type()))
        return nullptr;
    return Self(model->gobj());
}

} // namespace

namespace platform {

Glib::RefPtr<Gtk::TreeModel> TextListModel::Create(std::vector<std::string> texts)
{
    auto* self = static_cast<PandrelTextList*>(g_object_new(pandrel_text_list_get_type(), nullptr));
    *self->texts = std::move(texts);
    return Glib::wrap(GTK_TREE_MODEL(self)); // takes the one reference
}

const std::vector<std::string>* TextListModel::Texts(const Glib::RefPtr<Gtk::TreeModel>& model)
{
    PandrelTextList* self = TextListOf(model);
    return self ? self->texts : nullptr;
}

std::vector<std::string> TextListModel::RowTexts(const Glib::RefPtr<Gtk::TreeModel>& model)
{
    if (const std::vector<std::string>* texts = Texts(model))
        return *texts;
    GtkTreeModel* list = model->gobj();
    std::vector<std::string> rows;
    rows.reserve(static_cast<std::size_t>(gtk_tree_model_iter_n_children(list, nullptr)));
    GtkTreeIter row;
    for (gboolean more = gtk_tree_model_get_iter_first(list, &row); more; more = gtk_tree_model_iter_next(list, &row)) {
        gchar* text = nullptr;
        gtk_tree_model_get(list, &row, kTextColumn, &text, -1);
        rows.push_back(TakeGText(text));
    }
    return rows;
}

void TextListModel::Append(const Glib::RefPtr<Gtk::TreeModel>& model, std::string text)
{
    PandrelTextList* self = TextListOf(model);
    g_return_if_fail(self);
    self->texts->push_back(std::move(text));
    const std::size_t index = self->texts->size() - 1;
    GtkTreeIter iter;
    SetRow(self, &iter, index);
    const GOwnedPtr<GtkTreePath, gtk_tree_path_free> path(
        gtk_tree_path_new_from_indices(static_cast<gint>(index), -1));
    gtk_tree_model_row_inserted(GTK_TREE_MODEL(self), path.get(), &iter);
}

} // namespace platform
