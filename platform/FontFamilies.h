#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace ptlog {

// The Mincho face of the design, then the faces that stand in for it where it
// is missing: fontconfig does not alias the Windows name to IPAMincho.
inline QStringList MinchoFamilies() {
  return {QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho"), QStringLiteral("IPAMincho"),
          QStringLiteral("IPA明朝"), QStringLiteral("Noto Serif CJK JP")};
}

// The Mincho face, its size still to set. On Windows without hinting: GDI
// rounds each glyph's hinted advance up (a 15-pixel character takes 16, bold
// 17) and captions outgrow the design; DirectWrite, which Qt takes for fonts
// without hinting, keeps the face's own widths.
inline QFont MinchoFace() {
  QFont font;
  font.setFamilies(MinchoFamilies());
#ifdef Q_OS_WIN
  font.setHintingPreference(QFont::PreferNoHinting);
#endif
  return font;
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
