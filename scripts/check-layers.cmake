# Fails when an include runs up the layers:
#   core/    includes no Qt header and nothing of engine/, ui/, app/ or cli/
#   engine/  includes nothing of ui/, app/ or cli/ and no Qt Widgets header
#   ui/      includes nothing of app/ or cli/
# Run as: cmake -DROOT=<source folder> -P scripts/check-layers.cmake
if(NOT ROOT)
  message(FATAL_ERROR "check-layers: ROOT is not set")
endif()

set(rules
  "core|#include[ \t]*[<\"](Q[A-Za-z]|qt|engine/|ui/|app/|cli/)"
  "engine|#include[ \t]*[<\"](QtWidgets|QWidget|QDialog|QMainWindow|QApplication|ui/|app/|cli/)"
  "ui|#include[ \t]*[<\"](app/|cli/)")

set(found "")
foreach(rule IN LISTS rules)
  string(REPLACE "|" ";" parts "${rule}")
  list(GET parts 0 layer)
  list(SUBLIST parts 1 -1 pattern_parts)
  string(JOIN "|" pattern ${pattern_parts})
  if(NOT IS_DIRECTORY "${ROOT}/${layer}")
    continue()
  endif()
  file(GLOB_RECURSE sources "${ROOT}/${layer}/*.h" "${ROOT}/${layer}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" lines REGEX "${pattern}")
    foreach(line IN LISTS lines)
      file(RELATIVE_PATH rel "${ROOT}" "${source}")
      string(APPEND found "  ${rel}: ${line}\n")
    endforeach()
  endforeach()
endforeach()

if(found)
  message(FATAL_ERROR "Includes that run up the layers (move the piece down, or pass a value in):\n${found}")
endif()
