# What `cmake --install` lays out, by the GNU directory conventions:
#
#   bin/scalora, bin/scalora-batch
#   share/halvorn-scalora/{data.pak,default.style,languages/}
#   share/applications/, share/metainfo/, share/icons/hicolor/
#   share/man/man1/, share/bash-completion/completions/, share/zsh/.../
#   share/doc/halvorn-scalora/
#
# The programs find their data at <bin>/../share/halvorn-scalora, so the tree works under any
# prefix and keeps working when it is moved. The folders add their own install() lines with
# the destinations named here.

include(GNUInstallDirs)

# The reverse-DNS name of the vendor's domain with the program's name: the desktop entry,
# the icons and the AppStream metadata are all called by it.
set(SCALORA_APP_ID "example.halvorn_software.Scalora")
set(SCALORA_PACKAGE_NAME "halvorn-scalora")
set(SCALORA_DATA_INSTALL_DIR "${CMAKE_INSTALL_DATADIR}/${SCALORA_PACKAGE_NAME}")
set(SCALORA_DOC_INSTALL_DIR "${CMAKE_INSTALL_DATADIR}/doc/${SCALORA_PACKAGE_NAME}")
set(SCALORA_MAINTAINER "Halvorn Software <scalora@halvorn-software.example>")
set(SCALORA_HOMEPAGE "http://www.halvorn-software.example/scalora/")
# The day this version was released: the AppStream release entry and the package changelog
# carry it. Set it anew with every project(VERSION).
set(SCALORA_RELEASE_DATE "2026-12-07")

# The lookup beside the program is fixed to ../share/halvorn-scalora; a layout that puts the
# data elsewhere would install a program that cannot start.
file(RELATIVE_PATH scalora_bin_to_data "${CMAKE_INSTALL_FULL_BINDIR}"
     "${CMAKE_INSTALL_FULL_DATADIR}/${SCALORA_PACKAGE_NAME}")
if(NOT scalora_bin_to_data STREQUAL "../share/${SCALORA_PACKAGE_NAME}")
    message(FATAL_ERROR "The programs look for their data in <bindir>/../share/"
                        "${SCALORA_PACKAGE_NAME}, but CMAKE_INSTALL_BINDIR and "
                        "CMAKE_INSTALL_DATADIR put it at <bindir>/${scalora_bin_to_data}. "
                        "Keep the two side by side (bin and share below one prefix).")
endif()

# bash-completion loads share/bash-completion/completions on demand under any prefix.
set(SCALORA_BASH_COMPLETION_DIR "${CMAKE_INSTALL_DATADIR}/bash-completion/completions")

# Build tools for the desktop files: rsvg-convert renders the icons; gzip compresses the
# manual pages as man and Debian expect them.
find_program(SCALORA_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(SCALORA_GZIP gzip REQUIRED)

# scalora_compress(<file> <file.gz>): compresses at build time as Debian wants it, gzip -9n
# (without the time stamp, so the result depends on the text alone).
function(scalora_compress input output)
    get_filename_component(name "${input}" NAME)
    add_custom_command(
        OUTPUT "${output}"
        COMMAND sh -c "\"$0\" -9nc \"$1\" > \"$2\"" "${SCALORA_GZIP}" "${input}" "${output}"
        DEPENDS "${input}"
        COMMENT "Compressing ${name}"
        VERBATIM)
endfunction()

# scalora_install_man_page(<page.N>): fills in the version, compresses the page at build time
# and installs it in manN/.
function(scalora_install_man_page page)
    get_filename_component(name "${page}" NAME)
    string(REGEX REPLACE ".*\\.([1-9])$" "\\1" section "${name}")
    set(filled "${CMAKE_CURRENT_BINARY_DIR}/${name}")
    configure_file("${page}" "${filled}" @ONLY)
    set(compressed "${filled}.gz")
    scalora_compress("${filled}" "${compressed}")
    add_custom_target(scalora_man_${name} ALL DEPENDS "${compressed}")
    install(FILES "${compressed}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man${section}")
endfunction()

# scalora_render_icon(<svg> <size> <png>): renders the SVG at size x size pixels at build time.
function(scalora_render_icon svg size png)
    get_filename_component(folder "${png}" DIRECTORY)
    add_custom_command(
        OUTPUT "${png}"
        COMMAND "${CMAKE_COMMAND}" -E make_directory "${folder}"
        COMMAND "${SCALORA_RSVG_CONVERT}" --width=${size} --height=${size} --format=png
                --output "${png}" "${svg}"
        DEPENDS "${svg}"
        COMMENT "Rendering the ${size} px icon"
        VERBATIM)
endfunction()

# scalora_install_zsh_completion(<_name>): Debian's zsh reads the functions of packages from
# /usr/share/zsh/vendor-completions and local ones from <prefix>/share/zsh/site-functions. The
# prefix is only known when installing (cpack installs below /usr whatever the build was
# configured with), so the folder is chosen then.
function(scalora_install_zsh_completion file)
    get_filename_component(source "${file}" ABSOLUTE)
    set(datadir "${CMAKE_INSTALL_DATADIR}")
    install(CODE "
        if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
            set(scalora_zsh_dir \"${datadir}/zsh/vendor-completions\")
        else()
            set(scalora_zsh_dir \"${datadir}/zsh/site-functions\")
        endif()
        file(INSTALL \"${source}\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/\${scalora_zsh_dir}\")
    ")
endfunction()
