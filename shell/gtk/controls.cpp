// The nine controls as GTK widgets at the layout table's places, and the
// control verbs. Panels are labels (a screen reader reads their text),
// buttons are buttons that never take the keyboard focus: every key goes to
// the main window's keyboard map, as the Windows program's button filter
// sends it there.
#include <cstdio>

#include "shell/controls.h"
#include "shell/gtk/native.h"

static GtkWidget* widgets[controlCount];

static int indexOf(Control control)
{
    for (int i = 0; i < controlCount; ++i)
        if (controlTable[i].control == control)
            return i;
    return -1;
}

GtkWidget* controlWidget(Control control)
{
    int i = indexOf(control);
    return i < 0 ? nullptr : widgets[i];
}

// A click is the button's command; the keyboard map then takes the focus
// back, as after a click on Windows.
static void onClicked(GtkButton*, gpointer data)
{
    onCommand(static_cast<uintptr_t>(GPOINTER_TO_INT(data)), 0);
}

static GtkWidget* createPanel(const ControlLayout& layout)
{
    GtkWidget* label = gtk_label_new(utf8Of(layout.text).c_str());
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    gtk_label_set_line_wrap_mode(GTK_LABEL(label), PANGO_WRAP_WORD_CHAR);
    // A small natural width, so that the panel's own width is where it wraps.
    gtk_label_set_max_width_chars(GTK_LABEL(label), 1);
    // Lines one font cell apart, as a Windows panel sets them.
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes,
                           pango_attr_line_height_new_absolute(fontTable[layout.font].height * PANGO_SCALE));
    gtk_label_set_attributes(GTK_LABEL(label), attributes);
    pango_attr_list_unref(attributes);
    return label;
}

static GtkWidget* createButton(const ControlLayout& layout)
{
    GtkWidget* button = gtk_button_new_with_label(utf8Of(layout.text).c_str());
    gtk_widget_set_can_focus(button, FALSE);
    gtk_widget_set_focus_on_click(button, FALSE);
    g_signal_connect(button, "clicked", G_CALLBACK(onClicked),
                     GINT_TO_POINTER(static_cast<int>(layout.control)));
    return button;
}

void createControls(GtkWidget* layout)
{
    for (int i = 0; i < controlCount; ++i) {
        const ControlLayout& row = controlTable[i];
        GtkWidget* widget = row.button ? createButton(row) : createPanel(row);
        // Buttons are known by their command number; the panels, which have
        // no identifier of their own (0 on Windows), by their Control value.
        char name[32];
        std::snprintf(name, sizeof name, row.button ? "control-%d" : "panel-%d",
                      static_cast<int>(row.control));
        gtk_widget_set_name(widget, name);
        atk_object_set_accessible_id(gtk_widget_get_accessible(widget), name);
        gtk_widget_set_size_request(widget, row.width, row.height);
        gtk_layout_put(GTK_LAYOUT(layout), widget, row.x, row.y);
        widgets[i] = widget;  // created hidden: nothing shows it yet
    }
}

void platform::setControlText(Control control, const char* text)
{
    GtkWidget* widget = controlWidget(control);
    if (!widget)
        return;
    std::string utf8 = utf8Of(text);
    if (GTK_IS_BUTTON(widget))
        gtk_button_set_label(GTK_BUTTON(widget), utf8.c_str());
    else
        gtk_label_set_text(GTK_LABEL(widget), utf8.c_str());
}

void platform::enableControl(Control control, bool enabled)
{
    if (GtkWidget* widget = controlWidget(control))
        gtk_widget_set_sensitive(widget, enabled);
}

bool platform::isControlEnabled(Control control)
{
    GtkWidget* widget = controlWidget(control);
    return widget && gtk_widget_get_sensitive(widget);
}

void platform::showControl(Control control)
{
    if (GtkWidget* widget = controlWidget(control))
        gtk_widget_show(widget);
}

void platform::hideControl(Control control)
{
    if (GtkWidget* widget = controlWidget(control))
        gtk_widget_hide(widget);
}

void platform::focusMainWindow()
{
    if (clientArea)
        gtk_widget_grab_focus(clientArea);
}
