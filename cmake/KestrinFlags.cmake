# One interface target carries every compile flag of the project.
add_library(kestrin_flags INTERFACE)
target_compile_features(kestrin_flags INTERFACE cxx_std_20)
target_compile_options(kestrin_flags INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
# Keeps Windows-1250 bytes from silently turning into QString in the Qt layers.
target_compile_definitions(kestrin_flags INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY)

option(KESTRIN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(KESTRIN_SANITIZE)
    target_compile_options(kestrin_flags INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(kestrin_flags INTERFACE -fsanitize=address,undefined)
endif()

# ThreadSanitizer for the check cycle's worker and the thread that owns the data
# (scripts/test.sh builds build-tsan with it). It cannot share a build with AddressSanitizer.
option(KESTRIN_TSAN "Build with ThreadSanitizer" OFF)
if(KESTRIN_TSAN AND (KESTRIN_SANITIZE OR KESTRIN_FUZZ))
    message(FATAL_ERROR "KESTRIN_TSAN cannot be combined with KESTRIN_SANITIZE or KESTRIN_FUZZ")
endif()
if(KESTRIN_TSAN)
    target_compile_options(kestrin_flags INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(kestrin_flags INTERFACE -fsanitize=thread)
endif()

# The fuzz build instruments every library for coverage and memory errors.
if(KESTRIN_FUZZ)
    target_compile_options(kestrin_flags INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(kestrin_flags INTERFACE -fsanitize=address,undefined)
endif()
