# Compile options shared by every target (C and C++ only: the resource compiler takes none).
set(zv_code "$<COMPILE_LANGUAGE:C,CXX>")
if(WIN32)
  add_compile_options("$<${zv_code}:-Wall;-Wextra;-Wno-unused-parameter>")
  # A self-contained DLL and executables: no MinGW runtime DLLs beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
else()
  add_compile_options(-m32 -Wall -Wextra -Wno-unused-parameter -fno-omit-frame-pointer)
  add_link_options(-m32)
  # ZORVEL_SANITIZE is what -fsanitize= takes: address,undefined normally; undefined alone where
  # the tests run under user-mode emulation, which AddressSanitizer's programs do not survive.
  if(ZORVEL_SANITIZE)
    add_compile_options(-fsanitize=${ZORVEL_SANITIZE} -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=${ZORVEL_SANITIZE})
  endif()
endif()
