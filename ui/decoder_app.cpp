#include "decoder_app.h"

#include <QFont>

#include "decoder_dlg.h"
#include "main_dialog.h"
#include "varnock_version.h"

CDecoderApp::CDecoderApp(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Varnock"));
  setApplicationVersion(QStringLiteral(VARNOCK_VERSION));
  setDesktopFileName(QStringLiteral("org.example.Varnock"));  // its menu entry
  // Where the template's font is missing, as on most Linux desktops, a sans with the
  // same widths as the Windows faces stands in, where one is installed; else the
  // system's own choice of sans.
  const auto& family = varnock::res::kMainDialog.font_family;
  QFont::insertSubstitutions(
      QString::fromLatin1(family.data(), qsizetype(family.size())),
      {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial")});
}

int CDecoderApp::InitInstance() {
  CDecoderDlg dialog;
  dialog.exec();
  return 0;
}
