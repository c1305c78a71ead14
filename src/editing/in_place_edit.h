#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editing/in_place_edit_keys.h"

// Where the caret goes when an editor opens: the items of "StartCursor".
enum CNStartCursor : int32_t {
  START_NONE = 0,  // at the end, nothing selected
  START_MOUSE = 1,  // where the mouse pressed (the host measures it), else at the end
  START_LEFT = 2,
  START_RIGHT = 3,
  START_SELECTALL = 4,
};

// What a key did; the owner of the editor acts on the last four.
enum class CNEditKey {
  Ignored,
  Handled,
  Enter,
  Escape,
  Tab,
  BackTab,
};

// The editor that lies over an edit box while the operator types: its text, caret and
// selection, without a window. The host draws it and feeds it key codes and the text its input
// method delivers. Positions count UTF-16 code units and never split a surrogate pair or a
// line break "\r\n"; the selection runs between the anchor and the caret.
class CNPInPlaceEdit {
 public:
  struct Options {
    uint32_t maxLength = 0;  // code units; 0 for no limit
    bool password = false;   // shown masked
    bool multiline = false;  // Enter breaks the line; Control+Enter commits
  };

  // Sees every change of the text before it is made: it may change the new text, or refuse
  // the change by answering false.
  class ConnectionPoint {
   public:
    virtual ~ConnectionPoint() = default;
    virtual bool TextChanging(std::u16string& text) = 0;
  };

  static constexpr char16_t kPasswordChar = u'*';
  static constexpr std::u16string_view kLineBreak = u"\r\n";

  CNPInPlaceEdit(std::u16string_view text, const Options& options, ConnectionPoint* listener = nullptr);

  const std::u16string& GetText() const { return m_text; }
  // The text as drawn: one kPasswordChar per character for passwords.
  std::u16string GetDisplayText() const;
  // Where a position of the text falls in the text as drawn.
  size_t GetDisplayOffset(size_t position) const;
  // A text as a password shows it: one kPasswordChar per character (a surrogate pair or a line
  // break "\r\n" is one).
  static std::u16string MaskText(std::u16string_view text);
  const Options& GetOptions() const { return m_options; }
  size_t GetCaret() const { return m_caret; }
  size_t GetSelectionStart() const { return m_anchor < m_caret ? m_anchor : m_caret; }
  size_t GetSelectionEnd() const { return m_anchor < m_caret ? m_caret : m_anchor; }
  bool HasSelection() const { return m_anchor != m_caret; }
  std::u16string GetSelectedText() const;

  // Places the caret as the start-cursor mode says; mouseCaret is where START_MOUSE puts it.
  void Start(int32_t mode, std::optional<size_t> mouseCaret = std::nullopt);
  // Selects from start to end (the caret at end). A negative start removes the selection and
  // keeps the caret; a negative end means the end of the text; positions beyond it clamp.
  void SetSel(int64_t start, int64_t end);
  void SelectAll() { SetSel(0, -1); }
  // extend keeps the anchor, so that the selection grows or shrinks.
  void SetCaret(size_t position, bool extend = false);
  // By count characters, negative to the left; without extend, a selection collapses to its
  // edge in the direction of the move first.
  void MoveCaret(int64_t count, bool extend = false);

  // Replaces the selection with text (what an input method commits comes here too): line breaks
  // are dropped in single-line editors and the text is cut to the maximum length. False when
  // nothing changed.
  bool InsertText(std::u16string_view text);
  // The selection, or the character before (backward) or after (forward) the caret.
  bool DeleteBackward() { return DeleteAround(false); }
  bool DeleteForward() { return DeleteAround(true); }
  // Replaces the whole text; the caret goes to the end.
  bool ReplaceText(std::u16string_view text);

  // Editing and moving keys (kKey*; flags hold kKeyFlag* bits): Left, Right, Home, End with
  // Shift to select, Back, Delete, Control+A; Enter, Escape and Tab are answered for the owner.
  CNEditKey KeyDown(uint32_t keyCode, uint32_t flags);

 private:
  size_t Next(size_t position) const;
  size_t Previous(size_t position) const;
  size_t Snap(size_t position) const;
  bool DeleteAround(bool forward);
  // Offers the changed text to the listener and takes it, the caret at caret (clamped).
  bool Apply(std::u16string text, size_t caret);

  std::u16string m_text;
  Options m_options;
  ConnectionPoint* m_listener;
  size_t m_caret = 0;
  size_t m_anchor = 0;
};
