// The Qt dialog driven as a person drives it: keys, clicks, focus, message boxes.
#include <QtTest>
#include <QtWidgets>

#include <memory>

#include "decoder_app.h"
#include "decoder_dlg.h"
#include "dialog_cases.h"
#include "group_box.h"
#include "main_dialog.h"

namespace {

using varnock::res::ControlKind;
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

// Dialog units to pixels as Windows converts them for the dialog's font.
QRect ToPixels(const QFont& font, int x, int y, int width, int height) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  const double base_x = (letters / 26 + 1) / 2, base_y = metrics.height();
  return {qRound(x * base_x / 4), qRound(y * base_y / 8), qRound(width * base_x / 4),
          qRound(height * base_y / 8)};
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
  QWidget* Control(const varnock::res::ControlTemplate& control) {
    if (control.id != IDC_STATIC) return dlg_->GetDlgItem(control.id);
    for (QWidget* w : dlg_->findChildren<QWidget*>()) {
      auto* label = qobject_cast<QLabel*>(w);
      auto* box = qobject_cast<GroupBox*>(w);
      if ((label ? label->text() : box ? box->title() : QString()) == control.text.data()) return w;
    }
    return nullptr;
  }
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
    QCOMPARE(Item<QLabel>(IDC_VERSION_LABEL)->text() + '|' + Item<QLabel>(IDC_YEARS_LABEL)->text(),
             QStringLiteral("version 2.0B1|(c) 2024-2026"));
    QString edges;  // a static edge is a line, and sunken one more: the two labels, the logo
    for (const auto& c : kMainDialogControls)
      if (auto* label = qobject_cast<QLabel*>(Control(c)))
        edges += QString::number(label->frameWidth());
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
    QCOMPARE(dlg_->size(), ToPixels(dlg_->font(), 0, 0, 315, 100).size());
    QCOMPARE(dlg_->minimumSize(), dlg_->maximumSize());
    QCOMPARE(dlg_->windowFlags() & (Qt::WindowType_Mask | Qt::WindowMinMaxButtonsHint),
             Qt::Window | Qt::WindowMinimizeButtonHint);  // its own taskbar entry
    QCOMPARE(dlg_->windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {48, 48}}));
    Result()->setText(QStringLiteral("January , 2021"));
    QTest::keyClick(Result(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Result(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("January , 2021"));
    QCOMPARE(QAccessible::queryAccessibleInterface(HubCode())->text(QAccessible::Name) + '|' +
                 QAccessible::queryAccessibleInterface(Maker())->text(QAccessible::Name),
             QStringLiteral("Hub code|Manufacturer"));  // for screen readers
  }

  // Every control where the template puts it, every group's frame around its controls
  // with its top line through the title, and the mouse reaching every input; in the
  // default style and in another.
  void layout() {
    // In the default style and font, then in other styles with other fonts for the
    // template's (the conversion to pixels rounds differently for each), the last with
    // taller list rows.
    const QString family = QStringLiteral("Microsoft Sans Serif");
    const std::tuple<const char*, const char*, const char*> passes[] = {
        {"Fusion", nullptr, ""},
        {"Windows", "DejaVu Serif", ""},
        {"Fusion", "DejaVu Sans Mono", "QComboBox QAbstractItemView::item { padding: 4px }"}};
    for (const auto& [style, substitute, sheet] : passes) {
      QApplication::setStyle(QStyleFactory::create(style));
      qApp->setStyleSheet(sheet);
      QFont::removeSubstitutions(family);
      if (substitute) QFont::insertSubstitution(family, substitute);
      init();
      if (substitute) QCOMPARE(QFontInfo(dlg_->font()).family(), QString(substitute));
      for (const varnock::res::ControlTemplate& c : kMainDialogControls) {
        QWidget* widget = Control(c);
        const QRect expected = ToPixels(dlg_->font(), c.x, c.y, c.width, c.height);
        QCOMPARE(widget->pos(), expected.topLeft());
        if (c.kind == ControlKind::kPicture) {
          QCOMPARE(widget->size(), QSize(102, 34));  // the bitmap and its edge
        } else if (c.kind != ControlKind::kDropDownList) {
          QCOMPARE(widget->size(), expected.size());
        }
        auto* box = qobject_cast<GroupBox*>(widget);
        if (!box) continue;
        const QRect frame = box->FrameRect().translated(box->pos());
        const QRect title = box->TitleRect().translated(box->pos());
        QVERIFY(qAbs(frame.top() - title.center().y()) <= 1);
        const QImage drawn = box->grab().toImage();
        const auto seen = [&](int x, int y) {  // in device pixels, where the screen is scaled
          return drawn.pixel((QPointF(x, y) * drawn.devicePixelRatio()).toPoint());
        };
        const auto role = [&](QPalette::ColorRole r) { return box->palette().color(r).rgb(); };
        // Etched at the box's edges, dark outside at the top and left; none above.
        const int top = box->FrameRect().top(), w = box->width(), h = box->height();
        QCOMPARE((QList<QRgb>{seen(w / 2, top), seen(0, h / 2), seen(w / 2, h - 1),
                              seen(w - 1, h / 2), seen(w / 2, top - 2)}),
                 (QList<QRgb>{role(QPalette::Dark), role(QPalette::Dark), role(QPalette::Light),
                              role(QPalette::Light), role(QPalette::Window)}));
        bool gap = false;  // the title breaks the line
        for (int x = box->TitleRect().left(); x <= box->TitleRect().right(); ++x)
          gap |= seen(x, top) == role(QPalette::Window);
        QVERIFY(gap);
        for (const varnock::res::ControlTemplate& inner : kMainDialogControls) {
          QWidget* other = Control(inner);
          if (other == box || !expected.contains(other->geometry())) continue;
          QVERIFY2(frame.adjusted(2, 2, -2, -2).contains(other->geometry()) &&
                       !title.intersects(other->geometry()),
                   inner.text.data());
        }
      }
      for (int id :
           {IDC_HUB_CODE, IDC_MANUFACTURER, IDC_RESULT, IDC_PROCESS, IDCANCEL, IDC_DECADE_1990,
            IDC_DECADE_2000, IDC_DECADE_2010, IDC_DECADE_2020, IDC_LOGO}) {
        QCOMPARE(dlg_->childAt(Item(id)->geometry().center()), Item(id));
      }
      QVERIFY(!Maker()->geometry().intersects(Result()->geometry()));
      // The list drops as far as the template's 101 units reach and scrolls for the rest.
      Maker()->setFocus();
      QTest::keyClick(Maker(), Qt::Key_Down, Qt::AltModifier);
      QAbstractItemView* rows = Maker()->view();
      QVERIFY(QTest::qWaitForWindowExposed(rows->window()));
      const int bottom =
          dlg_->mapToGlobal(ToPixels(dlg_->font(), 61, 30, 153, 101).bottomLeft()).y();
      const QRect dropped = rows->window()->geometry();
      QVERIFY(dropped.top() >= Maker()->mapToGlobal(Maker()->rect().bottomLeft()).y());
      QVERIFY(dropped.bottom() <= bottom && dropped.bottom() > bottom - rows->sizeHintForRow(0));
      QVERIFY(rows->verticalScrollBar()->maximum() > 0);  // by a bar or by arrows
      QTest::keyClick(rows, Qt::Key_Escape);
    }
    QFont::removeSubstitutions(family);
    qApp->setStyleSheet({});
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  }

  void tabSkipsTheDecadesWhichArrowsGoRound() {
    QList<QWidget*> order;
    for (int i = 0; i < 6; ++i) {
      order << QApplication::focusWidget();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, (QList<QWidget*>{Item(IDC_PROCESS), Item(IDCANCEL), HubCode(), Maker(),
                                     Result(), Item(IDC_PROCESS)}));
    QTest::mouseClick(Item(IDC_DECADE_2000), Qt::LeftButton);
    QTest::mouseClick(Item(IDC_DECADE_2000), Qt::LeftButton);  // stays checked
    const QList<QPair<Qt::Key, int>> steps = {
        {Qt::Key_Right, IDC_DECADE_2010}, {Qt::Key_Down, IDC_DECADE_2020},
        {Qt::Key_Right, IDC_DECADE_1990}, {Qt::Key_Left, IDC_DECADE_2020},
        {Qt::Key_Up, IDC_DECADE_2010},    {Qt::Key_Up, IDC_DECADE_2000}};
    for (const auto& [key, id] : steps) {
      QTest::keyClick(QApplication::focusWidget(), key);
      QCOMPARE(QApplication::focusWidget(), Item(id));
      for (const auto& [other, decade] : varnock::res::kDecadeButtons) {
        QCOMPARE(Item<QRadioButton>(other)->isChecked(), other == id);
      }
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // out of the decades
    QCOMPARE(QApplication::focusWidget(), Item(IDC_PROCESS));
  }

  void typedAndPastedLettersTurnUpperCase() {
    TypeCode(QStringLiteral("kc15"));
    QTest::keyClick(HubCode(), Qt::Key_Home);
    TypeCode(QStringLiteral("x\u00e9"));
    QCOMPARE(HubCode()->text() + QString::number(HubCode()->cursorPosition()),
             QStringLiteral("X\u00C9KC152"));
    QApplication::clipboard()->setText(QStringLiteral("\U0001E922a\r\n01"));  // its first line
    QTest::keyClick(HubCode(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(HubCode()->text() + QString::number(HubCode()->cursorPosition()),
             QStringLiteral("X\u00C9\U0001E900AKC155"));
    QApplication::clipboard()->setText(QStringLiteral("\nk"));  // an empty first line
    QTest::keyClick(HubCode(), Qt::Key_Home);
    QTest::keyClick(HubCode(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(HubCode()->text() + QString::number(HubCode()->cursorPosition()),
             QStringLiteral("X\u00C9\U0001E900AKC150"));
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
    TypeCode(QString::fromUtf8(c.typed));
    const QString box = ReadNextBox([&] {
      c.press_enter ? QTest::keyClick(HubCode(), Qt::Key_Return)
                    : QTest::mouseClick(Item(IDC_PROCESS), Qt::LeftButton);
    });
    QCOMPARE(Result()->text(), QString::fromUtf8(c.result));
    QCOMPARE(box, c.message ? QStringLiteral("Error|%1|2|1024").arg(QString::fromUtf8(c.message))
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
  }

  void closeEscapeAndTheWindowButtonEndTheDialogAndTheApplication() {
    for (int how = 0; how < 3; ++how) {
      dlg_->hide();
      QTimer::singleShot(0, dlg_.get(), [&] {
        if (how == 0) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
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
