// The application: runs the main dialog once; the process ends when it closes.
#pragma once

#include <windows.h>

class CDecoderApp {
 public:
  // Runs the main dialog modally. FALSE: no message loop is to follow.
  BOOL InitInstance();
};
