# Run by the build (cmake -P): puts the stand-in's updater, its signatures and
# the demo's document into SITE, signed with SIGNING_KEY when one is given.
# The tests announce build 195 of both programs:
#   stel7_update.exe     the updater: the start recorder
#   stel7_195.sig        its signature as the main program's build 195 (the good one)
#   stel7agent_195.sig   its signature as the agent's build 195
#   stel7_190.sig        its signature as the main program's old build 190
#   other_key.sig        its signature as the main program's build 195, with another key, made here
#   bytes.sig            a signature over its bytes alone, as releases were once signed
#   update.xml           the document the demo serves: build 194 of both, signed
# Inputs: UPDATER, SIGNING_KEY (may be empty), SIGN_RELEASE (tools/sign-release.sh), SITE, VENDOR_HOST.
file(MAKE_DIRECTORY ${SITE})
set(updater ${SITE}/stel7_update.exe)
file(COPY_FILE ${UPDATER} ${updater})

# sign(<out variable> <key> <role> <build>)
function(sign out key role build)
    execute_process(COMMAND bash ${SIGN_RELEASE} ${key} ${role} ${build} ${updater}
                    OUTPUT_VARIABLE signature OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "sign-release.sh could not sign ${updater} with ${key}")
    endif()
    set(${out} "${signature}" PARENT_SCOPE)
endfunction()

set(demo_program "")
set(demo_agent "")
if(SIGNING_KEY)
    if(NOT EXISTS ${SITE}/other_key.pem)
        execute_process(COMMAND openssl genrsa -out ${SITE}/other_key.pem 2048 ERROR_QUIET)
    endif()
    foreach(signed "stel7_195;${SIGNING_KEY};stel7;195" "stel7agent_195;${SIGNING_KEY};stel7agent;195"
                   "stel7_190;${SIGNING_KEY};stel7;190" "other_key;${SITE}/other_key.pem;stel7;195")
        list(GET signed 0 name)
        list(GET signed 1 key)
        list(GET signed 2 role)
        list(GET signed 3 build)
        sign(signature ${key} ${role} ${build})
        file(WRITE ${SITE}/${name}.sig "${signature}")
    endforeach()
    execute_process(COMMAND openssl dgst -sha256 -sign ${SIGNING_KEY} ${updater}
                    COMMAND openssl base64 -A
                    OUTPUT_VARIABLE signature RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "openssl could not sign the bytes of ${updater}")
    endif()
    file(WRITE ${SITE}/bytes.sig "${signature}")
    sign(demo_program ${SIGNING_KEY} stel7 194)
    sign(demo_agent ${SIGNING_KEY} stel7agent 194)
else()
    foreach(name stel7_195 stel7agent_195 stel7_190 other_key bytes)
        file(WRITE ${SITE}/${name}.sig "")
    endforeach()
endif()

set(url "http://${VENDOR_HOST}/app/stel7/update/stel7_update.exe")
file(WRITE ${SITE}/update.xml "<?xml version=\"1.0\" encoding=\"UTF-8\"?>
<update>
	<update_ver>194</update_ver>
	<update_url>${url}</update_url>
	<update_sig>${demo_program}</update_sig>
	<agent_ver>194</agent_ver>
	<agent_url>${url}</agent_url>
	<agent_sig>${demo_agent}</agent_sig>
</update>
")
