#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/ref_cnt.h"

class CNObject;

// An output bind as its object sees it: it writes the property's value to its tags. The
// bind-script layer implements it.
class CNOutputBind : public CRRefCnt {
 public:
  virtual void Evaluate() = 0;
};

// Hears every change of an object's properties while the object runs (an input bind that
// reads other properties of its own object, for example).
class CNPropertyListener {
 public:
  virtual ~CNPropertyListener() = default;
  virtual void PropertyChanged(CNObject& object, std::u16string_view name) = 0;
};

// An object's links to its bind scripts: one output-bind slot per bound property with a dirty
// flag, and the listeners of its property changes.
class CNBindLinks {
 public:
  // Replaces the output bind of the property, if it had one; the new slot is clean.
  void SetOutputBind(std::u16string_view property, CRPtr<CNOutputBind> bind);
  void RemoveAllOutputBinds() { m_outputs.clear(); }
  uint32_t GetOutputBindCount() const { return static_cast<uint32_t>(m_outputs.size()); }
  // False when the property has no output bind.
  bool MarkDirty(std::u16string_view property);
  bool IsDirty(std::u16string_view property) const;
  // Evaluates every dirty output bind once, in the order the binds were set, clearing its flag
  // first; returns how many ran.
  uint32_t EvaluateDirty();

  // A listener is held without a reference and must be removed before it dies.
  void AddListener(CNPropertyListener* listener);
  void RemoveListener(CNPropertyListener* listener);
  // Tells every listener; one removed by an earlier one during the same call is skipped.
  void NotifyListeners(CNObject& object, std::u16string_view name);

  // Set by the bind layer while an input bind writes a property of the object: changes made
  // then come from tags and must not be written back to them.
  bool IsInputBinding() const { return m_bInputBinding; }
  void SetInputBinding(bool on) { m_bInputBinding = on; }

 private:
  struct OutputSlot {
    std::u16string property;
    CRPtr<CNOutputBind> bind;
    bool dirty = false;
  };
  const OutputSlot* FindSlot(std::u16string_view property) const;
  OutputSlot* FindSlot(std::u16string_view property) {
    return const_cast<OutputSlot*>(std::as_const(*this).FindSlot(property));
  }

  std::vector<OutputSlot> m_outputs;
  std::vector<CNPropertyListener*> m_listeners;
  bool m_bInputBinding = false;
};
