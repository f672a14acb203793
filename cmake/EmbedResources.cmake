# qv_embed_resources(<target> <res-file> <symbol> <section>)
#
# Makes an object library <target> that carries the compiled resource file
# <res-file> in the ELF section <section>, between the symbols
# <symbol>_begin and <symbol>_end, so the program file itself holds its
# resources and reads no file at run time.
function(qv_embed_resources target res_file symbol section)
  set(asm ${CMAKE_CURRENT_BINARY_DIR}/${target}.S)
  file(WRITE ${asm}.in
"    .section ${section},\"a\"
    .balign 16
    .global ${symbol}_begin
    .global ${symbol}_end
${symbol}_begin:
    .incbin \"${res_file}\"
${symbol}_end:
    .byte 0
    .section .note.GNU-stack,\"\",@progbits
")
  configure_file(${asm}.in ${asm} COPYONLY)
  set_source_files_properties(${asm} PROPERTIES OBJECT_DEPENDS ${res_file})
  add_library(${target} OBJECT ${asm})
endfunction()

# qv_compile_rc(<output-res> <rc-file> [DEPENDS files...] [INCLUDES dirs...])
# Compiles a resource script with llvm-rc into a standard .res file.
function(qv_compile_rc output rc_file)
  cmake_parse_arguments(ARG "" "" "DEPENDS;INCLUDES" ${ARGN})
  set(includes)
  foreach(dir ${ARG_INCLUDES})
    list(APPEND includes -I ${dir})
  endforeach()
  add_custom_command(
    OUTPUT ${output}
    # Dash options and "--" before the script: llvm-rc also takes options
    # written with a slash, so an absolute path such as /check/... would
    # otherwise be read as its /C (code page) option.
    COMMAND ${LLVM_RC} -nologo -FO ${output} ${includes} -- ${rc_file}
    DEPENDS ${rc_file} ${ARG_DEPENDS}
    COMMENT "Compiling resources ${rc_file}"
    VERBATIM)
endfunction()
