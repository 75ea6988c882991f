add_test(NAME DemoSession.RunShWalksTheDemoPrinter
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/test_demo_session.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
set_tests_properties(DemoSession.RunShWalksTheDemoPrinter PROPERTIES TIMEOUT 120)
tint_private_home(DemoSession.RunShWalksTheDemoPrinter)
