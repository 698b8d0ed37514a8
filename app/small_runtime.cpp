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

// Called only if an abstract control's own operation were run during its construction.
extern "C" void __cxa_pure_virtual() {
  FatalAppExitA(0, "The installer met an internal error.");
  ExitProcess(1);
}
