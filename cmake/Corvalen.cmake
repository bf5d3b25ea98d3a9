# Helpers shared by the CMake lists of this tree.

# corvalen_sources(<var> <dir>...): the .cpp files of the given folders
# (relative to the current source dir). New files are picked up at the
# next build without touching a CMake list.
function(corvalen_sources var)
    set(result)
    foreach(dir IN LISTS ARGN)
        file(GLOB files CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp")
        list(APPEND result ${files})
    endforeach()
    list(SORT result)
    set(${var} ${result} PARENT_SCOPE)
endfunction()

# corvalen_layer(<name> [WIN_DIRS dir...] [CORE_DIRS dir...] [CORE_LIBS lib...]
# [WIN_LIBS lib...]): a layer of src/. Its core/ folder and CORE_DIRS are
# platform-free and become <name>_core (built natively too); the layer's root
# folder and WIN_DIRS hold the Win32 code and become <name> (target build
# only; natively <name> is just the core). A layer without core sources gets
# an empty interface core.
function(corvalen_layer name)
    cmake_parse_arguments(L "" "" "WIN_DIRS;CORE_DIRS;CORE_LIBS;WIN_LIBS" ${ARGN})
    corvalen_sources(core_sources core ${L_CORE_DIRS})
    if(core_sources)
        add_library(${name}_core STATIC ${core_sources})
        target_include_directories(${name}_core PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name}_core PUBLIC ${L_CORE_LIBS})
    else()
        add_library(${name}_core INTERFACE)
        target_include_directories(${name}_core INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name}_core INTERFACE ${L_CORE_LIBS})
    endif()
    if(CORVALEN_TARGET_BUILD)
        corvalen_sources(win_sources . ${L_WIN_DIRS})
        if(win_sources)
            add_library(${name} STATIC ${win_sources})
            target_link_libraries(${name} PUBLIC ${name}_core ${L_WIN_LIBS})
        else()
            add_library(${name} INTERFACE)
            target_link_libraries(${name} INTERFACE ${name}_core ${L_WIN_LIBS})
        endif()
    else()
        add_library(${name} INTERFACE)
        target_link_libraries(${name} INTERFACE ${name}_core)
    endif()
endfunction()

# corvalen_layer_tests(<name> LIBS ...): tests/<layer>/core/*.cpp become
# <name>_core_tests (native and Wine); tests/<layer>/win/*.cpp become
# <name>_win_tests (Wine only), with the resource scripts tests/<layer>/win/*.rc.
# Empty folders give no program.
function(corvalen_layer_tests name)
    cmake_parse_arguments(L "" "" "CORE_LIBS;WIN_LIBS;RESOURCES" ${ARGN})
    corvalen_sources(core_tests core)
    if(core_tests)
        corvalen_test(${name}_core_tests SOURCES ${core_tests} LIBS ${L_CORE_LIBS})
    endif()
    if(CORVALEN_TARGET_BUILD)
        corvalen_sources(win_tests win)
        # Resource scripts of the Wine tests (test fixtures compiled into the program).
        file(GLOB win_rc CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/win/*.rc")
        # Fixtures beside the resource scripts are what they embed.
        file(GLOB win_fixtures CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/win/*.txt"
             "${CMAKE_CURRENT_SOURCE_DIR}/win/*.bmp" "${CMAKE_CURRENT_SOURCE_DIR}/win/*.gsc"
             "${CMAKE_CURRENT_SOURCE_DIR}/win/*.3dm" "${CMAKE_CURRENT_SOURCE_DIR}/win/*.jpg"
             "${CMAKE_CURRENT_SOURCE_DIR}/win/*.wav")
        foreach(rc IN LISTS win_rc)
            corvalen_resource_depends(${rc} ${win_fixtures})
        endforeach()
        if(win_tests)
            corvalen_test(${name}_win_tests SOURCES ${win_tests} LIBS ${L_WIN_LIBS}
                          RESOURCES ${win_rc} ${L_RESOURCES})
        endif()
    endif()
endfunction()

# corvalen_test(<name> SOURCES ... LIBS ... [RESOURCES rc...]): one GoogleTest
# program registered as one CTest test. tools/run-test.sh runs it (under the
# target build through the Wine runner) and passes it only when it ran to its
# end: a crash or an early exit fails, named, whatever the exit code.
function(corvalen_test name)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;RESOURCES" ${ARGN})
    add_executable(${name} ${T_SOURCES} ${T_RESOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    # Both trees run in one CTest session: native tests carry a suffix.
    if(CORVALEN_TARGET_BUILD)
        set(test_name ${name})
    else()
        set(test_name ${name}-native)
    endif()
    add_test(NAME ${test_name}
             COMMAND ${PROJECT_SOURCE_DIR}/tools/run-test.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
                     $<TARGET_FILE:${name}> --gtest_brief=1)
    set_tests_properties(${test_name} PROPERTIES TIMEOUT ${T_TIMEOUT})
    if(CORVALEN_TARGET_BUILD)
        # The Wine programs share one desktop (foreground, focus, top-level
        # windows): they run one at a time.
        set_tests_properties(${test_name} PROPERTIES RESOURCE_LOCK wine-desktop)
    endif()
endfunction()

# libjpeg-turbo as the target `corvalen_jpeg`: for the target build the
# static library tools/setup.sh built from Debian's source; natively Debian's
# own libjpeg62-turbo-dev.
function(corvalen_import_jpeg)
    if(TARGET corvalen_jpeg)
        return()
    endif()
    if(CORVALEN_TARGET_BUILD)
        set(prefix ${PROJECT_SOURCE_DIR}/build/deps/libjpeg-turbo)
        if(NOT EXISTS ${prefix}/lib/libjpeg.a)
            message(FATAL_ERROR "libjpeg-turbo is missing: run tools/setup.sh")
        endif()
        add_library(corvalen_jpeg STATIC IMPORTED GLOBAL)
        set_target_properties(corvalen_jpeg PROPERTIES
            IMPORTED_LOCATION ${prefix}/lib/libjpeg.a
            INTERFACE_INCLUDE_DIRECTORIES ${prefix}/include)
    else()
        find_package(JPEG REQUIRED)
        add_library(corvalen_jpeg INTERFACE IMPORTED GLOBAL)
        target_link_libraries(corvalen_jpeg INTERFACE JPEG::JPEG)
    endif()
endfunction()

# corvalen_resource_depends(<rc> files...): the .rc embeds these files, so a
# change to one of them must recompile it (CMake does not scan .rc files).
function(corvalen_resource_depends rc)
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${ARGN})
endfunction()

# zlib as the target `corvalen_zlib`: for the target build the static
# library of Debian's libz-mingw-w64-dev (never its import library, so the
# program needs no zlib1.dll); natively Debian's zlib1g-dev.
function(corvalen_import_zlib)
    if(TARGET corvalen_zlib)
        return()
    endif()
    if(CORVALEN_TARGET_BUILD)
        find_library(CORVALEN_ZLIB_STATIC NAMES libz.a REQUIRED)
        find_path(CORVALEN_ZLIB_INCLUDE zlib.h REQUIRED)
        add_library(corvalen_zlib STATIC IMPORTED GLOBAL)
        set_target_properties(corvalen_zlib PROPERTIES
            IMPORTED_LOCATION ${CORVALEN_ZLIB_STATIC}
            INTERFACE_INCLUDE_DIRECTORIES ${CORVALEN_ZLIB_INCLUDE})
    else()
        find_package(ZLIB REQUIRED)
        add_library(corvalen_zlib INTERFACE IMPORTED GLOBAL)
        target_link_libraries(corvalen_zlib INTERFACE ZLIB::ZLIB)
    endif()
endfunction()
