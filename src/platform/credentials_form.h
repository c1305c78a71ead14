#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "editing/in_place_edit.h"

class CRPainter;

// The form that asks the operator for a user name and a password for a web address, without a
// window of its own: the host hands it keys, text and mouse presses and lets it paint.
//
// Two fields, "User" and "Password" (shown masked), one of them focused; Tab and Shift+Tab move
// the focus, Enter or the "OK" button accepts, Escape or "Cancel" cancels, and after that the
// form takes no more input. A field holds at most kMaxCharacters characters (a surrogate pair is
// one); control characters never enter it.
class CRCredentialsForm {
 public:
  enum class Field { kUser, kPassword };
  enum class State { kOpen, kAccepted, kCancelled };

  static constexpr size_t kMaxCharacters = 256;
  static constexpr int kDefaultWidth = 360;
  static constexpr int kDefaultHeight = 170;

  // The fields start with the texts given (as if typed). With a user given, the password has the
  // focus and is selected, so that typing replaces it.
  CRCredentialsForm(std::u16string_view address, std::u16string_view user, std::u16string_view password);

  const std::u16string& GetUser() const { return m_user.GetText(); }
  const std::u16string& GetPassword() const { return m_password.GetText(); }
  // The password as drawn: one mask character per character.
  std::u16string GetShownPassword() const { return m_password.GetDisplayText(); }
  Field GetFocus() const { return m_focus; }
  State GetState() const { return m_state; }

  // Text as the input method commits it (UTF-8), put in the focused field at its caret; what
  // does not fit the field is dropped.
  void TypeText(std::string_view utf8);
  // A key pressed: a panel key code (kKey*) with kKeyFlag* bits. Editing keys go to the focused
  // field (Backspace, Delete, Left, Right, Home, End, Control+A).
  void KeyDown(uint32_t keyCode, uint32_t flags);
  // A mouse press at a point of the form as last painted: a field takes the focus, a button
  // accepts or cancels.
  void Click(double x, double y);

  // Paints the whole form over width x height pixels: a caption with the address, the two
  // labelled fields (the focused one marked and showing the caret), and the buttons.
  void Paint(CRPainter& painter, int width, int height);

 private:
  struct Layout;
  static Layout LayoutFor(int width, int height);

  CNPInPlaceEdit& Focused() { return m_focus == Field::kUser ? m_user : m_password; }
  void Insert(CNPInPlaceEdit& field, std::u16string_view text);

  std::u16string m_address;
  CNPInPlaceEdit m_user;
  CNPInPlaceEdit m_password;
  Field m_focus = Field::kUser;
  State m_state = State::kOpen;
  int m_width = kDefaultWidth;
  int m_height = kDefaultHeight;
};
