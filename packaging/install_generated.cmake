# Run at installation time (cmake --install, cpack): the files made from the sources of this
# folder — the PNG sizes of the icon (rendered from the SVG with rsvg-convert), the compressed
# manual pages and changelog. TENZORA_PACKAGING_SOURCE and TENZORA_PACKAGING_BINARY are set by
# the install rules in front of this script.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
    message(FATAL_ERROR "rsvg-convert (Debian package librsvg2-bin) is needed to render the icon")
endif()
foreach(size 16 22 24 32 48 64 128 256 512)
    set(folder "${root}/share/icons/hicolor/${size}x${size}/apps")
    file(MAKE_DIRECTORY "${folder}")
    message(STATUS "Rendering: ${folder}/tenzora.png")
    execute_process(COMMAND "${RSVG_CONVERT}" -w ${size} -h ${size} -o "${folder}/tenzora.png"
                            "${TENZORA_PACKAGING_SOURCE}/tenzora.svg"
                    RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "rsvg-convert failed for ${size}x${size}")
    endif()
    file(CHMOD "${folder}/tenzora.png" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()

# gzip -9n: best compression without the file name and time, as Debian wants for reproducible packages.
function(tenzora_install_gzipped source target)
    get_filename_component(folder "${target}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    message(STATUS "Compressing: ${target}")
    execute_process(COMMAND gzip -9nc "${source}" OUTPUT_FILE "${target}" RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "gzip failed on ${source}")
    endif()
    file(CHMOD "${target}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endfunction()
tenzora_install_gzipped("${TENZORA_PACKAGING_BINARY}/tenzora.1" "${root}/share/man/man1/tenzora.1.gz")
tenzora_install_gzipped("${TENZORA_PACKAGING_BINARY}/tenzora-cli.1" "${root}/share/man/man1/tenzora-cli.1.gz")
tenzora_install_gzipped("${TENZORA_PACKAGING_BINARY}/changelog" "${root}/share/doc/tenzora/changelog.gz")
