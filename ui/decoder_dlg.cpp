#include "decoder_dlg.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDesktopServices>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QValidator>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include <varnock/code_page.h>
#include <varnock/hub_code_decoder.h>
#include "main_dialog.h"
#include "varnock_version.h"

namespace {

using varnock::res::ControlKind;
using varnock::res::ControlTemplate;

// The decade buttons in the order they are tested: the first checked one counts.
constexpr std::array<std::pair<std::string_view, varnock::Decade>, 4> kDecadeButtons = {{
    {"IDC_DECADE_1990", varnock::Decade::k1990s},
    {"IDC_DECADE_2000", varnock::Decade::k2000s},
    {"IDC_DECADE_2010", varnock::Decade::k2010s},
    {"IDC_DECADE_2020", varnock::Decade::k2020s},
}};

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
    const int letters_width =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    base_width_ = (letters_width / 26 + 1) / 2;  // the width of 52 letters over 52, rounded
    base_height_ = metrics.height();
  }

  QRect ToPixels(int x, int y, int width, int height) const {
    return {Scale(x, base_width_, 4), Scale(y, base_height_, 8), Scale(width, base_width_, 4),
            Scale(height, base_height_, 8)};
  }

 private:
  static int Scale(int units, int base, int divisor) { return (units * base + divisor / 2) / divisor; }

  int base_width_;
  int base_height_;
};

// Turns every letter typed or pasted into the field to upper case, one character for
// one, so the cursor stays where it was.
class UpperCaseValidator : public QValidator {
 public:
  using QValidator::QValidator;

  State validate(QString& input, int&) const override {
    for (qsizetype i = 0; i < input.size(); ++i) {
      if (input[i].isHighSurrogate() && i + 1 < input.size() && input[i + 1].isLowSurrogate()) {
        const char32_t upper = QChar::toUpper(QChar::surrogateToUcs4(input[i], input[i + 1]));
        input[i] = QChar(QChar::highSurrogate(upper));
        input[++i] = QChar(QChar::lowSurrogate(upper));
      } else {
        input[i] = input[i].toUpper();
      }
    }
    return Acceptable;
  }
};

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// One frame line for each of the sunken edges a static asks for.
void SetEdge(QFrame* frame, unsigned styles) {
  const int lines = ((styles & varnock::res::kStaticEdge) ? 1 : 0) +
                    ((styles & varnock::res::kSunken) ? 1 : 0);
  if (lines == 0) return;
  frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  frame->setLineWidth(lines);
}

QWidget* CreateControl(const ControlTemplate& control, QWidget* parent, const DialogUnits& units) {
  using namespace varnock::res;
  const QString text = FromCodePage(control.text);
  QRect geometry = units.ToPixels(control.x, control.y, control.width, control.height);
  QWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::kAutoRadioButton:
      widget = new QRadioButton(text, parent);
      break;
    case ControlKind::kDefPushButton:
    case ControlKind::kPushButton: {
      auto* button = new QPushButton(text, parent);
      button->setDefault(control.kind == ControlKind::kDefPushButton);
      widget = button;
      break;
    }
    case ControlKind::kGroupBox:
      widget = new QGroupBox(text, parent);
      widget->setAttribute(Qt::WA_TransparentForMouseEvents);  // a frame, not a control
      break;
    case ControlKind::kEdit: {
      auto* edit = new QLineEdit(text, parent);
      edit->setFrame(control.styles & kBorder);
      edit->setReadOnly(control.styles & kReadOnly);
      if (control.styles & kUpperCase) edit->setValidator(new UpperCaseValidator(edit));
      widget = edit;
      break;
    }
    case ControlKind::kStatic:
    case ControlKind::kPicture: {
      auto* label = new QLabel(parent);
      SetEdge(label, control.styles);
      if (control.kind == ControlKind::kPicture) {
        label->setPixmap(QPixmap(text));
        // Shown at the bitmap's own size, not the template's.
        geometry.setSize(label->pixmap().size() + QSize(2, 2) * label->frameWidth());
      } else {
        label->setText(text);
        label->setAlignment((control.styles & kCenter) ? Qt::AlignCenter
                                                       : Qt::AlignLeft | Qt::AlignTop);
      }
      if (control.styles & kNotify) {
        label->setCursor(Qt::PointingHandCursor);
      } else {
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
      }
      widget = label;
      break;
    }
    case ControlKind::kDropDownList: {
      auto* list = new QComboBox(parent);
      list->setEditable(false);
      for (const varnock::MakerInfo& maker : kManufacturerListData) list->addItem(FromCodePage(maker.name));
      list->setCurrentIndex(-1);
      // The template's height includes the dropped list: what is left of it below the
      // closed box decides how many rows show before the list scrolls.
      const int closed = list->sizeHint().height();
      const int row = QFontMetrics(list->font()).height();
      list->setMaxVisibleItems(std::max(1, (geometry.height() - closed) / std::max(1, row)));
      geometry.setHeight(closed);
      widget = list;
      break;
    }
  }
  if (!control.id.empty()) widget->setObjectName(ToQString(control.id));
  const bool input = control.kind != ControlKind::kGroupBox && control.kind != ControlKind::kStatic &&
                     control.kind != ControlKind::kPicture;
  if (input) widget->setFocusPolicy((control.styles & kTabStop) ? Qt::StrongFocus : Qt::ClickFocus);
  widget->setGeometry(geometry);
  return widget;
}

}  // namespace

CDecoderDlg::CDecoderDlg(QWidget* parent) : QDialog(parent) {
  using varnock::res::kMainDialog;
  QFont font(ToQString(kMainDialog.font_family), kMainDialog.font_point_size);
  font.setStyleHint(QFont::SansSerif);  // the nearest sans-serif where the family is missing
  setFont(font);
  const DialogUnits units(font);

  // Creation order is the tab order; each control goes below those made before it, so
  // the first control is on top, as in the template.
  std::vector<std::pair<QLabel*, std::string_view>> buddies;
  for (const ControlTemplate& control : varnock::res::kMainDialogControls) {
    QWidget* widget = CreateControl(control, this, units);
    widget->lower();
    if (!control.buddy.empty()) buddies.emplace_back(static_cast<QLabel*>(widget), control.buddy);
  }
  // A label names its input for screen readers.
  for (const auto& [label, buddy] : buddies) label->setBuddy(findChild<QWidget*>(ToQString(buddy)));
  hub_code_ = findChild<QLineEdit*>(QStringLiteral("IDC_HUB_CODE"));
  manufacturer_ = findChild<QComboBox*>(QStringLiteral("IDC_MANUFACTURER"));
  result_ = findChild<QLineEdit*>(QStringLiteral("IDC_RESULT"));
  logo_ = findChild<QLabel*>(QStringLiteral("IDC_LOGO"));

  connect(findChild<QPushButton*>(QStringLiteral("IDC_PROCESS")), &QPushButton::clicked, this,
          &CDecoderDlg::OnProcess);
  connect(findChild<QPushButton*>(QStringLiteral("IDCANCEL")), &QPushButton::clicked, this,
          &QDialog::reject);
  logo_->installEventFilter(this);

  setWindowTitle(FromCodePage(kMainDialog.caption));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(units.ToPixels(0, 0, kMainDialog.width, kMainDialog.height).size());
  OnInitDialog();
}

void CDecoderDlg::OnInitDialog() {
  setWindowIcon(QIcon(ToQString(varnock::res::kMainDialog.icon)));
}

bool CDecoderDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == logo_) {
    // A click opens the page at once; the second press of a double click is no click.
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      OnLogoClicked();
      return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void CDecoderDlg::OnProcess() {
  varnock::DecodeRequest request;
  for (const auto& [id, decade] : kDecadeButtons) {
    if (findChild<QAbstractButton*>(ToQString(id))->isChecked()) {
      request.decade = decade;
      break;
    }
  }
  request.manufacturer = ToDecoderText(manufacturer_->currentText());
  request.code = ToDecoderText(hub_code_->text());

  const varnock::DecodeResult result = varnock::HubCodeDecoder::Decode(request);
  switch (result.kind) {
    case varnock::DecodeResult::Kind::Date:
      result_->setText(FromCodePage(result.text));
      break;
    case varnock::DecodeResult::Kind::Error: {
      QMessageBox box(QMessageBox::Warning, ToQString(varnock::kErrorCaption),
                      FromCodePage(result.text), QMessageBox::Ok, this);
      box.exec();
      break;
    }
    case varnock::DecodeResult::Kind::None:
      break;
  }
}

void CDecoderDlg::OnLogoClicked() { QDesktopServices::openUrl(QUrl(QStringLiteral(VARNOCK_HOMEPAGE))); }
