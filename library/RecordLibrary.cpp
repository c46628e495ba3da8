#include "library/RecordLibrary.h"

#include <QHash>
#include <algorithm>

namespace ptlog {

namespace {
// A saved name tells site, building and inspector; it is the name to show.
bool Saved(const RecordEntry& e) { return ParseSavedName(e.name).flags.has_value(); }

QDate DateOf(const RecordEntry& e) {
  const qint64 day = e.when / 1000000;
  return QDate(int(day / 10000), int(day / 100 % 100), int(day % 100));
}
}  // namespace

void RecordLibrary::SetEntries(std::vector<RecordEntry> entries) {
  entries_ = std::move(entries);
  rows_.clear();
  QHash<QByteArray, int> rowOfLine;
  for (int i = 0; i < int(entries_.size()); ++i) {
    const RecordEntry& e = entries_[size_t(i)];
    const auto it = e.hash.isEmpty() ? rowOfLine.end() : rowOfLine.find(e.hash);
    if (it == rowOfLine.end()) {
      if (!e.hash.isEmpty()) rowOfLine.insert(e.hash, int(rows_.size()));
      rows_.push_back({{i}, {}, {}});
      continue;
    }
    std::vector<int>& copies = rows_[size_t(*it)].copies;
    // The saved copy is the one shown; among equals, the first by path.
    const RecordEntry& shown = entries_[size_t(copies.front())];
    if (Saved(e) && !Saved(shown)) copies.insert(copies.begin(), i);
    else copies.push_back(i);
  }
  for (Row& row : rows_) {
    const RecordEntry& e = entries_[size_t(row.copies.front())];
    row.fields = ParseSavedName(e.name).fields;
    row.searchText = SearchForm(QStringList{row.fields[0], row.fields[1], row.fields[2], e.number, e.name}.join('\n'));
  }
  Apply();
}

void RecordLibrary::SetFilter(const LibraryFilter& filter) {
  filter_ = filter;
  filter_.text = SearchForm(filter.text.trimmed());
  Apply();
}

void RecordLibrary::SortBy(LibraryColumn column, bool ascending) {
  sortColumn_ = column, ascending_ = ascending;
  Apply();
}

void RecordLibrary::Apply() {
  shown_.clear();
  for (int r = 0; r < int(rows_.size()); ++r) {
    const Row& row = rows_[size_t(r)];
    const RecordEntry& e = entries_[size_t(row.copies.front())];
    if (!filter_.text.isEmpty() && !row.searchText.contains(filter_.text)) continue;
    const bool whole = e.problem == RecordProblem::None;
    // A damaged file has no date, verdict or pipe: only the text finds it.
    if ((filter_.from || filter_.to) && (!whole || (filter_.from && DateOf(e) < *filter_.from) ||
                                         (filter_.to && DateOf(e) > *filter_.to)))
      continue;
    if (filter_.verdict != LibraryFilter::AnyVerdict) {
      const LibraryFilter::Verdict v = e.pipeType == 0 ? LibraryFilter::Untyped
                                       : e.failed      ? LibraryFilter::Failed
                                                       : LibraryFilter::Passed;
      if (!whole || v != filter_.verdict) continue;
    }
    if (filter_.pipeType && (!whole || e.pipeType != *filter_.pipeType)) continue;
    shown_.push_back(r);
  }
  // One text per row to order by: numbers padded, so they sort as numbers.
  std::vector<std::pair<QString, QString>> keys(rows_.size());
  for (int r : shown_) {
    const Row& row = rows_[size_t(r)];
    const RecordEntry& e = entries_[size_t(row.copies.front())];
    QString k;
    switch (sortColumn_) {
      case LibraryColumn::When: k = QString::number(e.when).rightJustified(14, QLatin1Char('0')); break;
      case LibraryColumn::Copies: k = QString::number(row.copies.size()).rightJustified(6, QLatin1Char('0')); break;
      case LibraryColumn::Pressure: k = e.pressure.rightJustified(16); break;
      case LibraryColumn::Duration: k = e.duration.rightJustified(16); break;
      default: k = CellOf(row, e, sortColumn_);
    }
    keys[size_t(r)] = {k, e.Path()};
  }
  std::stable_sort(shown_.begin(), shown_.end(), [&](int a, int b) {
    const auto &ka = keys[size_t(a)], &kb = keys[size_t(b)];
    if (ka.first != kb.first) return ascending_ ? ka.first < kb.first : ka.first > kb.first;
    return ka.second < kb.second;
  });
}

QString RecordLibrary::CellOf(const Row& row, const RecordEntry& e, LibraryColumn column) {
  switch (column) {
    case LibraryColumn::When: return e.date;
    case LibraryColumn::Number: return e.number;
    case LibraryColumn::Site: return row.fields[0];
    case LibraryColumn::Building: return row.fields[1];
    case LibraryColumn::Inspector: return row.fields[2];
    case LibraryColumn::Pipe: return e.pipe;
    case LibraryColumn::Pressure: return e.pressure;
    case LibraryColumn::Duration: return e.duration;
    case LibraryColumn::Verdict: return e.problem == RecordProblem::None ? e.verdict : ProblemText(e);
    case LibraryColumn::FileName: return e.name;
    case LibraryColumn::Copies: return row.copies.size() > 1 ? QString::number(row.copies.size()) : QString();
  }
  return QString();
}

QString RecordLibrary::Cell(int i, LibraryColumn column) const { return CellOf(RowAt(i), EntryAt(i), column); }

int RecordLibrary::RowOf(const QString& path) const {
  for (int i = 0; i < Count(); ++i)
    for (int c : RowAt(i).copies)
      if (entries_[size_t(c)].Path() == path) return i;
  return -1;
}

std::vector<QStringList> RecordLibrary::DuplicateGroups() const {
  std::vector<QStringList> groups;
  for (const Row& row : rows_) {
    if (row.copies.size() < 2) continue;
    QStringList paths;
    for (size_t c = 1; c < row.copies.size(); ++c) paths << entries_[row.copies[c]].Path();
    groups.push_back(paths);
  }
  return groups;
}

}  // namespace ptlog
