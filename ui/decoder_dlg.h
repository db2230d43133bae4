// The main dialog: a hub code, a maker and a decade in; a date or a reason out.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

class CDecoderDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CDecoderDlg(QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnInitDialog();
  // Decodes what the dialog holds: a date replaces the result, an error is shown in a
  // message box, and no result changes nothing.
  void OnProcess();
  // Opens the project's web page; whether that worked is not reported.
  void OnLogoClicked();

  QLineEdit* hub_code_ = nullptr;
  QComboBox* manufacturer_ = nullptr;
  QLineEdit* result_ = nullptr;
  QLabel* logo_ = nullptr;
};
