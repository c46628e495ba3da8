// The window snapshot: a bitmap of the window, converted to JPEG.
#include "output/Snapshot.h"

#include "output/OutputWindow.h"
#include "output/PictureControls.h"
#include "platform/FileAccess.h"
#include "platform/Desktop.h"
#include "record/RecordFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QWidget>
#include <QScreen>
#include <QStandardPaths>

namespace ptlog {

namespace {
const QString kAskSnapshot = QStringLiteral("コピー保存して宜しいですか？");
const QString kNotSaved = QStringLiteral("JPEGファイルを保存できませんでした。");
const QString kJpegFilter = QStringLiteral("All Files (*.*)|*.*|JPEG Files (*.jpg)|*.jpg");
}  // namespace

QString WriteWorkBitmap(const QImage& image, const QString& programPath) {
  QByteArray bmp;
  QBuffer buffer(&bmp);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "BMP")) return QString();
  const QString preferred = programPath + QStringLiteral("Work.bmp");
  if (!programPath.isEmpty() && WriteFileAtomically(preferred, bmp) == WriteResult::Written) return preferred;
  // A program installed for all users cannot write its own folder.
  const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
  QDir().mkpath(cache);
  const QString fallback = QDir(cache).filePath(QStringLiteral("Work.bmp"));
  return WriteFileAtomically(fallback, bmp) == WriteResult::Written ? fallback : QString();
}

namespace {
QImage CaptureWindow(OutputWindow& w) {
  // The whole window, its frame included where the window system draws one.
  const QRect outer = w.window->frameGeometry();
  QImage shot;
  if (QScreen* s = w.window->screen(); s && QGuiApplication::platformName() != QLatin1String("offscreen"))
    shot = s->grabWindow(0, outer.x(), outer.y(), outer.width(), outer.height()).toImage();
  if (shot.isNull()) shot = w.window->grab().toImage();
  w.captureStrip->resize(shot.size());
  return shot;
}
}  // namespace

void RunSnapshotCommand(OutputWindow& w) {
  if (!w.desktop.AskYesNo(w.window, kAskSnapshot)) return;
  const QString& record = w.state.RecordPath;
  if (record.isEmpty()) {
    w.desktop.ShowOk(w.window, kFileNotLoaded);
    return;
  }
  const QString jpg = w.desktop.RunFileDialog(
      w.window, {FileDialogRequest::Save, kJpegFilter, 2, PathWithExtension(record, QStringLiteral("jpg")), QString()});
  if (jpg.isEmpty()) return;

  bool saved = false;
  {
    PictureControlsHidden hidden(w.controls, w.state.Record);
    QCoreApplication::processEvents();
    const QImage shot = CaptureWindow(w);
    const QString bmp = shot.isNull() ? QString() : WriteWorkBitmap(shot, w.programPath);
    saved = !bmp.isEmpty() && w.desktop.SavetoJPEG(bmp, jpg, 100, -1);
  }
  // Silence here would leave the user believing the picture was saved.
  if (!saved) w.desktop.ShowOk(w.window, kNotSaved);
}

}  // namespace ptlog
