// Decoding and redrawing records of several lengths: medians of many runs,
// and the cost per sample. Prints "figure value unit" lines.
// "--once decode|redraw N [TIMES]" does one of them once (or TIMES times),
// for instruction counting.
#include "graph/PainterSurface.h"
#include "graph/RedrawGraph.h"
#include "record/DecodeTestRecord.h"
#include "record/RecordFile.h"
#include "tools/RecordGenerator.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace ptlog;

namespace {

// The window's controls as plain values; redraws go nowhere while decoding.
class BenchView : public MainView {
public:
  bool Scale1MPaSelected() const override { return true; }
  int DetailsValue() const override { return 1; }
  QString Label4Caption(int i) const override { return captions[i]; }
  void SetLabel4Caption(int i, const QString& c) override { captions[i] = c; }
  void SetLabel3Visible(int, bool) override {}
  void SetLabel4Visible(int, bool) override {}
  int ScrollValue(int i) const override { return scroll[i]; }
  void SetScrollValue(int i, int v) override { scroll[i] = v; }
  void SetScrollVisible(int, bool) override {}
  void RedrawGraph() override {}
  QString captions[19];
  int scroll[2] = {0, 0};
};

template <typename F>
double MedianMs(int runs, F&& f) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer t;
    t.start();
    f();
    ms.push_back(t.nsecsElapsed() / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

tools::RecordSpec Spec(int samples) {
  // A day-long untyped measurement; the interval keeps the span within the graph's limit.
  tools::RecordSpec s = tools::Measurement(700, 1, 1, 7);
  s.samples = tools::HoldProfile(samples, 1, 700000, 500, 7);
  s.intervalSeconds = 1;
  s.measureMinutes = std::max(1, samples / 60);
  s.sampleCountField = std::min(samples, 65535);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QTemporaryDir dir;

  std::vector<int> sizes{721, 65535, 155615};
  bool once = false, decodeOnly = false;
  int repeats = 1;  // --once ... N 2: the second call runs warm (font database loaded)
  if ((argc == 4 || argc == 5) && QByteArray(argv[1]) == "--once") {
    once = true;
    decodeOnly = QByteArray(argv[2]) == "decode";
    sizes = {std::atoi(argv[3])};
    if (argc == 5) repeats = std::atoi(argv[4]);
  }

  for (int samples : sizes) {
    const tools::RecordSpec spec = Spec(samples);
    const QString path = dir.filePath(QStringLiteral("r%1.txt").arg(samples));
    WriteRecordFile(path, tools::RecordText(spec));

    ViewState state;
    BenchView view;
    state.RecordPath = path;
    const int runs = once ? 1 : samples > 1000 ? 31 : 301;
    const double decode = MedianMs(runs, [&] {
      state.CursorDPlaced = true;
      DecodeTestRecord(state, view);
    });
    if (once && decodeOnly) return 0;
    if (!once)
      std::printf("decode_%d_ms %.4f\ndecode_%d_us_per_sample %.5f\n", samples, decode, samples,
                  decode * 1000.0 / samples);

    // The record as decoded, with the count the text holds (the header field
    // stops at 65,535), lines A and D inside it.
    state.Record.SampleCount = samples;
    state.CursorATime = 300;
    state.CursorDTime = samples - 1;
    QImage canvas(QSize(1001, 545), QImage::Format_RGB32);
    PenState pen;
    const double redraw =
        MedianMs(once             ? repeats
                 : samples > 1000 ? 21
                                  : 201,
                 [&] {
                   PainterSurface surface(&canvas, 1.0 / 15.0, QRectF(0, 0, 15015, 8175), pen);
                   RedrawGraph(state, view, surface);
                   surface.End();
                 });
    if (once) return 0;
    std::printf("redraw_%d_ms %.3f\nredraw_%d_us_per_sample %.4f\n", samples, redraw, samples,
                redraw * 1000.0 / samples);
  }
  return 0;
}
