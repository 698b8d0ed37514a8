// Loads DLLs by name, late, as programs and the system's own DLLs do. Plain, it is the
// program without protection that shows DLLs planted beside it do get loaded on this
// system; with "protected" it first narrows the search with the installer's own start-up.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "app/process_hardening.h"

int main(int argc, char** argv) {
  int first = 1;
  if (argc > 1 && strcmp(argv[1], "protected") == 0) {
    HardenProcess();
    first = 2;
  }
  for (int i = first; i < argc; ++i) {
    HMODULE module = LoadLibraryA(argv[i]);
    char path[MAX_PATH] = "-";
    if (module != nullptr) GetModuleFileNameA(module, path, MAX_PATH);
    printf("%s %s\n", argv[i], path);
  }
  return 0;
}
