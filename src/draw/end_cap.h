#pragma once

#include "draw/path.h"

// The shapes a line end can take, in the order of the panel's end-cap item list
// "FLAT,ROUND,SQUARE,TRIANGLE,SQUARE_ANCHOR,ROUND_ANCHOR,DIAMOND_ANCHOR,ARROW_ANCHOR".
// With pen width w:
//   kFlat           the line stops at its end point
//   kRound          a half disc of diameter w beyond the end
//   kSquare         a half square (w wide, w/2 long) beyond the end
//   kTriangle       a triangle w wide at the end, its tip w/2 beyond it
//   kSquareAnchor   a square of side 3w centred on the end
//   kRoundAnchor    a disc of diameter 3w centred on the end
//   kDiamondAnchor  a square with diagonals of 3w, standing on a corner, centred on the end
//   kArrowAnchor    an arrow head 3w wide and 3w long whose tip lies w beyond the end
enum class CREndCap {
  kFlat,
  kRound,
  kSquare,
  kTriangle,
  kSquareAnchor,
  kRoundAnchor,
  kDiamondAnchor,
  kArrowAnchor
};

// The filled outline of a cap at one end of a line of the given width; empty for kFlat.
CRPath EndCapPath(CREndCap cap, const CRPathEnd& end, double width);
