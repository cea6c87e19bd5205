"""Reads the sanitizer logs of a test run: any memory error or undefined behaviour fails, and so
does a leak whose allocation stack passes through one of our native modules."""

import pathlib
import re
import sys

OURS = re.compile(r"_tarsel_plenko\.|_indicators\.")


def main(log_dir):
    failures = []
    for log in sorted(pathlib.Path(log_dir).iterdir()):
        text = log.read_text(errors="replace")
        if "ERROR: AddressSanitizer" in text or "runtime error:" in text:
            failures.append(f"{log.name}: sanitizer error\n{text[:6000]}")
            continue
        for block in text.split("\n\n"):
            if ("Direct leak" in block or "Indirect leak" in block) and OURS.search(block):
                failures.append(f"{log.name}: leak through our modules\n{block[:4000]}")
    for f in failures:
        print(f, file=sys.stderr)
    print(f"sanitizer logs: {len(list(pathlib.Path(log_dir).iterdir()))} files, {len(failures)} findings")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
