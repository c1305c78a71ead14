#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "support/millisecond_clock.h"
#include "support/utf16_text.h"
#include "tags/tag_server.h"

// Every TagChanged call as "name=text" (the value's display text), with " first" when the
// value is not a change but the current one for a new listener.
using TagEvents = std::vector<std::string>;

class RecordingListener : public CNPTagServerConnectionPoint {
 public:
  uint32_t IsListening() override { return 1; }
  void TagChanged(CNPTag*, std::u16string_view name, const CNValue& value, uint32_t changed) override {
    m_events.push_back(Utf16ToUtf8(name) + "=" + Utf16ToUtf8(value.GetText(0)) + (changed ? "" : " first"));
  }
  // The events so far, forgetting them.
  TagEvents Take() { return std::exchange(m_events, {}); }

 private:
  TagEvents m_events;
};

// Replaces the runtime's millisecond clock while it lives.
class ManualTickClock : public CNMillisecondClock {
 public:
  ManualTickClock() : m_previous(SetCurrent(this)) {}
  ~ManualTickClock() override { SetCurrent(m_previous); }
  uint32_t Now() const override { return now; }
  uint32_t now = 0;

 private:
  const CNMillisecondClock* m_previous;
};

inline CNValue NumberValue(double n) {
  CNValue v;
  v.SetNumber(n);
  return v;
}

// A test of one tag server (or the suite) whose tags are given back at its end.
template <class Server>
class TagServerFixture : public ::testing::Test {
 protected:
  // Offline: link tags stay local, no panel server is needed.
  void StartOffline(CRPtr<CNConnectionSettings> connection = nullptr) {
    CNTagServerStartInfo info;
    info.offline = true;
    info.connection = std::move(connection);
    server.Start(info);
  }
  void TearDown() override {
    for (const auto& [tag, l] : held) server.ReleaseTag(tag, l);
    held.clear();
    server.Stop();
  }

  CNPTag* Get(std::u16string_view name, RecordingListener& l) {
    CNPTag* tag = server.GetTag(name, 1, &l);
    if (tag) held.emplace_back(tag, &l);
    return tag;
  }
  void Release(CNPTag* tag, RecordingListener& l) {
    held.erase(std::find(held.begin(), held.end(), std::pair<CNPTag*, RecordingListener*>(tag, &l)));
    server.ReleaseTag(tag, &l);
  }
  CRPtr<CNValue> Value(CNPTag* tag) { return server.GetValue(tag, 0, nullptr); }
  std::string Text(CNPTag* tag) { return Utf16ToUtf8(Value(tag)->GetText(0)); }
  double Number(CNPTag* tag) { return Value(tag)->GetNumber(0); }
  void Set(CNPTag* tag, double n) { server.SetValue(tag, NumberValue(n)); }

  ManualTickClock clock;
  RecordingListener listener;
  Server server;
  std::vector<std::pair<CNPTag*, RecordingListener*>> held;
};
