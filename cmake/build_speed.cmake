# A build that a two-core machine finishes quickly:
# - the linker lld where it is installed (it links the many test programs in a fraction of
#   the time of the default linker);
# - the Qt headers compiled once into a precompiled header that every Qt target shares,
#   instead of once per source file.
# TOLVIK_FAST_BUILD=OFF builds without either.
option(TOLVIK_FAST_BUILD "Link with lld where installed and share precompiled Qt headers" ON)

if(TOLVIK_FAST_BUILD)
  find_program(TOLVIK_LLD ld.lld)
  if(TOLVIK_LLD AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_link_options(-fuse-ld=lld)
  endif()
endif()

# Called last: every target below `dir` that uses Qt Widgets takes the shared header.
function(tolvik_share_precompiled_headers)
  if(NOT TOLVIK_FAST_BUILD)
    return()
  endif()
  # The headers most sources use, not the whole of Qt Widgets and Charts: a header of those
  # is twice the size and takes longer to load into each source than the source saves.
  set(qt_headers <QAbstractButton> <QApplication> <QCheckBox> <QComboBox> <QGridLayout> <QGroupBox>
      <QHBoxLayout> <QKeyEvent> <QLabel> <QLineEdit> <QPushButton> <QRadioButton> <QString> <QTabWidget>
      <QVBoxLayout> <QWidget>
      <algorithm> <array> <cmath> <functional> <map> <memory> <optional> <string> <vector>)
  add_library(tolvik_pch_qt OBJECT ${PROJECT_SOURCE_DIR}/cmake/pch.cpp)
  target_link_libraries(tolvik_pch_qt PRIVATE Qt6::Widgets Qt6::Charts)
  target_precompile_headers(tolvik_pch_qt PRIVATE ${qt_headers})
  # The GoogleTest programs that use Qt take it too, GoogleTest being parsed in each; Qt Test
  # stays out of the shared header: its headers read macros naming each test's own folders.
  set(qt_users tolvik_ui_common tolvik_chart tolvik_graph_export tolvik_core tolvik_material tolvik_advisor_ui
      tolvik_shell Qt6::Charts)
  set(dirs ${PROJECT_SOURCE_DIR})
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${subdirs})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(t IN LISTS targets)
      if(t MATCHES "^tolvik_pch_")
        continue()
      endif()
      get_target_property(type ${t} TYPE)
      if(NOT type MATCHES "^(STATIC_LIBRARY|EXECUTABLE|OBJECT_LIBRARY)$")
        continue()
      endif()
      get_target_property(links ${t} LINK_LIBRARIES)
      if(NOT links)
        continue()
      endif()
      set(uses_qt FALSE)
      foreach(l IN LISTS links)
        if(l IN_LIST qt_users)
          set(uses_qt TRUE)
        endif()
      endforeach()
      if(NOT uses_qt)
        continue()
      endif()
      # A test program's moc output is included by its source; the file AUTOMOC adds beside
      # it is empty and would spend longer loading the header than compiling.
      get_target_property(automoc ${t} AUTOMOC)
      if(automoc AND type STREQUAL "EXECUTABLE")
        get_target_property(bin ${t} BINARY_DIR)
        set_source_files_properties(${bin}/${t}_autogen/mocs_compilation.cpp TARGET_DIRECTORY ${t}
                                    PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
      endif()
      target_precompile_headers(${t} REUSE_FROM tolvik_pch_qt)
    endforeach()
  endwhile()
endfunction()
