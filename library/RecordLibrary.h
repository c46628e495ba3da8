#pragma once

#include "library/RecordEntry.h"

#include <QDate>
#include <QStringList>
#include <optional>
#include <vector>

namespace ptlog {

// What the list shows of a record, one column each.
enum class LibraryColumn { When, Number, Site, Building, Inspector, Pipe, Pressure, Duration, Verdict, FileName, Copies };
inline constexpr int kLibraryColumns = 11;

// What the list is narrowed to: a text found in site, building, inspector,
// test number or file name (NFKC, case folded); a date range; a verdict; a
// pipe type (0 an untyped measurement).
struct LibraryFilter {
  enum Verdict { AnyVerdict, Passed, Failed, Untyped };
  LibraryFilter(QString text = {}, std::optional<QDate> from = {}, std::optional<QDate> to = {},
                Verdict verdict = AnyVerdict, std::optional<int> pipeType = {})
      : text(std::move(text)), from(from), to(to), verdict(verdict), pipeType(pipeType) {}

  QString text;
  std::optional<QDate> from, to;
  Verdict verdict;
  std::optional<int> pipeType;
};

// The records of a folder as one list: files whose record line is the same
// are one row (the saved name shown, the other copies counted), damaged files
// a row each. Filtering and sorting keep the rows; nothing here touches files.
class RecordLibrary {
public:
  struct Row {
    std::vector<int> copies;  // indices into Entries(); the first is shown
    std::array<QString, 3> fields;
    QString searchText;
  };

  void SetEntries(std::vector<RecordEntry> entries);
  const std::vector<RecordEntry>& Entries() const { return entries_; }

  void SetFilter(const LibraryFilter& filter);
  void SortBy(LibraryColumn column, bool ascending);

  // The rows shown, in order.
  int Count() const { return int(shown_.size()); }
  const Row& RowAt(int i) const { return rows_[size_t(shown_[size_t(i)])]; }
  const RecordEntry& EntryAt(int i) const { return entries_[size_t(RowAt(i).copies.front())]; }
  QString Cell(int i, LibraryColumn column) const;
  // The row of a file among those shown (any of its copies), or -1.
  int RowOf(const QString& path) const;
  // Every row's copies beyond the one shown, as full paths, row by row.
  std::vector<QStringList> DuplicateGroups() const;

private:
  void Apply();
  static QString CellOf(const Row& row, const RecordEntry& entry, LibraryColumn column);

  std::vector<RecordEntry> entries_;
  std::vector<Row> rows_;
  std::vector<int> shown_;
  LibraryFilter filter_;
  LibraryColumn sortColumn_ = LibraryColumn::When;
  bool ascending_ = false;
};

}  // namespace ptlog
