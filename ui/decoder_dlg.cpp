#include "decoder_dlg.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionComboBox>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <ranges>
#include <string>
#include <tuple>

#include <varnock/code_page.h>
#include <varnock/hub_code_decoder.h>

#include "dialog_rules.h"
#include "group_box.h"
#include "hub_code_edit.h"
#include "logo_link.h"
#include "main_dialog.h"
#include "varnock_version.h"

namespace {

using varnock::res::ControlKind;
using varnock::res::ControlTemplate;

QString FromCodePage(std::string_view text) {
  return QString::fromStdString(varnock::CodePageToUtf8(text));
}

// The text as the decoder takes it: in the code page, cut to its first 127 characters.
// Qt's UTF-8 is always valid: a lone surrogate arrives as U+FFFD, which the code page
// cannot hold.
std::string ToDecoderText(const QString& text) {
  return varnock::Utf8ToCodePage(text.toStdString(), /*upper=*/false).value_or(std::string());
}

// One frame line for each sunken edge the control asks for.
void SetEdge(QFrame* frame, unsigned styles) {
  const int lines =
      ((styles & varnock::res::kStaticEdge) ? 1 : 0) + ((styles & varnock::res::kSunken) ? 1 : 0);
  if (lines == 0) return;
  frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  frame->setLineWidth(lines);
}

QWidget* CreateButton(const ControlTemplate& control, QWidget* parent) {
  auto* button = new QPushButton(FromCodePage(control.text), parent);
  button->setDefault(control.kind == ControlKind::kDefPushButton);
  return button;
}

QWidget* CreateGroupBox(const ControlTemplate& control, QWidget* parent) {
  return new GroupBox(FromCodePage(control.text), parent);
}

QWidget* CreateEdit(const ControlTemplate& control, QWidget* parent) {
  auto* edit =
      (control.styles & varnock::res::kUpperCase) ? new HubCodeEdit(parent) : new QLineEdit(parent);
  edit->setText(FromCodePage(control.text));
  edit->setReadOnly(control.styles & varnock::res::kReadOnly);
  return edit;
}

QWidget* CreateLabel(const ControlTemplate& control, QWidget* parent) {
  auto* label = new QLabel(FromCodePage(control.text), parent);
  SetEdge(label, control.styles);
  label->setAlignment((control.styles & varnock::res::kCenter) ? Qt::AlignCenter
                                                               : Qt::AlignLeft | Qt::AlignTop);
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  return label;
}

// Shown at the bitmap's own size, whatever the template's, in the size made for the
// screen's scale. (Qt finds the "@2x" picture beside the first by itself.)
QWidget* CreatePicture(const ControlTemplate& control, QWidget* parent) {
  QIcon picture;
  for (const char* scale : {"", "@1.25x", "@1.5x"}) {
    picture.addFile(QStringLiteral(":/varnock/logo%1.png").arg(QLatin1String(scale)));
  }
  auto* logo =
      new LogoLink(picture, QImageReader(QStringLiteral(":/varnock/logo.png")).size(), parent);
  SetEdge(logo, control.styles);
  logo->setAccessibleName(FromCodePage(varnock::res::kLogoName));
  logo->setAccessibleDescription(QStringLiteral(VARNOCK_HOMEPAGE));
  return logo;
}

// The template's height includes the dropped list: as many rows show as fit in what is
// left of it below the closed box, and the list scrolls for the rest. Counted as it
// drops, when the rows have the font and style they are shown in.
class ListStyle : public QProxyStyle {
 public:
  // Some styles drop every row over the box, as a menu; the template's list scrolls.
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returned) const override {
    return hint == SH_ComboBox_Popup ? 0 : QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

class DropDownList : public QComboBox {
 public:
  explicit DropDownList(QWidget* parent) : QComboBox(parent) {
    auto* style = new ListStyle;  // the application's style, with a list that scrolls
    style->setParent(this);
    setStyle(style);
  }

  // Takes the template's place, the dropped list included; shows the closed box.
  void Place(QRect geometry) {
    dropped_height_ = geometry.height();
    geometry.setHeight(sizeHint().height());
    setGeometry(geometry);
  }

  // The rows' frame and margins are known once the list has dropped: the first time, it
  // drops again with them counted.
  void showPopup() override {
    const int row = view()->sizeHintForRow(0);
    setMaxVisibleItems((dropped_height_ - height() - around_rows_) / row);
    QComboBox::showPopup();
    const int around = view()->window()->height() - maxVisibleItems() * row;
    if (around != around_rows_ && maxVisibleItems() < count()) {
      around_rows_ = around;
      showPopup();  // laid out anew where it is
    }
  }

 private:
  int dropped_height_{};
  int around_rows_{};
};

QWidget* CreateList(QWidget* parent) {
  auto* list = new DropDownList(parent);
  for (const varnock::MakerInfo& maker : varnock::res::kManufacturerListData) {
    list->addItem(FromCodePage(maker.name), static_cast<int>(maker.maker));
  }
  list->setCurrentIndex(-1);
  return list;
}

using Controls = std::vector<std::pair<const ControlTemplate*, QWidget*>>;

void PlaceControls(const Controls& controls, const DialogUnits& units) {
  for (const auto& [control, widget] : controls) {
    const QRect place = units.ToPixels({control->x, control->y, control->width, control->height});
    if (auto* list = dynamic_cast<DropDownList*>(widget)) {
      list->Place(place);
    } else if (control->kind == ControlKind::kPicture) {
      widget->setGeometry({place.topLeft(), widget->sizeHint()});  // the bitmap's own size
    } else {
      widget->setGeometry(place);
    }
  }
}

// An invisible frame around the decade buttons, so that screen readers find one group
// named after its label holding the four.
class DecadeGroup : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent*) override {}
};

// The width the control's text needs, whole, in its font and style: a label's, and the
// maker list's longest name. The other texts have room to spare in every common font
// (the layout tests check each one), so 0 for them.
int NeededWidth(QWidget* widget) {
  widget->ensurePolished();  // in its style and style sheet
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->sizeHint().width();
  if (auto* list = qobject_cast<QComboBox*>(widget)) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    const QRect text = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, list);
    const auto width = [list](const varnock::MakerInfo& maker) {
      return list->fontMetrics().horizontalAdvance(FromCodePage(maker.name));
    };
    return list->width() - text.width() +
           std::ranges::max(varnock::res::kManufacturerListData | std::views::transform(width));
  }
  return 0;
}

}  // namespace

CDecoderDlg::CDecoderDlg(QWidget* parent) : QDialog(parent), decades_(new QButtonGroup(this)) {
  Q_INIT_RESOURCE(varnock);  // the pictures, linked in from a static library
  const varnock::res::DialogTemplate& dialog = varnock::res::kMainDialog;
  QFont font = QApplication::font();  // its size stands for the template's: units grow with it
  font.setFamily(FromCodePage(dialog.font_family));
  font.setStyleHint(QFont::SansSerif);  // the nearest sans-serif where the family is missing
  setFont(font);
  for (const ControlTemplate& control : varnock::res::kMainDialogControls) {
    QWidget* widget = CreateControl(control);
    controls_.emplace_back(&control, widget);
    if (control.id != IDC_STATIC) items_.emplace_back(control.id, widget);
  }
  DialogUnits units(font);
  PlaceControls(controls_, units);
  // Where a text is wider than its place in this font, the horizontal unit grows until
  // every text fits: the layout keeps the template's proportions.
  int base = units.base_width();
  for (const auto& [control, widget] : controls_) {
    base = std::max(base, static_cast<int>(std::ceil(4.0 * NeededWidth(widget) / control->width)));
  }
  if (base != units.base_width()) {
    units.set_base_width(base);
    PlaceControls(controls_, units);
  }
  hub_code_ = static_cast<QLineEdit*>(GetDlgItem(IDC_HUB_CODE));
  manufacturer_ = static_cast<QComboBox*>(GetDlgItem(IDC_MANUFACTURER));
  result_ = static_cast<QLineEdit*>(GetDlgItem(IDC_RESULT));
  GroupControls();
  NameControls();
  SetTabStops();
  connect(static_cast<QPushButton*>(GetDlgItem(IDC_PROCESS)), &QPushButton::clicked, this,
          &CDecoderDlg::OnProcess);
  connect(static_cast<QPushButton*>(GetDlgItem(IDCANCEL)), &QPushButton::clicked, this,
          &QDialog::reject);
  connect(static_cast<LogoLink*>(GetDlgItem(IDC_LOGO)), &LogoLink::activated, this,
          &CDecoderDlg::OnLogoClicked);

  setWindowTitle(FromCodePage(dialog.caption));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(units.ToPixels(QRect({}, QSize(dialog.width, dialog.height))).size());
  OnInitDialog();
}

QWidget* CDecoderDlg::CreateControl(const ControlTemplate& control) {
  QWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::kAutoRadioButton: {
      auto* button = new QRadioButton(FromCodePage(control.text), this);
      const auto row =
          std::find_if(varnock::res::kDecadeButtons.begin(), varnock::res::kDecadeButtons.end(),
                       [&](const auto& r) { return r.first == control.id; });
      decades_->addButton(button, varnock::DecadeYear(row->second));
      widget = button;
      break;
    }
    case ControlKind::kDefPushButton:
    case ControlKind::kPushButton:
      widget = CreateButton(control, this);
      break;
    case ControlKind::kGroupBox:
      widget = CreateGroupBox(control, this);
      break;
    case ControlKind::kEdit:
      widget = CreateEdit(control, this);
      break;
    case ControlKind::kStatic:
      widget = CreateLabel(control, this);
      break;
    case ControlKind::kDropDownList:
      widget = CreateList(this);
      break;
    case ControlKind::kPicture:
      widget = CreatePicture(control, this);
      break;
  }
  if (TakesFocus(control)) {
    widget->setFocusPolicy((control.styles & varnock::res::kTabStop) ? Qt::StrongFocus
                                                                     : Qt::ClickFocus);
    widget->installEventFilter(this);  // the arrow keys, as the dialog manager moves them
  }
  return widget;
}

// Each group box holds the controls inside its frame, and the decade buttons sit in one
// group of their own; within each, children come in reading order: rows from the top, a
// label before the control it names, and the group boxes before the column beside them.
// (Qt reads and stacks children in the same order.)
void CDecoderDlg::GroupControls() {
  QRect decades_area;
  for (const auto& [control, widget] : controls_) {
    if (varnock::res::IsDecadeButton(control->id)) decades_area |= widget->geometry();
  }
  auto* decade_group = new DecadeGroup(this);
  decade_group->setGeometry(decades_area);
  struct Child {
    QWidget* widget;
    int row, x;
    bool beside{};  // at the top level beside the group boxes, read after them
  };
  std::vector<Child> children;
  for (const auto& [control, widget] : controls_) {
    if (varnock::res::IsDecadeButton(control->id)) {
      widget->setParent(decade_group);
      widget->move(widget->pos() - decades_area.topLeft());
    }
    // A label is read on the row of the control it names, which may stand higher.
    const int row = control->buddy
                        ? std::min(control->y, varnock::res::FindControl(control->buddy).y)
                        : control->y;
    children.push_back({widget, row, control->x});
  }
  children.push_back({decade_group, varnock::res::FindControl(IDC_DECADE_1990).y,
                      varnock::res::FindControl(IDC_DECADE_1990).x});
  for (Child& child : children) {
    if (child.widget->parentWidget() != this || qobject_cast<GroupBox*>(child.widget)) continue;
    for (const auto& [control, box] : controls_) {
      if (control->kind != ControlKind::kGroupBox ||
          !box->geometry().contains(child.widget->geometry())) {
        continue;
      }
      child.widget->setParent(box);
      child.widget->move(child.widget->pos() - box->pos());
    }
  }
  for (Child& child : children) {
    child.beside = child.widget->parentWidget() == this && !qobject_cast<GroupBox*>(child.widget);
  }
  std::ranges::sort(children, {}, [](const Child& c) { return std::tie(c.beside, c.row, c.x); });
  for (const Child& child : children) child.widget->raise();
}

QWidget* CDecoderDlg::GetDlgItem(int id) const {
  const auto item = std::find_if(items_.begin(), items_.end(),
                                 [id](const auto& entry) { return entry.first == id; });
  return item == items_.end() ? nullptr : item->second;
}

// Each label names the control beside it, for screen readers too; the decade group is
// named by its label. (Qt names a control that no label names by its group box's title.)
void CDecoderDlg::NameControls() {
  for (const auto& [control, widget] : controls_) {
    auto* label = qobject_cast<QLabel*>(widget);
    if (!label) continue;
    QWidget* named = GetDlgItem(control->buddy);
    label->setBuddy(varnock::res::IsDecadeButton(control->buddy) ? named->parentWidget() : named);
  }
}

// Tab goes through the controls in the template's order, the order Qt made them in, the
// logo last. Of the decade buttons only one is on the way: the 1990s while none is
// checked; Qt's buttons pass the focus on to the checked one of their group.
void CDecoderDlg::SetTabStops() {
  QAbstractButton* stop = decades_->button(varnock::DecadeYear(varnock::kDecades.front()));
  for (QAbstractButton* button : decades_->buttons()) {
    button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
  }
  // The dialog opens with the focus on the template's first tab stop, Process.
  for (const auto& [control, widget] : controls_) {
    if (control->styles & varnock::res::kTabStop) {
      widget->setFocus();
      break;
    }
  }
}

void CDecoderDlg::OnInitDialog() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {  // the caption, taskbar and switcher
    icon.addFile(QStringLiteral(":/varnock/varnock-%1.png").arg(size));
  }
  setWindowIcon(icon);
}

bool CDecoderDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int step = (key == Qt::Key_Right || key == Qt::Key_Down) ? 1
                     : (key == Qt::Key_Left || key == Qt::Key_Up)  ? -1
                                                                   : 0;
    auto* widget = static_cast<QWidget*>(watched);
    if (step != 0 && qobject_cast<QAbstractButton*>(widget)) return OnArrowKey(widget, step);
  }
  return QDialog::eventFilter(watched, event);
}

// On a decade button, the arrows go round the four in the order they are shown. On a
// push button they move through its group of the template, as the dialog manager moves
// them: the group the first decade button starts runs to the "Hub code" label, so Up
// from Process checks the 2020s. A decade button reached by an arrow is checked.
bool CDecoderDlg::OnArrowKey(QWidget* from, int step) {
  QWidget* to = nullptr;
  const auto& decades = varnock::kDecades;
  const auto decade = std::find_if(decades.begin(), decades.end(), [&](varnock::Decade d) {
    return decades_->button(varnock::DecadeYear(d)) == from;
  });
  if (decade != decades.end()) {
    const auto count = std::ssize(decades);
    const auto next = (decade - decades.begin() + step + count) % count;
    to = decades_->button(varnock::DecadeYear(decades[static_cast<std::size_t>(next)]));
  } else {
    const auto at = static_cast<std::size_t>(
        std::ranges::find(controls_, from, &Controls::value_type::second) - controls_.begin());
    to = controls_[ArrowTarget(varnock::res::kMainDialogControls, at, step)].second;
  }
  if (to == from) return false;
  to->setFocus(Qt::TabFocusReason);
  if (auto* button = qobject_cast<QRadioButton*>(to)) button->setChecked(true);
  return true;
}

void CDecoderDlg::OnProcess() {
  const QVariant maker = manufacturer_->currentData();  // invalid: none chosen
  const varnock::DecodeResult result = varnock::HubCodeDecoder::Decode(
      maker.isValid() ? std::optional(static_cast<varnock::Maker>(maker.toInt())) : std::nullopt,
      decades_->checkedButton() ? static_cast<varnock::Decade>(decades_->checkedId())
                                : varnock::Decade::kNone,
      ToDecoderText(hub_code_->text()));
  switch (result.kind) {
    case varnock::DecodeResult::Kind::Date:
      result_->setText(FromCodePage(result.text));
      break;
    case varnock::DecodeResult::Kind::Error: {
      QMessageBox box(QMessageBox::Warning, FromCodePage(varnock::kErrorCaption),
                      FromCodePage(result.text), QMessageBox::Ok, this);
      box.exec();
      break;
    }
    case varnock::DecodeResult::Kind::None:
      break;
  }
}

void CDecoderDlg::OnLogoClicked() {
  QDesktopServices::openUrl(QUrl(QStringLiteral(VARNOCK_HOMEPAGE)));
}
