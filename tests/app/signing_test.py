#!/usr/bin/python3
"""Signs a copy of the built installer as `make sign` does, with a throwaway self-signed
certificate, and checks that osslsigncode verifies the signature and the page hashes, that a
changed byte breaks it, and that signing left the payload and every other resource as built.
Prints one line per check and 'N passed, N failed'.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

import pefile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_executable import PAYLOAD_TYPE, Checks, resources  # noqa: E402


def verify(exe, ca=None):
    args = ["osslsigncode", "verify", "-in", exe] + (["-CAfile", ca] if ca else [])
    run = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    return run.returncode, run.stdout.decode("utf-8", "replace")


def digests_match(out, what):
    """Whether the file's digest named `what` equals the one osslsigncode calculates."""
    stored = re.search(r"^(?:Current )?%s\s*:\s*(\S+)" % what, out, re.M | re.I)
    calculated = re.search(r"^Calculated %s\s*:\s*(\S+)" % what, out, re.M | re.I)
    return bool(stored and calculated and stored.group(1) == calculated.group(1))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--sign", required=True, help="the signing script that make sign runs")
    args = parser.parse_args()
    t = Checks()
    with tempfile.TemporaryDirectory() as work:
        cert, key = os.path.join(work, "cert.pem"), os.path.join(work, "key.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=Throwaway Quillane Test Publisher", "-keyout", key,
                        "-out", cert], check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        signed = os.path.join(work, "QuillaneSetup.exe")
        shutil.copy(args.exe, signed)
        rc = subprocess.run(["bash", args.sign, signed, cert, key]).returncode
        t.check(rc == 0, "the signing script signs a copy")

        rc, out = verify(signed)
        t.check(rc != 0 and re.search(r"self.signed certificate", out) is not None,
                "an untrusted certificate is reported as such")
        t.check(digests_match(out, "message digest"), "the signed digest is the file's digest")
        t.check(re.search(r"^Page hash algorithm\s*:\s*SHA256", out, re.M | re.I) is not None
                and digests_match(out, "page hash"),
                "the page hashes are there and are the file's")
        rc, out = verify(signed, ca=cert)
        t.check(rc == 0 and "Signature verification: ok" in out,
                "the signature verifies against its own certificate")

        before, after = pefile.PE(args.exe), pefile.PE(signed)
        security = pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_SECURITY"]
        t.check(after.OPTIONAL_HEADER.DATA_DIRECTORY[security].Size > 0,
                "the signature is in the security directory")
        res_before, res_after = resources(before), resources(after)
        t.check(any(kind == PAYLOAD_TYPE for kind, _ in res_before), "the payload is there")
        t.check(res_before == res_after, "every resource, the payload included, is as built")
        t.check([s.get_data() for s in before.sections] == [s.get_data() for s in after.sections],
                "every section is as built")

        # One changed byte of a payload file must break the signature.
        entry = next(e for e in after.DIRECTORY_ENTRY_RESOURCE.entries if e.id == PAYLOAD_TYPE)
        data = entry.directory.entries[0].directory.entries[0].data.struct
        offset = after.get_offset_from_rva(data.OffsetToData)
        after.close()
        with open(signed, "r+b") as f:
            f.seek(offset)
            byte = f.read(1)
            f.seek(offset)
            f.write(bytes([byte[0] ^ 0xFF]))
        rc, out = verify(signed, ca=cert)
        t.check(rc != 0 and not digests_match(out, "message digest"),
                "a changed payload byte breaks the signature")
    print("%d passed, %d failed" % (t.passed, t.failed))
    return 1 if t.failed or not t.passed else 0


if __name__ == "__main__":
    sys.exit(main())
