#pragma once

#include <functional>
#include <string_view>

// Debug trace: one line per call, written to stderr when the environment variable
// VELTRIX_TRACE is "1" when first looked at. Off, a call costs one flag test and formats
// nothing. Safe to call from any thread; lines never interleave.
class CRTrace {
 public:
  // Receives each line without its line break. Called under the trace lock: a sink must not
  // trace itself.
  using Sink = std::function<void(std::string_view line)>;

  static bool IsEnabled();
  [[gnu::format(printf, 1, 2)]] static void Printf(const char* format, ...);
  static void Line(std::string_view text);
  static void Line(std::u16string_view text);
  // A line for the operator (a warning, a lost connection): written whether tracing is on or
  // not, to the sink when one is installed, else to stderr.
  static void Notice(std::string_view text);

  // Routes every line to sink instead of stderr and turns tracing on whatever the
  // environment says; an empty sink restores stderr and the environment's choice.
  static void SetSink(Sink sink);
};
