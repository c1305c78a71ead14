#include "tags/tag_server_base.h"

bool CNPTagServerBase::ReleaseListener(CNPTag* tag, ServerConnectionPoint* listener) {
  const bool last = tag->IsOnlyListener(listener);
  if (last) {
    tag->MarkReleased();
    m_bGarbage = 1;
  }
  tag->RemoveListener(listener);
  tag->Release();
  return last;
}
