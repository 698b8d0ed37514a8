# Warnings are errors in every build.
add_compile_options(-Wall -Wextra -Wpedantic -Werror -Wshadow -Wformat=2 -Wcast-qual)

if(QUILLANE_WINDOWS)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # One self-contained executable: no runtime DLL beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
else()
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
