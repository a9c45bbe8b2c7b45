# JUCE is compiled exactly once, into orvana_juce. Its modules are linked
# PRIVATE so their sources are not compiled again in every consumer; the
# include directories and definitions are re-exported for our own code.
add_library(orvana_juce STATIC)

target_link_libraries(orvana_juce
    PRIVATE
        juce::juce_core
        juce::juce_events
        juce::juce_data_structures
        juce::juce_graphics
        juce::juce_gui_basics
        juce::juce_gui_extra
        juce::juce_audio_basics
        juce::juce_audio_formats
        juce::juce_recommended_config_flags
    PUBLIC
        juce::pkgconfig_JUCE_IMG_LINUX_DEPS
        Threads::Threads
        ${CMAKE_DL_LIBS})

set(ORVANA_JUCE_DEFINITIONS
    JUCE_STANDALONE_APPLICATION=1
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_USE_FLAC=0
    JUCE_USE_OGGVORBIS=0
    JUCE_USE_MP3AUDIOFORMAT=0
    JUCE_USE_LAME_AUDIO_FORMAT=0
    JUCE_USE_WINDOWS_MEDIA_FORMAT=0
    JUCE_ALSA=0
    JUCE_JACK=0
    JUCE_SILENCE_XCODE_15_LINKER_WARNING=1)

target_compile_definitions(orvana_juce PUBLIC ${ORVANA_JUCE_DEFINITIONS})

# JUCE headers are system headers for our code: their warnings are not ours.
target_include_directories(orvana_juce SYSTEM INTERFACE
    $<TARGET_PROPERTY:orvana_juce,INCLUDE_DIRECTORIES>)
target_compile_definitions(orvana_juce INTERFACE
    $<TARGET_PROPERTY:orvana_juce,COMPILE_DEFINITIONS>)

# JUCE's own sources give false positives at high warning levels; never -Werror them.
target_compile_options(orvana_juce PRIVATE -w)

# JUCE 7.0.5's GIF decoder reads two bytes before its buffer on the first
# block of every image (juce_GIFLoader.cpp), and its X11 drag-and-drop cursor
# is a GIF: under UBSan's bounds check every drag of a file out of the
# application would stop the process. Only that check, only in JUCE's
# graphics module, is left out.
if(ORVANA_SANITIZE MATCHES "undefined")
    set_source_files_properties("${JUCE_MODULES_DIR}/juce_graphics/juce_graphics.cpp"
        TARGET_DIRECTORY orvana_juce
        PROPERTIES COMPILE_OPTIONS "-fno-sanitize=bounds")
endif()
