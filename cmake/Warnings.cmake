# One place for the warning set, so every target of ours is held to the same standard.
add_library(diravir_warnings INTERFACE)
if(MSVC)
  target_compile_options(diravir_warnings INTERFACE /W4 /permissive- /utf-8)
else()
  target_compile_options(diravir_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
    -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)
endif()
