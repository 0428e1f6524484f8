// The windows as built from their tables: every row a widget of its name,
// class, parent, place, texts, font and flags; the main window's menu, Tab
// path and layout record in the tables' order.

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <map>
#include <memory>

#include "forms/about_form_design.h"
#include "forms/main_form_design.h"
#include "support/fake_window_services.h"
#include "ui/about_box.h"
#include "ui/main_window.h"

using velmaric::forms::Control_Design;
using velmaric::forms::Control_Kind;
using velmaric::forms::Form_Design;
using velmaric::forms::Menu_Design;
using velmaric::forms::Menu_Kind;

namespace {

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

const char* Class_Of(Control_Kind kind) {
  switch (kind) {
    case Control_Kind::Label:
    case Control_Kind::Link_Label:
    case Control_Kind::Picture:
      return "QLabel";
    case Control_Kind::Read_Only_Edit:
    case Control_Kind::Edit:
      return "QLineEdit";
    case Control_Kind::Push_Button:
      return "QPushButton";
    case Control_Kind::Radio_Button:
      return "QRadioButton";
    case Control_Kind::Check_Box:
      return "QCheckBox";
    case Control_Kind::Group_Box:
      return "QGroupBox";
    case Control_Kind::Bevel:
      return "QFrame";
    case Control_Kind::Read_Only_Spin_Edit:
      return "QSpinBox";
    case Control_Kind::List_Box:
      return "QListWidget";
    case Control_Kind::Vector_Picture:
      return "QSvgWidget";
  }
  return "";
}

QString Caption_Of(const QWidget* control) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  if (const auto* group = qobject_cast<const QGroupBox*>(control)) return group->title();
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
  return QString();
}

// Every row of the form, built below root as the row says.
void Compare_With_Rows(const Form_Design& form, const QWidget* root) {
  for (const Control_Design& row : form.controls) {
    const QString name = QString::fromLatin1(row.name);
    const auto* control = root->findChild<const QWidget*>(name);
    QVERIFY2(control != nullptr, row.name);
    QVERIFY2(control->inherits(Class_Of(row.kind)), row.name);
    QCOMPARE(control->parentWidget()->objectName(), QString::fromLatin1(row.parent));
    const velmaric::forms::Rectangle& r = row.rectangle;
    if (row.auto_size) {
      QCOMPARE(control->pos(), QPoint(r.left, r.top));
    } else if (!r.Empty()) {
      QCOMPARE(control->geometry(), QRect(r.left, r.top, r.width, r.height));
    }
    // An empty caption or the row's own name stands for a text filled in later.
    if (*row.caption != '\0' && name != Text(row.caption)) {
      QCOMPARE(Caption_Of(control), Text(row.caption));
    }
    QCOMPARE(control->toolTip(), Text(row.hint));
    QCOMPARE(control->isHidden(), !row.visible);
    QCOMPARE(control->isEnabled(), row.enabled);
    if (!row.focusable) QCOMPARE(control->focusPolicy(), Qt::NoFocus);
    if (row.font.family != nullptr) {
      const QFont font = control->font();
      QCOMPARE(font.family(), QString::fromLatin1(row.font.family));
      QCOMPARE(font.bold(), row.font.bold);
      QCOMPARE(font.underline(), row.font.underline);
      const bool points = row.font.unit == velmaric::forms::Font_Unit::Points;
      QCOMPARE(font.pixelSize(),
               points ? static_cast<int>(std::lround(row.font.size * 96.0 / 72.0)) : row.font.size);
    }
  }
}

}  // namespace

class Form_Builder_Test : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;
  std::unique_ptr<velmaric::testing::Fake_Window_Services> world_;
  std::unique_ptr<velmaric::TMainForm1> form_;

  const Form_Design& Main() const { return velmaric::forms::Main_Form(); }
  QWidget* Client() const {
    return form_->findChild<QWidget*>(QString::fromLatin1(Main().client_name));
  }

 private slots:
  void init() {
    world_ = std::make_unique<velmaric::testing::Fake_Window_Services>();
    world_->settings_file = folder_.filePath(QStringLiteral("velmaric.ini")).toStdString();
    form_ = std::make_unique<velmaric::TMainForm1>(world_->Services());
  }
  void cleanup() {
    form_.reset();
    world_.reset();
  }

  void the_main_window_has_every_row_of_its_table() {
    QVERIFY(Client() != nullptr);
    QCOMPARE(Client()->minimumSize(),
             QSize(Main().smallest_client_size.width, Main().smallest_client_size.height));
    Compare_With_Rows(Main(), Client());
  }

  void the_about_box_has_every_row_of_its_table() {
    const Form_Design& about = velmaric::forms::About_Form();
    velmaric::TAboutBox box(world_->Services().about);
    QCOMPARE(box.objectName(), QString::fromLatin1(about.client_name));
    QCOMPARE(box.size(), QSize(about.client_size.width, about.client_size.height));
    Compare_With_Rows(about, &box);
    const auto* quotes =
        box.findChild<const QListWidget*>(QStringLiteral("Quotes_From_Karvo_ListBox"));
    const Control_Design* const row = Find_Control(about, "Quotes_From_Karvo_ListBox");
    QCOMPARE(quotes->count(), static_cast<int>(row->item_count));
    QCOMPARE(quotes->item(quotes->count() - 1)->text(), Text(row->items[row->item_count - 1]));
  }

  // Each menu, and the bar, holds the rows that name it, in the table's order.
  void the_menu_follows_its_table() {
    const QMenuBar* const bar = form_->menuBar();
    QCOMPARE(bar->objectName(), QString::fromLatin1(Main().menu.front().name));
    std::map<QString, QStringList> expected;
    for (const Menu_Design& row : Main().menu) {
      if (row.kind == Menu_Kind::Bar) continue;
      const QString name = QString::fromLatin1(row.name);
      expected[QString::fromLatin1(row.parent)] << name;
      if (row.kind == Menu_Kind::Menu) {
        const auto* menu = bar->findChild<const QMenu*>(name);
        QVERIFY2(menu != nullptr, row.name);
        QCOMPARE(menu->title(), Text(row.caption));
        continue;
      }
      const auto* item = bar->findChild<const QAction*>(name);
      QVERIFY2(item != nullptr, row.name);
      QCOMPARE(item->isSeparator(), row.kind == Menu_Kind::Separator);
      QCOMPARE(item->text(), Text(row.caption));
      QCOMPARE(item->isCheckable(), row.checkable);
    }
    for (const auto& [holder, names] : expected) {
      const QWidget* const widget = holder == bar->objectName()
                                        ? static_cast<const QWidget*>(bar)
                                        : bar->findChild<const QMenu*>(holder);
      QStringList shown;
      for (const QAction* action : widget->actions()) {
        shown << (action->menu() != nullptr ? action->menu()->objectName() : action->objectName());
      }
      QCOMPARE(shown, names);
    }
  }

  // Tab runs along the table's path, whatever lies between.
  void the_tab_path_follows_its_table() {
    QStringList path;
    for (const std::string& name : Main().tab_order) path << QString::fromStdString(name);
    QWidget* const first = Client()->findChild<QWidget*>(path.front());
    QStringList reached;
    QWidget* at = first;
    do {
      if (path.contains(at->objectName())) reached << at->objectName();
      at = at->nextInFocusChain();
    } while (at != first && reached.size() <= path.size());
    QCOMPARE(reached, path);
  }

  // The layout record lists the controls in the table's order, then the
  // timer, the menu and the dialog, which have no geometry.
  void the_layout_record_lists_the_table_in_order() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    const auto* record = Client()->findChild<const QListWidget*>(QStringLiteral("Scaling_ListBox"));
    QVERIFY(record != nullptr);
    const int controls = static_cast<int>(Main().controls.size());
    QCOMPARE(record->count(), 1 + controls + 1 + static_cast<int>(Main().menu.size()) + 1);
    for (int i = 0; i < controls; ++i) {
      const QString item = record->item(1 + i)->text();
      QVERIFY2(item.endsWith(QLatin1Char(' ') + QString::fromLatin1(Main().controls[i].name)),
               qPrintable(item));
    }
    for (int i = 1 + controls; i < record->count(); ++i) {
      QCOMPARE(record->item(i)->text(), QStringLiteral("0"));
    }
  }
};

QTEST_MAIN(Form_Builder_Test)
#include "form_builder_test.moc"
