#!/usr/bin/env python3
"""Writes the benchmark's scaled payload: each shipped payload file repeated to about 100 MB
in all, under the same names, and the resource script that embeds them as type 3000."""
import argparse
import os

TARGET_BYTES = 100 * 1000 * 1000


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--payload", required=True)
    ap.add_argument("--out", required=True)
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    rc_path = os.path.join(os.path.dirname(args.payload.rstrip("/")), "payload.rc")
    lines = [l for l in open(rc_path) if "3000" in l and not l.lstrip().startswith("//")]
    names = sorted(os.listdir(args.payload))
    total = sum(os.path.getsize(os.path.join(args.payload, n)) for n in names)
    scale = max(1, TARGET_BYTES // total)
    out = ["LANGUAGE 9, 1\n"]
    for line in lines:
        resource, _, rest = line.partition(" 3000 ")
        shipped = rest.strip().strip('"').split("/")[-1]
        data = open(os.path.join(args.payload, shipped), "rb").read()
        with open(os.path.join(args.out, shipped), "wb") as f:
            for _ in range(scale):
                f.write(data)
        out.append('%s 3000 "%s"\n' % (resource.strip(), shipped))
    with open(os.path.join(args.out, "large_payload.rc"), "w") as f:
        f.writelines(out)


if __name__ == "__main__":
    main()
