# The release a level builder downloads (target `package`):
# Tessark-<version>-win64.zip with, side by side at its root, the program, its
# help document, a French read-me and the licence. Nothing else is installed.
set(text_dir ${PROJECT_BINARY_DIR}/packaging)
# Text files for Notepad: CR LF line ends (the read-me is UTF-8 with a BOM).
configure_file(${PROJECT_SOURCE_DIR}/packaging/LISEZMOI.txt.in ${text_dir}/LISEZMOI.txt
  @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE.txt ${text_dir}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

install(TARGETS Tessark RUNTIME DESTINATION .)
install(FILES
  ${PROJECT_SOURCE_DIR}/demo/files/AideVUDEvizuzi.rtf
  ${text_dir}/LISEZMOI.txt
  ${text_dir}/LICENSE.txt
  DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tessark)
set(CPACK_PACKAGE_VENDOR "the Tessark authors")
set(CPACK_PACKAGE_FILE_NAME Tessark-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
