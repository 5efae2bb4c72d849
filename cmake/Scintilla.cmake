# Scintilla, the script editor's text control: its core and its Win32 platform
# layer built into a static library, as its own win32 makefile builds
# libscintilla.a (everything but the DLL's entry point and resources).
# Its sources are Debian's, unpacked by tools/deps.sh; on Windows, those of
# Scintilla's release archive of the same version.
set(TESSARK_SCINTILLA_DIR ${PROJECT_SOURCE_DIR}/build/third-party/scite/scintilla
  CACHE PATH "Scintilla source tree (its src/, win32/ and include/)")
if(NOT EXISTS ${TESSARK_SCINTILLA_DIR}/src/Editor.cxx OR NOT EXISTS ${TESSARK_SCINTILLA_DIR}/win32/ScintillaWin.cxx)
  message(FATAL_ERROR "No Scintilla sources in ${TESSARK_SCINTILLA_DIR}: run tools/deps.sh, "
    "or point TESSARK_SCINTILLA_DIR at the scintilla folder of its release archive")
endif()
file(READ ${TESSARK_SCINTILLA_DIR}/version.txt TESSARK_SCINTILLA_VERSION)
string(STRIP "${TESSARK_SCINTILLA_VERSION}" TESSARK_SCINTILLA_VERSION)
message(STATUS "Scintilla ${TESSARK_SCINTILLA_VERSION} from ${TESSARK_SCINTILLA_DIR}")

file(GLOB scintilla_core ${TESSARK_SCINTILLA_DIR}/src/*.cxx)
add_library(scintilla STATIC ${scintilla_core}
  ${TESSARK_SCINTILLA_DIR}/win32/HanjaDic.cxx
  ${TESSARK_SCINTILLA_DIR}/win32/PlatWin.cxx
  ${TESSARK_SCINTILLA_DIR}/win32/ScintillaWin.cxx)
# Its headers count as the system's: their warnings are not ours.
target_include_directories(scintilla SYSTEM PUBLIC ${TESSARK_SCINTILLA_DIR}/include)
target_include_directories(scintilla PRIVATE ${TESSARK_SCINTILLA_DIR}/src)
# The language level its makefile builds with, and its sources' warnings
# shown but never errors: -Werror is for our own code.
set_target_properties(scintilla PROPERTIES CXX_STANDARD 17)
get_target_property(scintilla_options scintilla COMPILE_OPTIONS)
if(scintilla_options)
  list(REMOVE_ITEM scintilla_options -Werror /WX)
  set_target_properties(scintilla PROPERTIES COMPILE_OPTIONS "${scintilla_options}")
endif()
# Without the search by C++11 regular expressions (SCFIND_CXX11REGEX), an
# option of its makefile: the editor finds plain text, and that search, with
# the parts of the C++ library it draws in, is nearly half of what Scintilla
# adds to the program.
target_compile_definitions(scintilla PRIVATE NO_CXX11_REGEX)
# The system libraries its makefile links the DLL with (import libraries of
# DLLs every Windows has); the C++ runtime comes in statically with the program.
target_link_libraries(scintilla PUBLIC gdi32 user32 imm32 ole32 uuid oleaut32 msimg32)
