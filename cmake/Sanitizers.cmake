# ORVANA_SANITIZE=address,undefined builds everything (JUCE included) with the
# given sanitizers, so reports cover calls that pass through JUCE as well.
if(ORVANA_SANITIZE)
    set(_orvana_san_flags -fsanitize=${ORVANA_SANITIZE} -fno-omit-frame-pointer -g)
    if(ORVANA_SANITIZE MATCHES "undefined")
        list(APPEND _orvana_san_flags -fno-sanitize-recover=undefined -fno-sanitize=vptr)
    endif()
    if(ORVANA_SANITIZE MATCHES "thread")
        # GCC rejects Asio's stand-alone memory fences under ThreadSanitizer,
        # which cannot model them; Asio's own locks already order its handlers.
        add_compile_definitions(BOOST_ASIO_DISABLE_FENCED_BLOCK)
    endif()
    add_compile_options(${_orvana_san_flags})
    add_link_options(-fsanitize=${ORVANA_SANITIZE})
    message(STATUS "Sanitizers: ${ORVANA_SANITIZE}")
endif()
