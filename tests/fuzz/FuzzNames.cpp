// Any file name: the saved-name parts, base names, flags and the snapshot's
// default name behave and agree with each other.
#include "output/Snapshot.h"
#include "record/RecordFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString name = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  const ptlog::SavedName saved = ptlog::ParseSavedName(name);
  if (saved.flags && saved.flags->size() != 3) std::abort();
  const QString base = ptlog::BaseName(name);
  if (!name.endsWith(base)) std::abort();
  if (base.count('_') > std::max<qsizetype>(0, name.count('_') - 5)) std::abort();
  for (const QString& field : saved.fields)
    if (field.contains('_')) std::abort();
  const QString path = QStringLiteral("/data/") + name;
  const QString jpg = ptlog::PathWithExtension(path, "jpg");
  if (!jpg.endsWith(QStringLiteral("jpg")) || !jpg.startsWith(ptlog::FolderPart(path))) std::abort();
  bool usable = ptlog::UsableInFileName(name);
  if (usable && (name.contains('/') || name == QStringLiteral(".."))) std::abort();
  return 0;
}
