#pragma once
// A main window on the offscreen platform over faked services, with its
// settings file in a temporary folder of its own. Qt Test classes derive
// from it beside QObject.

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "support/controls.h"
#include "support/fake_window_services.h"
#include "ui/main_window.h"

namespace velmaric::testing {

class Window_Fixture {
 protected:
  QString Path(const QString& name) const { return folder_.filePath(name); }

  // Fresh fakes, with the settings file at Path("velmaric.ini").
  void Create_World() {
    world_ = std::make_unique<Fake_Window_Services>();
    world_->settings_file = Path(QStringLiteral("velmaric.ini")).toStdString();
    clock_ = &world_->clock;
    boxes_ = &world_->boxes;
  }

  // Makes the window, shows it (which restores the settings) and ticks once.
  void Start_Program() {
    form_ = std::make_unique<TMainForm1>(world_->Services());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    form_->Timer1Timer();
  }

  void Close_Program() {
    form_.reset();
    world_.reset();
  }

  // The window's control of that name (see controls.h).
  template <typename T>
  T* Find(const char* name) const {
    return Control<T>(*form_, name);
  }

  static void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  void Click(const char* button) const { Click(Find<QAbstractButton>(button)); }
  void Trigger(const char* menu_item) const { Find<QAction>(menu_item)->trigger(); }

  static QByteArray Contents(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }

  QTemporaryDir folder_;
  std::unique_ptr<Fake_Window_Services> world_;
  Fake_Clock* clock_ = nullptr;
  Recording_Message_Box* boxes_ = nullptr;
  std::unique_ptr<TMainForm1> form_;
};

}  // namespace velmaric::testing
