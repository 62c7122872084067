# Signs a release file in place with Authenticode, when the environment names
# a code-signing key, and keeps its signature beside it as a detached file
# (DER), so that the unsigned file, rebuilt from the same commit, becomes the
# signed one with osslsigncode attach-signature:
#   cmake -DFILE=Tavolin.exe -DSIGNATURE=Tavolin.exe.sig -P cmake/sign.cmake
# The key: TAVOLIN_SIGN_PFX (PKCS#12), or TAVOLIN_SIGN_KEY with
# TAVOLIN_SIGN_CERT (PEM); its password, if any, in the file named by
# TAVOLIN_SIGN_PASSWORD_FILE. A timestamp is asked of
# TAVOLIN_SIGN_TIMESTAMP_URL (RFC 3161) only when it is given: nothing else
# goes to the network. Without a key the file stays unsigned, and a signature
# left from an earlier run is removed.
# Only options that Debian 12's osslsigncode (2.5) has are used.
file(REMOVE ${SIGNATURE})
if(DEFINED ENV{TAVOLIN_SIGN_PFX})
    set(key -pkcs12 $ENV{TAVOLIN_SIGN_PFX})
elseif(DEFINED ENV{TAVOLIN_SIGN_KEY} AND DEFINED ENV{TAVOLIN_SIGN_CERT})
    set(key -certs $ENV{TAVOLIN_SIGN_CERT} -key $ENV{TAVOLIN_SIGN_KEY})
elseif(DEFINED ENV{TAVOLIN_SIGN_KEY} OR DEFINED ENV{TAVOLIN_SIGN_CERT})
    message(FATAL_ERROR "TAVOLIN_SIGN_KEY and TAVOLIN_SIGN_CERT go together")
else()
    return()
endif()
if(DEFINED ENV{TAVOLIN_SIGN_PASSWORD_FILE})
    list(APPEND key -readpass $ENV{TAVOLIN_SIGN_PASSWORD_FILE})
endif()
if(DEFINED ENV{TAVOLIN_SIGN_TIMESTAMP_URL})
    list(APPEND key -ts $ENV{TAVOLIN_SIGN_TIMESTAMP_URL})
endif()

find_program(osslsigncode_path osslsigncode REQUIRED)
get_filename_component(name ${FILE} NAME)
execute_process(COMMAND ${osslsigncode_path} sign ${key} -h sha256 -n Tavolin
        -in ${FILE} -out ${FILE}.signed
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${FILE}.signed ${FILE})
execute_process(COMMAND ${osslsigncode_path} extract-signature -in ${FILE} -out ${SIGNATURE}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Signed ${name}")
