#pragma once

#include <memory>

#include "values/value.h"

// A value that stands for a slice of another value (or the whole of it) and stores itself back
// into that owner on commit.
class CNSValue : public CNValue {
 public:
  static constexpr uint32_t kNotBound = 0xFFFFFFFF;

  CNSValue() = default;
  ~CNSValue() override = default;

  // Binds to the whole owner.
  void Bind(CNValue* owner);
  // Binds to the slice of owner that the index values select (one per dimension, outermost
  // first, with the selection rules of CNValue::GetSlice), and reads the slice's contents.
  void Bind(CNValue* owner, const CNValue* const* indexes, uint32_t indexCount);
  void Unbind();
  bool IsBound() const { return m_ulIndexCount != kNotBound; }
  CNValue* GetOwner() const { return m_pOwner.Get(); }

  void Commit() override;

 private:
  CRPtr<CNValue> m_pOwner;
  std::unique_ptr<CNValue[]> m_pIndexes;
  uint32_t m_ulIndexCount = kNotBound;
};
