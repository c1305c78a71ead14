#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "binds/object_binds.h"

class CNObject;

// One bound property of an object: its name and its bind script text.
struct CNBindSection {
  std::u16string property;
  std::u16string text;
};

// The bound properties of an object in bind-text order; sections of names that are not
// properties of the object are left out.
std::vector<CNBindSection> GetBindSections(const CNObject& object);
// The names of every "[Name]" section header of a bind text, in order, repeats kept.
std::vector<std::u16string_view> GetBindSectionNames(std::u16string_view text);

// Compiles the input and output scripts of one bind text without connecting them; false with
// the first error when one does not compile.
bool CheckBindText(std::u16string_view text, CTagParserCompilerError& error);

// Gives the screen objects of a tree their binds: per bound property it creates the binds,
// compiles and connects them and keeps them only when both succeeded.
class CNPObjectBinder {
 public:
  // Told about every bind that is not kept.
  class ErrorSink {
   public:
    virtual ~ErrorSink() = default;
    virtual void OnBindError(CNObject& object, std::u16string_view property, const CTagParserCompilerError& error) = 0;
  };

  explicit CNPObjectBinder(const CNBindEnvironment& environment, ErrorSink* sink = nullptr)
      : m_environment(environment), m_pSink(sink) {}

  // Replaces the object's binds; returns how many properties were bound. An object that is
  // not a screen object, or has no bind text, gets none.
  uint32_t BindObject(CNObject& object);
  // BindObject for the object and all its descendants; the total.
  uint32_t BindTree(CNObject& root);

 private:
  CNBindEnvironment m_environment;
  ErrorSink* m_pSink;
};

// Stores the values of the input binds that are due in every object of the tree (all of them
// when force is set); returns how many properties they wrote.
uint32_t RefreshTreeBinds(CNObject& root, bool force);
// Disconnects and drops the binds of every object of the tree. Must run before the tag servers
// the binds hold tags of stop.
void UnbindTree(CNObject& root);
