# Arrow pictures of the working windows, copied into the program folder (bmp/).
set(TOLVIK_ARROW_PICTURES
    arrow_gray.bmp
    arrow_Orange.bmp
    arrow_gray_horz.bmp
    arrow_Orange_horz.bmp
    arrow_gray_horz_left.bmp
    arrow_Orange_horz_left.bmp)
set(_tolvik_bmp_outputs)
foreach(_pic IN LISTS TOLVIK_ARROW_PICTURES)
  add_custom_command(
    OUTPUT ${TOLVIK_PROGRAM_DIR}/bmp/${_pic}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TOLVIK_PROGRAM_DIR}/bmp
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_SOURCE_DIR}/bmp/${_pic}
            ${TOLVIK_PROGRAM_DIR}/bmp/${_pic}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/bmp/${_pic}
    COMMENT "Copying ${_pic}")
  list(APPEND _tolvik_bmp_outputs ${TOLVIK_PROGRAM_DIR}/bmp/${_pic})
endforeach()
add_custom_target(tolvik_arrow_pictures DEPENDS ${_tolvik_bmp_outputs})
add_dependencies(tolvik_ui_common tolvik_arrow_pictures)
