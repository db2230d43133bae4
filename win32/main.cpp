#include "decoder_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CDecoderApp app;
  app.InitInstance();
  return 0;
}
