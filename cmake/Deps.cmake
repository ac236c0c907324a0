# Finds the codec libraries that scripts/bootstrap.sh cross-built for this target.
set(PIXMERE_DEPS_CACHE "$ENV{PIXMERE_DEPS}")
if(NOT PIXMERE_DEPS_CACHE)
  set(PIXMERE_DEPS_CACHE /var/cache/pixmere-deps)
endif()
set(_deps_file ${PIXMERE_DEPS_CACHE}/${PIXMERE_TARGET}/deps.cmake)
if(NOT EXISTS ${_deps_file})
  message(FATAL_ERROR "No codec libraries for ${PIXMERE_TARGET}: run scripts/bootstrap.sh first")
endif()
include(${_deps_file})

function(pixmere_import_codec name prefix libfile)
  add_library(${name} STATIC IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES
    IMPORTED_LOCATION ${prefix}/lib/${libfile}
    INTERFACE_INCLUDE_DIRECTORIES ${prefix}/include)
endfunction()

pixmere_import_codec(codec_jpeg ${PIXMERE_LIBJPEG_TURBO_PREFIX} libjpeg.a)
pixmere_import_codec(codec_png ${PIXMERE_LIBPNG1_6_PREFIX} libpng16.a)
pixmere_import_codec(codec_gif ${PIXMERE_GIFLIB_PREFIX} libgif.a)
pixmere_import_codec(codec_tiff ${PIXMERE_TIFF_PREFIX} libtiff.a)
pixmere_import_codec(codec_webp ${PIXMERE_LIBWEBP_PREFIX} libwebp.a)
pixmere_import_codec(codec_webpdemux ${PIXMERE_LIBWEBP_PREFIX} libwebpdemux.a)
add_library(codec_zlib STATIC IMPORTED GLOBAL)
set_target_properties(codec_zlib PROPERTIES IMPORTED_LOCATION /usr/${PIXMERE_TARGET}/lib/libz.a)
set_property(TARGET codec_png APPEND PROPERTY INTERFACE_LINK_LIBRARIES codec_zlib)
set_property(TARGET codec_tiff APPEND PROPERTY INTERFACE_LINK_LIBRARIES codec_jpeg codec_zlib)
set_property(TARGET codec_webpdemux APPEND PROPERTY INTERFACE_LINK_LIBRARIES codec_webp)

# Folders of the Debian source trees, for tests that read the libraries' own test images.
set(PIXMERE_PNG_SOURCE ${PIXMERE_LIBPNG1_6_SOURCE} CACHE INTERNAL "")
set(PIXMERE_GIF_SOURCE ${PIXMERE_GIFLIB_SOURCE} CACHE INTERNAL "")
set(PIXMERE_TIFF_SOURCE_TREE ${PIXMERE_TIFF_SOURCE} CACHE INTERNAL "")
set(PIXMERE_JPEG_SOURCE ${PIXMERE_LIBJPEG_TURBO_SOURCE} CACHE INTERNAL "")
set(PIXMERE_WEBP_SOURCE_TREE ${PIXMERE_LIBWEBP_SOURCE} CACHE INTERNAL "")
