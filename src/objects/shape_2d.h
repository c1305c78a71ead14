#pragma once

#include <vector>

#include "objects/points_text.h"
#include "objects/switch_control.h"

// The base of the drawn shapes and the meters. It keeps the nodes of the classes whose table
// has "Points" (polygons, polylines, polygon meters) as numbers; the property reads and writes
// them as text.
class CNP2DShape : public CNPSwitchControl {
 public:
  const std::vector<CNPathNode>& GetPoints() const { return m_points; }

 protected:
  int SetPropertyAt(uint32_t i, const CNValue& value) override;
  int GetPropertyAt(uint32_t i, CNValue& value) const override;
  // Not "Points", which the object keeps as numbers.
  bool StoresConverted(uint32_t i) const override;

 private:
  std::vector<CNPathNode> m_points;
};

// The base of the plain shapes, drawn as paths.
class CNP2DShapeGDI : public CNP2DShape {};
