# The shipped installer is started with administrator rights: it asks the compiler and the
# linker for every protection by name rather than relying on a toolchain's defaults, and it
# is built so that two builds of one commit are byte for byte the same.
if(NOT QUILLANE_WINDOWS)
  return()
endif()

include(CheckCXXCompilerFlag)

# Canaries on every function with a local array. With -static the support library (libssp)
# is linked into the executable, so no DLL is added beside it.
check_cxx_compiler_flag(-fstack-protector-strong QUILLANE_HAS_STACK_PROTECTOR)
if(QUILLANE_HAS_STACK_PROTECTOR)
  add_compile_options(-fstack-protector-strong)
  add_link_options(-fstack-protector-strong)
  # The installer starts at its own entry, which must then set the canaries' guard itself.
  add_compile_definitions(QUILLANE_STACK_PROTECTOR)
endif()

# No build folder in the output, whichever folder it is built in.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)

# The oldest Windows the manifest names: Windows 7 is 6.1.
set(QUILLANE_OLDEST_WINDOWS_MAJOR 6)
set(QUILLANE_OLDEST_WINDOWS_MINOR 1)

# quillane_harden_executable(TARGET): address-space randomisation (with the relocations it
# needs), no execution from data pages, aware of terminal-server sessions, no link time stamp,
# and the subsystem version of the oldest supported Windows.
function(quillane_harden_executable target)
  set(options
    -Wl,--dynamicbase
    -Wl,--enable-reloc-section
    -Wl,--nxcompat
    -Wl,--tsaware
    -Wl,--no-insert-timestamp
    -Wl,--major-subsystem-version,${QUILLANE_OLDEST_WINDOWS_MAJOR}
    -Wl,--minor-subsystem-version,${QUILLANE_OLDEST_WINDOWS_MINOR})
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    # Randomisation over the whole 64-bit address space.
    list(APPEND options -Wl,--high-entropy-va)
  endif()
  target_link_options(${target} PRIVATE ${options})
endfunction()
