#!/usr/bin/env python3
"""Third-party notices for what an archive carries, made from the components' own records.

  notices.py record SOURCE BUILD RECORDS
      After a Qt build: keeps the Qt source's licence and attribution files (qt_attribution.json)
      and, for every object file of the build, the attributions whose files the compiler read for
      it, so the notices can later be made for exactly what a program links in.
  notices.py windows RECORDS MAP OUTPUT
      The notices of a statically linked Windows program, from its linker map: Qt and each
      component compiled into the parts of Qt it links, and each MinGW-w64 runtime library.
  notices.py linux OUTPUT FILE...
      The notices of the libraries an archive copies, from Debian's copyright records.

Fails, naming the component or file, where a record is missing, and then writes nothing.
"""

import json
import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

ATTRIBUTIONS = "attributions"
OBJECTS = "objects.tsv"
QT_SOURCE = "qt-source.txt"
QT_SOURCE_PACKAGE = "qt6-base"
COMMON_LICENCES = Path("/usr/share/common-licenses")
# The licence texts of Qt itself: LGPL-3.0 builds on the GPL-3.0, so both travel together.
QT_LICENCES = ["LICENSES/LGPL-3.0-only.txt", "LICENSES/GPL-3.0-only.txt"]
# The sentences these licences ask to be in the documentation of a program that uses the code.
ACKNOWLEDGEMENTS = {
    "IJG": "This software is based in part on the work of the Independent JPEG Group.",
    "FTL": "Portions of this software are copyright © 2022 The FreeType Project "
                "(www.freetype.org). All rights reserved.",
}
RULE = "=" * 78 + "\n"


class MissingRecord(Exception):
    pass


def read_attributions(json_file):
    # Qt's files hold line breaks inside strings, which strict JSON forbids.
    entries = json.loads(json_file.read_text(encoding="utf-8"), strict=False)
    return entries if isinstance(entries, list) else [entries]


def licence_files(entry):
    files = list(entry.get("LicenseFiles", []))
    files += [entry[key] for key in ("LicenseFile", "CopyrightFile") if key in entry]
    return files


def scopes(folder, entry):
    """The source-relative files or folders an attribution covers."""
    if "Path" in entry:
        return [os.path.normpath(f"{folder}/{entry['Path']}")]
    if "Files" in entry:
        return [os.path.normpath(f"{folder}/{name}") for name in entry["Files"].split()]
    return [folder]


def covers(scope, path):
    return path == scope or path.startswith(scope + "/")


def ninja_static_libraries(build):
    """Object file → (archive name, member name), from build.ninja's archive rules."""
    members = {}
    for line in (build / "build.ninja").read_text(encoding="utf-8").splitlines():
        match = re.match(r"build (\S+\.a): \S*STATIC_LIBRARY_LINKER\S* (.*?)(?: \||$)", line)
        if match:
            archive = os.path.basename(match.group(1))
            for obj in match.group(2).split():
                members[obj] = f"{archive}:{os.path.basename(obj)}"
    return members


def object_key(obj, members):
    if obj in members:
        return members[obj]
    # Object libraries are installed as lib/objects-<config>/TARGET/PATH.
    match = re.search(r"CMakeFiles/([^/]+)\.dir/(.+)$", obj)
    return f"objects/{match.group(1)}/{match.group(2)}" if match else None


def keep(source, name, records):
    if (source / name).is_file():
        copy = records / ATTRIBUTIONS / name
        copy.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(source / name, copy)


def record(source, build, records):
    source, build, records = Path(source).resolve(), Path(build), Path(records)
    attributions = []
    for json_file in sorted(source.rglob("qt_attribution.json")):
        folder = str(json_file.parent.relative_to(source))
        for entry in read_attributions(json_file):
            attributions.append((entry["Id"], scopes(folder, entry)))
            # A file the source lacks stays missing here: packaging names it if it ships.
            for name in licence_files(entry):
                keep(source, os.path.normpath(f"{folder}/{name}"), records)
        keep(source, f"{folder}/{json_file.name}", records)
    for name in QT_LICENCES:
        keep(source, name, records)
    # "qt6-base (6.4.2+dfsg-10) unstable; …": the Debian source package the libraries come from.
    name, version = re.match(r"(\S+) \(([^)]+)\)", (source / "debian/changelog").read_text().split("\n")[0]).groups()
    (records / QT_SOURCE).write_text(f"{name} {version}\n", encoding="utf-8")

    members = ninja_static_libraries(build)
    deps = subprocess.run(["ninja", "-C", str(build), "-t", "deps"], check=True,
                          capture_output=True, text=True).stdout
    rows, key, found, covering = [], None, set(), {}

    def flush():
        if key:
            rows.append(f"{key}\t{' '.join(sorted(found))}\n")

    # The compiler names most sources through the build's include folders ("build/include/
    # QtCore/../../../source/…"), so each path is made plain before it is matched.
    for line in deps.splitlines():
        if line and not line.startswith(" "):
            flush()
            key, found = object_key(line.split(":", 1)[0], members), set()
        elif key and line.strip():
            path = os.path.normpath(os.path.join(build.resolve(), line.strip()))
            if path not in covering:
                relative = os.path.relpath(path, source)
                covering[path] = {ident for ident, paths in attributions
                                  if any(covers(scope, relative) for scope in paths)}
            found |= covering[path]
    flush()
    (records / OBJECTS).write_text("".join(sorted(rows)), encoding="utf-8")


def debian_package(path):
    """The installed Debian package that holds the file, as dpkg knows it."""
    for candidate in dict.fromkeys([os.path.realpath(path), os.path.normpath(path)]):
        found = subprocess.run(["dpkg-query", "-S", candidate], capture_output=True, text=True)
        if found.returncode == 0:
            return found.stdout.split(":", 1)[0].split(",")[0].strip()
    raise MissingRecord(f"{path} belongs to no installed Debian package, so it has no copyright record")


def debian_notices(files):
    """One notice per Debian source package: its copyright record and the licences it names.
    Also the licences its License fields name, for the acknowledgements they ask for."""
    by_source = {}
    for path in files:
        package = debian_package(path)
        source, version = subprocess.run(
            ["dpkg-query", "-W", "-f=${source:Package}\t${source:Version}", package],
            check=True, capture_output=True, text=True).stdout.split("\t")
        by_source.setdefault((source, version), set()).add(package.split(":")[0])
    notices, licences = [], []
    for (source, version), packages in sorted(by_source.items()):
        copyrights = {(Path("/usr/share/doc") / package / "copyright").resolve() for package in packages}
        missing = [str(path) for path in copyrights if not path.is_file()]
        if missing:
            raise MissingRecord(f"{source}: no copyright record at {', '.join(missing)}")
        # Binary packages of one source mostly carry the same record.
        text = "\n".join(dict.fromkeys(path.read_text(encoding="utf-8") for path in sorted(copyrights)))
        licences += re.findall(r"^License: *(.+)$", text, re.MULTILINE)
        for name in sorted(set(re.findall(r"/usr/share/common-licenses/([A-Za-z0-9.+-]*[A-Za-z0-9+])", text))):
            licence = COMMON_LICENCES / name
            if not licence.is_file():
                raise MissingRecord(f"{source}: its copyright record names {licence}, which is missing")
            text += f"\n{RULE}{licence}:\n\n{licence.read_text(encoding='utf-8')}"
        title = f"{source} {version} (Debian packages {', '.join(sorted(packages))})"
        if source == QT_SOURCE_PACKAGE:
            text = f"{QT_OFFER}\n{text}"
        notices.append((title, text))
    return notices, licences


def attribution_notices(records, identifiers):
    """One notice per Qt attribution, from the attribution files kept beside the Qt build."""
    notices, found = [], set()
    for json_file in sorted((records / ATTRIBUTIONS).rglob("qt_attribution.json")):
        for entry in read_attributions(json_file):
            if entry["Id"] not in identifiers:
                continue
            found.add(entry["Id"])
            lines = [f"Licence: {entry.get('License', '')} ({entry.get('LicenseId', '')})"]
            if "Copyright" in entry:
                lines.append(f"Copyright: {entry['Copyright']}")
            for name in licence_files(entry):
                text = json_file.parent / name
                if not text.is_file():
                    raise MissingRecord(f"{entry['Name']} ({entry['Id']}): its licence file {name} is missing")
                lines.append(f"\n{RULE}{name}:\n\n{text.read_text(encoding='utf-8', errors='replace')}")
            version = f" {entry['Version']}" if "Version" in entry else ""
            notices.append((f"{entry['Name']}{version}, in Qt", "\n".join(lines), entry.get("LicenseId", "")))
    for missing in sorted(identifiers - found):
        raise MissingRecord(f"the compiled-in component {missing} has no attribution record")
    return notices


def linked_inputs(map_file):
    """Each archive member and object file whose sections the linker kept, from its map."""
    text = Path(map_file).read_text(encoding="utf-8", errors="replace")
    kept = text.split("Linker script and memory map", 1)
    if len(kept) != 2:
        raise MissingRecord(f"{map_file} is not a GNU ld map file")
    inputs = set(re.findall(r"\s(/\S+?\.a)\(([^)\s]+)\)", kept[1]))
    inputs |= {(path, "") for path in re.findall(r"\s(\S+?\.(?:o|obj))\s*$", kept[1], re.MULTILINE)}
    return inputs


def qt_components(records, inputs):
    keys = {}
    for line in (records / OBJECTS).read_text(encoding="utf-8").splitlines():
        key, _, identifiers = line.partition("\t")
        keys.setdefault(key, set()).update(identifiers.split())
    found = set()
    for path, member in inputs:
        objects = re.search(r"/objects-[^/]+/(.+)$", path)
        key = f"objects/{objects.group(1)}" if objects else f"{os.path.basename(path)}:{member}"
        if key not in keys:
            raise MissingRecord(f"no record of the sources {path}({member}) was built from")
        found |= keys[key]
    return found


def write_notices(output, preamble, notices):
    body = "".join(f"\n{RULE}{title}\n{RULE}\n{text.rstrip()}\n" for title, text in notices)
    Path(output).write_text(preamble + body, encoding="utf-8")


def acknowledgements(licence_ids):
    """The sentences owed for the licences among the given SPDX-style identifiers."""
    words = set(re.findall(r"[A-Za-z0-9.+-]+", " ".join(licence_ids)))
    return [sentence for licence, sentence in ACKNOWLEDGEMENTS.items() if licence in words]


def windows(records, map_file, output):
    records = Path(records)
    inputs = linked_inputs(map_file)
    qt_prefix = str(records.parent) + "/"
    qt_inputs = {(path, member) for path, member in inputs if path.startswith(qt_prefix)}
    system_files = sorted({path for path, _ in inputs if path.startswith("/usr/")})
    others = sorted({path for path, _ in inputs - qt_inputs if path.startswith("/") and not path.startswith("/usr/")})
    if others:
        raise MissingRecord(f"{others[0]} is linked in, but is neither Qt, Debian's nor Bandix's own")
    if not qt_inputs:
        raise MissingRecord(f"{map_file} links no Qt from {qt_prefix}")
    qt_source = (records / QT_SOURCE).read_text(encoding="utf-8").split()
    qt_text = "\n".join(f"\n{RULE}{name}:\n\n{(records / ATTRIBUTIONS / name).read_text(encoding='utf-8')}"
                        for name in QT_LICENCES if (records / ATTRIBUTIONS / name).is_file())
    if not qt_text:
        raise MissingRecord("Qt: its licence texts are missing from " + str(records / ATTRIBUTIONS))
    components = attribution_notices(records, qt_components(records, qt_inputs))
    notices = [(f"Qt {qt_source[1]} (Debian source package {qt_source[0]})",
                f"Licence: GNU Lesser General Public License v3.0 only (LGPL-3.0-only)\n{QT_OFFER}{qt_text}")]
    notices += [(title, text) for title, text, _ in components]
    runtime, runtime_licences = debian_notices(system_files)
    licence_ids = [ids for _, _, ids in components] + runtime_licences
    write_notices(output, preamble(acknowledgements(licence_ids)), notices + runtime)


def linux(output, files):
    notices, licences = debian_notices(files)
    write_notices(output, preamble(acknowledgements(licences)), notices)


QT_OFFER = """
Bandix uses Qt under the LGPL-3.0. Qt's corresponding source is the Debian source package named
above (its .dsc file and its orig and debian tarballs), published with Bandix's own source in
the same release as this archive. The section "Rebuilding with your own Qt" of Bandix's README.md
(in that source) gives the configure line and the commands to rebuild Bandix with a modified Qt.
"""


def preamble(sentences):
    lines = ["Third-party software in this copy of Bandix",
             "",
             "Bandix itself is under the MIT License (LICENSE, beside this file). It carries the",
             "components below, each under its own licence, given here in full."]
    if sentences:
        lines += [""] + sentences
    return "\n".join(lines) + "\n"


def main(argv):
    command, args = (argv[1], argv[2:]) if len(argv) > 1 else ("", [])
    try:
        if command == "record" and len(args) == 3:
            record(*args)
        elif command == "windows" and len(args) == 3:
            windows(*args)
        elif command == "linux" and len(args) >= 2:
            linux(args[0], args[1:])
        else:
            sys.exit(__doc__)
    except MissingRecord as error:
        sys.exit(f"notices: {error}")


if __name__ == "__main__":
    main(sys.argv)
