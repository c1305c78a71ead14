// The project runtime's handlers join the entries of the built-in tables they answer.
#include <gtest/gtest.h>

#include "browser/project_runtime_requests.h"
#include "methods/builtin_methods.h"
#include "script/builtin_tables.h"

TEST(RuntimeHandlers, EveryHandlerJoinsTheEntryThatChecksItsArguments) {
  RegisterBuiltInMethods();
  ASSERT_TRUE(CNPRuntimeRequests::RegisterHandlers());  // a handler for a name no table has fails here
  struct Case {
    std::u16string_view name;
    size_t fewest, most;
  };
  for (const Case& c : {Case{u"OpenForm", 1, 5}, Case{u"ViewSetZoom", 2, 2}, Case{u"CloseAllDialog", 0, 0},
                        Case{u"SetDialogState", 2, 255}}) {
    RuntimeHandler handler = nullptr;
    const MethodEntry* entry = CKVBuiltIns::FindRuntimeEntry(c.name, handler);
    ASSERT_NE(entry, nullptr);
    EXPECT_NE(handler, nullptr);
    EXPECT_TRUE(entry->Accepts(c.fewest) && entry->Accepts(c.most));
    EXPECT_FALSE(c.fewest > 0 && entry->Accepts(c.fewest - 1));
    EXPECT_FALSE(c.most < 255 && entry->Accepts(c.most + 1));
  }
  // A function that needs a screen has its entry but no handler here: scripts get its failure.
  RuntimeHandler handler = nullptr;
  EXPECT_NE(CKVBuiltIns::FindRuntimeEntry(u"PrintImage", handler), nullptr);
  EXPECT_EQ(handler, nullptr);
}
