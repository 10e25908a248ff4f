#!/usr/bin/env python3
"""wixl as scripts/release.sh has the build run it, so that the same commit
makes the same installer. Called with wixl's own arguments, it makes the
installer with wixl and puts the release's date and a package code of its
own where wixl takes the clock and chance:

- the files the installer packs carry their modification time into its
  cabinet, so they get the release's time (SOURCE_DATE_EPOCH) first;
- the summary information's times of creation and of saving are wixl's
  clock, and become the release's time too;
- the package code (the summary's revision number) wixl draws at random,
  and takes no other; it becomes one worked out from the installer itself,
  so that it changes exactly when the installer does.
"""

import hashlib
import os
import re
import subprocess
import sys
import uuid

import gi

gi.require_version("Libmsi", "1.0")
from gi.repository import Libmsi  # noqa: E402

# Windows counts FILETIMEs in 100 ns from 1601-01-01.
FILETIME_OF_1970 = 116444736000000000

epoch = int(os.environ["SOURCE_DATE_EPOCH"])
arguments = sys.argv[1:]
output = arguments[arguments.index("-o") + 1]

for description in (a for a in arguments if a.endswith(".wxs")):
    with open(description, encoding="utf-8") as file:
        for packed in re.findall(r'<File\b[^>]*\bSource="([^"]*)"', file.read()):
            os.utime(packed, (epoch, epoch))

subprocess.run(["wixl", *arguments], check=True)


def set_summary(package_code):
    database = Libmsi.Database.new(output, Libmsi.DbFlags.TRANSACT, None)
    summary = Libmsi.SummaryInfo.new(database, 3)
    time = FILETIME_OF_1970 + epoch * 10_000_000
    summary.set_filetime(Libmsi.Property.CREATED_TM, time)
    summary.set_filetime(Libmsi.Property.LASTSAVED_TM, time)
    summary.set_string(Libmsi.Property.UUID, "{%s}" % str(package_code).upper())
    summary.persist()
    database.commit()


# The code of the installer with a code of nothing, as its bytes say.
set_summary(uuid.UUID(int=0))
with open(output, "rb") as file:
    digest = hashlib.sha256(file.read()).hexdigest()
set_summary(uuid.uuid5(uuid.NAMESPACE_OID, digest))
