#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

// A stack of reusable elements that never move: it grows by chunks, so pointers into it stay
// valid while deeper calls push more. Elements are made once and handed out again after a
// Restore; whoever pushes them sets what it needs.
template <class T>
class CStableStack {
 public:
  struct Mark {
    size_t chunk = 0;
    size_t used = 0;
  };

  Mark GetMark() const { return m_Chunks.empty() ? Mark{} : Mark{m_uChunk, m_Chunks[m_uChunk].used}; }
  // Gives back everything pushed since mark was taken.
  void Restore(const Mark& mark) {
    if (m_Chunks.empty()) return;
    m_uChunk = mark.chunk;
    m_Chunks[m_uChunk].used = mark.used;
  }

  // count contiguous elements on top.
  T* Push(size_t count) {
    if (m_Chunks.empty()) AddChunk(count);
    Chunk* chunk = &m_Chunks[m_uChunk];
    if (chunk->size - chunk->used < count) {
      const size_t next = m_uChunk + 1;
      if (next == m_Chunks.size()) {
        AddChunk(count);
      } else if (m_Chunks[next].size < count) {
        m_Chunks[next] = MakeChunk(count);  // nothing above the top lives in it
      }
      m_uChunk = next;
      chunk = &m_Chunks[next];
      chunk->used = 0;
    }
    T* top = chunk->items.get() + chunk->used;
    chunk->used += count;
    return top;
  }

  // Calls f on every element ever made, in use or not.
  template <class F>
  void ForEach(F&& f) {
    for (Chunk& chunk : m_Chunks)
      for (size_t i = 0; i < chunk.size; ++i) f(chunk.items[i]);
  }

 private:
  static constexpr size_t kChunkSize = 256;

  struct Chunk {
    std::unique_ptr<T[]> items;
    size_t size = 0;
    size_t used = 0;
  };

  static Chunk MakeChunk(size_t atLeast) {
    const size_t size = std::max(kChunkSize, atLeast);
    return Chunk{std::make_unique<T[]>(size), size, 0};
  }
  void AddChunk(size_t atLeast) { m_Chunks.push_back(MakeChunk(atLeast)); }

  std::vector<Chunk> m_Chunks;
  size_t m_uChunk = 0;
};
