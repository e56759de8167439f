# Warnings every target of the project is built with.
add_library(tl97_warnings INTERFACE)
target_compile_options(tl97_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
    -Wshadow -Wcast-qual -Wformat=2 -Wimplicit-fallthrough
    $<$<BOOL:${TL97_WERROR}>:-Werror>)
