# yoji_logic_library(NAME SOURCES ... LINKS ...)
# A logic library sees QtCore only, so a widget include in logic code fails to compile.
function(yoji_logic_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt6::Core ${ARG_LINKS})
endfunction()

# yoji_screens_library(NAME SOURCES ... LINKS ...): the widgets of a folder.
function(yoji_screens_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt6::Widgets ${ARG_LINKS})
endfunction()
