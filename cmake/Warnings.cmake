# Warnings for our own targets; third-party code (GoogleTest) keeps its own flags.
# Besides -Wall -Wextra: every implicit narrowing of an integer, so that a
# pointer-sized value (a dispatcher value or answer, a window handle, a
# message parameter) cannot lose its upper half in the 64-bit build unseen.
# Float conversions are left out: the view's arithmetic mixes float and
# double on purpose.
function(qarn_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wconversion -Wno-float-conversion)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    # Clang's -Wconversion also warns on every change of signedness, which
    # g++ leaves out in C++; the 64-to-32-bit truncations are named outright.
    target_compile_options(${target} PRIVATE -Wno-sign-conversion -Wshorten-64-to-32)
  endif()
endfunction()
