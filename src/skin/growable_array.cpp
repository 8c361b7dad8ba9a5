#include "skin/growable_array.h"

#include <cstring>

GrowableArray::GrowableArray(unsigned int elementSize, int growBy)
    : elementSize(elementSize), growBy(growBy), data(nullptr), capacity(0), count(0) {}

GrowableArray::~GrowableArray() { RemoveAll(); }

GrowableArray::GrowableArray(GrowableArray&& other) noexcept
    : elementSize(other.elementSize), growBy(other.growBy), data(other.data), capacity(other.capacity),
      count(other.count) {
  other.data = nullptr;
  other.capacity = 0;
  other.count = 0;
}

GrowableArray& GrowableArray::operator=(GrowableArray&& other) noexcept {
  if (this == &other) return *this;
  RemoveAll();
  elementSize = other.elementSize;
  growBy = other.growBy;
  data = other.data;
  capacity = other.capacity;
  count = other.count;
  other.data = nullptr;
  other.capacity = 0;
  other.count = 0;
  return *this;
}

bool GrowableArray::Grow() {
  if (growBy <= 0) return false;
  // Refuse sizes that would not fit in 32 bits instead of wrapping around.
  unsigned long long newBytes =
      (static_cast<unsigned long long>(capacity) + static_cast<unsigned>(growBy)) * elementSize;
  if (newBytes == 0 || newBytes > 0x7fffffffULL) return false;

  if (capacity == 0) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(newBytes));
    if (!block) return false;
    void* locked = GlobalLock(block);
    if (!locked) {
      GlobalFree(block);
      return false;
    }
    data = locked;
  } else {
    HGLOBAL block = GlobalHandle(data);
    GlobalUnlock(block);
    HGLOBAL grown = GlobalReAlloc(block, static_cast<SIZE_T>(newBytes), GMEM_MOVEABLE | GMEM_ZEROINIT);
    void* locked = grown ? GlobalLock(grown) : nullptr;
    if (!locked) {
      // The old block is still valid when the resize failed; take it back.
      data = GlobalLock(grown ? grown : block);
      return false;
    }
    data = locked;
    // GMEM_ZEROINIT should already clear the new tail; do not rely on every heap doing so.
    size_t oldBytes = static_cast<size_t>(capacity) * elementSize;
    memset(static_cast<char*>(data) + oldBytes, 0, static_cast<size_t>(newBytes) - oldBytes);
  }
  capacity += growBy;
  return true;
}

int GrowableArray::Add(const void* element) {
  if (count == capacity && !Grow()) return -1;
  memcpy(At(count), element, elementSize);
  return count++;
}

void GrowableArray::SetAt(int index, const void* element) {
  void* slot = At(index);
  if (slot != element) memcpy(slot, element, elementSize);
}

void GrowableArray::RemoveAll() {
  if (data) {
    HGLOBAL block = GlobalHandle(data);
    GlobalUnlock(block);
    GlobalFree(block);
  }
  data = nullptr;
  capacity = 0;
  count = 0;
}
