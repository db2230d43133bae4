// The main dialog: a hub code, a maker and a decade in; a date or a reason out.
#pragma once

#include <QDialog>

#include <utility>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLineEdit;

namespace varnock::res {
struct ControlTemplate;
}

class CDecoderDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CDecoderDlg(QWidget* parent = nullptr);

  // The control with the resource identifier (IDC_...), or nullptr.
  QWidget* GetDlgItem(int id) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* CreateControl(const varnock::res::ControlTemplate& control);
  void GroupControls();
  void NameControls();
  void SetTabStops();
  void OnInitDialog();
  // Decodes what the dialog holds: a date replaces the result, an error is shown in a
  // message box, and no result changes nothing.
  void OnProcess();
  // Opens the project's web page; whether that worked is not reported.
  void OnLogoClicked();
  // An arrow key on a button: moves the focus one step (-1 or 1) on in its group.
  bool OnArrowKey(QWidget* from, int step);

  // Every control of the template, in its order, and those that have an identifier.
  std::vector<std::pair<const varnock::res::ControlTemplate*, QWidget*>> controls_;
  std::vector<std::pair<int, QWidget*>> items_;
  QButtonGroup* decades_ = nullptr;  // ids are the decades' first years
  QLineEdit* hub_code_ = nullptr;
  QComboBox* manufacturer_ = nullptr;
  QLineEdit* result_ = nullptr;
};
