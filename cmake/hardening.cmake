# Hardening of the programs (the Debian package ships them as built here): position-independent
# executables, read-only relocations bound at start-up, fortified string and memory functions
# and stack protection. The sanitizer and fuzz builds leave it out: fortify gets in the way of
# their own checks of the same functions, and they are never shipped.
option(ORVAK_HARDENING "Build with hardening flags (PIE, RELRO, now-binding, fortify, stack protector)" ON)
if(ORVAK_HARDENING AND NOT ORVAK_SANITIZE AND NOT ORVAK_FUZZ)
    include(CheckPIESupported)
    check_pie_supported(LANGUAGES CXX)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    # glibc fortifies only optimised code and warns otherwise (an error with ORVAK_WERROR).
    set(optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
    target_compile_options(orvak_settings INTERFACE -fstack-protector-strong -fstack-clash-protection
                                                    "$<${optimised}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
    target_link_options(orvak_settings INTERFACE LINKER:-z,relro LINKER:-z,now)
endif()
