# Compiler settings shared by every target of both builds.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_C_STANDARD 11)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# Samples must be equal bit for bit in both builds: no fused multiply-add,
# and SSE2 arithmetic on i686 instead of the x87 stack.
add_compile_options(-Wall -Wextra -ffp-contract=off)

if(WIN32)
  add_compile_options(-msse2 -mfpmath=sse)
  # C99 formatting ("%f", "%.2f") instead of the system runtime's own.
  add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 WIN32_LEAN_AND_MEAN NOMINMAX)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# Sanitizers for the native build (presets asan and tsan). Every target gets
# them, the module and quillhost alike, so that quillhost's runtime serves the
# module it loads.
set(QUILL_SANITIZE "" CACHE STRING
    "Native builds only: address (with undefined behaviour) or thread; empty for none")
if(QUILL_SANITIZE STREQUAL "address")
  set(quill_sanitizer_flags -fsanitize=address,undefined -fno-omit-frame-pointer
                            -fno-sanitize-recover=undefined)
elseif(QUILL_SANITIZE STREQUAL "thread")
  set(quill_sanitizer_flags -fsanitize=thread -fno-omit-frame-pointer)
elseif(NOT QUILL_SANITIZE STREQUAL "")
  message(FATAL_ERROR "QUILL_SANITIZE is \"${QUILL_SANITIZE}\": address, thread or empty")
endif()
if(quill_sanitizer_flags)
  if(WIN32)
    message(FATAL_ERROR "QUILL_SANITIZE is for native builds only")
  endif()
  add_compile_options(${quill_sanitizer_flags})
  add_link_options(${quill_sanitizer_flags})
endif()
