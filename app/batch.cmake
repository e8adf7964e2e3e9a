# The batch command: a pairing run scripted from the command line.
add_library(kestrio_batch_support STATIC
  ${CMAKE_CURRENT_LIST_DIR}/batch_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/batch_run.cpp
)
target_link_libraries(kestrio_batch_support PUBLIC kestrio_core)

add_executable(kestrio-batch ${CMAKE_CURRENT_LIST_DIR}/kestrio_batch.cpp)
target_link_libraries(kestrio-batch PRIVATE kestrio_batch_support)

kestrio_add_tests(batch_tests ${CMAKE_CURRENT_LIST_DIR}/batch_test.cpp)
target_link_libraries(batch_tests PRIVATE kestrio_batch_support)
