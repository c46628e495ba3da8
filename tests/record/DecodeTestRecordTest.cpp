#include "record/DecodeTestRecord.h"

#include "FakeView.h"
#include "TestSupport.h"
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
  int Load(const tools::RecordSpec& spec, const QString& name = "r.txt") {
    state.RecordPath = scratch.Path(name);
    WriteRecordFile(state.RecordPath, tools::RecordText(spec));
    state.CursorDPlaced = false;
    try {
      DecodeTestRecord(state, view);
    } catch (const PlatformError& e) {
      return e.Number();
    }
    return 0;
  }
  Scratch scratch;
  ViewState state;
  FakeView view{state};
};

TEST_F(Decode, EmptyRecordPathDoesNothing) {
  DecodeTestRecord(state, view);
  EXPECT_EQ(view.redraws, 0);
  EXPECT_EQ(view.captions[0], "");
}

TEST_F(Decode, UntypedLineAStartsNearestToFiveMinutes) {
  struct Case {
    int interval, position, lineA;
  } cases[] = {{10, 30, 300}, {8, 38, 304}, {7, 43, 301}, {255, 1, 255}, {1, 300, 300}};
  for (const Case& c : cases) {
    ASSERT_EQ(Load(Untyped(301, c.interval)), 0) << c.interval;
    EXPECT_EQ(view.scroll[0], c.position) << c.interval;
    EXPECT_EQ(state.CursorATime, c.lineA) << c.interval;
    EXPECT_TRUE(view.scrollVisible[0]);
    EXPECT_TRUE(view.label3Visible[12]);
    for (int i : {6, 7, 14, 15, 17}) EXPECT_FALSE(view.label3Visible[i]) << i;
    EXPECT_FALSE(view.label4Visible[16]);
  }
}

TEST_F(Decode, TypedLayoutAndElapsedEndSeconds) {
  tools::RecordSpec s = Untyped(100, 10);
  s.pipeType = 2;
  s.testMinutes = 10;
  s.cursorStartMinutes = 3;
  s.endSecondsStored = 120;
  ASSERT_EQ(Load(s), 0);
  EXPECT_EQ(state.Record.EndSeconds, 480);
  EXPECT_EQ(state.CursorATime, 180);
  EXPECT_EQ(view.scroll[0], 0);
  EXPECT_FALSE(view.scrollVisible[0]);
  EXPECT_FALSE(view.label3Visible[12]);
  for (int i : {6, 7, 14, 15, 17}) EXPECT_TRUE(view.label3Visible[i]) << i;
  EXPECT_TRUE(view.label4Visible[16]);

  s.pipeType = 0;
  ASSERT_EQ(Load(s), 0);
  EXPECT_EQ(state.Record.EndSeconds, 120) << "untyped: as stored";
}

TEST_F(Decode, HeaderCaptionsAndLineD) {
  tools::RecordSpec s = Untyped(100, 10);
  s.inspectionNumber = 5;
  s.year = 6;
  s.month = 7;
  s.day = 20;
  s.hourCode = 42;
  s.minute = 5;
  ASSERT_EQ(Load(s), 0);
  EXPECT_EQ(view.captions[0], "0005");
  EXPECT_EQ(view.captions[1], "06/07/20 14:05");
  EXPECT_TRUE(state.CursorDPlaced);
  EXPECT_EQ(view.scroll[1], 99);
  EXPECT_EQ(state.CursorDTime, 990);
}

TEST_F(Decode, DecodingAgainKeepsLineDButResetsLineA) {
  ASSERT_EQ(Load(Untyped(100, 10)), 0);
  view.SetScrollValue(1, 50);
  view.SetScrollValue(0, 40);
  EXPECT_EQ(state.CursorDTime, 500);
  EXPECT_EQ(state.CursorATime, 400);
  DecodeTestRecord(state, view);
  EXPECT_EQ(state.CursorDTime, 500);
  EXPECT_EQ(view.scroll[1], 50);
  EXPECT_EQ(state.CursorATime, 300);
  EXPECT_EQ(view.scroll[0], 30);
}

TEST_F(Decode, SampleCountLimitOfTheLineDBar) {
  EXPECT_EQ(Load(Untyped(721, 10)), 0);
  EXPECT_EQ(view.scroll[1], 720);
  const int redrawsBefore = view.redraws;
  EXPECT_EQ(Load(Untyped(722, 10)), 380);
  EXPECT_EQ(view.redraws - redrawsBefore, 2) << "the line-A moves of steps 6 and 9; no step 11";
  EXPECT_EQ(view.captions[0], "0001") << "header readouts were set";
}

TEST_F(Decode, UntypedWithoutIntervalStopsAtDivisionByZero) {
  EXPECT_EQ(Load(Untyped(10, 0)), 11);
  EXPECT_FALSE(state.CursorDPlaced) << "step 10 never ran";
}

TEST_F(Decode, MissingFileEndsAtTheRead) {
  state.RecordPath = scratch.Path("none.txt");
  EXPECT_THROW(DecodeTestRecord(state, view), PlatformError);
  EXPECT_EQ(view.redraws, 0);
}

TEST_F(Decode, ScrollBeyondTheLastSampleComesBack) {
  ASSERT_EQ(Load(Untyped(100, 10)), 0);
  view.SetScrollValue(0, 31);
  EXPECT_EQ(state.CursorATime, 310);
  const int before = view.redraws;
  view.SetScrollValue(1, 100);
  EXPECT_EQ(view.scroll[1], 99);
  EXPECT_EQ(state.CursorDTime, 990);
  EXPECT_EQ(view.redraws - before, 2) << "the nested change and the outer one";
}

TEST_F(Decode, ScrollWithNothingLoadedChangesNothing) {
  view.SetScrollValue(0, 5);
  view.SetScrollValue(1, 7);
  EXPECT_EQ(state.CursorATime, 0);
  EXPECT_EQ(state.CursorDTime, 0);
  EXPECT_EQ(view.redraws, 0);
}

}  // namespace
