# hv_embed_resources(target FOLDER)
# Embeds the resource files of FOLDER into target: every file FOLDER/<TYPE>/<file>
# becomes the resource of type TYPE named after the file ("GDIPLUS/CE.png" is
# the "GDIPLUS" resource "CE_PNG"). A type folder is named in capitals
# (HVXML, GDIPLUS); files directly in FOLDER (a README), in folders of other
# names (sources the build makes resources from) and in deeper folders are
# not resources. The table is generated at build time and registers itself
# with the platform layer when the program starts
# (HVFramework/Platform/Graphics/Resources.h).
set(HV_EMBED_RESOURCES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResources.cmake)

function(hv_embed_resources target folder)
  file(GLOB candidates CONFIGURE_DEPENDS LIST_DIRECTORIES false ${folder}/*/*)
  set(files "")
  foreach(file ${candidates})
    file(RELATIVE_PATH relative ${folder} ${file})
    if(relative MATCHES "^[A-Z0-9_]+/")
      list(APPEND files ${file})
    endif()
  endforeach()
  hv_embed_resource_files(${target} ${folder} ${files})
endfunction()

# hv_embed_resource_files(target FOLDER FILE...)
# Embeds the named files, each FOLDER/<TYPE>/<file>, as hv_embed_resources
# does; the files may be made by the build (they are dependencies of the table).
function(hv_embed_resource_files target folder)
  set(files ${ARGN})
  list(SORT files)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  string(REPLACE ";" "|" packed "${files}")
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -DOUTPUT=${output} -DFILES=${packed}
            -P ${HV_EMBED_RESOURCES_SCRIPT}
    DEPENDS ${files} ${HV_EMBED_RESOURCES_SCRIPT}
    COMMENT "Embedding the resources of ${folder} into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
  target_link_libraries(${target} PRIVATE hv_platform_graphics)
endfunction()
