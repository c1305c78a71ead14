#include "support/message_box.h"

#include <atomic>
#include <cstdio>

#include "support/utf16_text.h"

namespace {

std::atomic<CRMessageBox*> s_current{nullptr};

CRMessageBox& BuiltInMessageBox() {
  static CRRecordingMessageBox s_builtIn;
  return s_builtIn;
}

bool IsPositive(MessageBoxAnswer answer) {
  return answer == IDOK || answer == IDYES;
}

// Button sets this sink does not know are answered as a plain OK box.
MessageBoxAnswer Answer(MessageBoxButtons buttons, MessageBoxAnswer preferred) {
  switch (buttons) {
    case MB_OKCANCEL:
      return IsPositive(preferred) ? IDOK : IDCANCEL;
    case MB_YESNO:
      return IsPositive(preferred) ? IDYES : IDNO;
    case MB_YESNOCANCEL:
      return IsPositive(preferred) ? IDYES : preferred == IDNO ? IDNO : IDCANCEL;
    default:
      return IDOK;
  }
}

const char* ButtonsName(MessageBoxButtons buttons) {
  switch (buttons) {
    case MB_OK:
      return "OK";
    case MB_OKCANCEL:
      return "OKCANCEL";
    case MB_YESNOCANCEL:
      return "YESNOCANCEL";
    case MB_YESNO:
      return "YESNO";
  }
  return "OK";
}

const char* IconName(MessageBoxIcon icon) {
  switch (icon) {
    case MB_ICONNONE:
      return "NONE";
    case MB_ICONERROR:
      return "ERROR";
    case MB_ICONQUESTION:
      return "QUESTION";
    case MB_ICONWARNING:
      return "WARNING";
    case MB_ICONINFORMATION:
      return "INFORMATION";
  }
  return "NONE";
}

const char* AnswerName(MessageBoxAnswer answer) {
  switch (answer) {
    case IDOK:
      return "OK";
    case IDCANCEL:
      return "CANCEL";
    case IDYES:
      return "YES";
    case IDNO:
      return "NO";
  }
  return "OK";
}

}  // namespace

CRMessageBox& CRMessageBox::GetCurrent() {
  CRMessageBox* box = s_current.load(std::memory_order_acquire);
  return box != nullptr ? *box : BuiltInMessageBox();
}

CRMessageBox* CRMessageBox::SetCurrent(CRMessageBox* box) {
  CRMessageBox* previous = s_current.exchange(box, std::memory_order_acq_rel);
  return previous != nullptr ? previous : &BuiltInMessageBox();
}

MessageBoxAnswer CRRecordingMessageBox::Show(std::u16string_view text, std::u16string_view caption,
                                             MessageBoxButtons buttons, MessageBoxIcon icon) {
  std::lock_guard<std::mutex> guard(m_lock);
  const MessageBoxAnswer answer = Answer(buttons, m_defaultAnswer);
  m_records.push_back({std::u16string(text), std::u16string(caption), buttons, icon, answer});
  std::fprintf(stderr, "[message box] %s: %s [%s, %s] -> %s\n", Utf16ToUtf8(caption).c_str(),
               Utf16ToUtf8(text).c_str(), ButtonsName(buttons), IconName(icon), AnswerName(answer));
  return answer;
}

void CRRecordingMessageBox::SetDefaultAnswer(MessageBoxAnswer answer) {
  std::lock_guard<std::mutex> guard(m_lock);
  m_defaultAnswer = answer;
}

MessageBoxAnswer CRRecordingMessageBox::GetDefaultAnswer() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_defaultAnswer;
}

std::vector<CRRecordingMessageBox::Record> CRRecordingMessageBox::GetRecords() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_records;
}

void CRRecordingMessageBox::ClearRecords() {
  std::lock_guard<std::mutex> guard(m_lock);
  m_records.clear();
}
