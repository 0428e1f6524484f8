#pragma once
// A window's controls, found by their object names as a user's tools see
// them. A control that is missing, of another type or named twice ends the
// test at once with its name, never with a crash further on.
//
// A dialog below the root (the main window's About box) keeps its controls
// to itself: they are found from the dialog, which is itself found by name.

#include <QDialog>
#include <QList>
#include <QObject>
#include <QString>
#include <QtGlobal>

namespace velmaric::testing {

namespace detail {

inline bool Inside_Dialog_Below(const QObject* object, const QObject& root) {
  for (const QObject* up = object->parent(); up != nullptr && up != &root; up = up->parent()) {
    if (qobject_cast<const QDialog*>(up) != nullptr) return true;
  }
  return false;
}

}  // namespace detail

template <typename T>
T* Control(const QObject& root, const char* name) {
  T* found = nullptr;
  int count = 0;
  for (T* candidate : root.findChildren<T*>(QString::fromLatin1(name))) {
    if (detail::Inside_Dialog_Below(candidate, root)) continue;
    found = candidate;
    ++count;
  }
  if (count != 1) {
    qFatal("%d controls named \"%s\" of type %s under \"%s\", where the test needs one", count,
           name, T::staticMetaObject.className(), qPrintable(root.objectName()));
  }
  return found;
}

}  // namespace velmaric::testing
