#include "audio/worker_thread.h"

bool WorkerThread::Start(Body body, void* owner) {
  Join();
  body_ = body;
  owner_ = owner;
  finish_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!finish_) return false;
  thread_.reset(CreateThread(nullptr, 0, Entry, this, 0, nullptr));
  return static_cast<bool>(thread_);
}

void WorkerThread::Join() {
  if (!thread_) return;
  SetEvent(finish_.get());
  WaitForSingleObject(thread_.get(), INFINITE);
  thread_.reset();
}

DWORD WINAPI WorkerThread::Entry(void* self) {
  WorkerThread* thread = static_cast<WorkerThread*>(self);
  thread->body_(thread->owner_);
  return 0;
}
