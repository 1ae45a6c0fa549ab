# quillmark_warnings(target): the project's warning set, as errors when
# QUILLMARK_WERROR is on (CI turns it on).
option(QUILLMARK_WERROR "Treat warnings as errors" OFF)

function(quillmark_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(QUILLMARK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
