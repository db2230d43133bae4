// The floor for the start-up figures: the least a Qt dialog takes to appear.
#include <QApplication>
#include <QDialog>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral("Minimal dialog"));
  QLabel label(QStringLiteral("Hello"), &dialog);
  dialog.exec();
  return 0;
}
