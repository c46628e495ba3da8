#pragma once

#include "settings/SettingsFile.h"

#include <QHash>
#include <QImage>
#include <QRectF>
#include <QStringList>
#include <memory>

class QPainter;
class QSvgRenderer;

namespace ptlog {

// What a contractor puts on its test reports: the [Report Set] section of the
// shared settings file. Absent keys give the page as it always was.
struct ReportSettings {
  QString title = QStringLiteral("配管試験報告書");
  QString company, info1, info2;  // name, then address and telephone
  QString logo;                   // an image file (SVG drawn as vectors)
  QString sealFolder;             // inspectors' seals, named after them (山田.png)
  QStringList boxCaptions = {QStringLiteral("担当者"), QStringLiteral("確認者")};
};
inline constexpr int kMostSignatureBoxes = 4;

// Logos drawn as vectors need Qt's SVG module, which the Windows build lacks
// (Debian's archive keeps no source of it to build from).
#ifdef PTLOG_SVG
inline constexpr bool kSvgLogos = true;
#else
inline constexpr bool kSvgLogos = false;
#endif

ReportSettings ReadReportSettings(const SettingsLocation& where);
bool WriteReportSettings(const SettingsLocation& where, const ReportSettings& settings);

// Whether an image file can go on a page: there, an image, and of a sensible
// size (a page needs no more than a few thousand pixels a side).
enum class ImageCheck { Usable, Missing, NotAnImage, TooLarge };
ImageCheck CheckImageFile(const QString& path);
// The check's answer in the window's words, naming the file; empty when usable.
QString ImageCheckText(ImageCheck check, const QString& path);

// The settings with their images, each read once however many pages use it.
// An image that is gone or unusable at report time leaves its place empty and
// is named once in Problems().
class ReportLook {
public:
  explicit ReportLook(ReportSettings settings = {});
  ~ReportLook();
  ReportLook(const ReportLook&) = delete;
  ReportLook& operator=(const ReportLook&) = delete;

  const ReportSettings& Settings() const { return settings_; }
  void DrawLogo(QPainter& painter, const QRectF& box);
  // The seal whose file name is the inspector's (after NFKC); false when none.
  bool DrawSeal(QPainter& painter, const QString& inspector, const QRectF& box);
  QStringList TakeProblems();

private:
  struct Picture {
    QImage raster;
    std::shared_ptr<QSvgRenderer> vector;
    bool usable = false;
  };
  const Picture& Load(const QString& path, int longestSide);
  void Draw(QPainter& painter, const Picture& picture, const QRectF& box);

  ReportSettings settings_;
  QHash<QString, Picture> pictures_;
  QHash<QString, QString> seals_;  // normalised inspector -> file
  bool sealsListed_ = false;
  QStringList problems_;
};

}  // namespace ptlog
