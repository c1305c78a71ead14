#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "controls/shape_properties.h"
#include "editing/in_place_edit.h"
#include "editing/text_format.h"
#include "screen/object_text_draw.h"
#include "screen/pobject.h"

// The boxes in which the operator types a text or a number; a committed text that passes the
// box's text format becomes "Text" and "Value".
namespace edit_box_properties {

using namespace shape_properties;

inline constexpr std::array kTabAfterEnterEntries = {
    Prop(common_properties::kBasic, u"TabAfterEnter", PT_BOOL, u"F"),
};

inline constexpr std::array kEditTextEntries = JoinProperties(
    std::array{
        Prop(kText, u"TextType", PT_ENUM, u"TEXT", u"TEXT,NUMBER,PASSWORD"),
        Prop(kText, u"TextFormat", PT_STRING, u""),
        Prop(kText, u"IMEMode", PT_ENUM, u"NONE", u"NONE,ON,OFF"),
        Prop(kText, u"StartCursor", PT_ENUM, u"NONE", u"NONE,MOUSE,LEFT,RIGHT,SELECTALL"),
        Prop(kText, u"Text", PT_TEXT, u"", {}, 1, 1, kPropertySwitchValue),
    },
    kTextLookEntries, kTextAlignEntries,
    std::array{
        Prop(kText, u"PaddingLeft", PT_INTEGER, u"0"),
        Prop(kText, u"PaddingRight", PT_INTEGER, u"0"),
        Prop(kText, u"TextMarginLeft", PT_INTEGER, u"0", {}, 0, 0, 3),
        Prop(kText, u"TextMarginRight", PT_INTEGER, u"0", {}, 0, 0, 3),
        Prop(kText, u"Value", PT_STRING, u"", {}, 0, 1, kPropertySwitchValue),
        Prop(kText, u"PlaceHolder", PT_STRING, u""),
        Prop(kText, u"PlaceHolderColor", PT_COLOR, u"#808080", {}, 1, 1, kPropertyColor),
    });

// A new edit box takes its border style from the visual theme.
inline constexpr std::array kEditBorderFillEntries = JoinProperties(
    BorderEntries(u"T"),
    std::array{Prop(kBorder, u"BorderStyle", PT_BORDER_STYLE, u"@BorderStyle5", kBorderStyleItems)},
    OmitEntries(kBorder3DEntries, {u"BorderStyle"}), OmitEntries(FillEntries(u"T"), {u"Fill"}),
    kPlainFillStyleEntries);

inline constexpr std::array kEditBoxEvents = WithCommonEvents(std::array{
    EventInfo{kControl, u"OnTextChanged", u"&text"},
    EventInfo{kControl, u"OnTextChanging", u"&text"},
    EventInfo{kControl, u"OnTextFormatError", u"text"},
    EventInfo{kControl, u"OnEditBoxValueChanged", u"&value"},
});

}  // namespace edit_box_properties

class CNPEditBox;

// What the window that shows edit boxes does for them. The owner of an edit box's tree
// implements it when it has such a window; every operation has a harmless default.
class CNEditBoxHost {
 public:
  virtual ~CNEditBoxHost() = default;
  // The in-place editor opened or closed: the window shows, draws and hides it.
  virtual void EditorOpened(CNPEditBox& /*box*/) {}
  virtual void EditorClosed(CNPEditBox& /*box*/) {}
  // Tab, Shift+Tab, and Enter in a box with "TabAfterEnter": the focus goes to the next (or
  // previous) tab stop.
  virtual void MoveFocus(CNPEditBox& /*box*/, bool /*forward*/) {}
};

// A committed text (the operator's, one a script writes into "Text" while the box runs, or a
// file's) becomes "Text" and "Value" only when it passes the text format; a refused one fires
// "OnTextFormatError" and changes nothing. While the box does not run, "Text" is stored as
// given. "Value" is the text, or for "NUMBER" boxes the number it reads as (empty for an
// empty text).
//
// The operator types into an in-place editor that opens when the box gains the focus or is
// pressed: Enter commits (and moves on when "TabAfterEnter" is set), Tab commits and moves on,
// Escape closes without committing, losing the focus commits a changed text and closes. A
// refused Enter or Tab keeps the editor open with its text selected.
class CNPEditBox : public CNObjectClass<CNPEditBox, CNPControl>, private CNPInPlaceEdit::ConnectionPoint {
 public:
  static constexpr std::u16string_view kClassId = u"EditBox";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      edit_box_properties::kTabAfterEnterEntries, edit_box_properties::kEditTextEntries,
      edit_box_properties::kEditBorderFillEntries);
  static constexpr auto kEvents = edit_box_properties::kEditBoxEvents;

  int SetProperty(std::u16string_view name, const CNValue& value) override;
  const CNTextFormat& GetTextFormat() const { return m_format; }
  std::u16string GetText() const;

  // The commit: false when the text format refuses the text.
  bool CommitText(std::u16string_view text);

  // ---- the in-place editor
  // Opens it over the box (not while "Enabled" or "EnabledInput" is false) with the caret where
  // "StartCursor" says, or where a selection stored by SetSel says; mouseCaret is the text
  // position under the mouse when the host knows it. True when an editor is open.
  bool BeginEdit(std::optional<size_t> mouseCaret = std::nullopt);
  // The open editor, or null.
  CNPInPlaceEdit* GetEditor() const { return m_editor.get(); }
  // Closes the editor, committing its text first when commit is set (the editor closes even
  // when that is refused); true when a commit took the text.
  bool EndEdit(bool commit);
  // Commits the open editor's text as the Enter key does; false when there is no editor or the
  // commit was refused.
  bool Enter();
  // Typed characters and what an input method commits, inserted at the caret; the editor opens
  // first when it is closed.
  void TextInput(std::u16string_view text);
  // What an input method is composing: shown at the caret of the open editor, underlined, with
  // the caret at cursor (UTF-16 units into it), until the method commits it through TextInput
  // or gives an empty text. Nothing without an open editor.
  void SetComposition(std::u16string_view text, int32_t cursor);
  const std::u16string& GetComposition() const { return m_composition; }
  // Selects from start to end in the open editor, else keeps it for the next opening.
  void SetSel(int64_t start, int64_t end);
  // "left" or "right" (ignoring case) by count characters, or with count 0 to the start or the
  // end; false without an open editor or for another direction.
  bool MoveCursor(std::u16string_view direction, int64_t count);

  // ---- text files (UTF-8; a leading byte-order mark is skipped; "\" in paths reads "/")
  // Reads the file and commits it as "Text"; false for an empty path, a file that cannot be
  // read, or a text that is refused.
  bool LoadTextFile(std::u16string_view path);
  // Writes "Text"; false for an empty path or a file that cannot be created.
  bool SaveTextFile(std::u16string_view path) const;

  // ---- input
  void FocusIn() override;
  void FocusOut() override;
  void KeyDown(uint32_t keyCode, uint32_t flags) override;
  void ButtonDown(CNMouseButton button, const CNPoint& at) override;

 protected:
  // "Value2": "Value" as a number for "NUMBER" boxes (the empty value for an empty one), else
  // "Value" itself. "ValueIncludingEdit": the value of the open editor's text, else "Value".
  int GetExtraProperty(std::u16string_view name, CNValue& value) const override;
  void OnPropertySet(uint32_t index) override;
  bool StoresConverted(uint32_t i) const override;
  virtual bool IsMultiline() const { return false; }
  // The box with its border and its text (masked for passwords), or "PlaceHolder" while the text
  // is empty and no editor is open; while the editor is open, its text with the selection and
  // the caret (edit_box_draw.cpp).
  void OnDraw(CNDrawContext& context) override;

 private:
  // The editor's listener: checks keystrokes of a format that checks while typing, then
  // "OnTextChanging", whose handler may change the text.
  bool TextChanging(std::u16string& text) override;
  // Fires "OnTextFormatError" with the text; false.
  bool Refuse(std::u16string_view text);
  bool PassesFormat(std::u16string_view text);
  void Take(std::u16string text);
  // "Text" and "Value" of text, reported as changed.
  void StoreText(std::u16string_view text);
  // Before the box runs: "Value" from the text it holds, not reported.
  void FollowText();
  // "Text" from "Value", reported as changed, without a commit: no check, no event.
  void ShowValue();
  uint32_t TextIndex() const;
  uint32_t ValueIndex() const;
  std::u16string ValueOfText(std::u16string_view text) const;
  bool IsNumber() const { return m_format.type == TEXT_TYPE_NUMBER; }
  // Commits the editor and, when taken, closes it and moves the focus (move: +1 forward, -1
  // back, 0 stay); a refused text stays in the editor, selected.
  bool FinishEdit(int move);
  CNEditBoxHost* GetHost() const;

  CNTextFormat m_format;
  // Shared so that an editor a handler closes lives until the edit that called the handler ends.
  std::shared_ptr<CNPInPlaceEdit> m_editor;
  std::u16string m_composition;
  size_t m_compositionCursor = 0;
  std::optional<std::pair<int64_t, int64_t>> m_pendingSelection;
  bool m_bCommitting = false;
  CNTextLayoutCache m_textCache;
};

class CNPMultilineEditBox : public CNObjectClass<CNPMultilineEditBox, CNPEditBox> {
 public:
  static constexpr std::u16string_view kClassId = u"MultilineEditBox";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      edit_box_properties::kTabAfterEnterEntries, edit_box_properties::kEditTextEntries,
      edit_box_properties::kEditBorderFillEntries,
      std::array{Prop(control_properties::kText, u"VerticalScroll", PT_BOOL, u"T")});

 protected:
  bool IsMultiline() const override { return true; }
};
