// The main dialog driven as a person drives it: keys, clicks, focus, message boxes.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <optional>

#include <varnock/code_page.h>
#include "decoder_app.h"
#include "decoder_dlg.h"
#include <varnock/hub_code_decoder.h>

namespace {

const QString kDvdMaker = QStringLiteral("Mitsubishi Chemical Corporation [DVD\u00B1R]");
const QString kNoDate = QString::fromLatin1(varnock::kNoDateMessage);
const QString kNoDateWithNote = QString::fromLatin1(varnock::kNoDateMessageWithNote);
const QString kNoDecade = QString::fromLatin1(varnock::kNoDecadeMessage);

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon;
  int buttons;
  bool ok_only;
};

// Reads the next modal message box while it is open and presses Enter on it, as a
// person reading it would.
class BoxReader : public QObject {
 public:
  BoxReader() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      timer_.stop();
      seen_ = SeenBox{box->windowTitle(), box->text(), box->icon(),
                      static_cast<int>(box->buttons().size()),
                      box->standardButtons() == QMessageBox::Ok};
      QTest::keyClick(box, Qt::Key_Enter);
    });
    timer_.start();
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
  PageOpener() {
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
  }
  ~PageOpener() override {
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
  }
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened.append(url); }
};

// Types the text into the widget key by key, also the characters no key of a US keyboard
// gives, as an input method delivers them.
void TypeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(widget, static_cast<char>(c.unicode()));
    } else {
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

}  // namespace

class DecoderDlgTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<CDecoderDlg> dlg_;

  template <typename T>
  T* Control(const char* id) {
    T* control = dlg_->findChild<T*>(QString::fromLatin1(id));
    if (!control) qFatal("no control %s", id);
    return control;
  }
  QLineEdit* HubCode() { return Control<QLineEdit>("IDC_HUB_CODE"); }
  QLineEdit* Result() { return Control<QLineEdit>("IDC_RESULT"); }
  QComboBox* Maker() { return Control<QComboBox>("IDC_MANUFACTURER"); }
  QPushButton* Process() { return Control<QPushButton>("IDC_PROCESS"); }
  QLabel* Label(const QString& text) {
    for (QLabel* label : dlg_->findChildren<QLabel*>()) {
      if (label->text() == text) return label;
    }
    qFatal("no label %s", qPrintable(text));
  }

  // Picks the maker from the keyboard: the first entry, then down the list to it.
  void PickMaker(const QString& name) {
    const int row = Maker()->findText(name, Qt::MatchExactly);
    QVERIFY2(row >= 0, qPrintable(name));
    Maker()->setFocus();
    QTest::keyClick(Maker(), Qt::Key_Home);
    for (int i = 0; i < row; ++i) QTest::keyClick(Maker(), Qt::Key_Down);
  }

  // Types the code into the empty hub code field.
  void TypeCode(const QString& code) {
    HubCode()->setFocus();
    TypeText(HubCode(), code);
  }

 private slots:
  void initTestCase() {
    // The offscreen platform says so each time a window is raised or grabs the keyboard;
    // that is noise here. Installed after the test library's own handler, it passes the
    // rest on to it.
    static const QtMessageHandler test_handler = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
      if (!text.startsWith(QLatin1String("This plugin does not support"))) test_handler(type, context, text);
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
    for (QRadioButton* decade : dlg_->findChildren<QRadioButton*>()) QVERIFY(!decade->isChecked());
    QCOMPARE(Maker()->currentIndex(), -1);
    QCOMPARE(Maker()->currentText(), QString());
    QCOMPARE(HubCode()->text(), QString());
    QCOMPARE(Result()->text(), QString());
    QCOMPARE(QApplication::focusWidget(), Process());
    QVERIFY(Process()->isDefault());
  }

  void showsTheTemplateTexts() {
    QCOMPARE(dlg_->windowTitle(), QStringLiteral("Varnock v2.0B1 [BETA]"));
    QCOMPARE(Control<QLabel>("IDC_VERSION_LABEL")->text(), QStringLiteral("version 2.0B1"));
    QCOMPARE(Control<QPushButton>("IDCANCEL")->text(), QStringLiteral("Close"));
    QStringList boxes;
    for (QGroupBox* box : dlg_->findChildren<QGroupBox*>()) boxes << box->title();
    boxes.sort();
    QCOMPARE(boxes, (QStringList{"Input ", "Manufacturing date"}));
    for (const char* text : {"Hub code", "Manufacturer", "Decade"}) QVERIFY(Label(text));
    QStringList decades;
    for (const char* id : {"IDC_DECADE_1990", "IDC_DECADE_2000", "IDC_DECADE_2010", "IDC_DECADE_2020"}) {
      decades << Control<QRadioButton>(id)->text();
    }
    QCOMPARE(decades, (QStringList{"1990s", "2000s", "2010s", "2020s"}));
  }

  void listsTheMakersUnsortedInTheirOrder() {
    QStringList makers;
    for (int i = 0; i < Maker()->count(); ++i) makers << Maker()->itemText(i);
    QCOMPARE(makers, (QStringList{"CMC Magnetics", "Daxon Technology", "Eastman Kodak Company",
                                  "Mitsubishi Chemical Corporation [CD-R]", kDvdMaker,
                                  "Mitsui Toatsu Chemicals + MAM-E", "MJC Pte Ltd (Singapore)",
                                  "Moser Baer India", "Optodisc Technology", "Prodisc",
                                  "Ritek Corporation", "Taiyo Yuden", "TDK Corporation (Luxembourg)"}));
    QVERIFY(!Maker()->isEditable());
  }

  void isAFixedSizeWindowWithMinimizeBox() {
    QCOMPARE(dlg_->minimumSize(), dlg_->maximumSize());
    QVERIFY(dlg_->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(dlg_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(dlg_->windowFlags() & Qt::WindowType_Mask, Qt::Window);  // its own taskbar entry
    QVERIFY(!dlg_->windowIcon().isNull());
  }

  void tabSkipsTheDecadesAndLabels() {
    QStringList order;
    for (int i = 0; i < 6; ++i) {
      order << QApplication::focusWidget()->objectName();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, (QStringList{"IDC_PROCESS", "IDCANCEL", "IDC_HUB_CODE", "IDC_MANUFACTURER",
                                 "IDC_RESULT", "IDC_PROCESS"}));
  }

  void decadesStayExclusiveAndNeverReturnToNone() {
    auto* d1990 = Control<QRadioButton>("IDC_DECADE_1990");
    auto* d2000 = Control<QRadioButton>("IDC_DECADE_2000");
    auto* d2010 = Control<QRadioButton>("IDC_DECADE_2010");
    QTest::mouseClick(d1990, Qt::LeftButton);
    QVERIFY(d1990->isChecked());
    QTest::mouseClick(d2000, Qt::LeftButton);
    QVERIFY(d2000->isChecked() && !d1990->isChecked());
    QTest::mouseClick(d2000, Qt::LeftButton);
    QVERIFY(d2000->isChecked());
    QCOMPARE(QApplication::focusWidget(), d2000);
    QTest::keyClick(d2000, Qt::Key_Right);
    QVERIFY(d2010->isChecked() && !d2000->isChecked());
    QTest::keyClick(d2010, Qt::Key_Left);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QVERIFY(d1990->isChecked());
    int checked = 0;
    for (QRadioButton* decade : dlg_->findChildren<QRadioButton*>()) checked += decade->isChecked();
    QCOMPARE(checked, 1);
  }

  void typedLettersTurnUpperCaseWhereTheCursorIs() {
    TypeCode("kc15");
    QCOMPARE(HubCode()->text(), QStringLiteral("KC15"));
    QTest::keyClick(HubCode(), Qt::Key_Home);
    TypeText(HubCode(), QStringLiteral("x\u00e9"));
    QCOMPARE(HubCode()->text(), QStringLiteral("X\u00C9KC15"));
    QCOMPARE(HubCode()->cursorPosition(), 2);
  }

  void pastedLettersTurnUpperCase() {
    QApplication::clipboard()->setText(QStringLiteral("kc 15"));
    HubCode()->setFocus();
    QTest::keyClick(HubCode(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(HubCode()->text(), QStringLiteral("KC 15"));
  }

  // The field and varnock-cli must give the decoder the same byte for every letter.
  void upperCaseAgreesWithTheCommandLine() {
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
      if (c >= 0xD800 && c <= 0xDFFF) continue;
      QString typed = QString(QChar(c));
      int pos = 1;
      HubCode()->validator()->validate(typed, pos);
      const char via_field = varnock::ToCodePage(typed.toUcs4().value(0));
      if (via_field != varnock::ToCodePageUpper(c)) {
        QFAIL(qPrintable(QStringLiteral("U+%1 differs").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0'))));
      }
    }
  }

  void decode_data() {
    QTest::addColumn<QString>("maker");
    QTest::addColumn<QString>("decade");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("press_enter");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("message");

    const QString x123(123, 'X');
    QTest::newRow("nothing filled in asks for a decade") << "" << "" << "" << false << "" << kNoDecade;
    QTest::newRow("CMC needs no decade; Enter decodes")
        << "CMC Magnetics" << "" << "kc15" << true << "March 15th, 2006" << "";
    QTest::newRow("Ritek with a click on Process")
        << "Ritek Corporation" << "IDC_DECADE_1990" << "ri50615" << false << "June 15th, 1995" << "";
    QTest::newRow("decade without a maker does nothing")
        << "" << "IDC_DECADE_2000" << "KC15" << true << "" << "";
    QTest::newRow("DVD\u00B1R entry routes") << kDvdMaker << "IDC_DECADE_2020" << "mk1" << true << "2021" << "";
    QTest::newRow("maker that needs a decade") << "Taiyo Yuden" << "" << "TY8" << true << "" << kNoDecade;
    QTest::newRow("three-digit MBI code gets the note")
        << "Moser Baer India" << "IDC_DECADE_2000" << "123" << true << "" << kNoDateWithNote;
    QTest::newRow("leap day") << "Moser Baer India" << "IDC_DECADE_2000" << "4060" << true
                              << "February 29th, 2004" << "";
    QTest::newRow("200 characters decode from the first 127")
        << "CMC Magnetics" << "" << x123 + "KC15" + QString(73, 'Y') << true << "March 15th, 2006" << "";
    QTest::newRow("the 128th character is cut")
        << "CMC Magnetics" << "" << x123 + "XKC15" + QString(72, 'Y') << true << "" << kNoDate;
    QTest::newRow("blanks count toward the cut")
        << "CMC Magnetics" << "" << QString(124, ' ') + "KC15" << true << "" << kNoDate;
    QTest::newRow("Latin letter reaches the decoder upper case")
        << "Daxon Technology" << "" << "x\u00e912abc25" << true << "December 25th, 1879" << "";
    QTest::newRow("character outside the code page")
        << "Daxon Technology" << "" << "X\u041612ABC25" << true << "December 25th, 1997" << "";
  }

  void decode() {
    QFETCH(QString, maker);
    QFETCH(QString, decade);
    QFETCH(QString, code);
    QFETCH(bool, press_enter);
    QFETCH(QString, result);
    QFETCH(QString, message);

    if (!maker.isEmpty()) PickMaker(maker);
    QCOMPARE(Maker()->currentText(), maker);
    if (!decade.isEmpty()) QTest::mouseClick(Control<QRadioButton>(qPrintable(decade)), Qt::LeftButton);
    TypeCode(code);
    BoxReader reader;
    if (press_enter) {
      QTest::keyClick(HubCode(), Qt::Key_Return);
    } else {
      QTest::mouseClick(Process(), Qt::LeftButton);
    }
    QCOMPARE(Result()->text(), result);
    if (message.isEmpty()) {
      QVERIFY(!reader.seen());
      return;
    }
    QVERIFY(reader.seen());
    QCOMPARE(reader.seen()->text, message);
    QCOMPARE(reader.seen()->title, QStringLiteral("Error"));
    QCOMPARE(reader.seen()->icon, QMessageBox::Warning);
    QCOMPARE(reader.seen()->buttons, 1);
    QVERIFY(reader.seen()->ok_only);
  }

  void failedDecodeLeavesTheDate() {
    PickMaker("CMC Magnetics");
    TypeCode("KC15");
    QTest::keyClick(HubCode(), Qt::Key_Return);
    QCOMPARE(Result()->text(), QStringLiteral("March 15th, 2006"));
    QTest::keyClick(HubCode(), Qt::Key_Backspace);
    BoxReader reader;
    QTest::keyClick(HubCode(), Qt::Key_Return);
    QVERIFY(reader.seen());
    QCOMPARE(Result()->text(), QStringLiteral("March 15th, 2006"));
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
    QTest::keyClicks(Result(), "X");
    QCOMPARE(Result()->text(), QStringLiteral("January , 2021"));
  }

  void labelsNameTheirInputsForScreenReaders() {
    QCOMPARE(Label("Hub code")->buddy(), HubCode());
    QCOMPARE(Label("Manufacturer")->buddy(), Maker());
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(HubCode());
    QVERIFY(field);
    QCOMPARE(field->text(QAccessible::Name), QStringLiteral("Hub code"));
  }

  void handOverTheLogoAloneArrowOverTheLabels() {
    auto* logo = Control<QLabel>("IDC_LOGO");
    QCOMPARE(logo->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(logo->pixmap().size(), QSize(100, 32));
    for (const char* id : {"IDC_VERSION_LABEL", "IDC_YEARS_LABEL"}) {
      auto* label = Control<QLabel>(id);
      const QPoint centre = label->geometry().center();
      QWidget* under = dlg_->childAt(centre);  // what the mouse reaches there
      QVERIFY2(under != label, id);
      QCOMPARE((under ? under : dlg_.get())->cursor().shape(), Qt::ArrowCursor);
    }
    QCOMPARE(dlg_->childAt(logo->geometry().center()), logo);
  }

  void logoOpensThePageOncePerClick() {
    PageOpener browser;
    QWindow* window = dlg_->windowHandle();
    const QPoint logo = Control<QLabel>("IDC_LOGO")->geometry().center();
    QTest::mouseClick(window, Qt::LeftButton, {}, logo);
    QCOMPARE(browser.opened.size(), 1);
    QCOMPARE(browser.opened.front().scheme(), QStringLiteral("https"));
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseDClick(window, Qt::LeftButton, {}, logo);
    QCOMPARE(browser.opened.size(), 2);
    for (const char* id : {"IDC_VERSION_LABEL", "IDC_YEARS_LABEL"}) {
      QTest::mouseClick(window, Qt::LeftButton, {}, Control<QLabel>(id)->geometry().center());
    }
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
      if (how == 1) QTest::mouseClick(Control<QPushButton>("IDCANCEL"), Qt::LeftButton);
      if (how == 2) dlg_->close();
    });
    QCOMPARE(dlg_->exec(), static_cast<int>(QDialog::Rejected));
    QVERIFY(!dlg_->isVisible());
  }

  void applicationRunsTheDialogOnceAndReturns() {
    QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("2.0.0.0"));
    dlg_.reset();
    QTimer::singleShot(50, [] {
      QWidget* shown = QApplication::activeModalWidget();
      QVERIFY(qobject_cast<CDecoderDlg*>(shown));
      QTest::keyClick(shown, Qt::Key_Escape);
    });
    QCOMPARE(static_cast<CDecoderApp*>(qApp)->InitInstance(), 0);
  }

  void savesAPictureOfTheDialog() {
    PickMaker("CMC Magnetics");
    TypeCode("KC15");
    QTest::keyClick(HubCode(), Qt::Key_Return);
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath("varnock-dialog.png");
    QVERIFY(dlg_->grab().save(path));
  }
};

int main(int argc, char** argv) {
  CDecoderApp app(argc, argv);
  DecoderDlgTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "decoder_dlg_test.moc"
