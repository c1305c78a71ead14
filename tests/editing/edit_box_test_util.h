#pragma once

#include <string>
#include <vector>

#include "editing/edit_box.h"
#include "screen/pobject_test_util.h"
#include "support/message_box.h"

// A recording owner that also records what an edit box asks of its window.
class HostOwner : public RecordingOwner, public CNEditBoxHost {
 public:
  using RecordingOwner::RecordingOwner;
  void EditorOpened(CNPEditBox&) override { calls.push_back("opened"); }
  void EditorClosed(CNPEditBox&) override { calls.push_back("closed"); }
  void MoveFocus(CNPEditBox&, bool forward) override { calls.push_back(forward ? "next" : "previous"); }
  std::vector<std::string> calls;
};

// An edit box whose owner's script handles the edit box events; message boxes are recorded.
class EditBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previousBox = CRMessageBox::SetCurrent(&messages);
    box->SetOwner(&owner);
    owner.script.handlers = {u"OnTextChanged", u"OnTextChanging", u"OnTextFormatError", u"OnEditBoxValueChanged"};
  }
  void TearDown() override { CRMessageBox::SetCurrent(m_previousBox); }

  // Gives the box its type, format and text as a file does, then runs it with an empty log.
  void Start(std::u16string_view type, std::u16string_view format, std::u16string_view text = u"") {
    box->SetPropertyText(u"TextType", type);
    box->SetPropertyText(u"TextFormat", format);
    box->SetPropertyText(u"Text", text);
    box->Initialize();
    box->ClearChangedProperties();
    log.clear();
  }
  // A property as its literal, strings unescaped.
  std::string Read(std::u16string_view name) const {
    CNValue value;
    box->GetProperty(name, value);
    return Utf16ToUtf8(value.ToLiteral(false));
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& record : messages.GetRecords()) texts.push_back(Utf16ToUtf8(record.text));
    return texts;
  }

  EventLog log;
  HostOwner owner{log};
  CRRecordingMessageBox messages;
  CRPtr<CNPEditBox> box = CRPtr<CNPEditBox>::Make();

 private:
  CRMessageBox* m_previousBox = nullptr;
};
