# Resources of the display.
#
# The banner bitmap (res/banner.bmp, 640 x 89, 24 bits) is compiled into the core as a byte
# array. Until the file exists the array is empty and the banner sprite fails to load; adding
# the file re-runs the configuration (the res folder is watched).
set(VANTOLU_BANNER_BMP ${CMAKE_CURRENT_SOURCE_DIR}/res/banner.bmp)
set(VANTOLU_BANNER_CPP ${CMAKE_CURRENT_BINARY_DIR}/generated/BannerResource.cpp)
set(VANTOLU_EMBED_ARGS -DOUTPUT=${VANTOLU_BANNER_CPP} -DFUNCTION=BannerResource
                       -DHEADER=display/BannerResource.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/res)
if(EXISTS ${VANTOLU_BANNER_BMP})
  add_custom_command(
    OUTPUT ${VANTOLU_BANNER_CPP}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${VANTOLU_BANNER_BMP} ${VANTOLU_EMBED_ARGS}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${VANTOLU_BANNER_BMP} ${CMAKE_CURRENT_SOURCE_DIR}/cmake/EmbedFile.cmake
    COMMENT "Embedding res/banner.bmp")
else()
  execute_process(COMMAND ${CMAKE_COMMAND} -DINPUT= ${VANTOLU_EMBED_ARGS}
                          -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/EmbedFile.cmake)
endif()
target_sources(vantolu_core PRIVATE ${VANTOLU_BANNER_CPP})

# The 22 sprite pictures (res/images/*.png) and the window icon (res/icon.png) go into image/
# beside the executable, where the program looks for them. An empty folder copies nothing.
file(GLOB VANTOLU_IMAGE_FILES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/res/images/*.png
     ${CMAKE_CURRENT_SOURCE_DIR}/res/icon.png)
set(VANTOLU_IMAGE_DIR ${CMAKE_CURRENT_BINARY_DIR}/image)
file(MAKE_DIRECTORY ${VANTOLU_IMAGE_DIR})
set(VANTOLU_IMAGE_COPIES "")
foreach(image ${VANTOLU_IMAGE_FILES})
  get_filename_component(name ${image} NAME)
  add_custom_command(
    OUTPUT ${VANTOLU_IMAGE_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${image} ${VANTOLU_IMAGE_DIR}/${name}
    DEPENDS ${image})
  list(APPEND VANTOLU_IMAGE_COPIES ${VANTOLU_IMAGE_DIR}/${name})
endforeach()
add_custom_target(vantolu_images ALL DEPENDS ${VANTOLU_IMAGE_COPIES})
