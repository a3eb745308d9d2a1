# The end-to-end session test: the real program driven through the keyboard
# with xdotool on an X server of its own. Included from tests/shell/CMakeLists.txt
# once the `quillory` target is defined.
find_package(X11 REQUIRED)

# Without a window manager, this helper plays the close box of the title bar.
add_executable(send_wm_delete ${CMAKE_CURRENT_LIST_DIR}/e2e/send_wm_delete.cpp)
target_link_libraries(send_wm_delete PRIVATE X11::X11)

# The e2e_*.sh scripts may already be registered by a glob, with the program
# as their only argument; the script then finds the helper and the sample
# album itself.
if(NOT TEST e2e_session)
  add_test(NAME e2e_session
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/e2e_session.sh
                   $<TARGET_FILE:quillory>
                   $<TARGET_FILE:send_wm_delete>
                   ${PROJECT_SOURCE_DIR}/examples/sample-album.txt)
endif()
set_tests_properties(e2e_session PROPERTIES TIMEOUT 90)
