# hv_embed_resources(target FOLDER)
# Embeds the resource files of FOLDER into target: every file FOLDER/<TYPE>/<file>
# becomes the resource of type TYPE named after the file ("GDIPLUS/CE.png" is
# the "GDIPLUS" resource "CE_PNG"). Files directly in FOLDER (a README) and in
# deeper folders are not resources. The table is generated at build time and
# registers itself with the platform layer when the program starts
# (HVFramework/Platform/Graphics/Resources.h).
set(HV_EMBED_RESOURCES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResources.cmake)

function(hv_embed_resources target folder)
  file(GLOB files CONFIGURE_DEPENDS LIST_DIRECTORIES false ${folder}/*/*)
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
