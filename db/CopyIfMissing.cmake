# cmake -DSOURCE=... -DTARGET=... -P CopyIfMissing.cmake
if(NOT EXISTS "${TARGET}")
    get_filename_component(dir "${TARGET}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    file(COPY_FILE "${SOURCE}" "${TARGET}")
    message(STATUS "Laid out ${TARGET}")
endif()
