# Translations of the user-visible texts. translations/zendra.ts is the English source catalogue;
# each translations/zendra_<locale>.ts a translation of it.
#   cmake --build --preset ci --target lupdate   # writes the texts of the sources into every .ts
#   cmake --build --preset ci --target lrelease  # compiles the translations
# The compiled catalogues (.qm) are built into <build>/translations, where a binary run from the build
# tree finds them, and installed to share/zendra/translations. The source catalogue holds no
# translations, so it is only updated, never compiled or installed.
find_package(Qt6 6.4 REQUIRED COMPONENTS LinguistTools)

set(ZENDRA_TRANSLATIONS_SOURCE_DIR ${PROJECT_SOURCE_DIR}/translations)
set(ZENDRA_TRANSLATIONS_BUILD_DIR ${PROJECT_BINARY_DIR}/translations)

file(GLOB zendra_translated_ts_files CONFIGURE_DEPENDS ${ZENDRA_TRANSLATIONS_SOURCE_DIR}/zendra_*.ts)
set(zendra_ts_files ${ZENDRA_TRANSLATIONS_SOURCE_DIR}/zendra.ts ${zendra_translated_ts_files})
set_source_files_properties(${zendra_translated_ts_files} PROPERTIES
    OUTPUT_LOCATION ${ZENDRA_TRANSLATIONS_BUILD_DIR})

file(GLOB_RECURSE zendra_translated_sources CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h)

set(QT_GLOBAL_LUPDATE_TARGET lupdate)
set(QT_GLOBAL_LRELEASE_TARGET lrelease)
add_custom_target(zendra_translations ALL)
# Line numbers relative to the previous message keep the catalogues' diffs small; texts that left
# the sources leave the catalogues.
qt_add_lupdate(zendra_translations
    TS_FILES ${zendra_ts_files}
    SOURCES ${zendra_translated_sources}
    INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/src
    OPTIONS -source-language en -locations relative -no-obsolete -silent)
set(ZENDRA_QM_FILES)
if(zendra_translated_ts_files)
    qt_add_lrelease(zendra_translations
        TS_FILES ${zendra_translated_ts_files}
        QM_FILES_OUTPUT_VARIABLE ZENDRA_QM_FILES
        OPTIONS -silent)
endif()

# The build's catalogues, the fallback of a binary that has no installed ones beside it.
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/generated/cli/translations_folder.h CONTENT [[
#pragma once

// Where the build puts the compiled catalogues.
namespace zendra {

inline constexpr const char* buildTranslationsFolder = "@ZENDRA_TRANSLATIONS_BUILD_DIR@";

} // namespace zendra
]] @ONLY)
