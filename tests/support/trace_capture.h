#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "support/trace.h"

// Captures every trace line while it lives.
class TraceCapture {
 public:
  TraceCapture() {
    CRTrace::SetSink([this](std::string_view line) {
      std::lock_guard<std::mutex> guard(m_lock);
      m_lines.emplace_back(line);
    });
  }
  ~TraceCapture() { CRTrace::SetSink(nullptr); }

  std::vector<std::string> Lines() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lines;
  }
  size_t CountContaining(std::string_view part) const {
    size_t count = 0;
    for (const std::string& line : Lines()) count += line.find(part) != std::string::npos;
    return count;
  }

 private:
  mutable std::mutex m_lock;
  std::vector<std::string> m_lines;
};
