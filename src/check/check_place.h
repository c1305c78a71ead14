#pragma once

#include <string>

class CNObject;

// Where an object stands, as the checker names it: the form that holds it and the names from
// the form down, joined with "." ("Grp.Lamp"). A form has an empty path; the root and the
// folders have neither.
struct CNObjectPlace {
  std::u16string form;
  std::u16string path;
};

CNObjectPlace FindObjectPlace(const CNObject& object);

// The place of a child of an object placed at place.
CNObjectPlace ChildPlace(const CNObject& parent, const CNObjectPlace& place, const CNObject& child);
