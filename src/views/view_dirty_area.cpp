#include "views/view_dirty_area.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "views/view_hit_test.h"

namespace {

// More requests than this between two collections repaint the whole view instead.
constexpr size_t kMaxRequests = 4096;

bool IsEmpty(const CRRectF& r) { return !(r.width > 0.0 && r.height > 0.0); }

CRRectF Union(const CRRectF& a, const CRRectF& b) {
  const double left = std::min(a.x, b.x);
  const double top = std::min(a.y, b.y);
  return {left, top, std::max(a.Right(), b.Right()) - left, std::max(a.Bottom(), b.Bottom()) - top};
}

CRRectF Intersection(const CRRectF& a, const CRRectF& b) {
  const double left = std::max(a.x, b.x);
  const double top = std::max(a.y, b.y);
  return {left, top, std::min(a.Right(), b.Right()) - left, std::min(a.Bottom(), b.Bottom()) - top};
}

// Visits the screen objects of form's tree, form first, parents before children. visit(object,
// carried) gets what its parent's visit returned (false for the form) and returns what its
// children get. Objects of other kinds are not entered.
template <class Visit>
void WalkScreenObjects(CNPObject& form, Visit&& visit) {
  struct Open {
    CNObject* node;
    int32_t next;
    bool carried;
  };
  std::vector<Open> open{{&form, 0, visit(form, false)}};
  while (!open.empty()) {
    Open& top = open.back();
    CNObject* child = top.node->GetChild(top.next++);
    if (!child) {
      open.pop_back();
      continue;
    }
    auto* object = dynamic_cast<CNPObject*>(child);
    if (!object) continue;
    const bool carried = visit(*object, top.carried);
    if (object->GetChildCount() > 0) open.push_back({object, 0, carried});
  }
}

}  // namespace

void CNPViewDirtyArea::InvalidateAll() {
  m_bAll = true;
  m_bNews = true;
  m_requested.clear();
}

void CNPViewDirtyArea::Request(CNPObject& object) {
  if (m_bAll) {
    m_bNews = true;  // repainted whole anyway
    return;
  }
  if (m_requested.size() >= kMaxRequests) {
    InvalidateAll();
    return;
  }
  m_requested.push_back(CRPtr<CNPObject>::Retain(&object));
}

void CNPViewDirtyArea::Add(const CRRectF& rect) {
  if (IsEmpty(rect)) return;
  m_rect = m_bHasRect ? Union(m_rect, rect) : rect;
  m_bHasRect = true;
  m_bNews = true;
}

CRRectF CNPViewDirtyArea::PlaceOf(const CNPObject& object, const CNPObject& form, const CNViewTransform& transform) {
  return IsShownWithin(object, form) ? transform.Cover(object.GetPaintBounds()) : CRRectF{};
}

void CNPViewDirtyArea::Collect(CNPObject* form, const CNViewTransform& transform) {
  if (m_bAll) {
    // Repainted whole anyway; the window still hears that something changed.
    bool asked = false;
    if (form)
      WalkScreenObjects(*form, [&](CNPObject& object, bool) {
        asked = asked || object.NeedsPaint();
        object.ClearNeedsPaint();
        return false;
      });
    m_bNews = m_bNews || asked;
    return;
  }
  if (!form) {
    m_requested.clear();
    m_known.clear();
    return;
  }
  CollectChanges(*form, transform);
}

void CNPViewDirtyArea::Remember(CNPObject& form, const CNViewTransform& transform) {
  // Carries whether everything around the object is visible.
  WalkScreenObjects(form, [&](CNPObject& object, bool hidden) {
    hidden = hidden || !object.IsVisible();
    m_known[&object] = {hidden ? CRRectF{} : transform.Cover(object.GetPaintBounds()), m_ulWalk};
    object.ClearNeedsPaint();
    return hidden;
  });
}

void CNPViewDirtyArea::CollectChanges(CNPObject& form, const CNViewTransform& transform) {
  const uint32_t walk = ++m_ulWalk;
  const std::vector<CRPtr<CNPObject>> requested = std::move(m_requested);
  m_requested.clear();
  std::unordered_set<const CNPObject*> asked;
  for (const CRPtr<CNPObject>& object : requested) asked.insert(object.Get());
  const size_t knownBefore = m_known.size();
  size_t found = 0;
  // Carries whether a group around the object changed.
  WalkScreenObjects(form, [&](CNPObject& object, bool groupChanged) {
    const auto [entry, added] = m_known.try_emplace(&object, Known{{}, walk});
    Known& known = entry->second;
    if (added) {
      known.place = PlaceOf(object, form, transform);
      Add(known.place);
      object.ClearNeedsPaint();
      return false;
    }
    ++found;
    known.seen = walk;
    const bool changed = groupChanged || object.NeedsPaint() || (!asked.empty() && asked.contains(&object));
    if (!changed) return false;
    const CRRectF place = PlaceOf(object, form, transform);
    Add(known.place);
    Add(place);
    known.place = place;
    object.ClearNeedsPaint();
    return true;
  });
  if (found == knownBefore) return;
  // Objects that left the form: their places are painted over.
  for (auto it = m_known.begin(); it != m_known.end();) {
    if (it->second.seen == walk) {
      ++it;
      continue;
    }
    Add(it->second.place);
    it = m_known.erase(it);
  }
}

bool CNPViewDirtyArea::TakeNews() { return std::exchange(m_bNews, false); }

bool CNPViewDirtyArea::Take(CNPObject* form, const CNViewTransform& transform, CNSize viewSize, CRRectF& area) {
  // A whole repaint remembers every object's place afresh: nothing to collect first.
  if (!m_bAll) Collect(form, transform);
  m_bNews = false;
  const bool all = std::exchange(m_bAll, false);
  const bool some = std::exchange(m_bHasRect, false);
  if (all) {
    m_requested.clear();
    m_known.clear();
    if (form) Remember(*form, transform);
  }
  const CRRectF view{0.0, 0.0, static_cast<double>(viewSize.width), static_cast<double>(viewSize.height)};
  const CRRectF dirty = all ? view : Intersection(m_rect, view);
  if (!(all || some) || IsEmpty(dirty)) return false;
  area = dirty;
  return true;
}
