// The Qt dialog driven as a person drives it: keys, clicks, focus, message boxes.
#include <QtTest>
#include <QtWidgets>

#include <memory>

#include "decoder_app.h"
#include "decoder_dlg.h"
#include "dialog_cases.h"
#include "dialog_rules.h"
#include "group_box.h"
#include "main_dialog.h"
#include "main_dialog_expected.h"

namespace {

using varnock::res::kMainDialogControls;

// The message box that the next step opens, as a person reads it: "title|text|icon|
// buttons"; Enter closes it.
QString ReadNextBox(const std::function<void()>& step) {
  QString seen;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      timer.stop();
      seen = QStringLiteral("%1|%2|%3|%4")
                 .arg(box->windowTitle(), box->text())
                 .arg(box->icon())
                 .arg(box->standardButtons());
      QTest::keyClick(box, Qt::Key_Enter);
    }
  });
  timer.start(5);
  step();
  return seen;
}

// Stands in for the browser: collects the pages the program asks to open.
class PageOpener : public QObject {
  Q_OBJECT
 public:
  PageOpener() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open"); }
  ~PageOpener() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened.append(url); }
};

// Dialog units to pixels as Windows converts them for the dialog's font, or with the
// horizontal unit `base_x` where a text too wide for its place made the dialog wider.
QRect ToPixels(const QFont& font, int x, int y, int width, int height, int base_x = 0) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  const double bx = base_x ? base_x : (letters / 26 + 1) / 2, by = metrics.height();
  return {qRound(x * bx / 4), qRound(y * by / 8), qRound(width * bx / 4), qRound(height * by / 8)};
}

}  // namespace

class DecoderDlgTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<CDecoderDlg> dlg_;

  template <typename T = QWidget>
  T* Item(int id) {
    return qobject_cast<T*>(dlg_->GetDlgItem(id));
  }
  QLineEdit* HubCode() { return Item<QLineEdit>(IDC_HUB_CODE); }
  QLineEdit* Result() { return Item<QLineEdit>(IDC_RESULT); }
  QComboBox* Maker() { return Item<QComboBox>(IDC_MANUFACTURER); }
  // A control of the template, also one without an identifier, found by its text.
  QWidget* Control(int id, std::string_view text) {
    if (id != IDC_STATIC) return dlg_->GetDlgItem(id);
    for (QWidget* w : dlg_->findChildren<QWidget*>()) {
      auto* label = qobject_cast<QLabel*>(w);
      auto* box = qobject_cast<GroupBox*>(w);
      if ((label ? label->text() : box ? box->title() : QString()) == text.data()) return w;
    }
    return nullptr;
  }
  QRect InDialog(QWidget* widget) { return {widget->mapTo(dlg_.get(), QPoint()), widget->size()}; }
  void PickMaker(int row) {  // from the keyboard: the first entry, then down the list
    Maker()->setFocus();
    QTest::keyClick(Maker(), Qt::Key_Home);
    for (int i = 0; i < row; ++i) QTest::keyClick(Maker(), Qt::Key_Down);
  }
  void TypeCode(const QString& code) {  // also what no key of a US keyboard gives
    HubCode()->setFocus();
    for (QChar c : code) QTest::sendKeyEvent(QTest::Click, HubCode(), Qt::Key_unknown, c, {});
  }
  void ClickAt(QWidget* widget, bool twice = false) {
    const QPoint at = widget->geometry().center();
    twice ? QTest::mouseDClick(dlg_->windowHandle(), Qt::LeftButton, {}, at)
          : QTest::mouseClick(dlg_->windowHandle(), Qt::LeftButton, {}, at);
  }

 private slots:
  void init() {
    dlg_ = std::make_unique<CDecoderDlg>();
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowActive(dlg_.get()));
  }

  void cleanup() {
    dlg_.reset();
    for (QWidget* window : QApplication::topLevelWidgets()) QVERIFY(!window->isVisible());
  }

  void opensEmptyWithItsTextsAndFocusOnProcess() {
    QCOMPARE(dlg_->windowTitle(), QStringLiteral("Varnock v2.0B1 [BETA]"));
    QString edges;  // a static edge is a line, and sunken one more: the two labels, the logo
    for (const auto& c : kExpectedControls)
      if (auto* frame = qobject_cast<QFrame*>(Control(c.id, c.text)))
        edges += QString::number(frame->frameWidth());
    QCOMPARE(edges, QStringLiteral("000121"));
    QStringList makers;
    for (int i = 0; i < Maker()->count(); ++i) makers << Maker()->itemText(i);
    // clang-format off
    QCOMPARE(makers.join('|'),  // in the template's order, not sorted
             "CMC Magnetics|Daxon Technology|Eastman Kodak Company|Mitsubishi Chemical Corporation [CD-R]|"
             "Mitsubishi Chemical Corporation [DVD\u00B1R]|Mitsui Toatsu Chemicals + MAM-E|MJC Pte Ltd (Singapore)|"
             "Moser Baer India|Optodisc Technology|Prodisc|Ritek Corporation|Taiyo Yuden|TDK Corporation (Luxembourg)");
    // clang-format on
    for (const auto& [id, decade] : varnock::res::kDecadeButtons)
      QVERIFY(!Item<QRadioButton>(id)->isChecked());
    QCOMPARE(Maker()->currentText() + HubCode()->text() + Result()->text(), QString());
    QVERIFY(!Maker()->isEditable() && Result()->isReadOnly());
    QCOMPARE(QApplication::focusWidget(), Item(IDC_PROCESS));
    QVERIFY(Item<QPushButton>(IDC_PROCESS)->isDefault() &&
            !Item<QPushButton>(IDCANCEL)->isDefault());
    if (QFontDatabase::hasFamily(QStringLiteral("Liberation Sans"))) {  // the chosen stand-in
      QCOMPARE(QFontInfo(dlg_->font()).family(), QStringLiteral("Liberation Sans"));
      // Windows' dialog units: 4 wide are the 52 letters' average width, rounded; 8 high a line.
      const auto unit = [](int points) {
        return DialogUnits(QFont("Liberation Sans", points)).ToPixels({0, 0, 4, 8}).size();
      };
      QCOMPARE((QList<QSize>{unit(8), unit(10)}), (QList<QSize>{{6, 12}, {8, 15}}));
    }
    QCOMPARE(dlg_->minimumSize(), dlg_->maximumSize());
    QCOMPARE(dlg_->windowFlags() & (Qt::WindowType_Mask | Qt::WindowMinMaxButtonsHint),
             Qt::Window | Qt::WindowMinimizeButtonHint);  // its own taskbar entry
    QCOMPARE(
        dlg_->windowIcon().availableSizes(),
        (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
  }

  // The template table is the template: every number, text and style written out.
  void templateTableHoldsTheTemplate() {
    const char* kinds[] = {"autoradio", "defpush", "push",         "groupbox",
                           "edit",      "static",  "dropdownlist", "picture"};
    const QStringList styles = {"group",       "tabstop",  "border",  "uppercase",
                                "autohscroll", "readonly", "center",  "sunken",
                                "staticedge",  "notify",   "vscroll", "transparent"};
    const char* format = "%d %s '%s' %d,%d,%d,%d %s";
    QStringList real, want;
    for (const auto& c : kMainDialogControls) {
      QStringList bits;
      for (int bit = 0; bit < styles.size(); ++bit)
        if (c.styles & (1U << bit)) bits << styles[bit];
      real << QString::asprintf(format, c.id, kinds[int(c.kind)], std::string(c.text).c_str(), c.x,
                                c.y, c.width, c.height, qPrintable(bits.join(' ')));
    }
    for (const auto& c : kExpectedControls)
      want << QString::asprintf(format, c.id, c.kind.data(), c.text.data(), c.x, c.y, c.width,
                                c.height, c.styles.data());
    const auto& d = varnock::res::kMainDialog;
    real << QString::asprintf("%dx%d %s %s %d", d.width, d.height, d.caption.data(),
                              d.font_family.data(), d.font_point_size);
    QCOMPARE(real, want << kExpectedDialog.data());
  }

  // Every control where the template puts it, every text whole, every group's frame
  // around its controls with its top line through the title, and the mouse reaching
  // every input: in each common font that stands in for the template's, in two styles.
  // The screen's scale comes from the environment (QT_SCALE_FACTOR), one run a scale.
  void layout_data() {
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("font");
    int fonts = 0;
    for (const char* family : {"DejaVu Sans", "Liberation Sans", "Noto Sans"}) {
      if (!QFontDatabase::hasFamily(family)) continue;
      ++fonts;
      for (const char* style : {"Fusion", "Windows"})
        QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(family, style))) << style << family;
    }
    QTest::newRow("desktop font at 10 pt") << QStringLiteral("Fusion") << QStringLiteral("10");
    QVERIFY2(fonts > 0, "none of the common sans fonts is installed");
  }

  void layout() {
    QFETCH(QString, style);
    QFETCH(QString, font);
    const QString family = QStringLiteral("Microsoft Sans Serif");
    const QFont desktop = QApplication::font();
    QApplication::setStyle(QStyleFactory::create(style));
    QFont::removeSubstitutions(family);
    font == "10" ? QApplication::setFont(QFont(desktop.family(), 10))
                 : QFont::insertSubstitution(family, font);
    const auto restore = qScopeGuard([&] {
      QFont::removeSubstitutions(family);
      QApplication::setFont(desktop);
      QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    });
    init();
    QCOMPARE(font == "10" ? QString::number(dlg_->font().pointSizeF())  // the desktop's size
                          : QFontInfo(dlg_->font()).family(),
             font);
    const int base = qRound(dlg_->width() * 4 / 315.0);  // the horizontal unit it took
    QCOMPARE(dlg_->size(), ToPixels(dlg_->font(), 0, 0, 315, 100, base).size());
    for (const ExpectedControl& c : kExpectedControls) {
      QWidget* widget = Control(c.id, c.text);
      const QRect expected = ToPixels(dlg_->font(), c.x, c.y, c.width, c.height, base);
      QCOMPARE(InDialog(widget).topLeft(), expected.topLeft());
      if (c.kind == "picture") {
        QCOMPARE(widget->size(), QSize(102, 34));  // the bitmap and its edge
      } else if (c.kind != "dropdownlist") {
        QCOMPARE(widget->size(), expected.size());
      }
      const QFontMetrics metrics(widget->font());
      if (auto* label = qobject_cast<QLabel*>(widget)) {  // whole, and centred if asked
        QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->contentsRect().width() &&
                     metrics.height() <= label->contentsRect().height(),
                 c.text.data());
        QCOMPARE(label->alignment(), c.styles.find("center") != std::string_view::npos
                                         ? Qt::AlignCenter
                                         : Qt::AlignLeft | Qt::AlignTop);
      } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(radio);
        const QRect text =
            radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
        QVERIFY2(metrics.horizontalAdvance(radio->text()) <= text.width(), c.text.data());
      } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QVERIFY2(metrics.horizontalAdvance(button->text()) < button->width() - 8, c.text.data());
      }
    }
    QStyleOptionComboBox option;  // every maker's name whole in the closed list
    option.initFrom(Maker());
    const QRect field = Maker()->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                         QStyle::SC_ComboBoxEditField, Maker());
    for (int i = 0; i < Maker()->count(); ++i)
      QVERIFY2(Maker()->fontMetrics().horizontalAdvance(Maker()->itemText(i)) <= field.width(),
               qPrintable(Maker()->itemText(i)));
    for (auto* box : dlg_->findChildren<GroupBox*>()) {
      QVERIFY(qAbs(box->FrameRect().top() - box->TitleRect().center().y()) <= 1);
      QCOMPARE(box->FrameRect() | box->TitleRect(), box->rect());  // the frame at its edges
      const QImage drawn = box->grab().toImage();
      const int top = box->FrameRect().top(), w = box->width();
      const auto seen = [&](int x, int y) {  // the middle of the pixel, where it is scaled
        const qreal scale = drawn.devicePixelRatio();
        return drawn.pixel(int((x + 0.5) * scale), int((y + 0.5) * scale));
      };
      const auto role = [&](QPalette::ColorRole r) { return box->palette().color(r).rgb(); };
      // Etched, dark outside at the top; nothing above it.
      QCOMPARE((QList<QRgb>{seen(w / 2, top), seen(w / 2, top - 2)}),
               (QList<QRgb>{role(QPalette::Dark), role(QPalette::Window)}));
      bool gap = false;  // the title breaks the line
      for (int x = box->TitleRect().left(); x <= box->TitleRect().right(); ++x)
        gap |= seen(x, top) == role(QPalette::Window);
      QVERIFY(gap);
    }
    for (int id : {IDC_HUB_CODE, IDC_MANUFACTURER, IDC_RESULT, IDC_PROCESS, IDCANCEL,
                   IDC_DECADE_1990, IDC_DECADE_2000, IDC_DECADE_2010, IDC_DECADE_2020, IDC_LOGO})
      QCOMPARE(dlg_->childAt(InDialog(Item(id)).center()), Item(id));
    QVERIFY(!InDialog(Maker()).intersects(InDialog(Result())));
    // The list drops as far as the template's 101 units reach and scrolls for the rest.
    Maker()->setFocus();
    QTest::keyClick(Maker(), Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* rows = Maker()->view();
    QVERIFY(QTest::qWaitForWindowExposed(rows->window()));
    const int bottom =
        dlg_->mapToGlobal(ToPixels(dlg_->font(), 61, 30, 153, 101, base).bottomLeft()).y();
    const QRect dropped = rows->window()->geometry();
    QVERIFY(dropped.top() >= Maker()->mapToGlobal(Maker()->rect().bottomLeft()).y());
    QVERIFY(dropped.bottom() <= bottom && dropped.bottom() >= bottom - rows->sizeHintForRow(0));
    QVERIFY(rows->verticalScrollBar()->maximum() > 0);  // by a bar or by arrows
    QTest::keyClick(rows, Qt::Key_Escape);
  }

  // The logo drawn from the picture made for the screen's scale, pixel for pixel.
  void logoIsSharpAtTheScreensScale() {
    QWidget* logo = Item(IDC_LOGO);
    const qreal scale = logo->devicePixelRatioF();
    const QImage drawn =
        logo->grab(logo->contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
    const QString file = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
    const QImage made = QImage(QStringLiteral(":/varnock/logo%1.png").arg(file))
                            .convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!made.isNull(), qPrintable(file));
    QCOMPARE(drawn.devicePixelRatio(), scale);
    QCOMPARE(drawn.size(), made.size());
    int differ = 0;  // pixel for pixel
    for (int y = 0; y < made.height(); ++y)
      for (int x = 0; x < made.width(); ++x) differ += drawn.pixel(x, y) != made.pixel(x, y);
    QCOMPARE(differ, 0);
    const QImage whole = logo->grab().toImage();  // and its edge around it, sunken
    QCOMPARE((QList<QRgb>{whole.pixel(0, 0), whole.pixel(whole.width() - 1, whole.height() - 1)}),
             (QList<QRgb>{logo->palette().color(QPalette::Dark).rgb(),
                          logo->palette().color(QPalette::Light).rgb()}));
  }

  // Tab in the template's order, the logo last and of the decades the checked one (the
  // 1990s while none is); arrows as the dialog manager moves them on the buttons, and
  // round the decades in the order they are shown.
  void keyboardReachesEveryControl() {
    QList<QWidget*> tabs;
    for (int i = 0; i < 7; ++i)
      tabs << QApplication::focusWidget(), QTest::keyClick(tabs.back(), Qt::Key_Tab);
    QCOMPARE(tabs, (QList<QWidget*>{Item(IDC_PROCESS), Item(IDCANCEL), HubCode(), Maker(), Result(),
                                    Item(IDC_LOGO), Item(IDC_DECADE_1990)}));
    const QMap<char, Qt::Key> keys = {{'U', Qt::Key_Up},   {'D', Qt::Key_Down},
                                      {'L', Qt::Key_Left}, {'R', Qt::Key_Right},
                                      {'T', Qt::Key_Tab},  {'B', Qt::Key_Backtab}};
    for (const KeyMove& move : kKeyMoves) {
      QTest::keyClick(QApplication::focusWidget(), keys[move.key]);
      QCOMPARE(QApplication::focusWidget(), Item(move.focused));
      for (const auto& [id, decade] : varnock::res::kDecadeButtons)
        QCOMPARE(Item<QRadioButton>(id)->isChecked(), id == move.checked);
    }
    QTest::keyClick(Item(IDCANCEL), Qt::Key_Down);  // past the group box, to the code
    QCOMPARE(QApplication::focusWidget(), HubCode());
  }

  // RI50615 for Ritek in the 2000s, decoded and copied without the mouse; the logo's
  // page opened with Enter and Space.
  void aPersonWithOnlyAKeyboardDecodesAndCopies() {
    PageOpener browser;
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers m = {}) {
      QTest::keyClick(QApplication::focusWidget(), k, m);
    };
    key(Qt::Key_Tab), key(Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ri50615"));
    key(Qt::Key_Tab), key(Qt::Key_Home);
    for (int i = 0; i < 10; ++i) key(Qt::Key_Down);
    key(Qt::Key_Tab), key(Qt::Key_Tab);
    key(Qt::Key_Return), key(Qt::Key_Space);  // on the logo
    key(Qt::Key_Tab), key(Qt::Key_Right), key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Item(IDC_PROCESS));
    key(Qt::Key_Space);
    for (int i = 0; i < 3; ++i) key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), Result());
    key(Qt::Key_C, Qt::ControlModifier);  // Tab selected the whole of it
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("June 15th, 2005"));
    QCOMPARE(browser.opened.size(), 2);
  }

  // What a screen reader finds, in reading order: each control's role and name.
  void screenReadersFindEveryControlNamedInReadingOrder() {
    QStringList tree;
    const QMetaEnum roles = QMetaEnum::fromType<QAccessible::Role>();
    std::function<void(QAccessibleInterface*, int)> walk = [&](QAccessibleInterface* node,
                                                               int depth) {
      for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        tree << QString(depth * 2, ' ') + roles.valueToKey(child->role()) + ' ' +
                    child->text(QAccessible::Name) +
                    (child->role() == QAccessible::EditableText && child->state().readOnly
                         ? QStringLiteral(" (read-only)")
                         : QString()) +
                    (child->state().linked ? " to " + child->text(QAccessible::Description) : "");
        if (child->role() == QAccessible::Grouping) walk(child, depth + 1);
      }
    };
    walk(QAccessible::queryAccessibleInterface(dlg_.get()), 0);
    QCOMPARE(
        tree.join('|'),
        QStringLiteral(
            "Grouping Input |  StaticText Hub code|  EditableText Hub code|"
            "  StaticText Manufacturer|  ComboBox Manufacturer|  StaticText Decade|"
            "  Grouping Decade|    RadioButton 1990s|    RadioButton 2000s|    RadioButton 2010s|"
            "    RadioButton 2020s|Grouping Manufacturing date|"
            "  EditableText Manufacturing date (read-only)|Button Process|Button Close|"
            "StaticText version 2.0B1|StaticText (c) 2024-2026|Link Varnock web page to "
            "https://varnock.example.org/"));
    PageOpener browser;  // the link, pressed as a screen reader presses it; Qt's own actions too
    QAccessibleInterface* logo = QAccessible::queryAccessibleInterface(Item(IDC_LOGO));
    QVERIFY(
        logo->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    logo->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    logo->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
    QCOMPARE(QApplication::focusWidget(), Item(IDC_LOGO));
    QCOMPARE(browser.opened.size(), 1);
  }

  void typedAndPastedLettersTurnUpperCase() {
    const auto key = [this](auto... pressed) { QTest::keyClick(HubCode(), pressed...); };
    const auto paste = [&](const char16_t* text) {
      QApplication::clipboard()->setText(QString::fromUtf16(text));
      key(Qt::Key_V, Qt::ControlModifier);
      return HubCode()->text() + QString::number(HubCode()->cursorPosition());
    };
    TypeCode(QStringLiteral("k"));
    QCOMPARE(paste(u"c15"), QStringLiteral("KC154"));  // at the end, right after typing
    key(Qt::Key_Home);
    TypeCode(QStringLiteral("x\u00e9"));
    QCOMPARE(paste(u"\U0001E922a\r\n01"),
             QStringLiteral("X\u00C9\U0001E900AKC155"));  // its first line
    key(Qt::Key_Home), key(Qt::Key_Delete);  // a paste right after, where the cursor stays
    QCOMPARE(paste(u"z\nk"), QStringLiteral("Z\u00C9\U0001E900AKC151"));
    key(Qt::Key_Right, Qt::ShiftModifier);  // one letter replaced by an empty first line
    QCOMPARE(paste(u"\nk"), QStringLiteral("Z\U0001E900AKC151"));
    // Each paste and each run of typing is undone, and comes back.
    QStringList undone;
    for (int i = 0; i < 7; ++i) key(Qt::Key_Z, Qt::ControlModifier), undone << HubCode()->text();
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(undone << HubCode()->text(),
             (QStringList{"Z\u00C9\U0001E900AKC15", "\u00C9\U0001E900AKC15",
                          "X\u00C9\U0001E900AKC15", "X\u00C9KC15", "KC15", "K", "", "K"}));
    key(Qt::Key_A, Qt::ControlModifier), key(Qt::Key_Delete);
    TypeCode(QStringLiteral("\u00DFa"));  // sharp s has no one-letter upper case
    QCOMPARE(HubCode()->text(), QStringLiteral("\u00DFA"));
    // Dropped at the start and pasted from the menu: the first line, upper case.
    QApplication::clipboard()->setText(QStringLiteral("d\ne"));  // dragged from elsewhere
    const QMimeData* dragged = QApplication::clipboard()->mimeData();
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, dragged, Qt::LeftButton, {});
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, dragged, Qt::LeftButton, {});
    QApplication::sendEvent(HubCode(), &enter), QApplication::sendEvent(HubCode(), &drop);
    QApplication::clipboard()->setText(QStringLiteral("g\nh"));
    QApplication::setAttribute(Qt::AA_DontShowShortcutsInContextMenus);  // as GNOME's menus
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, {}, HubCode()->mapToGlobal(QPoint()));
    QApplication::sendEvent(HubCode(), &menu);
    auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    shown->actions()[5]->trigger(), shown->close();  // Undo, Redo, a line, Cut, Copy, Paste
    QInputMethodEvent composed;                      // and a text an input method composed
    composed.setCommitString(QStringLiteral("q")), QApplication::sendEvent(HubCode(), &composed);
    QCOMPARE(HubCode()->text() + QString::number(drop.isAccepted()), QStringLiteral("DGQ\u00DFA1"));
  }

  void decode_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(kDialogCases)); ++i) QTest::newRow(kDialogCases[i].name) << i;
  }

  void decode() {
    QFETCH(int, index);
    const DialogCase& c = kDialogCases[index];
    Result()->setText(kShownBefore);
    if (c.maker_row >= 0) PickMaker(c.maker_row);
    if (c.decade != 0) QTest::mouseClick(Item(c.decade), Qt::LeftButton);
    TypeCode(QString(c.filler, 'X') + QString::fromUtf8(c.typed));
    const QString box = ReadNextBox([&] {
      c.press_enter ? QTest::keyClick(HubCode(), Qt::Key_Return)
                    : QTest::mouseClick(Item(IDC_PROCESS), Qt::LeftButton);
    });
    QCOMPARE(Result()->text(), QString::fromUtf8(c.result));
    QCOMPARE(box, !c.message.empty()
                      ? QStringLiteral("Error|%1|2|1024").arg(QString::fromUtf8(c.message))
                      : QString());
  }

  void handOverTheLogoAloneAndOnePagePerClick() {
    QCOMPARE(Item(IDC_LOGO)->cursor().shape(), Qt::PointingHandCursor);
    PageOpener browser;
    for (int id : {IDC_VERSION_LABEL, IDC_YEARS_LABEL}) {  // they take no mouse input
      QWidget* under = dlg_->childAt(Item(id)->geometry().center());
      QVERIFY(under != Item(id));
      QCOMPARE((under ? under : dlg_.get())->cursor().shape(), Qt::ArrowCursor);
      ClickAt(Item(id));
    }
    ClickAt(Item(IDC_LOGO));
    QCOMPARE(QApplication::focusWidget(), Item(IDC_PROCESS));  // the logo takes no focus
    QCOMPARE(browser.opened, QList<QUrl>{QUrl(QStringLiteral("https://varnock.example.org/"))});
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    ClickAt(Item(IDC_LOGO), /*twice=*/true);
    QCOMPARE(browser.opened.size(), 2);
    QWidget* logo = Item(IDC_LOGO);  // with the focus, a frame one pixel inside its edge
    const QImage plain = logo->grab().toImage();
    Result()->setFocus();
    QTest::keyClick(Result(), Qt::Key_Tab);
    const QImage focused = logo->grab().toImage();
    QRect framed;
    for (int y = 0; y < plain.height(); ++y)
      for (int x = 0; x < plain.width(); ++x)
        if (plain.pixel(x, y) != focused.pixel(x, y)) framed |= QRect(x, y, 1, 1);
    QCOMPARE(framed, QRect(2, 2, 98, 30));
  }

  void closeEscapeAndTheWindowButtonEndTheDialogAndTheApplication() {
    for (int how = 0; how < 3; ++how) {
      dlg_->hide();
      QTimer::singleShot(0, dlg_.get(), [&] {
        if (how == 0) QTest::keyClick(Item(IDC_LOGO), Qt::Key_Escape);  // a key it leaves
        if (how == 1) QTest::mouseClick(Item(IDCANCEL), Qt::LeftButton);
        if (how == 2) dlg_->close();
      });
      QCOMPARE(dlg_->exec(), int(QDialog::Rejected));
    }
    dlg_.reset();
    bool shown = false;
    QTimer::singleShot(50, [&shown] {
      shown = qobject_cast<CDecoderDlg*>(QApplication::activeModalWidget()) != nullptr;
      QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
    });
    QCOMPARE(static_cast<CDecoderApp*>(qApp)->InitInstance(), 0);
    QVERIFY(shown);
    QCOMPARE(
        qApp->applicationName() + ' ' + qApp->applicationVersion() + ' ' + qApp->desktopFileName(),
        QStringLiteral("Varnock 2.0.0.0 org.example.Varnock"));
  }
};

int main(int argc, char** argv) {
  CDecoderApp app(argc, argv);
  DecoderDlgTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "decoder_dlg_test.moc"
