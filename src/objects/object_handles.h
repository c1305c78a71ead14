#pragma once

#include <cstdint>

class CNObject;

// Object values (a CNValue element of kind object) carry handles rather than pointers, so that
// a value kept by a script after its object died names nothing instead of freed memory. The
// table is weak: it holds no reference, and an object leaves it when it is destroyed.
class CNObjectHandles {
 public:
  // The object's handle, made on first request and kept for the object's life; never 0
  // (0 stands for no object). Null gives 0.
  static uint32_t Acquire(CNObject* object);
  // The live object with that handle; null for 0, unknown or forgotten handles.
  static CNObject* Find(uint32_t handle);
  // Drops the object's handle; the destructor of every object that acquired one calls it.
  static void Forget(CNObject* object);
};
