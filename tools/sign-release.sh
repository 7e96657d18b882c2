#!/usr/bin/env bash
# Prints the vendor's signature of one updater, for the update document's
# update_sig (ROLE stel7) or agent_sig (ROLE stel7agent): the base64 of an RSA
# PKCS#1 v1.5 SHA-256 signature over the statement "ROLE BUILD SHA256" (ASCII,
# single spaces, no line end), where BUILD is the build the document announces
# in update_ver / agent_ver, written as there (decimal, no sign, no leading
# zeros), and SHA256 the lowercase hex SHA-256 of the updater FILE.
#     bash tools/sign-release.sh PRIVATE_KEY ROLE BUILD FILE
set -euo pipefail
if [ $# -ne 4 ]; then
    echo "usage: bash tools/sign-release.sh PRIVATE_KEY ROLE BUILD FILE" >&2
    exit 2
fi
key=$1 role=$2 build=$3 file=$4
case $role in
    stel7 | stel7agent) ;;
    *) echo "sign-release: ROLE is stel7 (update_sig) or stel7agent (agent_sig), not '$role'" >&2; exit 2 ;;
esac
# The programs read no other spelling of a build (core/Version.h).
if ! [[ $build =~ ^(0|[1-9][0-9]{0,9})$ ]] || ((build > 2147483647)); then
    echo "sign-release: BUILD is decimal, without sign or leading zeros, at most 2147483647: '$build'" >&2
    exit 2
fi
hash=$(openssl dgst -sha256 -r "$file")
hash=${hash%% *}
printf '%s %s %s' "$role" "$build" "$hash" | openssl dgst -sha256 -sign "$key" | openssl base64 -A
echo
