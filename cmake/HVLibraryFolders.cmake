# Which library a file of the program belongs to is answered by its folder:
# every folder under HVFramework/, DeviceControl/, Panel/ and Libraries/ that
# holds code belongs to exactly one library. hv_claim_library_folder records
# the claims as libraries are declared; once the tree is read,
# hv_check_library_folders refuses a file in a folder nobody claimed and
# writes the map that the layering test (cmake/CheckLibraryLayering.cmake)
# reads: each library's folders and what it may include.

set(HV_CODE_ROOTS HVFramework DeviceControl Panel Libraries)

# hv_claim_library_folder(library folder): folder is relative to the source root.
function(hv_claim_library_folder name folder)
  string(REGEX MATCH "^[^/]+" root "${folder}")
  if(NOT root IN_LIST HV_CODE_ROOTS)
    return()
  endif()
  get_property(owner GLOBAL PROPERTY HV_FOLDER_LIBRARY_${folder})
  if(owner AND NOT owner STREQUAL name)
    message(FATAL_ERROR "${folder} holds code of two libraries, ${owner} and ${name}: "
                        "give each library a folder of its own")
  endif()
  if(NOT owner)
    set_property(GLOBAL PROPERTY HV_FOLDER_LIBRARY_${folder} ${name})
    set_property(GLOBAL APPEND PROPERTY HV_CLAIMED_FOLDERS ${folder})
    set_property(GLOBAL APPEND PROPERTY HV_LIBRARY_FOLDERS_${name} ${folder})
    get_property(known GLOBAL PROPERTY HV_CODE_LIBRARIES)
    if(NOT name IN_LIST known)
      set_property(GLOBAL APPEND PROPERTY HV_CODE_LIBRARIES ${name})
    endif()
  endif()
endfunction()

# The libraries `name` links, directly and through others, among the code
# libraries. Dependencies named through $<LINK_ONLY:...> are linked but give
# no headers: they count only when `with_link_only` is set.
function(hv_library_closure name with_link_only out)
  get_property(code GLOBAL PROPERTY HV_CODE_LIBRARIES)
  set(seen "")
  set(todo ${name})
  while(todo)
    list(POP_FRONT todo current)
    get_target_property(type ${current} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(links ${current} INTERFACE_LINK_LIBRARIES)
    else()
      get_target_property(links ${current} LINK_LIBRARIES)
    endif()
    if(NOT links)
      continue()
    endif()
    foreach(link ${links})
      if(link MATCHES "^\\$<LINK_ONLY:(.+)>$")
        if(NOT with_link_only)
          continue()
        endif()
        set(link ${CMAKE_MATCH_1})
      endif()
      if(link IN_LIST code AND NOT link IN_LIST seen)
        list(APPEND seen ${link})
        list(APPEND todo ${link})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(hv_check_library_folders)
  get_property(claimed GLOBAL PROPERTY HV_CLAIMED_FOLDERS)
  set(orphans "")
  foreach(root ${HV_CODE_ROOTS})
    file(GLOB_RECURSE files RELATIVE ${CMAKE_SOURCE_DIR}
         ${CMAKE_SOURCE_DIR}/${root}/*.h ${CMAKE_SOURCE_DIR}/${root}/*.cpp ${CMAKE_SOURCE_DIR}/${root}/*.c)
    foreach(file ${files})
      get_filename_component(folder ${file} DIRECTORY)
      if(NOT folder IN_LIST claimed)
        list(APPEND orphans ${file})
      endif()
    endforeach()
  endforeach()
  if(orphans)
    list(JOIN orphans "\n  " text)
    message(FATAL_ERROR "These files lie in folders no library claims (name them in a library's "
                        "SOURCES or HEADERS, in the folder of the library they belong to):\n  ${text}")
  endif()

  # The map for the layering test.
  get_property(libraries GLOBAL PROPERTY HV_CODE_LIBRARIES)
  set(text "# Written by cmake/HVLibraryFolders.cmake: each code library's folders, what it may include, what it links.\n")
  string(APPEND text "set(HV_CODE_LIBRARIES \"${libraries}\")\n")
  foreach(name ${libraries})
    get_property(folders GLOBAL PROPERTY HV_LIBRARY_FOLDERS_${name})
    hv_library_closure(${name} FALSE includes)
    hv_library_closure(${name} TRUE links)
    string(APPEND text "set(HV_FOLDERS_${name} \"${folders}\")\n"
                       "set(HV_INCLUDES_${name} \"${includes}\")\n"
                       "set(HV_LINKS_${name} \"${links}\")\n")
  endforeach()
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/library-map.cmake CONTENT "${text}" @ONLY)
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hv_check_library_folders)
