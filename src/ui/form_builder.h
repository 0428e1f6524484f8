#pragma once
// Builds a window's Qt widgets and menu from its plain description in
// src/forms: one widget per row, carrying every property the row sets. The
// window then takes the pointers it works with by name.

#include <QColor>
#include <QObject>
#include <QString>
#include <vector>

#include "forms/form_design.h"

class QMenuBar;
class QWidget;

namespace velmaric {

// The object of that name and type below root; a missing one is a fault of
// the tables or of the window, stopped at once in a debug build.
template <typename T>
T* Find(const QObject* root, const char* name) {
  T* const found = root->findChild<T*>(QString::fromLatin1(name));
  Q_ASSERT_X(found != nullptr, name, "no object of this name and type");
  return found;
}

// Points a window's member at its built object.
template <typename T>
void Bind(T*& member, const QObject* root, const char* name) {
  member = Find<T>(root, name);
}

// The desktop's colour for a background role.
QColor Colour_Of(forms::Colour_Role role);

// Every control of the form, created in the table's order below root, the
// widget the rows name form.client_name.
std::vector<QWidget*> Build_Controls(const forms::Form_Design& form, QWidget* root);

// The form's menu on bar, in the table's order: the bar itself, a QMenu for
// each menu, a QAction for each item and separator.
std::vector<QObject*> Build_Menu(const forms::Form_Design& form, QMenuBar* bar);

// The Tab key's path through the built controls below root.
void Apply_Tab_Order(const forms::Form_Design& form, const QWidget* root);

// Gives every built control below root the names assistive technology reads.
void Name_For_Assistive_Technology(const forms::Form_Design& form, const QWidget* root);

}  // namespace velmaric
