#pragma once

#include "output/report/ReportLook.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ptlog {

class Desktop;

// "報告書の設定": the [Report Set] of the settings file, with a page of the
// selected record drawn as each field changes. Images are checked when they
// are chosen and again at OK.
class ReportSettingsDialog : public QDialog {
public:
  ReportSettingsDialog(Desktop& desktop, const SettingsLocation& where, const QString& recordPath,
                       QWidget* parent = nullptr);

  ReportSettings Current() const;
  // Checks the images and writes the settings; false, with a message, when
  // an image cannot be used or the file cannot be written.
  bool Apply();
  QImage PreviewPage() const { return page_; }

  QLineEdit* Title;
  QLineEdit* Company;
  QLineEdit* Info1;
  QLineEdit* Info2;
  QLineEdit* Logo;
  QLineEdit* SealFolder;
  QLineEdit* Captions;
  QPushButton* LogoButton;
  QLabel* Preview;
  QPushButton* OkButton;

private:
  void Redraw();
  void ChooseImage();

  Desktop& desktop_;
  SettingsLocation where_;
  QString recordPath_;
  QImage page_;
};

}  // namespace ptlog
