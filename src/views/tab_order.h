#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "support/ref_cnt.h"

class CNPObject;

// The order in which the tab key walks the objects of a form, as the form's "TabMode" says:
// NONE no object; INDEX child order; DOWN top to bottom, then left to right; RIGHT left to right,
// then top to bottom; TABINDEX by "TabIndex". Ties keep child order. Objects inside groups take
// part where their group stands; only visible, enabled, focusable objects with "TabStop" true
// count, and nothing inside a hidden or disabled group. The order is built on first use and
// kept until Reset.
class CNPTabOrder {
 public:
  void Reset() {
    m_order.clear();
    m_bBuilt = false;
  }
  const std::vector<CRPtr<CNPObject>>& Get(CNPObject& form);

  // The object the focus moves to from current (null: none): "first" the first one, "next"
  // the one after current, anything else the one before it, wrapping at either end; from an
  // object outside the order "next" gives the first and a step back the last. Null when the
  // order is empty.
  CNPObject* Move(CNPObject& form, const CNPObject* current, std::u16string_view how);

 private:
  void Build(CNPObject& form);

  std::vector<CRPtr<CNPObject>> m_order;
  bool m_bBuilt = false;
};
