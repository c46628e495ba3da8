#pragma once

#include <QStringList>

namespace ptlog {

// The Mincho face of the design, then the faces that stand in for it where it
// is missing: fontconfig does not alias the Windows name to IPAMincho.
inline QStringList MinchoFamilies() {
  return {QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho"), QStringLiteral("IPAMincho"),
          QStringLiteral("IPA明朝"), QStringLiteral("Noto Serif CJK JP")};
}

}  // namespace ptlog
