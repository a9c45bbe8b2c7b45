# orvana_add_gzip_binary_data(<target> NAMESPACE <ns> HEADER_NAME <header> SOURCES <files...>)
#
# Compiles gzip-compressed copies of text files into a static library, as
# juce_add_binary_data does for the files themselves: <ns>::<name>_gz and
# <ns>::<name>_gzSize. Each .gz is made once at configure time (JUCE's rule
# needs its inputs to exist then) and again whenever its source changes.
function(orvana_add_gzip_binary_data target)
    cmake_parse_arguments(ARG "" "NAMESPACE;HEADER_NAME" "SOURCES" ${ARGN})
    find_program(GZIP_PROGRAM gzip REQUIRED)

    set(gz_dir "${CMAKE_CURRENT_BINARY_DIR}/${target}_gz")
    file(MAKE_DIRECTORY "${gz_dir}")
    set(gz_files)

    foreach(source IN LISTS ARG_SOURCES)
        get_filename_component(name "${source}" NAME)
        set(gz "${gz_dir}/${name}.gz")

        if(NOT EXISTS "${gz}")
            execute_process(COMMAND "${GZIP_PROGRAM}" -9 -n -c "${source}" OUTPUT_FILE "${gz}" RESULT_VARIABLE result)
            if(NOT result EQUAL 0)
                message(FATAL_ERROR "gzip failed for ${source}")
            endif()
        endif()

        add_custom_command(OUTPUT "${gz}"
            COMMAND sh -c "\"${GZIP_PROGRAM}\" -9 -n -c \"${source}\" > \"${gz}.tmp\" && mv \"${gz}.tmp\" \"${gz}\""
            DEPENDS "${source}"
            VERBATIM)
        list(APPEND gz_files "${gz}")
    endforeach()

    juce_add_binary_data(${target} NAMESPACE ${ARG_NAMESPACE} HEADER_NAME ${ARG_HEADER_NAME} SOURCES ${gz_files})
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)

    add_custom_command(OUTPUT "${CMAKE_CURRENT_BINARY_DIR}/juce_binarydata_${target}/JuceLibraryCode/BinaryData1.cpp"
        APPEND DEPENDS ${gz_files})
endfunction()
