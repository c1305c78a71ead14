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

// Found by walking up from object: the checks ask for it only when they report a problem.
CNObjectPlace FindObjectPlace(const CNObject& object);
