#include "record/DecodeTestRecord.h"

#include "FakeView.h"
#include "TestSupport.h"
#include "record/Readouts.h"
#include "record/RecordFile.h"
#include "tools/RecordGenerator.h"

#include <gtest/gtest.h>

using namespace ptlog;
using ptlog::test::FakeView;
using ptlog::test::Scratch;

namespace {

tools::RecordSpec Untyped(int samples, int interval) {
  tools::RecordSpec s;
  s.pipeType = 0;
  s.intervalSeconds = interval;
  s.measureMinutes = samples * interval / 60;
  s.samples.assign(samples, 500000);
  return s;
}

class Decode : public ::testing::Test {
protected:
  int Load(const tools::RecordSpec& spec) {
    state.RecordPath = scratch.Path("r.txt");
    WriteRecordFile(state.RecordPath, tools::RecordText(spec));
    state.CursorDPlaced = false;
    try {
      DecodeTestRecord(state, view);
    } catch (const PlatformError& e) {
      return e.Number();
    }
    return 0;
  }
  // Whether the window shows what a typed record shows.
  bool TypedLayout() const {
    for (int i : layout::TypedOnlyCaptions)
      if (!view.label3Visible[i]) return false;
    return view.label4Visible[layout::TypedOnlyReadout] && !view.label3Visible[layout::LineACaption] &&
           !view.scrollVisible[layout::LineABar];
  }
  Scratch scratch;
  ViewState state;
  FakeView view{state};
};

TEST_F(Decode, NothingLoadedOrMissingFileDrawsNothing) {
  DecodeTestRecord(state, view);
  view.SetScrollValue(0, 5);
  view.SetScrollValue(1, 7);
  EXPECT_EQ(std::make_tuple(state.CursorATime, state.CursorDTime, view.redraws), std::make_tuple(0, 0, 0));
  state.RecordPath = scratch.Path("none.txt");
  EXPECT_THROW(DecodeTestRecord(state, view), PlatformError);
  EXPECT_EQ(view.redraws, 0);
}

TEST_F(Decode, LayoutAndLineAByKindOfRecord) {
  // Untyped: line A at the sample nearest to five minutes.
  for (auto [interval, position] : {std::pair{10, 30}, {8, 38}, {7, 43}, {255, 1}, {1, 300}}) {
    ASSERT_EQ(Load(Untyped(301, interval)), 0) << interval;
    EXPECT_EQ(std::make_pair(view.scroll[0], state.CursorATime),
              std::make_pair(position, position * interval));
    EXPECT_FALSE(TypedLayout());
  }
  tools::RecordSpec s = Untyped(100, 10);
  s.pipeType = 2, s.testMinutes = 10, s.cursorStartMinutes = 3, s.endSecondsStored = 120;
  ASSERT_EQ(Load(s), 0);
  EXPECT_TRUE(TypedLayout());
  EXPECT_EQ(std::make_tuple(state.Record.EndSeconds, state.CursorATime, view.scroll[0]),
            std::make_tuple(480, 180, 0));
  s.pipeType = 0;
  ASSERT_EQ(Load(s), 0);
  EXPECT_EQ(state.Record.EndSeconds, 120) << "untyped: as stored";
}

TEST_F(Decode, HeaderCaptionsAndLineDWhichASecondDecodeKeeps) {
  tools::RecordSpec s = Untyped(100, 10);
  s.inspectionNumber = 5, s.year = 6, s.month = 7, s.day = 20, s.hourCode = 42, s.minute = 5;
  ASSERT_EQ(Load(s), 0);
  EXPECT_EQ(view.captions[readout::Number], "0005");
  EXPECT_EQ(view.captions[readout::Date], "06/07/20 14:05");
  EXPECT_EQ(std::make_tuple(state.CursorDPlaced, view.scroll[1], state.CursorDTime),
            std::make_tuple(true, 99, 990));

  view.SetScrollValue(1, 50);
  view.SetScrollValue(0, 40);
  DecodeTestRecord(state, view);
  EXPECT_EQ(std::make_pair(state.CursorDTime, view.scroll[1]), std::make_pair(500, 50));
  EXPECT_EQ(std::make_pair(state.CursorATime, view.scroll[0]), std::make_pair(300, 30));

  // A bar moved past the last sample comes back to it, redrawing twice.
  const int before = view.redraws;
  view.SetScrollValue(1, 100);
  EXPECT_EQ(std::make_tuple(view.scroll[1], state.CursorDTime, view.redraws - before),
            std::make_tuple(99, 990, 2));
}

TEST_F(Decode, RecordsThatCannotBeShownStopWithTheirError) {
  EXPECT_EQ(Load(Untyped(721, 10)), 0);
  EXPECT_EQ(view.scroll[1], 720);
  const int redrawsBefore = view.redraws;
  EXPECT_EQ(Load(Untyped(722, 10)), 380);
  EXPECT_EQ(view.redraws - redrawsBefore, 2) << "the line-A moves; not the final redraw";
  EXPECT_EQ(view.captions[readout::Number], "0001") << "header readouts were set";
  EXPECT_EQ(Load(Untyped(10, 0)), 11);
  EXPECT_FALSE(state.CursorDPlaced) << "line D was never placed";
}

}  // namespace
