// The application: runs the main dialog once and ends when it closes.
#pragma once

#include <QApplication>

class CDecoderApp : public QApplication {
 public:
  CDecoderApp(int& argc, char** argv);

  // Runs the main dialog modally; returns the process's exit code once it has closed.
  int InitInstance();
};
