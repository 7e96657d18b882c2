# Run by the build (cmake -P): puts the stand-in's updater and its update
# document into SITE, signed with SIGNING_KEY when one is given:
#   stel7_update.exe   the updater: the start recorder
#   good.sig           base64 signature of it with the signing key
#   other_key.sig      base64 signature of it with another key, made here
#   update.xml         the document the demo serves: build 194, both signatures
# Inputs: UPDATER, SIGNING_KEY (may be empty), SITE, VENDOR_HOST.
file(MAKE_DIRECTORY ${SITE})
file(COPY_FILE ${UPDATER} ${SITE}/stel7_update.exe)

function(sign key out)
    execute_process(COMMAND openssl dgst -sha256 -sign ${key} ${SITE}/stel7_update.exe
                    COMMAND openssl base64 -A
                    OUTPUT_VARIABLE signature RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "openssl could not sign ${SITE}/stel7_update.exe with ${key}")
    endif()
    file(WRITE ${out} "${signature}")
endfunction()

set(good "")
if(SIGNING_KEY)
    if(NOT EXISTS ${SITE}/other_key.pem)
        execute_process(COMMAND openssl genrsa -out ${SITE}/other_key.pem 2048 ERROR_QUIET)
    endif()
    sign(${SIGNING_KEY} ${SITE}/good.sig)
    sign(${SITE}/other_key.pem ${SITE}/other_key.sig)
    file(READ ${SITE}/good.sig good)
else()
    file(WRITE ${SITE}/good.sig "")
    file(WRITE ${SITE}/other_key.sig "")
endif()

set(url "http://${VENDOR_HOST}/app/stel7/update/stel7_update.exe")
file(WRITE ${SITE}/update.xml "<?xml version=\"1.0\" encoding=\"UTF-8\"?>
<update>
	<update_ver>194</update_ver>
	<update_url>${url}</update_url>
	<update_sig>${good}</update_sig>
	<agent_ver>194</agent_ver>
	<agent_url>${url}</agent_url>
	<agent_sig>${good}</agent_sig>
</update>
")
