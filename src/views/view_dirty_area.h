#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "draw/geometry.h"
#include "project/stretch_geometry.h"
#include "screen/pobject.h"
#include "support/ref_cnt.h"
#include "views/view_transform.h"

// What of a view needs repainting, in view pixels: the whole view (after a layout, a scroll, a
// zoom or another form), or the bounding rectangle of the places of the objects that changed.
//
// For every object of the form it keeps where the object was painted last, so that a repaint
// covers an object's old place as well as its new one: moved, resized, hidden, shown, or
// removed from the form. An object counts as changed when it asked for a redraw (its
// needs-paint mark, or Request); a changed group takes everything inside it along, as its
// children may lie outside its own rectangle. Objects that appear in the form are painted where
// they are, objects that leave it are painted over where they were.
class CNPViewDirtyArea {
 public:
  // The whole view (also: another form is on show); the places of the objects are learnt anew
  // at the next Take.
  void InvalidateAll();
  // object asked its view for a repaint.
  void Request(CNPObject& object);

  // Moves what changed in form's tree (may be null) since the last call into the area, with the
  // places the objects have under transform now, and clears the objects' needs-paint marks.
  // While the whole view is marked, a change only counts as news.
  void Collect(CNPObject* form, const CNViewTransform& transform);
  // Whether the area grew since the last call: the view asks its window for a repaint then.
  bool TakeNews();
  // Collects, then hands out the area within a view of viewSize (view pixels, the view's
  // top-left at 0,0) and empties it; false when nothing in the view needs repainting. The places
  // of form's objects are remembered as they will be painted now.
  bool Take(CNPObject* form, const CNViewTransform& transform, CNSize viewSize, CRRectF& area);

 private:
  struct Known {
    CRRectF place;   // where the object was painted last; empty when it was not
    uint32_t seen;   // the walk that last found it in the form
  };

  void Add(const CRRectF& rect);
  // Where object paints now: nothing while it or a group around it is invisible.
  static CRRectF PlaceOf(const CNPObject& object, const CNPObject& form, const CNViewTransform& transform);
  void Remember(CNPObject& form, const CNViewTransform& transform);
  void CollectChanges(CNPObject& form, const CNViewTransform& transform);

  bool m_bAll = true;
  bool m_bNews = true;
  bool m_bHasRect = false;
  CRRectF m_rect;
  std::unordered_map<const CNPObject*, Known> m_known;
  uint32_t m_ulWalk = 0;
  std::vector<CRPtr<CNPObject>> m_requested;
};
