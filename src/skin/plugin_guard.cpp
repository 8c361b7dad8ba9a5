#include "skin/plugin_guard.h"

#include <cstdint>

// Why this way: GCC has no __try, and decoding in a helper process would cost
// a process start per picture and a second program to ship. A vectored
// handler sees a fault on this thread before any frame-based handler (on i686
// those are chained from the thread block and live in the plug-in's own
// frames), so it works alike on both architectures. It does not jump out of
// the exception dispatcher: it points the faulting CONTEXT at a small resume
// function on a stack slot below the guarded caller and lets the system
// continue there, so the dispatcher finishes and releases what it holds. The
// resume function then __builtin_longjmp's back into CallGuarded, which only
// restores the frame and stack pointers; msvcrt's longjmp would unwind on x64
// through plug-in frames that may carry no unwind data.
//
// LoadLibrary and FreeLibrary are the exception: the loader runs DllMain
// inside its own handler and holds the loader lock, so there a fault is only
// noted and left to the loader (see CallLoaderGuarded).
//
// What it cannot protect against: heap corruption (the damage shows later,
// anywhere), locks the plug-in held at the fault, hangs and endless loops,
// stack overflow (not caught: no stack is left to resume on), faults on
// threads the plug-in starts, a plug-in that changed the floating-point
// control words before faulting, and a plug-in that relies on catching its
// own hardware faults (this handler sees them first and ends the call).

namespace {

struct GuardFrame {
  intptr_t jump[5];             // __builtin_setjmp's buffer
  uintptr_t resumeStack = 0;    // where the resume function runs, below CallGuarded's frame
  GuardFrame* outer = nullptr;  // a guarded call made from inside another
  bool leaveToLoader = false;   // note faults only (CallLoaderGuarded)
  bool faulted = false;
  bool resuming = false;        // a second fault before the jump back is not ours to mend
#if defined(__i386__)
  void* sehChain = nullptr;     // the thread's frame-handler chain before the call
#endif
};

// The innermost guarded call of each thread, in a system TLS slot: the
// handler runs for every exception of every thread, and reading the slot
// allocates nothing there (a compiler-made thread_local would on a thread's
// first use).
DWORD frameSlot = TLS_OUT_OF_INDEXES;

GuardFrame* CurrentFrame() {
  if (frameSlot == TLS_OUT_OF_INDEXES) return nullptr;
  DWORD lastError = GetLastError();  // TlsGetValue clears it; the faulting code may need it
  auto* frame = static_cast<GuardFrame*>(TlsGetValue(frameSlot));
  SetLastError(lastError);
  return frame;
}
void SetCurrentFrame(GuardFrame* frame) { TlsSetValue(frameSlot, frame); }

// Room between the frame that called the plug-in and the resume function's
// stack pointer; that stretch was the plug-in's and is given up.
constexpr uintptr_t kResumeGap = 256;
constexpr DWORD kDirectionFlag = 0x400;

#if defined(__i386__)
// The head of the thread's frame-handler chain, the first word of its
// thread block.
void* FrameHandlerChain() {
  void* chain;
  __asm__ __volatile__("movl %%fs:0, %0" : "=r"(chain));
  return chain;
}
void SetFrameHandlerChain(void* chain) {
  __asm__ __volatile__("movl %0, %%fs:0" : : "r"(chain) : "memory");
}
#endif

[[noreturn]] void ResumeGuardedCaller() { __builtin_longjmp(CurrentFrame()->jump, 1); }

LONG CALLBACK OnException(EXCEPTION_POINTERS* exception) {
  GuardFrame* frame = CurrentFrame();
  if (frame == nullptr || frame->resuming ||
      !IsGuardedFault(exception->ExceptionRecord->ExceptionCode)) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  frame->faulted = true;
  if (frame->leaveToLoader) return EXCEPTION_CONTINUE_SEARCH;
  frame->resuming = true;
  CONTEXT* context = exception->ContextRecord;
  // Entered as if called: the return-address slot below a 16-byte boundary.
  // The calling convention wants the direction flag clear on entry.
#if defined(__x86_64__)
  context->Rsp = frame->resumeStack;
  context->Rip = reinterpret_cast<DWORD64>(&ResumeGuardedCaller);
#else
  context->Esp = static_cast<DWORD>(frame->resumeStack);
  context->Eip = static_cast<DWORD>(reinterpret_cast<uintptr_t>(&ResumeGuardedCaller));
#endif
  context->EFlags &= ~kDirectionFlag;
  return EXCEPTION_CONTINUE_EXECUTION;
}

// False when no TLS slot is to be had; the call then runs unguarded.
bool InstallHandlerOnce() {
  // Registered for the whole run: it does nothing outside a guarded call.
  // Last among vectored handlers, so any a plug-in registers come first.
  static bool installed = [] {
    frameSlot = TlsAlloc();
    return frameSlot != TLS_OUT_OF_INDEXES && AddVectoredExceptionHandler(0, OnException) != nullptr;
  }();
  return installed;
}

// Not inlined, so its frame lies below CallGuarded's live one: the resume
// stack is taken from it and reuses only the plug-in's part of the stack.
__attribute__((noinline)) void CallThrough(void (*call)(void*), void* context, GuardFrame* frame) {
  uintptr_t below = reinterpret_cast<uintptr_t>(__builtin_frame_address(0)) - kResumeGap;
  frame->resumeStack = (below & ~static_cast<uintptr_t>(15)) - sizeof(void*);
  call(context);
  // Keeps the call from becoming a jump that would give up this frame first.
  __asm__ __volatile__("" ::: "memory");
}

}  // namespace

bool IsGuardedFault(DWORD exceptionCode) {
  switch (exceptionCode) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
      return true;
    default:
      return false;
  }
}

bool CallGuarded(void (*call)(void* context), void* context) {
  if (!InstallHandlerOnce()) {
    call(context);
    return true;
  }
  GuardFrame frame;
  frame.outer = CurrentFrame();
#if defined(__i386__)
  frame.sehChain = FrameHandlerChain();
#endif
  if (__builtin_setjmp(frame.jump) != 0) {
    // Back from a fault. Frame handlers the plug-in chained on i686 lived in
    // the frames just given up: the chain must not lead into them.
    GuardFrame* resumed = CurrentFrame();
#if defined(__i386__)
    SetFrameHandlerChain(resumed->sehChain);
#endif
    SetCurrentFrame(resumed->outer);
    return false;
  }
  SetCurrentFrame(&frame);
  CallThrough(call, context, &frame);
  SetCurrentFrame(frame.outer);
  return true;
}

bool CallLoaderGuarded(void (*call)(void* context), void* context) {
  if (!InstallHandlerOnce()) {
    call(context);
    return true;
  }
  GuardFrame frame;
  frame.outer = CurrentFrame();
  frame.leaveToLoader = true;
  SetCurrentFrame(&frame);
  call(context);
  SetCurrentFrame(frame.outer);
  return !frame.faulted;
}
