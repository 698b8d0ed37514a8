# Size-optimised code for the shipped program only: no exceptions, no RTTI, no unwind tables,
# every function in its own section so the linker drops what nothing calls. The
# tests keep the full C++ runtime; they link the same product libraries.
set(QUILLANE_PRODUCT_LIBRARIES
  quillane_text quillane_payload_rules quillane_payload quillane_discovery_rules
  quillane_discovery quillane_skin quillane_controls quillane_app_rules quillane_dialog_access
  quillane_app)

set(QUILLANE_PRODUCT_COMPILE_OPTIONS
  -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-unwind-tables
  -fno-threadsafe-statics -ffunction-sections)

function(quillane_product_flags)
  if(NOT QUILLANE_WINDOWS)
    return()
  endif()
  foreach(lib ${QUILLANE_PRODUCT_LIBRARIES})
    if(TARGET ${lib})
      target_compile_options(${lib} PRIVATE ${QUILLANE_PRODUCT_COMPILE_OPTIONS})
    endif()
  endforeach()
  target_compile_options(QuillaneSetup PRIVATE ${QUILLANE_PRODUCT_COMPILE_OPTIONS})
  # Stripped, unused sections dropped. The map shows what each library adds (make bench reads
  # it to prove that nothing of the C++ runtime library is linked in).
  target_link_options(QuillaneSetup PRIVATE -s -Wl,--gc-sections
    -Wl,-Map,${CMAKE_BINARY_DIR}/QuillaneSetup.map)
  # The program's own entry (app/main.cpp) instead of the C runtime's start-up objects.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(QuillaneSetup PRIVATE -nostartfiles -Wl,-e,_QuillaneEntry)
  else()
    target_link_options(QuillaneSetup PRIVATE -nostartfiles -Wl,-e,QuillaneEntry)
  endif()
endfunction()

# A test whose own classes derive from product classes needs their type information, which
# product code does not carry: such a test does without RTTI too.
function(quillane_without_rtti target)
  if(QUILLANE_WINDOWS)
    target_compile_options(${target} PRIVATE -fno-rtti)
  endif()
endfunction()
