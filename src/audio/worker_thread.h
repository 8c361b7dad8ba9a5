// One thread of the engine: started on a member function's owner, told to
// finish through its own event, and joined before its owner goes.
#ifndef ZANTO_AUDIO_WORKER_THREAD_H
#define ZANTO_AUDIO_WORKER_THREAD_H

#include <windows.h>

#include "common/handles.h"

class WorkerThread {
 public:
  using Body = void (*)(void* owner);

  WorkerThread() = default;
  ~WorkerThread() { Join(); }
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // False when the thread or its event could not be made.
  bool Start(Body body, void* owner);
  // Sets the finish event and waits for the thread to return.
  void Join();
  bool Running() const { return static_cast<bool>(thread_); }
  // Set once the thread is to finish; its body waits on it beside its own events.
  HANDLE FinishEvent() const { return finish_.get(); }

 private:
  static DWORD WINAPI Entry(void* self);

  Body body_ = nullptr;
  void* owner_ = nullptr;
  unique_handle finish_;
  unique_handle thread_;
};

#endif
