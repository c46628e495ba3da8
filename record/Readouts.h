#pragma once

namespace ptlog::readout {

// What each Label4 index shows: the header readouts, the 4 x 3 grid of
// pressure, time and differential for lines A to D, and the judgement panel.
inline constexpr int Number = 0, Date = 1, Duration = 2;
inline constexpr int Pressure[4] = {3, 4, 5, 6};
inline constexpr int Time[4] = {7, 8, 9, 10};
inline constexpr int Differential[4] = {11, 12, 13, 14};
inline constexpr int PipeType = 15, TestPressure = 16, Criterion = 17, Verdict = 18;
inline constexpr int Count = 19;

}  // namespace ptlog::readout

namespace ptlog::layout {

// What a record's kind shows: captions (Label3) and the test-pressure readout
// of typed records only; the line-A bar and its caption for untyped ones.
inline constexpr int TypedOnlyCaptions[] = {6, 7, 14, 15, 17};
inline constexpr int TypedOnlyReadout = readout::TestPressure;
inline constexpr int LineACaption = 12, LineDCaption = 13;  // "Ａ線移動", "Ｄ線移動"
inline constexpr int LineABar = 0, LineDBar = 1;            // HScroll1

}  // namespace ptlog::layout
