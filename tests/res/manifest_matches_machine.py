"""A program's embedded manifest must name the processor its PE header is
built for: Windows refuses to start an x64 program whose manifest says x86."""
import re
import struct
import sys

MACHINES = {0x014C: "x86", 0x8664: "amd64"}

for path in sys.argv[1:]:
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    machine = MACHINES.get(struct.unpack_from("<H", data, pe + 4)[0])
    named = set(re.findall(rb'processorArchitecture="([^"]*)"', data))
    if not machine or named != {machine.encode()}:
        sys.exit(f"{path}: machine {machine}, manifest names {sorted(named)}")
print("manifests match their machines")
