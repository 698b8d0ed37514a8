// The few language hooks the program needs, on the system's heap, so that nothing of the C++
// runtime library (and its exception machinery) is linked into the installer.
#include <windows.h>

#include <new>

namespace {

[[noreturn]] void OutOfMemory() {
  FatalAppExitA(0, "There is not enough memory to run the installer.");
  ExitProcess(1);
}

void* Allocate(size_t size) { return HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1); }

void Free(void* block) {
  if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}

}  // namespace

void* operator new(size_t size) {
  void* block = Allocate(size);
  if (block == nullptr) OutOfMemory();
  return block;
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { Free(block); }
void operator delete[](void* block) noexcept { Free(block); }
void operator delete(void* block, size_t) noexcept { Free(block); }
void operator delete[](void* block, size_t) noexcept { Free(block); }

#if defined(QUILLANE_STACK_PROTECTOR)
// The canaries' guard and what a smashed canary does, here rather than from the compiler's
// support library, which would add its own random source, console output and C runtime calls.
// The program's entry sets the guard before any protected function runs.
extern "C" {
void* __stack_chk_guard = nullptr;
// Ends the process at once: with its stack overwritten, nothing of it may run any more.
__attribute__((noreturn, no_stack_protector)) void __stack_chk_fail() {
  TerminateProcess(GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
  __builtin_trap();
}
}
#endif

// Called only if an abstract control's own operation were run during its construction.
extern "C" void __cxa_pure_virtual() {
  FatalAppExitA(0, "The installer met an internal error.");
  ExitProcess(1);
}
