# Included by CMakeLists.txt before anything is built: what a build for the
# given vendor host may trust. Both programs run whatever updater the update
# document names, and the document comes over plain HTTP; without the
# vendor's key built in, anyone on the network path would choose what runs at
# the next logon. So a build for a real host needs STEL7_UPDATE_PUBLIC_KEY, or
# STEL7_ALLOW_UNSIGNED_UPDATES=ON given on purpose. Loopback hosts (the
# stand-in, the tests: 127.x.x.x, localhost, [::1], with or without a port)
# build without a key. The test signing key, whose private half lies in the
# build folder, never goes into a build for a real host.
# Sets STEL7_VENDOR_IS_LOOPBACK.
string(TOLOWER "${STEL7_VENDOR_HOST}" _vendor_host)
if(_vendor_host MATCHES "^(127\\.[0-9]+\\.[0-9]+\\.[0-9]+|localhost|\\[::1\\])(:[0-9]+)?$")
    set(STEL7_VENDOR_IS_LOOPBACK ON)
else()
    set(STEL7_VENDOR_IS_LOOPBACK OFF)
    if(STEL7_UPDATE_SIGNING_KEY)
        message(FATAL_ERROR "STEL7_UPDATE_SIGNING_KEY is the tests' key for the local stand-in; a build for the "
                            "vendor host '${STEL7_VENDOR_HOST}' takes the vendor's own STEL7_UPDATE_PUBLIC_KEY only")
    endif()
    if(NOT STEL7_UPDATE_PUBLIC_KEY AND NOT STEL7_ALLOW_UNSIGNED_UPDATES)
        message(FATAL_ERROR "The vendor host '${STEL7_VENDOR_HOST}' is not a loopback address, and without the "
                            "vendor's key the programs would start any updater the network serves. Give the key "
                            "with -DSTEL7_UPDATE_PUBLIC_KEY=<PEM file>, or build programs that start unsigned "
                            "updaters on purpose with -DSTEL7_ALLOW_UNSIGNED_UPDATES=ON.")
    endif()
endif()
