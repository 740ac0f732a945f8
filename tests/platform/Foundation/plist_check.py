#!/usr/bin/env python3
"""Python's plistlib, the reference the property-list tests compare against.

  plist_check.py sample binary|xml FILE   writes the sample property list
  plist_check.py canon FILE...            prints each file's canonical form, one a line

The canonical form names every value's type and keeps dictionary order, so
two readers agree exactly when they read the same values.
"""
import datetime
import plistlib
import sys

REFERENCE_DATE = datetime.datetime(2001, 1, 1)


def canon(value):
    if isinstance(value, bool):
        return "b:%d" % value
    if isinstance(value, int):
        return "i:%d" % value
    if isinstance(value, float):
        return "r:%.17g" % value
    if isinstance(value, str):
        return "s:" + value.encode("utf-8").hex()
    if isinstance(value, bytes):
        return "d:" + value.hex()
    if isinstance(value, datetime.datetime):
        seconds = (value.replace(tzinfo=None) - REFERENCE_DATE).total_seconds()
        return "t:%.3f" % seconds
    if isinstance(value, list):
        return "[" + ",".join(canon(v) for v in value) + "]"
    if isinstance(value, dict):
        return "{" + ",".join(canon(k) + "=" + canon(v) for k, v in value.items()) + "}"
    raise TypeError(type(value))


def sample():
    colour = {"red": 0.25, "green": 1.0, "blue": 0.1, "alpha": 1.0}
    return {
        "zulu@example.com": colour,
        "Aliases": {"élodie@example.com": "élodie@example.com", "a@b.c": "a@b.c"},
        "mail_label_style": 6,
        "main_mailbox_color_aliases": True,
        "main_mailbox_color_lbl": False,
        "numbers": [0, 1, -1, 255, 256, 65535, 65536, -(2**31), 2**31, 2**32, -(2**63), 2**63 - 1, 2**63, 2**64 - 1],
        "reals": [0.0, -0.5, 1.5e300, 3.141592653589793, 1e-300, 0.1],
        "texts": ["", "plain", "tab\tand\nline", "日本語", "emoji \U0001F600", "<&>"],
        "nested": {"deeper": {"deepest": [[], {}, [[1]]]}},
        "blob": bytes(range(256)),
        "when": datetime.datetime(2011, 3, 4, 5, 6, 7),
        "alpha_after_zulu": "order is kept, not sorted",
    }


def main():
    if sys.argv[1] == "sample":
        fmt = plistlib.FMT_BINARY if sys.argv[2] == "binary" else plistlib.FMT_XML
        with open(sys.argv[3], "wb") as f:
            plistlib.dump(sample(), f, fmt=fmt, sort_keys=False)
    elif sys.argv[1] == "canon":
        for name in sys.argv[2:]:
            with open(name, "rb") as f:
                print(canon(plistlib.load(f)))
    else:
        sys.exit("unknown command " + sys.argv[1])


if __name__ == "__main__":
    main()
