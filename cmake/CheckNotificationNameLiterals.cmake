# cmake -DSOURCE_DIR=<tree> -P CheckNotificationNameLiterals.cmake
#
# Fails when product code names a notification by a literal ("u" then a quoted
# text starting NID_) outside the names headers: every library publishes the
# names it sends as NotificationName constants in one header named
# <Library>NotificationNames.h, and everything else uses those constants, so
# a misspelt name does not compile instead of never firing. Skins, tests and
# benchmarks may still name notifications by text.
cmake_minimum_required(VERSION 3.25)

set(roots HVFramework DeviceControl Panel Libraries tools)
set(faults "")
foreach(root ${roots})
  file(GLOB_RECURSE files ${SOURCE_DIR}/${root}/*.h ${SOURCE_DIR}/${root}/*.hpp ${SOURCE_DIR}/${root}/*.inl
       ${SOURCE_DIR}/${root}/*.cpp ${SOURCE_DIR}/${root}/*.cc ${SOURCE_DIR}/${root}/*.c)
  foreach(file ${files})
    # A names header has a library's name before "NotificationNames.h";
    # NotificationNames.h itself (the interning) is checked like any file.
    get_filename_component(base ${file} NAME)
    if(base MATCHES "^[A-Za-z0-9]+NotificationNames\\.h$")
      continue()
    endif()
    # Most files hold none: read them whole only when the text occurs.
    file(STRINGS ${file} hits REGEX "u\"NID_")
    if(NOT hits)
      continue()
    endif()
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
    # One list item a line: characters that split or join list items are
    # masked first.
    file(READ ${file} text)
    string(REPLACE ";" "<semicolon>" text "${text}")
    string(REPLACE "[" "<bracket>" text "${text}")
    string(REPLACE "]" "<bracket>" text "${text}")
    string(REPLACE "\\" "<backslash>" text "${text}")
    string(REPLACE "\n" ";" lines "${text}")
    set(number 0)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      string(REGEX MATCHALL "u\"NID_[A-Za-z0-9_]*\"?" literals "${line}")
      foreach(literal ${literals})
        list(APPEND faults "${shown}:${number}: ${literal}")
      endforeach()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " shown)
  message(FATAL_ERROR "Notification names written as literals outside the names headers "
                      "(use the constant of the library's <Library>NotificationNames.h):\n  ${shown}")
endif()
