#include "decoder_app.h"

#include <commctrl.h>

#include "decoder_dlg.h"

BOOL CDecoderApp::InitInstance() {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);  // the current look of the standard controls
  CDecoderDlg dialog;
  dialog.DoModal();
  return FALSE;
}
