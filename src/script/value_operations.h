#pragma once

#include <cstdint>

#include "values/value.h"

// The operations of the script language that the value type does not have itself. result must
// be distinct from the operands.

// "^": each element of left raised to the power of the element of right at the same position,
// right repeated cyclically over left, both read as numbers. The result has left's shape;
// elements without value stay without value, and an empty operand gives the empty value.
void PowerValues(CNValue& result, const CNValue& left, const CNValue& right);

// "!": each element becomes the bool opposite of its truth; elements without value stay so.
void NotValue(CNValue& result, const CNValue& operand);

// from ":" to inside brackets: the whole numbers from from to to, both included, counting down
// when to is below from. False, leaving result alone, when either is not one whole number or
// the list would hold more than maxCount numbers.
bool MakeRange(CNValue& result, const CNValue& from, const CNValue& to, uint32_t maxCount);

// "c(...)": a value one dimension larger than the items, which must all have the same shape
// (a scalar counts as an element); c() is the empty value, and so is a list of empty values.
// False, leaving result alone, for items of different shapes or more than maxElements elements.
bool MakeArray(CNValue& result, const CNValue* const* items, uint32_t count, uint32_t maxElements);

// "new Name[sizes]": an array of those sizes whose elements hold no value. False, leaving
// result alone, when a size is not one whole number from 0 up or the array would hold more
// than maxElements elements.
bool MakeSizedArray(CNValue& result, const CNValue* const* sizes, uint32_t count, uint32_t maxElements);

// Whether a slice of value with these indexes (CNValue::GetSlice) selects at most maxElements
// positions.
bool SliceFits(const CNValue& value, const CNValue* const* indexes, uint32_t count, uint32_t maxElements);

// Whether joining the texts of left and right element by element (the "+", "&" and "|" of two
// strings) makes at most maxLength code units in all.
bool JoinFits(const CNValue& left, const CNValue& right, uint32_t maxLength);
