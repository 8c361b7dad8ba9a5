// The program's one container: fixed-size elements copied in by value, kept in
// one movable global-memory block that stays locked while the array holds it.
#ifndef ZANTO_SKIN_GROWABLE_ARRAY_H
#define ZANTO_SKIN_GROWABLE_ARRAY_H

#include <windows.h>

class GrowableArray {
 public:
  GrowableArray(unsigned int elementSize, int growBy);
  ~GrowableArray();
  GrowableArray(const GrowableArray&) = delete;
  GrowableArray& operator=(const GrowableArray&) = delete;
  // A move takes the block over and leaves the source empty: no copy, no failure.
  GrowableArray(GrowableArray&& other) noexcept;
  GrowableArray& operator=(GrowableArray&& other) noexcept;

  // Index of the new element, or -1 when growing failed (the array is unchanged).
  int Add(const void* element);
  // The caller keeps index below capacity.
  void SetAt(int index, const void* element);
  void RemoveAll();

  // Element i, for 0 <= i < count; valid only until the next Add.
  void* At(int i) const { return static_cast<char*>(data) + static_cast<size_t>(i) * elementSize; }

  unsigned int elementSize;
  int growBy;
  void* data;
  int capacity;
  int count;

 private:
  bool Grow();
};

#endif
