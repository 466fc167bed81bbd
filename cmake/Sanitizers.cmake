# Sanitizers of the native builds, all chosen here:
#   QARN_SANITIZE=address  AddressSanitizer and UndefinedBehaviorSanitizer (the native tests)
#   QARN_SANITIZE=thread   ThreadSanitizer (the stress tests)
#   QARN_SANITIZE=OFF      none (benchmarks, reference pictures)
# QARN_FUZZ adds libFuzzer's coverage to every library (clang); the fuzz
# targets link libFuzzer's main themselves. The Windows builds take none.
set(QARN_SANITIZE address CACHE STRING "Native sanitizers: address, thread or OFF")
set_property(CACHE QARN_SANITIZE PROPERTY STRINGS address thread OFF)

if(WIN32)
  return()
endif()

if(QARN_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
elseif(QARN_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread)
  add_link_options(-fsanitize=thread)
elseif(QARN_SANITIZE)
  message(FATAL_ERROR "QARN_SANITIZE is '${QARN_SANITIZE}'; choose address, thread or OFF")
endif()

if(QARN_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
