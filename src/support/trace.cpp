#include "support/trace.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "support/utf16_text.h"

namespace {

std::atomic<bool> s_sinkInstalled{false};

// The lock and the sink live in one function-local object so that tracing from static
// initialisers of other files finds them constructed.
struct TraceOutput {
  std::mutex lock;
  CRTrace::Sink sink;
};

TraceOutput& Output() {
  static TraceOutput s_output;
  return s_output;
}

bool EnabledByEnvironment() {
  static const bool s_enabled = [] {
    const char* value = std::getenv("VELTRIX_TRACE");
    return value != nullptr && std::strcmp(value, "1") == 0;
  }();
  return s_enabled;
}

void Emit(std::string_view line) {
  TraceOutput& output = Output();
  std::lock_guard<std::mutex> guard(output.lock);
  if (output.sink) {
    output.sink(line);
    return;
  }
  std::string text(line);
  text.push_back('\n');
  std::fwrite(text.data(), 1, text.size(), stderr);
}

}  // namespace

bool CRTrace::IsEnabled() {
  return s_sinkInstalled.load(std::memory_order_acquire) || EnabledByEnvironment();
}

void CRTrace::Printf(const char* format, ...) {
  if (!IsEnabled() || format == nullptr) return;
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (length >= 0) {
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, again);
    text.pop_back();
    Emit(text);
  }
  va_end(again);
}

void CRTrace::Line(std::string_view text) {
  if (IsEnabled()) Emit(text);
}

void CRTrace::Line(std::u16string_view text) {
  if (IsEnabled()) Emit(Utf16ToUtf8(text));
}

void CRTrace::Notice(std::string_view text) {
  Emit(text);
}

void CRTrace::SetSink(Sink sink) {
  TraceOutput& output = Output();
  std::lock_guard<std::mutex> guard(output.lock);
  s_sinkInstalled.store(static_cast<bool>(sink), std::memory_order_release);
  output.sink = std::move(sink);
}
