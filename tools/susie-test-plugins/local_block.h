// What the test plug-ins hand back to the host: a copy of some bytes in a
// movable local-memory block, as real plug-ins return their pictures.
#ifndef ZANTO_SUSIE_TEST_PLUGINS_LOCAL_BLOCK_H
#define ZANTO_SUSIE_TEST_PLUGINS_LOCAL_BLOCK_H

#include <windows.h>

#include <cstring>

inline HLOCAL Block(const void* bytes, size_t size) {
  HLOCAL block = LocalAlloc(LMEM_MOVEABLE, size);
  if (block == nullptr) return nullptr;
  std::memcpy(LocalLock(block), bytes, size);
  LocalUnlock(block);
  return block;
}

#endif
