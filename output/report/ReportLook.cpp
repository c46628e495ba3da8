#include "output/report/ReportLook.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#ifdef PTLOG_SVG
#include <QSvgRenderer>
#endif

namespace ptlog {

namespace {

const QString kSection = QStringLiteral("Report Set");
// Larger than any logo or seal a page needs; a photograph from a phone still fits.
constexpr qint64 kLargestImageBytes = qint64(20) * 1024 * 1024;
constexpr int kLargestImageSide = 8000;
// Read for the page at about 600 dpi of the box it fills.
constexpr int kLogoPixels = 1200, kSealPixels = 600;

[[maybe_unused]] bool IsSvg(const QString& path) { return path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive); }

QString Normal(const QString& name) { return name.normalized(QString::NormalizationForm_KC); }

}  // namespace

ReportSettings ReadReportSettings(const SettingsLocation& where) {
  ReportSettings s;
  const auto read = [&](const char* key, const QString& fallback) {
    return ReadSetting(where, kSection, QString::fromLatin1(key), fallback);
  };
  s.title = read("ReportTitle", s.title);
  s.company = read("CompanyName", {}), s.info1 = read("CompanyInfo1", {}), s.info2 = read("CompanyInfo2", {});
  s.logo = read("CompanyLogo", {}), s.sealFolder = read("SealFolder", {});
  QStringList captions;
  for (const QString& c : read("BoxCaptions", s.boxCaptions.join(QLatin1Char(','))).split(QLatin1Char(',')))
    if (!c.trimmed().isEmpty() && captions.size() < kMostSignatureBoxes) captions << c.trimmed();
  s.boxCaptions = captions;
  return s;
}

bool WriteReportSettings(const SettingsLocation& where, const ReportSettings& s) {
  return WriteSettings(where, {{kSection, QStringLiteral("ReportTitle"), s.title},
                               {kSection, QStringLiteral("CompanyName"), s.company},
                               {kSection, QStringLiteral("CompanyInfo1"), s.info1},
                               {kSection, QStringLiteral("CompanyInfo2"), s.info2},
                               {kSection, QStringLiteral("CompanyLogo"), s.logo},
                               {kSection, QStringLiteral("SealFolder"), s.sealFolder},
                               {kSection, QStringLiteral("BoxCaptions"), s.boxCaptions.join(QLatin1Char(','))}});
}

ImageCheck CheckImageFile(const QString& path) {
  const QFileInfo file(path);
  if (!file.isFile()) return ImageCheck::Missing;
  if (file.size() > kLargestImageBytes) return ImageCheck::TooLarge;
#ifdef PTLOG_SVG
  if (IsSvg(path)) return QSvgRenderer(path).isValid() ? ImageCheck::Usable : ImageCheck::NotAnImage;
#endif
  QImageReader reader(path);
  const QSize size = reader.size();  // from the header alone
  if (!reader.canRead() || !size.isValid()) return ImageCheck::NotAnImage;
  return size.width() > kLargestImageSide || size.height() > kLargestImageSide ? ImageCheck::TooLarge
                                                                               : ImageCheck::Usable;
}

QString ImageCheckText(ImageCheck check, const QString& path) {
  const QString name = QDir::toNativeSeparators(path);
  switch (check) {
    case ImageCheck::Usable: return QString();
    case ImageCheck::Missing: return QStringLiteral("画像ファイルが見つかりません：") + name;
    case ImageCheck::NotAnImage: return QStringLiteral("画像ファイルではありません：") + name;
    case ImageCheck::TooLarge: return QStringLiteral("画像ファイルが大きすぎます：") + name;
  }
  return QString();
}

ReportLook::ReportLook(ReportSettings settings) : settings_(std::move(settings)) {}
ReportLook::~ReportLook() = default;

const ReportLook::Picture& ReportLook::Load(const QString& path, int longestSide) {
  if (const auto it = pictures_.constFind(path); it != pictures_.constEnd()) return *it;
  Picture picture;
  const ImageCheck check = CheckImageFile(path);
#ifdef PTLOG_SVG
  if (check == ImageCheck::Usable && IsSvg(path)) {
    picture.vector = std::make_shared<QSvgRenderer>(path);
    picture.usable = picture.vector->isValid();
    if (!picture.usable) problems_ << ImageCheckText(ImageCheck::NotAnImage, path);
    return *pictures_.insert(path, picture);
  }
#endif
  if (check == ImageCheck::Usable) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (std::max(size.width(), size.height()) > longestSide)
      reader.setScaledSize(size.scaled(longestSide, longestSide, Qt::KeepAspectRatio));
    picture.usable = reader.read(&picture.raster);
  }
  if (!picture.usable) problems_ << ImageCheckText(check == ImageCheck::Usable ? ImageCheck::NotAnImage : check, path);
  return *pictures_.insert(path, picture);
}

void ReportLook::Draw(QPainter& painter, const Picture& picture, const QRectF& box) {
  if (!picture.usable) return;
  // Scaled into the box keeping its proportions, centred.
#ifdef PTLOG_SVG
  const QSizeF natural = picture.vector ? QSizeF(picture.vector->defaultSize()) : QSizeF(picture.raster.size());
#else
  const QSizeF natural(picture.raster.size());
#endif
  if (natural.isEmpty()) return;
  const QSizeF fitted = natural.scaled(box.size(), Qt::KeepAspectRatio);
  const QRectF target(box.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
#ifdef PTLOG_SVG
  if (picture.vector) return picture.vector->render(&painter, target);
#endif
  painter.drawImage(target, picture.raster);
}

void ReportLook::DrawLogo(QPainter& painter, const QRectF& box) {
  if (!settings_.logo.isEmpty()) Draw(painter, Load(settings_.logo, kLogoPixels), box);
}

bool ReportLook::DrawSeal(QPainter& painter, const QString& inspector, const QRectF& box) {
  if (settings_.sealFolder.isEmpty() || inspector.isEmpty()) return false;
  if (!sealsListed_) {
    sealsListed_ = true;
    const QDir folder(settings_.sealFolder);
    if (!folder.exists()) problems_ << QStringLiteral("印影のフォルダーが見つかりません：") +
                                           QDir::toNativeSeparators(settings_.sealFolder);
    for (const QFileInfo& f : folder.entryInfoList(QDir::Files, QDir::Name))
      seals_.insert(Normal(f.completeBaseName()), f.absoluteFilePath());
  }
  const auto it = seals_.constFind(Normal(inspector));
  if (it == seals_.constEnd()) return false;
  const Picture& seal = Load(*it, kSealPixels);
  Draw(painter, seal, box);
  return seal.usable;
}

QStringList ReportLook::TakeProblems() { return std::exchange(problems_, {}); }

}  // namespace ptlog
