#pragma once

// Every panel class registered in a registry of the test's own, and a message box that records
// what it would show.

#include <gtest/gtest.h>

#include <vector>

#include "project/form_file_reader.h"
#include "shell/panel_classes.h"
#include "support/message_box.h"

class PanelClassesTest : public testing::Test {
 protected:
  void SetUp() override {
    m_previousBox = CRMessageBox::SetCurrent(&m_box);
    ASSERT_TRUE(RegisterPanelClasses(m_registry));
  }
  void TearDown() override { CRMessageBox::SetCurrent(m_previousBox); }

  std::vector<const CNObjectClassRecord*> AllRecords() const {
    std::vector<const CNObjectClassRecord*> records;
    for (const auto& category : m_registry.GetCategories())
      records.insert(records.end(), category.classes.begin(), category.classes.end());
    return records;
  }

  CRRecordingMessageBox m_box;
  CRMessageBox* m_previousBox = nullptr;
  CPanelControls m_registry;
  CNFormLoadContext m_context{m_registry};
};
