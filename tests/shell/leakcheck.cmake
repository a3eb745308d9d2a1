# The leak check of the window side: a scripted session of the real program
# under valgrind on an X server of its own (scripts/leakcheck.sh). Included
# from the shell tests once the `quillory` target is defined. It starts its
# own Xvfb, so it needs no display; exit code 77 means a tool is missing.
add_test(NAME leakcheck
         COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/leakcheck.sh $<TARGET_FILE:quillory>
                 $<TARGET_FILE:send_wm_delete>)
set_tests_properties(leakcheck PROPERTIES LABELS slow TIMEOUT 300 SKIP_RETURN_CODE 77)
