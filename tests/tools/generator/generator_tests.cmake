# The data generator's tests: its helpers and pictures, and the tool as the build runs it.
# Included from the tests folder, so paths are relative to it.

add_executable(zentrox_generator_tests
  tools/generator/blur_test.cpp
  tools/generator/curves_test.cpp
  tools/generator/data_tree_test.cpp
  tools/generator/delay_test.cpp
  tools/generator/drums_test.cpp
  tools/generator/envelope_test.cpp
  tools/generator/filter_test.cpp
  tools/generator/softface_test.cpp
  tools/generator/format_writers_test.cpp
  tools/generator/generator_test_support.cpp
  tools/generator/deform_textures_test.cpp
  tools/generator/deform_test.cpp
  tools/generator/limiter_test.cpp
  tools/generator/loudness_test.cpp
  tools/generator/mesh_builder_test.cpp
  tools/generator/mp3_encoder_test.cpp
  tools/generator/noise_test.cpp
  tools/generator/oscillator_test.cpp
  tools/generator/paint_test.cpp
  tools/png_encoder_test.cpp
  tools/generator/portable_math_test.cpp
  tools/generator/raster_test.cpp
  tools/generator/reverb_test.cpp
  tools/generator/sequencer_test.cpp
  tools/generator/synth_voice_test.cpp
  tools/generator/text_renderer_test.cpp
  tools/generator/textures_test.cpp
  resources/mp3_stream_test.cpp
)
# The resources layer for the demo's own texture table, which the pictures must match, and its MP3
# decoder, which must play back what the encoder writes.
target_link_libraries(zentrox_generator_tests PRIVATE zentrox_generator zentrox_resources ZLIB::ZLIB
                      ${MP3LAME_LIBRARY} GTest::gtest_main)
target_include_directories(zentrox_generator_tests PRIVATE tools/generator)
gtest_discover_tests(zentrox_generator_tests DISCOVERY_TIMEOUT 60)

# The finished music in the generated data tree, read as the demo and the capture read it.
add_executable(zentrox_soundtrack_tests
  tools/generator/soundtrack_test.cpp
  tools/capture/music_spectrum_test.cpp
)
target_link_libraries(zentrox_soundtrack_tests PRIVATE zentrox_generator zentrox_capture
                      GTest::gtest_main)
target_compile_definitions(zentrox_soundtrack_tests PRIVATE
  ZENTROX_GENERATED_DATA="${CMAKE_BINARY_DIR}/data")
add_dependencies(zentrox_soundtrack_tests zentrox_data_tree)
gtest_discover_tests(zentrox_soundtrack_tests DISCOVERY_TIMEOUT 60)

add_test(NAME generator.deterministic
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tools/generator/deterministic_test.sh
          $<TARGET_FILE:zentrox-data> $<TARGET_FILE:zentrox-capture>)
add_test(NAME generator.refusals
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tools/generator/refusals_test.sh
          $<TARGET_FILE:zentrox-data>)
set_tests_properties(generator.deterministic generator.refusals PROPERTIES TIMEOUT 600)
