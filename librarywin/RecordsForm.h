#pragma once

#include "library/FolderScan.h"
#include "library/RecordLibrary.h"
#include "settings/MainSettings.h"
#include "settings/SettingsFile.h"

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QWidget>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

namespace ptlog {

class Desktop;
class ScanRunner;

// The list as a table model over the library's rows.
class RecordsModel : public QAbstractTableModel {
public:
  explicit RecordsModel(RecordLibrary& library, QObject* parent = nullptr) : QAbstractTableModel(parent), library_(library) {}
  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : library_.Count(); }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kLibraryColumns; }
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void sort(int column, Qt::SortOrder order) override;
  // Runs a change of the library as one reset of the view.
  template <typename F>
  void Change(F f) {
    beginResetModel();
    f();
    endResetModel();
  }

private:
  RecordLibrary& library_;
};

// "KESTRA PTLOG 記録一覧": every record of the data folder in one list, found
// by site, building, inspector, number or name; checked in a preview drawn as
// the main window draws; renamed, reported and tidied many at a time.
class RecordsForm : public QWidget {
public:
  // `refreshMs`: how often the folder is looked at again where no change
  // is notified (network shares notify none).
  RecordsForm(Desktop& desktop, SettingsLocation where, QString databasePath, int refreshMs = 1500,
              QWidget* parent = nullptr);
  ~RecordsForm() override;

  QString Folder() const { return folder_; }
  void ChooseFolder(const QString& folder);
  void Refresh();
  bool Scanning() const;
  const RecordLibrary& Library() const { return library_; }
  QStringList SelectedPaths() const;
  // The selected record's graph before it is scaled into the preview.
  const QImage& PreviewGraph() const { return previewGraph_; }

  QLabel* FolderLabel;
  QPushButton* ChooseButton;
  QLineEdit* SearchBox;
  QCheckBox* DateCheck;
  QDateEdit* FromDate;
  QDateEdit* ToDate;
  QComboBox* VerdictBox;
  QComboBox* PipeBox;
  QTableView* Table;
  QLabel* Preview;
  std::array<QLabel*, 19> Readouts{};
  std::array<QLineEdit*, 3> Fields{};
  QPushButton* RenameButton;
  QPushButton* TidyButton;
  QPushButton* PdfButton;
  QPushButton* CsvButton;
  QPushButton* LookButton;
  QLabel* Status;
  QProgressBar* Progress;

private:
  void BuildControls();
  void ApplyFilter();
  void ShowPreview();
  void OnResult(const ScanResult& result, bool cachedOnly);
  void OnBatch(const std::vector<RecordEntry>& batch, int done, int total);
  void SetEntries(std::vector<RecordEntry> entries);
  void Watch(const QStringList& folders);
  void RenameSelected();
  void TidyDuplicates();
  void ReportPdf();
  void ReportCsv();
  void EditReportLook();
  bool AskForSelection();

  Desktop& desktop_;
  SettingsLocation where_;
  DisplayChoices last_;
  QString folder_;
  RecordLibrary library_;
  RecordsModel* model_;
  std::unique_ptr<ScanRunner> scanner_;
  QFileSystemWatcher* watcher_;
  QTimer* refresh_;
  QTimer* soon_;
  int refreshMs_;
  QElapsedTimer scanClock_;
  std::vector<RecordEntry> growing_;
  QImage previewGraph_;
};

}  // namespace ptlog
