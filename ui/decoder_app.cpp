#include "decoder_app.h"

#include "decoder_dlg.h"
#include "varnock_version.h"

CDecoderApp::CDecoderApp(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Varnock"));
  setApplicationVersion(QStringLiteral(VARNOCK_VERSION));
  setDesktopFileName(QStringLiteral("org.example.Varnock"));  // its menu entry
}

int CDecoderApp::InitInstance() {
  CDecoderDlg dialog;
  dialog.exec();
  return 0;
}
