#include "ui/form_builder.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QSvgWidget>

#include "ui/control_style.h"
#include "ui/stop_count_spin_box.h"

namespace velmaric {
namespace {

using forms::Control_Kind;

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

QIcon Glyph(const char* glyph, const QWidget* button) {
  if (QLatin1String(glyph) == QLatin1String(forms::standard_ok_glyph)) {
    return button->style()->standardIcon(QStyle::SP_DialogApplyButton);
  }
  return QIcon(QStringLiteral(":/velmaric/glyph-") + QString::fromLatin1(glyph) +
               QStringLiteral(".png"));
}

QPushButton* Push_Button(const forms::Control_Design& row, QWidget* parent) {
  auto* button = new QPushButton(Text(row.caption), parent);
  if (*row.glyph != '\0') button->setIcon(Glyph(row.glyph, button));
  if (row.flat) button->setFlat(true);
  if (row.is_default) button->setDefault(true);
  return button;
}

QLabel* Label(const forms::Control_Design& row, QWidget* parent) {
  auto* label = new QLabel(Text(row.caption), parent);
  if (row.alignment == forms::Alignment::Centre) label->setAlignment(Qt::AlignCenter);
  if (row.word_wrap) label->setWordWrap(true);
  return label;
}

QFrame* Bevel(forms::Bevel_Style style, QWidget* parent) {
  auto* frame = new QFrame(parent);
  const bool raised = style == forms::Bevel_Style::Raised_Panel;
  frame->setFrameShape(raised ? QFrame::Panel : QFrame::Box);
  frame->setFrameShadow(raised ? QFrame::Raised : QFrame::Sunken);
  return frame;
}

template <typename Button>
Button* Check_Button(const forms::Control_Design& row, QWidget* parent) {
  auto* button = new Button(Text(row.caption), parent);
  if (row.checked) button->setChecked(true);
  return button;
}

QWidget* Create(const forms::Control_Design& row, QWidget* parent) {
  switch (row.kind) {
    case Control_Kind::Label:
    case Control_Kind::Link_Label:
      return Label(row, parent);
    case Control_Kind::Read_Only_Edit:
    case Control_Kind::Edit: {
      auto* edit = new QLineEdit(Text(row.caption), parent);
      if (row.kind == Control_Kind::Read_Only_Edit) edit->setReadOnly(true);
      return edit;
    }
    case Control_Kind::Push_Button:
      return Push_Button(row, parent);
    case Control_Kind::Radio_Button:
      return Check_Button<QRadioButton>(row, parent);
    case Control_Kind::Check_Box:
      return Check_Button<QCheckBox>(row, parent);
    case Control_Kind::Group_Box:
      return new QGroupBox(Text(row.caption), parent);
    case Control_Kind::Bevel:
      return Bevel(row.bevel, parent);
    case Control_Kind::Read_Only_Spin_Edit:
      return new Stop_Count_Spin_Box(parent);
    case Control_Kind::List_Box: {
      auto* list = new QListWidget(parent);
      for (std::size_t i = 0; i < row.item_count; ++i) list->addItem(Text(row.items[i]));
      return list;
    }
    case Control_Kind::Picture: {
      auto* picture = new QLabel(parent);
      picture->setScaledContents(true);
      return picture;
    }
    case Control_Kind::Vector_Picture:
      return new QSvgWidget(parent);
  }
  Q_UNREACHABLE();
}

void Apply_Font(QWidget* control, const forms::Font_Design& design) {
  if (design.family == nullptr) return;
  QFont font(QString::fromLatin1(design.family));
  font.setBold(design.bold);
  if (design.underline) font.setUnderline(true);
  if (design.unit == forms::Font_Unit::Pixels) font.setPixelSize(design.size);
  control->setFont(font);
  if (design.unit == forms::Font_Unit::Points) Set_Font_Points(control, design.size);
}

void Apply_Colours(QWidget* control, const forms::Control_Design& row) {
  if (row.background == forms::Colour_Role::Grey) {
    Set_Grey_Background(control);
  } else if (row.background != forms::Colour_Role::None) {
    Set_Background(control, Colour_Of(row.background));
  }
  if (row.text_colour == forms::Colour_Role::Blue_Link) {
    control->setStyleSheet(QStringLiteral("color: blue"));
  } else if (row.text_colour == forms::Colour_Role::Highlighted_Text) {
    control->setForegroundRole(QPalette::HighlightedText);
  }
}

QWidget* Build_Control(const forms::Control_Design& row, QWidget* parent) {
  QWidget* const control = Create(row, parent);
  control->setObjectName(QString::fromLatin1(row.name));
  Apply_Font(control, row.font);
  const forms::Rectangle& r = row.rectangle;
  if (!r.Empty()) {
    control->setGeometry(r.left, r.top, r.width, r.height);
  } else if (row.auto_size) {
    control->move(r.left, r.top);
  }
  if (*row.hint != '\0') control->setToolTip(Text(row.hint));
  Apply_Colours(control, row);
  if (!row.enabled) control->setEnabled(false);
  if (!row.focusable) control->setFocusPolicy(Qt::NoFocus);
  if (row.transparent) control->setAttribute(Qt::WA_TranslucentBackground);
  if (!row.visible) control->setVisible(false);
  return control;
}

QObject* Build_Menu_Item(const forms::Menu_Design& row, QMenuBar* bar) {
  if (row.kind == forms::Menu_Kind::Bar) return bar;
  const QString caption = Text(row.caption);
  QMenu* const menu =
      QLatin1String(row.parent) == bar->objectName() ? nullptr : Find<QMenu>(bar, row.parent);
  switch (row.kind) {
    case forms::Menu_Kind::Menu:
      return menu != nullptr ? menu->addMenu(caption) : bar->addMenu(caption);
    case forms::Menu_Kind::Separator:
      return menu != nullptr ? menu->addSeparator() : bar->addSeparator();
    default: {
      QAction* const item = menu != nullptr ? menu->addAction(caption) : bar->addAction(caption);
      if (row.checkable) item->setCheckable(true);
      return item;
    }
  }
}

}  // namespace

QColor Colour_Of(forms::Colour_Role role) {
  switch (role) {
    case forms::Colour_Role::Button_Face:
      return Button_Face_Colour();
    case forms::Colour_Role::Inactive_Border:
      return Inactive_Border_Colour();
    case forms::Colour_Role::Grey:
      return Grey_Text_Colour();
    case forms::Colour_Role::Menu:
      return Menu_Colour();
    default:
      return QColor();
  }
}

std::vector<QWidget*> Build_Controls(const forms::Form_Design& form, QWidget* root) {
  std::vector<QWidget*> built;
  built.reserve(form.controls.size());
  for (const forms::Control_Design& row : form.controls) {
    QWidget* const parent = QLatin1String(row.parent) == QLatin1String(form.client_name)
                                ? root
                                : Find<QWidget>(root, row.parent);
    built.push_back(Build_Control(row, parent));
  }
  return built;
}

std::vector<QObject*> Build_Menu(const forms::Form_Design& form, QMenuBar* bar) {
  std::vector<QObject*> built;
  built.reserve(form.menu.size());
  for (const forms::Menu_Design& row : form.menu) {
    QObject* const item = Build_Menu_Item(row, bar);
    item->setObjectName(QString::fromLatin1(row.name));
    built.push_back(item);
  }
  return built;
}

void Apply_Tab_Order(const forms::Form_Design& form, const QWidget* root) {
  QWidget* previous = nullptr;
  for (const std::string& name : form.tab_order) {
    QWidget* const next = Find<QWidget>(root, name.c_str());
    if (previous != nullptr) QWidget::setTabOrder(previous, next);
    previous = next;
  }
}

void Name_For_Assistive_Technology(const forms::Form_Design& form, const QWidget* root) {
  for (const forms::Control_Design& row : form.controls) {
    const forms::Accessible_Texts texts = forms::Accessible_Texts_Of(row);
    if (texts.name.empty()) continue;
    QWidget* const control = Find<QWidget>(root, row.name);
    control->setAccessibleName(QString::fromStdString(texts.name));
    if (!texts.description.empty()) {
      control->setAccessibleDescription(QString::fromStdString(texts.description));
    }
  }
}

}  // namespace velmaric
