# Helpers shared by every layer's CMakeLists.txt.

# Our own code is built with every warning as an error. Only the C++ compiler gets the flags: a
# Windows program's resource scripts go through windres, which knows none of them.
function(kalvero_warnings target)
  target_compile_options(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Werror -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast>)
endfunction()

# A layer's static library, its core or its Qt part: only what it links decides whether it sees Qt.
# Includes are rooted at the project folder ("engine/x.h").
function(kalvero_library target)
  add_library(${target} STATIC ${ARGN})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  kalvero_warnings(${target})
endfunction()

# Embeds a text file into the program as `extern const std::string_view <symbol>` in
# namespace kalvero, so nothing is read from disk at run time.
function(kalvero_embed_text target symbol file)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${out} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedText.cmake
    DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/EmbedText.cmake
    COMMENT "Embedding ${file}")
  target_sources(${target} PRIVATE ${out})
endfunction()

# A Windows program must import nothing but Windows' own DLLs: one that needs a runtime DLL of the
# compiler fails under Wine only with exit status 53 and no word. Checked after every link.
function(kalvero_check_windows_imports target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DPROGRAM=$<TARGET_FILE:${target}>
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckWindowsImports.cmake
    VERBATIM)
endfunction()
