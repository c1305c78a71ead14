#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tags/tag.h"

namespace {

class PlainTag : public CNPTag {
 public:
  using CNPTag::CNPTag;
  TagKind GetKind() const override { return kTagMemory; }
};

struct Recorder : CNPTagServerConnectionPoint {
  explicit Recorder(std::vector<std::string>& log, std::string id) : log(log), id(std::move(id)) {}
  uint32_t IsListening() override { return listening; }
  void TagChanged(CNPTag* tag, std::u16string_view, const CNValue&, uint32_t changed) override {
    log.push_back(id + (changed ? " changed" : " first"));
    if (onCall) onCall(tag);
  }
  std::vector<std::string>& log;
  std::string id;
  uint32_t listening = 1;
  std::function<void(CNPTag*)> onCall;
};

}  // namespace

TEST(TagListeners, ChangeReachesEveryListenerOnceAndFirstValueOnlyThePending) {
  std::vector<std::string> log;
  Recorder a(log, "a"), b(log, "b"), quiet(log, "quiet");
  quiet.listening = 0;
  auto tag = CRPtr<PlainTag>::Make(u"$D1");
  tag->AddListener(&a);
  tag->AddListener(&quiet);
  tag->AddListener(&b);
  tag->AddListener(&a);  // a later GetTag of the same listener
  tag->AddPendingListener(&b);
  CNValue value;
  value.SetNumber(1);
  tag->Notify(u"$D1", value, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"b first"}));
  tag->Notify(u"$D1", value, 0);  // the pending list was emptied
  EXPECT_EQ(log.size(), 1u);
  log.clear();
  tag->Notify(u"$D1", value, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"a changed", "b changed"}));

  // Past a handful of listeners the repeats are found another way; the order stays.
  std::vector<Recorder> many;
  std::vector<std::string> expected;
  for (int i = 0; i < 20; ++i) many.emplace_back(log, std::to_string(i));
  for (Recorder& each : many) expected.push_back(each.id + " changed");
  for (int round = 0; round < 2; ++round)
    for (Recorder& each : many) tag->AddListener(&each);
  log.clear();
  tag->Notify(u"$D1", value, 1);
  expected.insert(expected.begin(), {"a changed", "b changed"});
  EXPECT_EQ(log, expected);
}

TEST(TagListeners, AReceiverThatLeavesDuringNotificationIsNotCalledAgain) {
  std::vector<std::string> log;
  Recorder a(log, "a"), b(log, "b");
  auto tag = CRPtr<PlainTag>::Make(u"X");
  tag->AddListener(&a);
  tag->AddListener(&b);
  a.onCall = [&](CNPTag* t) { t->RemoveListener(&b); };
  CNValue value;
  value.SetNumber(2);
  tag->Notify(u"X", value, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"a changed"}));
  EXPECT_EQ(tag->GetListenerCount(), 1u);
}
