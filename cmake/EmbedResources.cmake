# ferrix_embed_resources(TARGET SYMBOL ID TYPE FILE [ID TYPE FILE ...])
# Compiles files into TARGET as module resources: on Windows through a generated .rc file
# (read back with FindResourceA), on Linux as a generated C++ ResourceTable named SYMBOL
# (platform/ResourceTable.h), rebuilt whenever one of the files changes.
if(WIN32)
  enable_language(RC)
endif()

function(ferrix_embed_resources target symbol)
  set(entries ${ARGN})
  list(LENGTH entries count)
  math(EXPR remainder "${count} % 3")
  if(count EQUAL 0 OR NOT remainder EQUAL 0)
    message(FATAL_ERROR "ferrix_embed_resources: expected ID TYPE FILE triples")
  endif()
  set(files "")
  set(absolute_entries "")
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 3)
    math(EXPR type_index "${i} + 1")
    math(EXPR file_index "${i} + 2")
    list(GET entries ${i} id)
    list(GET entries ${type_index} type)
    list(GET entries ${file_index} file)
    get_filename_component(file ${file} ABSOLUTE)
    list(APPEND files ${file})
    list(APPEND absolute_entries ${id} ${type} ${file})
  endforeach()

  if(WIN32)
    set(rc "")
    foreach(i RANGE 0 ${last} 3)
      math(EXPR type_index "${i} + 1")
      math(EXPR file_index "${i} + 2")
      list(GET absolute_entries ${i} id)
      list(GET absolute_entries ${type_index} type)
      list(GET absolute_entries ${file_index} file)
      string(APPEND rc "${id} ${type} \"${file}\"\n")
    endforeach()
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${symbol}.rc)
    file(GENERATE OUTPUT ${output} CONTENT "${rc}")
    target_sources(${target} PRIVATE ${output})
  else()
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${symbol}.cpp)
    string(REPLACE ";" "|" packed "${absolute_entries}")
    add_custom_command(
      OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} -DSYMBOL=${symbol} "-DENTRIES=${packed}"
              -P ${PROJECT_SOURCE_DIR}/tools/embed-resources.cmake
      DEPENDS ${files} ${PROJECT_SOURCE_DIR}/tools/embed-resources.cmake
      COMMENT "Embedding resources ${symbol}"
      VERBATIM)
    target_sources(${target} PRIVATE ${output})
    target_link_libraries(${target} PRIVATE ferrix_platform)
  endif()
endfunction()
