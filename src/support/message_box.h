#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// Buttons, icons and answers carry the numbers that the Windows message box used, so that
// scripts and files that pass them as numbers keep working.
enum MessageBoxButtons : uint32_t {
  MB_OK = 0,
  MB_OKCANCEL = 1,
  MB_YESNOCANCEL = 3,
  MB_YESNO = 4,
};

enum MessageBoxIcon : uint32_t {
  MB_ICONNONE = 0,
  MB_ICONERROR = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONWARNING = 0x30,
  MB_ICONINFORMATION = 0x40,
};

enum MessageBoxAnswer : int32_t {
  IDOK = 1,
  IDCANCEL = 2,
  IDYES = 6,
  IDNO = 7,
};

// Where messages to the operator go. The host installs a windowed implementation; headless
// runs and tests use CRRecordingMessageBox. Show returns one of the answers the buttons offer.
class CRMessageBox {
 public:
  virtual ~CRMessageBox() = default;

  virtual MessageBoxAnswer Show(std::u16string_view text, std::u16string_view caption,
                                MessageBoxButtons buttons, MessageBoxIcon icon) = 0;

  // The process-wide current message box; a process-wide recording one until another is set.
  static CRMessageBox& GetCurrent();
  // Installs box (nullptr restores the built-in recording one) and returns the previous
  // one. The caller keeps box alive for as long as it is current.
  static CRMessageBox* SetCurrent(CRMessageBox* box);
};

// Records every box, prints it to stderr and answers with a configurable default: a positive
// default (IDOK, IDYES) presses OK or Yes, IDNO presses No (Cancel where there is no No), and
// IDCANCEL presses Cancel (No where there is no Cancel). A box with OK only is always OK.
class CRRecordingMessageBox : public CRMessageBox {
 public:
  struct Record {
    std::u16string text;
    std::u16string caption;
    MessageBoxButtons buttons = MB_OK;
    MessageBoxIcon icon = MB_ICONNONE;
    MessageBoxAnswer answer = IDOK;
  };

  MessageBoxAnswer Show(std::u16string_view text, std::u16string_view caption, MessageBoxButtons buttons,
                        MessageBoxIcon icon) override;

  void SetDefaultAnswer(MessageBoxAnswer answer);
  MessageBoxAnswer GetDefaultAnswer() const;
  std::vector<Record> GetRecords() const;
  void ClearRecords();

 private:
  mutable std::mutex m_lock;
  MessageBoxAnswer m_defaultAnswer = IDOK;
  std::vector<Record> m_records;
};
