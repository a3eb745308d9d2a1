# The end-to-end session test: the real program driven through the keyboard
# with xdotool on an X server of its own. Included from tests/shell/CMakeLists.txt
# once the `quillory` target is defined.
find_package(X11 REQUIRED)

add_executable(send_wm_delete ${CMAKE_CURRENT_LIST_DIR}/e2e/send_wm_delete.cpp)
target_link_libraries(send_wm_delete PRIVATE X11::X11)

add_test(NAME e2e_session
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/e2e_session.sh
                 $<TARGET_FILE:quillory>
                 $<TARGET_FILE:send_wm_delete>
                 ${PROJECT_SOURCE_DIR}/examples/sample-album.txt)
set_tests_properties(e2e_session PROPERTIES TIMEOUT 90)
