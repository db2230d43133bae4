#include "decoder_dlg.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QUrl>
#include <QValidator>

#include <algorithm>
#include <string>

#include <varnock/code_page.h>
#include <varnock/hub_code_decoder.h>

#include "group_box.h"
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

// Dialog units as Windows derives them from the dialog's font: a horizontal unit is a
// quarter of the average character width, a vertical unit an eighth of the height.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    base_width_ = (letters / 26 + 1) / 2;  // the width of 52 letters over 52, rounded
    base_height_ = metrics.height();
  }

  QRect ToPixels(const QRect& units) const {
    return {Scale(units.x(), base_width_, 4), Scale(units.y(), base_height_, 8),
            Scale(units.width(), base_width_, 4), Scale(units.height(), base_height_, 8)};
  }

 private:
  static int Scale(int units, int base, int divisor) {
    return (units * base + divisor / 2) / divisor;
  }

  int base_width_;
  int base_height_;
};

// The hub code field: every letter typed or pasted turns to upper case, one character
// for one, so the cursor stays where it was. A pasted text keeps its first line, as a
// one-line field on Windows takes it: a line break would look like a blank, yet keep
// the code from decoding.
class HubCodeValidator : public QValidator {
 public:
  using QValidator::QValidator;

  State validate(QString& input, int& pos) const override {
    const auto line_break = input.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (line_break >= 0) {  // only a paste brings one, and the pasted text ends at the cursor
      input.remove(line_break, pos - line_break);
      pos = static_cast<int>(line_break);
    }
    QString upper;
    for (const uint c : input.toUcs4()) upper.append(QChar::fromUcs4(QChar::toUpper(c)));
    input = upper;
    return Acceptable;
  }
};

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
  auto* box = new GroupBox(FromCodePage(control.text), parent);
  box->setAttribute(Qt::WA_TransparentForMouseEvents);  // a frame, not a control
  return box;
}

QWidget* CreateEdit(const ControlTemplate& control, QWidget* parent) {
  auto* edit = new QLineEdit(FromCodePage(control.text), parent);
  edit->setReadOnly(control.styles & varnock::res::kReadOnly);
  if (control.styles & varnock::res::kUpperCase) edit->setValidator(new HubCodeValidator(edit));
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

// Shown at the bitmap's own size, whatever the template's; a click is the control's use.
QWidget* CreatePicture(const ControlTemplate& control, QWidget* parent, QRect& geometry) {
  auto* picture = new QLabel(parent);
  SetEdge(picture, control.styles);
  picture->setPixmap(QPixmap(QStringLiteral(":/varnock/logo.png")));
  picture->setCursor(Qt::PointingHandCursor);
  geometry.setSize(picture->pixmap().size() + QSize(2, 2) * picture->frameWidth());
  return picture;
}

// The template's height includes the dropped list: as many rows show as fit in what is
// left of it below the closed box, and the list scrolls for the rest.
QWidget* CreateList(QWidget* parent, QRect& geometry) {
  auto* list = new QComboBox(parent);
  list->setStyleSheet(QStringLiteral("combobox-popup: 0;"));  // the style would show every row
  for (const varnock::MakerInfo& maker : varnock::res::kManufacturerListData) {
    list->addItem(FromCodePage(maker.name), static_cast<int>(maker.maker));
  }
  list->setCurrentIndex(-1);
  const int closed = list->sizeHint().height();
  const int frame = 2 * qobject_cast<QFrame*>(list->view()->parentWidget())->frameWidth();
  list->setMaxVisibleItems((geometry.height() - closed - frame) / list->view()->sizeHintForRow(0));
  geometry.setHeight(closed);
  return list;
}

}  // namespace

CDecoderDlg::CDecoderDlg(QWidget* parent) : QDialog(parent), decades_(new QButtonGroup(this)) {
  Q_INIT_RESOURCE(varnock);  // the pictures, linked in from a static library
  const varnock::res::DialogTemplate& dialog = varnock::res::kMainDialog;
  QFont font(FromCodePage(dialog.font_family), dialog.font_point_size);
  font.setStyleHint(QFont::SansSerif);  // the nearest sans-serif where the family is missing
  setFont(font);
  const DialogUnits units(font);

  // Creation order is the tab order; each control goes below those made before it, so
  // the first control is on top, as in the template.
  for (const ControlTemplate& control : varnock::res::kMainDialogControls) {
    QWidget* widget = CreateControl(
        control, units.ToPixels({control.x, control.y, control.width, control.height}));
    widget->lower();
    if (control.id != IDC_STATIC) items_.emplace_back(control.id, widget);
  }
  hub_code_ = static_cast<QLineEdit*>(GetDlgItem(IDC_HUB_CODE));
  manufacturer_ = static_cast<QComboBox*>(GetDlgItem(IDC_MANUFACTURER));
  result_ = static_cast<QLineEdit*>(GetDlgItem(IDC_RESULT));
  logo_ = static_cast<QLabel*>(GetDlgItem(IDC_LOGO));
  connect(static_cast<QPushButton*>(GetDlgItem(IDC_PROCESS)), &QPushButton::clicked, this,
          &CDecoderDlg::OnProcess);
  connect(static_cast<QPushButton*>(GetDlgItem(IDCANCEL)), &QPushButton::clicked, this,
          &QDialog::reject);
  logo_->installEventFilter(this);

  setWindowTitle(FromCodePage(dialog.caption));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(units.ToPixels(QRect({}, QSize(dialog.width, dialog.height))).size());
  OnInitDialog();
}

QWidget* CDecoderDlg::CreateControl(const ControlTemplate& control, QRect geometry) {
  QWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::kAutoRadioButton: {
      auto* button = new QRadioButton(FromCodePage(control.text), this);
      const auto row =
          std::find_if(varnock::res::kDecadeButtons.begin(), varnock::res::kDecadeButtons.end(),
                       [&](const auto& r) { return r.first == control.id; });
      decades_->addButton(button, varnock::DecadeYear(row->second));
      button->installEventFilter(this);
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
    case ControlKind::kStatic: {
      auto* label = static_cast<QLabel*>(CreateLabel(control, this));
      label->setBuddy(GetDlgItem(control.buddy));  // none for 0
      widget = label;
      break;
    }
    case ControlKind::kDropDownList:
      widget = CreateList(this, geometry);
      break;
    case ControlKind::kPicture:
      widget = CreatePicture(control, this, geometry);
      break;
  }
  widget->setGeometry(geometry);
  if (control.kind != ControlKind::kStatic && control.kind != ControlKind::kGroupBox &&
      control.kind != ControlKind::kPicture) {
    widget->setFocusPolicy((control.styles & varnock::res::kTabStop) ? Qt::StrongFocus
                                                                     : Qt::ClickFocus);
  }
  return widget;
}

QWidget* CDecoderDlg::GetDlgItem(int id) const {
  const auto item = std::find_if(items_.begin(), items_.end(),
                                 [id](const auto& entry) { return entry.first == id; });
  return item == items_.end() ? nullptr : item->second;
}

void CDecoderDlg::OnInitDialog() {
  QIcon icon(QStringLiteral(":/varnock/varnock-16.png"));
  icon.addFile(QStringLiteral(":/varnock/varnock-48.png"));  // for the taskbar and switcher
  setWindowIcon(icon);
}

bool CDecoderDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == logo_) {
    // A click opens the page at once; the second press of a double click arrives as a
    // double click, no press, so it opens nothing more.
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      OnLogoClicked();
      return true;
    }
  } else if (event->type() == QEvent::KeyPress) {
    return OnDecadeKey(static_cast<QKeyEvent*>(event)->key());
  }
  return QDialog::eventFilter(watched, event);
}

bool CDecoderDlg::OnDecadeKey(int key) {
  int step = 0;
  if (key == Qt::Key_Right || key == Qt::Key_Down) step = 1;
  if (key == Qt::Key_Left || key == Qt::Key_Up) step = -1;
  if (step == 0) return false;
  const auto& decades = varnock::kDecades;
  const auto focused = std::find_if(decades.begin(), decades.end(), [this](varnock::Decade d) {
    return decades_->button(varnock::DecadeYear(d))->hasFocus();
  });
  const auto next = (focused - decades.begin() + step + std::ssize(decades)) % std::ssize(decades);
  QAbstractButton* button =
      decades_->button(varnock::DecadeYear(decades[static_cast<std::size_t>(next)]));
  button->setFocus(Qt::TabFocusReason);
  button->setChecked(true);
  return true;
}

void CDecoderDlg::OnProcess() {
  const int decade = decades_->checkedId();             // -1: none checked yet
  const QVariant maker = manufacturer_->currentData();  // invalid: none chosen
  const varnock::DecodeResult result = varnock::HubCodeDecoder::Decode(
      maker.isValid() ? std::optional(static_cast<varnock::Maker>(maker.toInt())) : std::nullopt,
      decade < 0 ? varnock::Decade::kNone : static_cast<varnock::Decade>(decade),
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
