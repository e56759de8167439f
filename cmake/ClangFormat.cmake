# `cmake --build build --target format` formats every C++ file the project owns.
find_program(CLANG_FORMAT_PROGRAM clang-format)
if(CLANG_FORMAT_PROGRAM)
    file(GLOB_RECURSE TL97_FORMAT_SOURCES CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h
        ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
        ${PROJECT_SOURCE_DIR}/bench/*.cpp ${PROJECT_SOURCE_DIR}/bench/*.h)
    add_custom_target(format
        COMMAND ${CLANG_FORMAT_PROGRAM} -i ${TL97_FORMAT_SOURCES}
        COMMENT "Formatting sources with clang-format"
        VERBATIM)
endif()
