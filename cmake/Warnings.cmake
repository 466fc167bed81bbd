# Warnings for our own targets; third-party code (GoogleTest) keeps its own flags.
function(qarn_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

if(NOT WIN32 AND QARN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
