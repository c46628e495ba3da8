#include "librarywin/RecordsForm.h"

#include "graph/PainterSurface.h"
#include "graph/RedrawGraph.h"
#include "library/LibraryActions.h"
#include "library/ScanRunner.h"
#include "librarywin/ReportSettingsDialog.h"
#include "platform/Desktop.h"
#include "platform/FontFamilies.h"
#include "record/Readouts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileSystemWatcher>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

namespace ptlog {

namespace {

const char* const kHeaders[kLibraryColumns] = {"検査日時", "検査番号", "現場名", "棟名",   "担当者", "管材",
                                               "試験圧力", "検査時間", "判定",   "ファイル名", "重複"};
const QString kNothingSelected = QStringLiteral("記録が選択されていません。");
const QString kPdfFilter = QStringLiteral("PDF Files (*.pdf)|*.pdf");
constexpr int kQuietReport = 3;

// More records than a few get a progress window with a cancel button.
std::unique_ptr<QProgressDialog> ProgressFor(QWidget* window, const QString& text, qsizetype count) {
  if (count <= kQuietReport) return nullptr;
  auto progress = std::make_unique<QProgressDialog>(text, QStringLiteral("中止"), 0, int(count), window);
  progress->setWindowModality(Qt::WindowModal);
  progress->setMinimumDuration(0);
  return progress;
}

QString Listed(const QString& first, const QStringList& names) {
  return first + QChar(13) + names.join(QChar(13));
}

}  // namespace

QVariant RecordsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= library_.Count()) return {};
  const RecordEntry& e = library_.EntryAt(index.row());
  const auto column = LibraryColumn(index.column());
  if (role == Qt::DisplayRole) return library_.Cell(index.row(), column);
  // A damaged file is marked and says why.
  if (role == Qt::ForegroundRole && e.problem != RecordProblem::None) return QColor(192, 0, 0);
  if (role == Qt::ToolTipRole) {
    if (e.problem != RecordProblem::None) return ProblemText(e);
    const RecordLibrary::Row& row = library_.RowAt(index.row());
    if (row.copies.size() < 2) return {};
    QStringList others;
    for (size_t c = 1; c < row.copies.size(); ++c) others << library_.Entries()[row.copies[c]].Path();
    return QStringLiteral("同じ記録のファイル:\n") + others.join(QLatin1Char('\n'));
  }
  return {};
}

QVariant RecordsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= kLibraryColumns) return {};
  return QString::fromUtf8(kHeaders[section]);
}

void RecordsModel::sort(int column, Qt::SortOrder order) {
  Change([&] { library_.SortBy(LibraryColumn(column), order == Qt::AscendingOrder); });
}

RecordsForm::RecordsForm(Desktop& desktop, SettingsLocation where, QString databasePath, int refreshMs,
                         QWidget* parent)
    : QWidget(parent), desktop_(desktop), where_(std::move(where)), refreshMs_(refreshMs) {
  setWindowTitle(QStringLiteral("KESTRA PTLOG 記録一覧"));
  last_ = ReadDisplayChoices(where_);
  BuildControls();
  scanner_ = std::make_unique<ScanRunner>(std::move(databasePath));
  scanner_->OnBatch = [this](const std::vector<RecordEntry>& b, int done, int total) { OnBatch(b, done, total); };
  scanner_->OnResult = [this](const ScanResult& r, bool cachedOnly) { OnResult(r, cachedOnly); };

  // Changes come as notifications where the folder sends them, and are
  // found by looking again where it does not (network shares).
  watcher_ = new QFileSystemWatcher(this);
  soon_ = new QTimer(this);
  soon_->setSingleShot(true);
  soon_->setInterval(std::min(300, refreshMs_));
  connect(soon_, &QTimer::timeout, this, [this] { Refresh(); });
  connect(watcher_, &QFileSystemWatcher::directoryChanged, soon_, qOverload<>(&QTimer::start));
  refresh_ = new QTimer(this);
  refresh_->setInterval(refreshMs_);
  connect(refresh_, &QTimer::timeout, this, [this] {
    if (!scanner_->Busy()) Refresh();
  });
  refresh_->start();

  QString folder = ReadSetting(where_, keys::DataSet, keys::LibraryPath, QString());
  if (folder.isEmpty())
    folder = ReadSetting(where_, keys::DataSet, keys::DataPath, DefaultDataPath(where_.ProgramFolderPath));
  folder_ = QDir::cleanPath(QDir::fromNativeSeparators(folder));
  FolderLabel->setText(QDir::toNativeSeparators(folder_));
  Refresh();
}

RecordsForm::~RecordsForm() = default;

void RecordsForm::BuildControls() {
  QFont font = MinchoFace();
  font.setPixelSize(14);
  setFont(font);
  resize(1240, 860);
  auto* grid = new QGridLayout(this);
  const auto named = [](auto* w, const char* name) {
    w->setAccessibleName(QString::fromUtf8(name));
    return w;
  };

  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("データフォルダー：")));
  top->addWidget(FolderLabel = named(new QLabel, "データフォルダー"), 1);
  top->addWidget(ChooseButton = new QPushButton(QStringLiteral("フォルダー選択")));
  grid->addLayout(top, 0, 0, 1, 2);

  auto* find = new QHBoxLayout;
  find->addWidget(new QLabel(QStringLiteral("検索：")));
  find->addWidget(SearchBox = named(new QLineEdit, "検索"), 2);
  SearchBox->setPlaceholderText(QStringLiteral("現場名・棟名・担当者・検査番号・ファイル名"));
  find->addWidget(DateCheck = new QCheckBox(QStringLiteral("期間")));
  find->addWidget(FromDate = named(new QDateEdit(QDate::currentDate().addYears(-1)), "期間の始め"));
  find->addWidget(new QLabel(QStringLiteral("～")));
  find->addWidget(ToDate = named(new QDateEdit(QDate::currentDate()), "期間の終わり"));
  for (QDateEdit* d : {FromDate, ToDate}) d->setDisplayFormat(QStringLiteral("yyyy/MM/dd")), d->setCalendarPopup(true);
  find->addWidget(new QLabel(QStringLiteral("判定：")));
  find->addWidget(VerdictBox = named(new QComboBox, "判定"));
  VerdictBox->addItems({QStringLiteral("すべて"), QStringLiteral("合格"), QStringLiteral("不合格"), QStringLiteral("—")});
  find->addWidget(new QLabel(QStringLiteral("管材：")));
  find->addWidget(PipeBox = named(new QComboBox, "管材"));
  PipeBox->addItems({QStringLiteral("すべて"), QStringLiteral("PE・PB管"), QStringLiteral("塩ビ管"),
                     QStringLiteral("排水管"), QStringLiteral("床暖房管"), QStringLiteral("—")});
  grid->addLayout(find, 1, 0, 1, 2);

  model_ = new RecordsModel(library_, this);
  Table = named(new QTableView, "記録");
  Table->setModel(model_);
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  Table->setSelectionMode(QAbstractItemView::ExtendedSelection);
  Table->setSortingEnabled(true);
  Table->sortByColumn(int(LibraryColumn::When), Qt::DescendingOrder);
  Table->verticalHeader()->hide();
  Table->verticalHeader()->setDefaultSectionSize(22);
  const int widths[kLibraryColumns] = {120, 64, 110, 80, 80, 84, 84, 90, 190, 0, 44};
  for (int c = 0; c < kLibraryColumns; ++c)
    if (widths[c]) Table->setColumnWidth(c, widths[c]);
  Table->horizontalHeader()->setSectionResizeMode(int(LibraryColumn::FileName), QHeaderView::Stretch);
  grid->addWidget(Table, 2, 0, 1, 2);
  grid->setRowStretch(2, 1);

  Preview = named(new QLabel, "グラフ");
  Preview->setFixedSize(int(kGraphWidthTwips / 15 * 0.6), int(kGraphHeightTwips / 15 * 0.6));
  Preview->setAlignment(Qt::AlignCenter);
  Preview->setStyleSheet(QStringLiteral("background: white; border: 1px solid gray"));
  grid->addWidget(Preview, 3, 0);

  // The readouts the main window shows for the record.
  auto* readouts = new QGridLayout;
  const std::pair<const char*, int> facts[] = {{"検査番号", readout::Number}, {"検査日", readout::Date},
                                               {"検査時間", readout::Duration}, {"管材", readout::PipeType},
                                               {"試験圧力", readout::TestPressure}, {"判定基準", readout::Criterion},
                                               {"判定", readout::Verdict}};
  int line = 0;
  for (auto [caption, index] : facts) {
    readouts->addWidget(new QLabel(QString::fromUtf8(caption)), line, 0);
    readouts->addWidget(Readouts[size_t(index)] = named(new QLabel, caption), line++, 1, 1, 4);
  }
  const char* lines[4] = {"A線", "B線", "C線", "D線"};
  const std::pair<const char*, const int*> rows[3] = {
      {"圧力", readout::Pressure}, {"時間", readout::Time}, {"差圧", readout::Differential}};
  for (int c = 0; c < 4; ++c) readouts->addWidget(new QLabel(QString::fromUtf8(lines[c])), line, c + 1, Qt::AlignRight);
  for (const auto& [caption, indices] : rows) {
    ++line;
    readouts->addWidget(new QLabel(QString::fromUtf8(caption)), line, 0);
    for (int c = 0; c < 4; ++c) {
      QLabel*& label = Readouts[size_t(indices[c])];
      readouts->addWidget(label = new QLabel, line, c + 1, Qt::AlignRight);
      label->setAccessibleName(QString::fromUtf8(lines[c]) + QString::fromUtf8(caption));
    }
  }
  readouts->setRowStretch(line + 1, 1);
  grid->addLayout(readouts, 3, 1);

  auto* actions = new QHBoxLayout;
  const char* fieldNames[3] = {"現場名", "棟名", "担当者"};
  for (int i = 0; i < 3; ++i) {
    actions->addWidget(new QLabel(QString::fromUtf8(fieldNames[i])));
    actions->addWidget(Fields[size_t(i)] = named(new QLineEdit, fieldNames[i]), 1);
  }
  actions->addWidget(RenameButton = new QPushButton(QStringLiteral("一括保存")));
  actions->addSpacing(20);
  actions->addWidget(TidyButton = new QPushButton(QStringLiteral("重複を整理")));
  actions->addWidget(PdfButton = new QPushButton(QStringLiteral("報告書PDF")));
  actions->addWidget(CsvButton = new QPushButton(QStringLiteral("CSV")));
  actions->addWidget(LookButton = new QPushButton(QStringLiteral("報告書の設定")));
  grid->addLayout(actions, 4, 0, 1, 2);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(Status = named(new QLabel, "状態"), 1);
  bottom->addWidget(Progress = new QProgressBar);
  Progress->hide();
  grid->addLayout(bottom, 5, 0, 1, 2);

  connect(SearchBox, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });
  for (QDateEdit* d : {FromDate, ToDate}) connect(d, &QDateEdit::dateChanged, this, [this] { ApplyFilter(); });
  connect(DateCheck, &QCheckBox::toggled, this, [this] { ApplyFilter(); });
  for (QComboBox* b : {VerdictBox, PipeBox})
    connect(b, &QComboBox::currentIndexChanged, this, [this] { ApplyFilter(); });
  connect(Table->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { ShowPreview(); });
  connect(ChooseButton, &QPushButton::clicked, this, [this] {
    const QString chosen = desktop_.RunFileDialog(this, {FileDialogRequest::Folder, QString(), 1, QString(), folder_});
    if (!chosen.isEmpty()) ChooseFolder(chosen);
  });
  connect(RenameButton, &QPushButton::clicked, this, [this] { RenameSelected(); });
  connect(TidyButton, &QPushButton::clicked, this, [this] { TidyDuplicates(); });
  connect(PdfButton, &QPushButton::clicked, this, [this] { ReportPdf(); });
  connect(CsvButton, &QPushButton::clicked, this, [this] { ReportCsv(); });
  connect(LookButton, &QPushButton::clicked, this, [this] { EditReportLook(); });
}

void RecordsForm::ChooseFolder(const QString& folder) {
  folder_ = QDir::cleanPath(QDir::fromNativeSeparators(folder));
  FolderLabel->setText(QDir::toNativeSeparators(folder_));
  WriteSetting(where_, keys::DataSet, keys::LibraryPath, QDir::toNativeSeparators(folder_ + QLatin1Char('/')));
  model_->Change([&] { library_.SetEntries({}); });
  Refresh();
}

void RecordsForm::Refresh() {
  scanClock_.start();
  scanner_->Scan(folder_);
}

bool RecordsForm::Scanning() const { return scanner_->Busy(); }

void RecordsForm::ApplyFilter() {
  LibraryFilter filter;
  filter.text = SearchBox->text();
  if (DateCheck->isChecked()) filter.from = FromDate->date(), filter.to = ToDate->date();
  filter.verdict = LibraryFilter::Verdict(VerdictBox->currentIndex());
  const int pipe = PipeBox->currentIndex();
  if (pipe > 0) filter.pipeType = pipe == 5 ? 0 : pipe;
  const QStringList selected = SelectedPaths();
  model_->Change([&] { library_.SetFilter(filter); });
  for (const QString& path : selected)
    if (const int row = library_.RowOf(path); row >= 0) Table->selectRow(row);
}

void RecordsForm::SetEntries(std::vector<RecordEntry> entries) {
  const QStringList selected = SelectedPaths();
  model_->Change([&] { library_.SetEntries(std::move(entries)); });
  Table->clearSelection();
  for (const QString& path : selected)
    if (const int row = library_.RowOf(path); row >= 0)
      Table->selectionModel()->select(model_->index(row, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void RecordsForm::OnBatch(const std::vector<RecordEntry>& batch, int done, int total) {
  // A long first look fills the list as it goes.
  growing_.insert(growing_.end(), batch.begin(), batch.end());
  Progress->setRange(0, total);
  Progress->setValue(done);
  Progress->show();
  if (library_.Entries().size() < growing_.size()) SetEntries(growing_);
}

void RecordsForm::OnResult(const ScanResult& result, bool cachedOnly) {
  growing_.clear();
  Progress->hide();
  if (result.folderMissing) {
    // A share that went away: the last list stays until it comes back.
    Status->setText(QStringLiteral("データフォルダーが見つかりません：") + QDir::toNativeSeparators(folder_));
    return;
  }
  if (result.changed || cachedOnly) SetEntries(result.entries);
  if (!cachedOnly) {
    Watch(result.folders);
    // Looking again costs little, but a huge folder is not looked at without pause.
    refresh_->setInterval(std::max<qint64>(refreshMs_, 4 * scanClock_.elapsed()));
  }
  Status->setText(QStringLiteral("%1 件（ファイル %2）").arg(library_.Count()).arg(library_.Entries().size()));
}

void RecordsForm::Watch(const QStringList& folders) {
  const QStringList watched = watcher_->directories();
  if (watched == folders) return;
  if (!watched.isEmpty()) watcher_->removePaths(watched);
  if (!folders.isEmpty()) watcher_->addPaths(folders);
}

QStringList RecordsForm::SelectedPaths() const {
  QStringList paths;
  if (!Table->selectionModel()) return paths;
  QModelIndexList rows = Table->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  for (const QModelIndex& i : rows)
    if (i.row() < library_.Count()) paths << library_.EntryAt(i.row()).Path();
  return paths;
}

void RecordsForm::ShowPreview() {
  const QStringList selected = SelectedPaths();
  for (QLabel* label : Readouts) label->clear();
  Preview->clear();
  previewGraph_ = QImage();
  if (selected.isEmpty()) return;
  const QString path = selected.front();
  // The choices coded in its saved name, else the main window's last ones.
  const FlagChoices coded = ChoicesFromFlags(ParseSavedName(FileNamePart(path)).flags);
  const ReportChoices choices{coded.scale2MPa ? false : last_.scale1MPa,
                              coded.details.value_or(last_.detailsState) == 1};
  RecordProblem problem;
  const std::unique_ptr<ReportRecord> r = LoadReportRecord(path, choices, problem);
  if (!r) {
    const int row = library_.RowOf(path);
    Preview->setText(row >= 0 ? ProblemText(library_.EntryAt(row)) : QString());
    return;
  }
  QImage& graph = previewGraph_;
  graph = QImage(int(kGraphWidthTwips / 15), int(kGraphHeightTwips / 15), QImage::Format_RGB32);
  graph.fill(Qt::white);
  {
    PenState pen;
    PainterSurface surface(&graph, 1.0 / 15.0, QRectF(0, 0, kGraphWidthTwips, kGraphHeightTwips), pen);
    r->view.DrawOn(&surface);
    r->view.RedrawGraph();
    r->view.DrawOn(nullptr);
    surface.End();
  }
  Preview->setPixmap(QPixmap::fromImage(
      graph.scaled(Preview->size() * devicePixelRatioF(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  for (int i = 0; i < readout::Count; ++i)
    if (Readouts[size_t(i)]) Readouts[size_t(i)]->setText(r->view.Label4Caption(i).trimmed());
  if (!r->state.Record.Typed())
    for (int i : {readout::PipeType, readout::TestPressure, readout::Criterion, readout::Verdict})
      Readouts[size_t(i)]->clear();
}

bool RecordsForm::AskForSelection() {
  if (!SelectedPaths().isEmpty()) return true;
  desktop_.ShowOk(this, kNothingSelected);
  return false;
}

void RecordsForm::RenameSelected() {
  if (!AskForSelection()) return;
  const std::array<QString, 3> fields = {Fields[0]->text(), Fields[1]->text(), Fields[2]->text()};
  if (const QString problem = SavedNameFieldsProblem(fields); !problem.isEmpty()) {
    desktop_.ShowOk(this, problem);
    return;
  }
  const RenameOutcome outcome =
      RenameRecords(SelectedPaths(), fields, DisplayFlags(!last_.scale1MPa, !last_.air, last_.detailsState));
  QStringList said;
  if (!outcome.refused.isEmpty())
    said << Listed(QStringLiteral("同じ名前のファイルが有るため、次の名前では保存しませんでした。"), outcome.refused);
  if (!outcome.failed.isEmpty())
    said << Listed(QStringLiteral("ファイルを保存できませんでした。"), outcome.failed);
  if (!said.isEmpty()) desktop_.ShowOk(this, said.join(QChar(13)));
  Status->setText(QStringLiteral("%1 件を保存しました。").arg(outcome.renamed.size()));
  Refresh();
}

void RecordsForm::TidyDuplicates() {
  const std::vector<QStringList> copies = library_.DuplicateGroups();
  if (copies.empty()) {
    desktop_.ShowOk(this, QStringLiteral("重複した記録は有りません。"));
    return;
  }
  if (!desktop_.AskYesNo(this, QStringLiteral("重複したファイルを「重複」フォルダーに移して宜しいですか？"))) return;
  const TidyOutcome outcome = MoveDuplicates(copies);
  if (!outcome.kept.isEmpty())
    desktop_.ShowOk(this, Listed(QStringLiteral("「重複」フォルダーに同じ名前が有るため、次のファイルは移しませんでした。"),
                                 outcome.kept));
  Status->setText(QStringLiteral("%1 件を「重複」フォルダーに移しました。").arg(outcome.moved));
  Refresh();
}

void RecordsForm::ReportPdf() {
  if (!AskForSelection()) return;
  const QStringList paths = SelectedPaths();
  const QString file = desktop_.RunFileDialog(
      this, {FileDialogRequest::Save, kPdfFilter, 1, folder_ + QStringLiteral("/報告書.pdf"), QString()});
  if (file.isEmpty()) return;
  ReportLook look(ReadReportSettings(where_));
  ptlog::ReportPdf pdf(file, &look);
  if (!pdf.Open()) {
    desktop_.ShowOk(this, QStringLiteral("報告書を保存できませんでした。"));
    return;
  }
  const std::unique_ptr<QProgressDialog> progress = ProgressFor(this, QStringLiteral("報告書を作成しています…"), paths.size());
  QStringList skipped;
  const QDate today = QDate::currentDate();
  for (int i = 0; i < paths.size(); ++i) {
    if (progress) {
      progress->setValue(i);
      if (progress->wasCanceled()) return;  // the report's file is not made
    }
    QString why;
    const std::unique_ptr<ReportRecord> r = LoadReportRecord(paths[i], {}, why);
    if (!r) skipped << FileNamePart(paths[i]);
    else if (!pdf.AddPage(*r, today)) break;
  }
  if (progress) progress->setValue(int(paths.size()));
  if (!pdf.Commit()) {
    desktop_.ShowOk(this, QStringLiteral("報告書を保存できませんでした。"));
    return;
  }
  QStringList said;
  if (!skipped.isEmpty()) said << Listed(QStringLiteral("次の記録は報告書に入れませんでした。"), skipped);
  // An image that is gone leaves its place empty; the report is still made.
  said << look.TakeProblems();
  if (!said.isEmpty()) desktop_.ShowOk(this, said.join(QChar(13)));
}

void RecordsForm::EditReportLook() {
  const QStringList selected = SelectedPaths();
  ReportSettingsDialog dialog(desktop_, where_, selected.isEmpty() ? QString() : selected.front(), this);
  dialog.exec();
}

void RecordsForm::ReportCsv() {
  if (!AskForSelection()) return;
  const QStringList paths = SelectedPaths();
  const QString folder = desktop_.RunFileDialog(this, {FileDialogRequest::Folder, QString(), 1, QString(), folder_});
  if (folder.isEmpty()) return;
  const std::unique_ptr<QProgressDialog> progress = ProgressFor(this, QStringLiteral("CSVファイルを作成しています…"), paths.size());
  QStringList skipped, written;
  for (int i = 0; i < paths.size(); ++i) {
    if (progress) {
      progress->setValue(i);
      if (progress->wasCanceled()) {
        // A cancelled report leaves no file.
        for (const QString& csv : written) QFile::remove(csv);
        return;
      }
    }
    QString why;
    const std::unique_ptr<ReportRecord> r = LoadReportRecord(paths[i], {}, why);
    if (r && WriteRecordCsv(folder, paths[i], *r))
      written << QDir(folder).filePath(PathWithExtension(FileNamePart(paths[i]), QStringLiteral("csv")));
    else
      skipped << FileNamePart(paths[i]);
  }
  if (progress) progress->setValue(int(paths.size()));
  if (!skipped.isEmpty()) desktop_.ShowOk(this, Listed(QStringLiteral("次の記録はCSVファイルにできませんでした。"), skipped));
}

}  // namespace ptlog
