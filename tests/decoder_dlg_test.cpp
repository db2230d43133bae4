// The main dialog driven as a person drives it: keys, clicks, focus, message boxes.
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <optional>

#include <varnock/code_page.h>

#include "decoder_app.h"
#include "decoder_dlg.h"
#include "group_box.h"
#include "main_dialog.h"

namespace {

const QString kNoDate = QStringLiteral(
    "No date string found in the provided input. Please check the serial code you entered.");
const QString kNoDecade =
    QStringLiteral("No decade selected. This manufacturer requires a decade estimate.");
const QString kDvd = QStringLiteral("Mitsubishi Chemical Corporation [DVD\u00B1R]");

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
};

// Reads the next modal message box while it is open and presses Enter on it, as a
// person reading it would.
class BoxReader : public QObject {
 public:
  BoxReader() {
    connect(&timer_, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      timer_.stop();
      seen_ = SeenBox{box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
      QTest::keyClick(box, Qt::Key_Enter);
    });
    timer_.start(5);
  }
  const std::optional<SeenBox>& seen() const { return seen_; }

 private:
  QTimer timer_;
  std::optional<SeenBox> seen_;
};

// Stands in for the browser: counts the pages the program asks to open.
class PageOpener : public QObject {
  Q_OBJECT
 public:
  PageOpener() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open"); }
  ~PageOpener() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened.append(url); }
};

// Types the text key by key; characters no key of a US keyboard gives arrive as an
// input method delivers them.
void TypeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(widget, static_cast<char>(c.unicode()));
    } else {
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

// Dialog units to pixels as Windows converts them for the dialog's font.
QRect ToPixels(const QFont& font, int x, int y, int width, int height) {
  const QFontMetrics metrics(font);
  const int base_x = (metrics.horizontalAdvance(
                          QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                          26 +
                      1) /
                     2;
  const int base_y = metrics.height();
  const auto mul_div = [](int units, int base, int div) {
    return qRound(units * base / double(div));
  };
  return {mul_div(x, base_x, 4), mul_div(y, base_y, 8), mul_div(width, base_x, 4),
          mul_div(height, base_y, 8)};
}

}  // namespace

class DecoderDlgTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<CDecoderDlg> dlg_;

  template <typename T = QWidget>
  T* Item(int id) {
    auto* item = qobject_cast<T*>(dlg_->GetDlgItem(id));
    if (!item) qFatal("no control %d", id);
    return item;
  }
  QLineEdit* HubCode() { return Item<QLineEdit>(IDC_HUB_CODE); }
  QLineEdit* Result() { return Item<QLineEdit>(IDC_RESULT); }
  QComboBox* Maker() { return Item<QComboBox>(IDC_MANUFACTURER); }
  QRadioButton* DecadeButton(int id) { return Item<QRadioButton>(id); }
  // A control of the template, also one without an identifier (found by its text).
  QWidget* Control(const varnock::res::ControlTemplate& control) {
    if (control.id != IDC_STATIC) return dlg_->GetDlgItem(control.id);
    for (QWidget* w : dlg_->findChildren<QWidget*>()) {
      const auto* label = qobject_cast<QLabel*>(w);
      const auto* box = qobject_cast<GroupBox*>(w);
      const QString text = label ? label->text() : box ? box->title() : QString();
      if (text == QString::fromLatin1(control.text)) return w;
    }
    return nullptr;
  }

  // Picks the maker from the keyboard: the first entry, then down the list to it.
  void PickMaker(const QString& name) {
    Maker()->setFocus();
    QTest::keyClick(Maker(), Qt::Key_Home);
    while (Maker()->currentText() != name && Maker()->currentIndex() + 1 < Maker()->count()) {
      QTest::keyClick(Maker(), Qt::Key_Down);
    }
    QCOMPARE(Maker()->currentText(), name);
  }
  void TypeCode(const QString& code) {
    HubCode()->setFocus();
    TypeText(HubCode(), code);
  }
  void ClickAt(QWidget* widget) {
    QTest::mouseClick(dlg_->windowHandle(), Qt::LeftButton, {}, widget->geometry().center());
  }

 private slots:
  void initTestCase() {
    // The offscreen platform says so each time a window is raised or grabs the keyboard.
    static const QtMessageHandler test_handler = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
          if (!text.startsWith(QLatin1String("This plugin does not support")))
            test_handler(type, context, text);
        });
  }

  void init() {
    dlg_ = std::make_unique<CDecoderDlg>();
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowActive(dlg_.get()));
  }

  void cleanup() {
    dlg_.reset();
    for (QWidget* window : QApplication::topLevelWidgets()) {
      QVERIFY2(!window->isVisible(), qPrintable(window->objectName() + " left open"));
    }
  }

  void startsEmptyWithFocusOnProcess() {
    for (int id : {IDC_DECADE_1990, IDC_DECADE_2000, IDC_DECADE_2010, IDC_DECADE_2020}) {
      QVERIFY(!DecadeButton(id)->isChecked());
    }
    QCOMPARE(Maker()->currentText(), QString());
    QCOMPARE(HubCode()->text(), QString());
    QCOMPARE(Result()->text(), QString());
    QCOMPARE(QApplication::focusWidget(), Item(IDC_PROCESS));
    QVERIFY(Item<QPushButton>(IDC_PROCESS)->isDefault());
    QVERIFY(!Item<QPushButton>(IDCANCEL)->isDefault());
  }

  void showsItsTexts() {
    QCOMPARE(dlg_->windowTitle(), QStringLiteral("Varnock v2.0B1 [BETA]"));
    QCOMPARE(Item<QLabel>(IDC_VERSION_LABEL)->text(), QStringLiteral("version 2.0B1"));
    QCOMPARE(Item<QLabel>(IDC_YEARS_LABEL)->text(), QStringLiteral("(c) 2024-2026"));
    QCOMPARE(Item<QPushButton>(IDC_PROCESS)->text(), QStringLiteral("Process"));
    QCOMPARE(Item<QPushButton>(IDCANCEL)->text(), QStringLiteral("Close"));
    QStringList decades;
    for (int id : {IDC_DECADE_1990, IDC_DECADE_2000, IDC_DECADE_2010, IDC_DECADE_2020}) {
      decades << DecadeButton(id)->text();
    }
    QCOMPARE(decades, (QStringList{"1990s", "2000s", "2010s", "2020s"}));
    QStringList makers;
    for (int i = 0; i < Maker()->count(); ++i) makers << Maker()->itemText(i);
    QCOMPARE(makers,
             (QStringList{"CMC Magnetics", "Daxon Technology", "Eastman Kodak Company",
                          "Mitsubishi Chemical Corporation [CD-R]", kDvd,
                          "Mitsui Toatsu Chemicals + MAM-E", "MJC Pte Ltd (Singapore)",
                          "Moser Baer India", "Optodisc Technology", "Prodisc", "Ritek Corporation",
                          "Taiyo Yuden", "TDK Corporation (Luxembourg)"}));
    QVERIFY(!Maker()->isEditable());
  }

  void isAFixedSizeWindowWithItsIcons() {
    QCOMPARE(dlg_->size(), ToPixels(dlg_->font(), 0, 0, 315, 100).size());
    QCOMPARE(dlg_->minimumSize(), dlg_->maximumSize());
    QVERIFY(dlg_->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(dlg_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(dlg_->windowFlags() & Qt::WindowType_Mask, Qt::Window);  // its own taskbar entry
    QCOMPARE(dlg_->windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {48, 48}}));
  }

  void layout_data() {
    QTest::addColumn<QString>("style");
    QTest::newRow("Fusion") << "Fusion";
    QTest::newRow("Windows") << "Windows";
  }

  // Every control where the template puts it, every group's frame around its controls
  // with its top line through the title, and the mouse reaching every input.
  void layout() {
    QFETCH(QString, style);
    QApplication::setStyle(QStyleFactory::create(style));
    init();
    const QFont font = dlg_->font();
    QList<QPair<QRect, GroupBox*>> groups;
    for (const varnock::res::ControlTemplate& c : varnock::res::kMainDialogControls) {
      QWidget* widget = Control(c);
      QVERIFY2(widget, c.text.data());
      const QRect expected = ToPixels(font, c.x, c.y, c.width, c.height);
      QCOMPARE(widget->pos(), expected.topLeft());
      if (c.kind == varnock::res::ControlKind::kPicture) {
        QCOMPARE(widget->size(), QSize(102, 34));  // the bitmap and its edge
      } else if (c.kind != varnock::res::ControlKind::kDropDownList) {
        QCOMPARE(widget->size(), expected.size());
      }
      if (auto* box = qobject_cast<GroupBox*>(widget)) groups.append({expected, box});
    }
    for (const auto& [area, box] : groups) {
      const QRect frame = box->FrameRect().translated(box->pos());
      const QRect title = box->TitleRect().translated(box->pos());
      QVERIFY(qAbs(frame.top() - title.center().y()) <= 1);
      const QImage drawn = box->grab().toImage();  // the line is drawn there, past the title
      const QColor background = box->palette().color(QPalette::Window);
      QVERIFY(drawn.pixelColor(box->width() / 2, box->FrameRect().top()) != background);
      QCOMPARE(drawn.pixelColor(box->width() / 2, box->FrameRect().top() - 2), background);
      for (const varnock::res::ControlTemplate& c : varnock::res::kMainDialogControls) {
        QWidget* inner = Control(c);
        if (inner == box || !area.contains(inner->geometry())) continue;
        QVERIFY2(frame.adjusted(2, 2, -2, -2).contains(inner->geometry()), c.text.data());
        QVERIFY2(!title.intersects(inner->geometry()), c.text.data());
      }
    }
    for (int id : {IDC_HUB_CODE, IDC_MANUFACTURER, IDC_RESULT, IDC_PROCESS, IDCANCEL,
                   IDC_DECADE_1990, IDC_DECADE_2000, IDC_DECADE_2010, IDC_DECADE_2020, IDC_LOGO}) {
      QCOMPARE(dlg_->childAt(Item(id)->geometry().center()), Item(id));
    }
    ClickAt(HubCode());
    QCOMPARE(QApplication::focusWidget(), HubCode());
    QVERIFY(!Maker()->geometry().intersects(Result()->geometry()));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  }

  // The list drops as far as the template's 101 units reach and scrolls for the rest.
  void droppedListScrollsWithinTheTemplateHeight() {
    Maker()->setFocus();
    QTest::keyClick(Maker(), Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* rows = Maker()->view();
    QVERIFY(QTest::qWaitForWindowExposed(rows->window()));
    const int bottom = dlg_->mapToGlobal(ToPixels(dlg_->font(), 61, 30, 153, 101).bottomLeft()).y();
    QVERIFY(rows->window()->geometry().top() >=
            Maker()->mapToGlobal(Maker()->rect().bottomLeft()).y());
    QVERIFY(rows->window()->geometry().bottom() <= bottom);
    QVERIFY(rows->window()->geometry().bottom() > bottom - rows->sizeHintForRow(0));
    QVERIFY(rows->verticalScrollBar()->isVisible());
    QTest::keyClick(rows, Qt::Key_Escape);
  }

  void tabSkipsTheDecadesAndLabels() {
    QList<QWidget*> order;
    for (int i = 0; i < 6; ++i) {
      order << QApplication::focusWidget();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, (QList<QWidget*>{Item(IDC_PROCESS), Item(IDCANCEL), HubCode(), Maker(),
                                     Result(), Item(IDC_PROCESS)}));
  }

  void decadesAreExclusiveAndArrowsGoRound() {
    QTest::mouseClick(DecadeButton(IDC_DECADE_2000), Qt::LeftButton);
    QTest::mouseClick(DecadeButton(IDC_DECADE_2000), Qt::LeftButton);
    QVERIFY(DecadeButton(IDC_DECADE_2000)->isChecked());
    const QList<QPair<Qt::Key, int>> steps = {
        {Qt::Key_Right, IDC_DECADE_2010}, {Qt::Key_Down, IDC_DECADE_2020},
        {Qt::Key_Right, IDC_DECADE_1990}, {Qt::Key_Left, IDC_DECADE_2020},
        {Qt::Key_Up, IDC_DECADE_2010},    {Qt::Key_Up, IDC_DECADE_2000}};
    for (const auto& [key, id] : steps) {
      QTest::keyClick(QApplication::focusWidget(), key);
      QCOMPARE(QApplication::focusWidget(), Item(id));
      for (int other : {IDC_DECADE_1990, IDC_DECADE_2000, IDC_DECADE_2010, IDC_DECADE_2020}) {
        QCOMPARE(DecadeButton(other)->isChecked(), other == id);
      }
    }
  }

  void typedAndPastedLettersTurnUpperCase() {
    TypeCode("kc15");
    QCOMPARE(HubCode()->text(), QStringLiteral("KC15"));
    QTest::keyClick(HubCode(), Qt::Key_Home);
    TypeText(HubCode(), QStringLiteral("x\u00e9"));
    QCOMPARE(HubCode()->text(), QStringLiteral("X\u00C9KC15"));
    QCOMPARE(HubCode()->cursorPosition(), 2);
    QApplication::clipboard()->setText(QStringLiteral("\U0001E922a\r\n01"));  // its first line
    QTest::keyClick(HubCode(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(HubCode()->text(), QStringLiteral("X\u00C9\U0001E900AKC15"));
    QCOMPARE(HubCode()->cursorPosition(), 5);
  }

  // The field and varnock-cli must give the decoder the same byte for every letter.
  void upperCaseAgreesWithTheCommandLine() {
    for (char32_t c = 1; c <= 0xFFFF; ++c) {
      if ((c >= 0xD800 && c <= 0xDFFF) || c == '\r' || c == '\n') continue;
      QString typed(QChar(static_cast<char16_t>(c)));
      int pos = 1;
      HubCode()->validator()->validate(typed, pos);
      if (varnock::ToCodePage(typed.toUcs4().value(0)) != varnock::ToCodePageUpper(c)) {
        QFAIL(qPrintable(QStringLiteral("U+%1 differs").arg(uint(c), 4, 16, QLatin1Char('0'))));
      }
    }
  }

  void decode_data() {
    QTest::addColumn<QString>("maker");
    QTest::addColumn<int>("decade");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("press_enter");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("message");

    QTest::newRow("nothing filled in asks for a decade")
        << "" << 0 << "" << false << "" << kNoDecade;
    QTest::newRow("CMC needs no decade; Enter decodes")
        << "CMC Magnetics" << 0 << "kc15" << true << "March 15th, 2006"
        << "";
    QTest::newRow("1990s") << "Ritek Corporation" << IDC_DECADE_1990 << "ri50615" << false
                           << "June 15th, 1995"
                           << "";
    QTest::newRow("2000s") << "MJC Pte Ltd (Singapore)" << IDC_DECADE_2000 << "50615" << true
                           << "June 15th, 2005"
                           << "";
    QTest::newRow("2010s") << "Optodisc Technology" << IDC_DECADE_2010 << "50615" << true
                           << "June 15th, 2015"
                           << "";
    QTest::newRow("2020s and the DVD\u00B1R entry")
        << kDvd << IDC_DECADE_2020 << "mk1" << true << "2021"
        << "";
    QTest::newRow("maker that needs a decade")
        << "Taiyo Yuden" << 0 << "TY8" << true << "" << kNoDecade;
    QTest::newRow("the note in two paragraphs")
        << "Moser Baer India" << IDC_DECADE_2000 << "123" << true << ""
        << kNoDate +
               "\n\nNOTE: If you're trying to decode an MBI serial with 3 digits, the disc "
               "is likely made in 2000 or 2010, therefore you should add a 0 to the beginning.";
    QTest::newRow("the 128th character is cut")
        << "CMC Magnetics" << 0 << QString(124, 'X') + "KC15" << true << "" << kNoDate;
    QTest::newRow("Latin letter reaches the decoder in the code page")
        << "Daxon Technology" << 0 << "x\u00e912abc25" << true << "December 25th, 1879"
        << "";
  }

  void decode() {
    QFETCH(QString, maker);
    QFETCH(int, decade);
    QFETCH(QString, code);
    QFETCH(bool, press_enter);
    QFETCH(QString, result);
    QFETCH(QString, message);

    if (!maker.isEmpty()) PickMaker(maker);
    if (decade != 0) QTest::mouseClick(DecadeButton(decade), Qt::LeftButton);
    TypeCode(code);
    BoxReader reader;
    if (press_enter) {
      QTest::keyClick(HubCode(), Qt::Key_Return);
    } else {
      QTest::mouseClick(Item(IDC_PROCESS), Qt::LeftButton);
    }
    QCOMPARE(Result()->text(), result);
    QCOMPARE(reader.seen().has_value(), !message.isEmpty());
    if (!reader.seen()) return;
    QCOMPARE(reader.seen()->text, message);
    QCOMPARE(reader.seen()->title, QStringLiteral("Error"));
    QCOMPARE(reader.seen()->icon, QMessageBox::Warning);
    QCOMPARE(reader.seen()->buttons, QMessageBox::Ok);
  }

  void errorAndNothingLeaveTheDate() {
    PickMaker("CMC Magnetics");
    TypeCode("KC15");
    QTest::keyClick(HubCode(), Qt::Key_Return);
    QTest::keyClick(HubCode(), Qt::Key_Backspace);
    BoxReader reader;
    QTest::keyClick(HubCode(), Qt::Key_Return);
    QVERIFY(reader.seen());
    QCOMPARE(Result()->text(), QStringLiteral("March 15th, 2006"));

    dlg_ = std::make_unique<CDecoderDlg>();  // a decade and no maker: nothing happens
    Result()->setText(QStringLiteral("March 15th, 2006"));
    QTest::mouseClick(DecadeButton(IDC_DECADE_2000), Qt::LeftButton);
    BoxReader no_box;
    QTest::mouseClick(Item(IDC_PROCESS), Qt::LeftButton);
    QCOMPARE(Result()->text(), QStringLiteral("March 15th, 2006"));
    QVERIFY(!no_box.seen());
  }

  void resultCanBeSelectedAndCopied() {
    PickMaker("CMC Magnetics");
    TypeCode("ZA00");
    QTest::keyClick(HubCode(), Qt::Key_Return);
    QVERIFY(Result()->isReadOnly());
    Result()->setFocus();
    QTest::keyClick(Result(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Result(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("January , 2021"));
  }

  void labelsNameTheirInputsForScreenReaders() {
    QCOMPARE(QAccessible::queryAccessibleInterface(HubCode())->text(QAccessible::Name),
             QStringLiteral("Hub code"));
    QCOMPARE(QAccessible::queryAccessibleInterface(Maker())->text(QAccessible::Name),
             QStringLiteral("Manufacturer"));
  }

  void handOverTheLogoAloneAndOnePagePerClick() {
    QCOMPARE(Item(IDC_LOGO)->cursor().shape(), Qt::PointingHandCursor);
    for (int id : {IDC_VERSION_LABEL, IDC_YEARS_LABEL}) {
      QWidget* under = dlg_->childAt(Item(id)->geometry().center());
      QCOMPARE((under ? under : dlg_.get())->cursor().shape(), Qt::ArrowCursor);
    }
    PageOpener browser;
    ClickAt(Item(IDC_LOGO));
    QCOMPARE(browser.opened, QList<QUrl>{QUrl(QStringLiteral("https://varnock.example.org/"))});
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseDClick(dlg_->windowHandle(), Qt::LeftButton, {},
                       Item(IDC_LOGO)->geometry().center());
    QCOMPARE(browser.opened.size(), 2);
    ClickAt(Item(IDC_VERSION_LABEL));
    ClickAt(Item(IDC_YEARS_LABEL));
    QCOMPARE(browser.opened.size(), 2);
  }

  void closeEscapeAndTheWindowButtonEndTheDialog_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Escape") << 0;
    QTest::newRow("Close button") << 1;
    QTest::newRow("window close") << 2;
  }

  void closeEscapeAndTheWindowButtonEndTheDialog() {
    QFETCH(int, how);
    dlg_->hide();
    QTimer::singleShot(0, dlg_.get(), [&] {
      if (how == 0) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      if (how == 1) QTest::mouseClick(Item(IDCANCEL), Qt::LeftButton);
      if (how == 2) dlg_->close();
    });
    QCOMPARE(dlg_->exec(), int(QDialog::Rejected));
  }

  void applicationRunsTheDialogOnceAndReturns() {
    dlg_.reset();
    QTimer::singleShot(50, [] {
      QWidget* shown = QApplication::activeModalWidget();
      QVERIFY(qobject_cast<CDecoderDlg*>(shown));
      QTest::keyClick(shown, Qt::Key_Escape);
    });
    QCOMPARE(static_cast<CDecoderApp*>(qApp)->InitInstance(), 0);
  }
};

int main(int argc, char** argv) {
  CDecoderApp app(argc, argv);
  DecoderDlgTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "decoder_dlg_test.moc"
