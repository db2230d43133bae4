#include "decoder_app.h"

int main(int argc, char** argv) {
  CDecoderApp app(argc, argv);
  return app.InitInstance();
}
