# `cmake --install build --prefix DIR` makes DIR a complete program folder: the program reads and
# writes its data files beside itself, so everything lands in DIR itself, not in bin/ or share/.

install(TARGETS lanternwick RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/data/lanternwick.svg DESTINATION .)

# The data files hold the parent's sites, password and the child's visit log: a reinstall or an
# upgrade must never replace them, so only missing ones are copied.
file(GLOB lanternwick_data_files ${PROJECT_SOURCE_DIR}/data/*.txt)
install(CODE "
    foreach(source IN ITEMS ${lanternwick_data_files})
        get_filename_component(name \"\${source}\" NAME)
        if(EXISTS \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${name}\")
            message(STATUS \"Kept: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${name}\")
        else()
            file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}\" TYPE FILE FILES \"\${source}\")
        endif()
    endforeach()
")

# The menu entry names the program by its absolute place, known only once the prefix is.
install(CODE "
    file(READ \"${PROJECT_SOURCE_DIR}/data/lanternwick.desktop.in\" entry)
    string(REPLACE \"@LANTERNWICK_DIR@\" \"\${CMAKE_INSTALL_PREFIX}\" entry \"\${entry}\")
    set(target \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lanternwick.desktop\")
    message(STATUS \"Installing: \${target}\")
    file(WRITE \"\${target}\" \"\${entry}\")
    file(CHMOD \"\${target}\" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
         GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
")

# Benchmarks are built only when scripts/bench.sh asks for them, never by a plain build or test.
add_subdirectory(bench EXCLUDE_FROM_ALL)
