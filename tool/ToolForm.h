#pragma once

#include "settings/SettingsFile.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ptlog {

class Desktop;

// The settings maintenance tool's window: the port number and the data folder.
class ToolForm : public QWidget {
  Q_OBJECT
public:
  ToolForm(Desktop& desktop, SettingsLocation where, QWidget* parent = nullptr);

  // The window of the design, in twips.
  static constexpr int kWidthTwips = 5370, kHeightTwips = 5385;
  static QSize DesignSize() { return {kWidthTwips / 15, kHeightTwips / 15}; }

  // Reads the settings into the window; stops quietly at the first problem.
  void Startup();

  // The folder list: its current path, and the full path of an entry.
  QString DirPath() const { return dirPath_; }
  void SetDirPath(const QString& path);
  QString DirEntryPath(int row) const;

  QLabel* Label1_3;
  QGroupBox* Frame2;
  QLineEdit* Text2;
  QComboBox* Combo1;
  // The serial device the main program opens: the port number's, or one
  // picked from the devices present (USB adapters) or typed.
  QComboBox* Combo2;
  QPushButton* Command4;  // look for devices again
  QGroupBox* Frame1;
  QLabel* Label1_2;
  QLineEdit* Text1;
  QLabel* Label1_0;
  QComboBox* Drive1;
  QLabel* Label1_1;
  QListWidget* Dir1;
  QPushButton* Command3;
  QPushButton* Command2;

protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Combo1Click(int index);
  void Dir1Click(int row);
  void Drive1Change(int index);
  void Command3Click();
  void FillDriveList();
  void FillDeviceList(const QString& current);
  QString PickedDevice() const;

  Desktop& desktop_;
  SettingsLocation where_;
  QString lineSettings_;
  bool lineSettingsRead_ = false;
  QString dirPath_;
  bool activated_ = false;
};

// The mount point that holds a path: the drives of a system without letters.
QString MountPointOf(const QString& path, const QStringList& mountPoints);

}  // namespace ptlog
