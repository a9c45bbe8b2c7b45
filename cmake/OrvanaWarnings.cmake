# Warning flags for our own targets: JUCE's recommended set, as errors unless
# ORVANA_WERROR is off.
add_library(orvana_warnings INTERFACE)
target_link_libraries(orvana_warnings INTERFACE juce::juce_recommended_warning_flags)
target_compile_options(orvana_warnings INTERFACE -Wno-missing-field-initializers)
if(ORVANA_WERROR)
    target_compile_options(orvana_warnings INTERFACE -Werror)
endif()
