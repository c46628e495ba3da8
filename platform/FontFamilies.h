#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QStringList>

namespace ptlog {

// The Mincho face of the design, then the faces that stand in for it where it
// is missing: fontconfig does not alias the Windows name to IPAMincho.
inline QStringList MinchoFamilies() {
  return {QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho"), QStringLiteral("IPAMincho"),
          QStringLiteral("IPA明朝"), QStringLiteral("Noto Serif CJK JP")};
}

// The fonts shipped beside the program (the Windows build's "fonts" folder:
// IPAMincho), so windows and pages look the same on a system without the
// design's Mincho face. Needs the application object.
inline void LoadBundledFonts() {
  const QDir fonts(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
  for (const QString& name : fonts.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files))
    QFontDatabase::addApplicationFont(fonts.filePath(name));
}

}  // namespace ptlog
