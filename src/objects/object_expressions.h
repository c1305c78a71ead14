#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "support/ref_cnt.h"
#include "values/value.h"

class CNObject;

// One expression that a script attached to an object: its text in the bind-script language and
// whatever the evaluator made of it.
struct EXPRESSION : CRRefCnt {
  uint32_t id = 0;
  std::u16string text;
  // The evaluator's compiled form of the text, made on the first evaluation; null before.
  CRPtr<CRRefCnt> compiled;
};

// Evaluates expression texts; the bind-script engine installs itself here. Without one,
// evaluation fails.
class CNExpressionEvaluator {
 public:
  virtual ~CNExpressionEvaluator() = default;
  // Computes the expression's value in the context of its object; false when it does not
  // compile or run (result is then left as it was).
  virtual bool Evaluate(CNObject& object, EXPRESSION& expression, CNValue& result) = 0;

  // The installed evaluator, or null.
  static CNExpressionEvaluator* GetCurrent();
  // Installs evaluator (nullptr for none) and returns the previous one; the caller keeps it
  // alive for as long as it is current.
  static CNExpressionEvaluator* SetCurrent(CNExpressionEvaluator* evaluator);
};

// The expressions of one object, by id.
class CNObjectExpressions {
 public:
  // Adding under an id that is taken replaces that expression (with a fresh compiled form).
  void Add(uint32_t id, std::u16string_view text);
  // False when there is no expression with that id.
  bool Delete(uint32_t id);
  void DeleteAll() { m_expressions.clear(); }
  const EXPRESSION* Find(uint32_t id) const;
  uint32_t GetCount() const { return static_cast<uint32_t>(m_expressions.size()); }
  // The current value of expression id through the installed evaluator; false when the id is
  // unknown, no evaluator is installed or evaluation fails.
  bool Evaluate(CNObject& object, uint32_t id, CNValue& result);

 private:
  std::map<uint32_t, CRPtr<EXPRESSION>> m_expressions;
};
