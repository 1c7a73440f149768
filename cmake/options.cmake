# Compile options shared by every target.
if(WIN32)
  add_compile_options(-Wall -Wextra -Wno-unused-parameter)
  # A self-contained DLL and executables: no MinGW runtime DLLs beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
else()
  add_compile_options(-m32 -Wall -Wextra -Wno-unused-parameter -fno-omit-frame-pointer)
  add_link_options(-m32)
  if(ZORVEL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()
