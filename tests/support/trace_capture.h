#pragma once

#include <initializer_list>
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
  // The lines so far that begin with one of prefixes, forgetting every line so far.
  std::vector<std::string> Take(std::initializer_list<std::string_view> prefixes) {
    std::lock_guard<std::mutex> guard(m_lock);
    std::vector<std::string> taken;
    for (const std::string& line : m_lines)
      for (std::string_view prefix : prefixes)
        if (line.starts_with(prefix)) taken.push_back(line);
    m_lines.clear();
    return taken;
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
