#!/usr/bin/env python3
"""The files published beside the releases, as scripts/package made them in
RELEASE_DIR, against the releases they describe:

- SHA256SUMS names every other file there once, sorted, and sha256sum -c
  accepts it; the ZIPs and installers there are those of the build trees,
  and each installer's summary is dated by the commit;
- the bill of materials is SPDX 2.3 JSON with every field that SPDX 2.3
  requires, dated by the commit, and names for each Tavolin.exe the Debian
  package of each library linked into it at the version dpkg reports here;
- the winget manifests (version, installer, default locale; schema 1.12.0)
  and the Scoop manifest hold every field their schemas require, and the
  hashes, product and upgrade codes and version of the built files, every
  hash a string.

    files_test.py RELEASE_DIR WINDOWS_BUILD WINDOWS32_BUILD VERSION
"""
import hashlib
import json
import os
import re
import subprocess
import sys
import time
import zipfile

import yaml

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def run(*command, cwd=None):
    return subprocess.run(command, check=True, capture_output=True, text=True, cwd=cwd).stdout


def sha256(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest()


def require(where, mapping, fields):
    """Every field of fields present in mapping, and not empty."""
    for field in fields:
        check(mapping.get(field) not in (None, "", [], {}), f"{where}: no {field}")


def checksums(folder, builds, version):
    files = sorted(os.path.relpath(os.path.join(d, f), folder)
                   for d, _, names in os.walk(folder) for f in names if f != "SHA256SUMS")
    with open(os.path.join(folder, "SHA256SUMS"), encoding="utf-8") as file:
        lines = file.read().splitlines()
    named = [line.split("  ", 1)[1] for line in lines]
    check(named == sorted(named), "SHA256SUMS: not sorted")
    check(sorted(named) == files, f"SHA256SUMS names {named}, the folder holds {files}")
    result = subprocess.run(["sha256sum", "--strict", "-c", "SHA256SUMS"], cwd=folder,
                            capture_output=True, text=True)
    check(result.returncode == 0, f"sha256sum -c SHA256SUMS: {result.stdout}{result.stderr}")
    for build, release in builds:
        for ext in ("zip", "msi"):
            name = f"Tavolin-{version}-{release}.{ext}"
            check(sha256(os.path.join(folder, name)) == sha256(os.path.join(build, name)),
                  f"{name} is not the one in {build}")


# What the bill of materials lists for each Tavolin.exe: a library file of each
# part linked into it, by the part's name.
LINKED = {"MinGW-w64 runtime": "libmingwex.a", "winpthreads": "libwinpthread.a",
          "libstdc++": "libstdc++.a", "libgcc": "libgcc.a"}
TRIPLES = {"win64": "x86_64-w64-mingw32", "win32": "i686-w64-mingw32"}


def commit_date():
    epoch = os.environ.get("SOURCE_DATE_EPOCH") or run("git", "log", "-1", "--format=%ct",
                                                       cwd=os.path.dirname(__file__))
    return time.gmtime(int(epoch))


def sbom(folder, version):
    path = os.path.join(folder, f"Tavolin-{version}.spdx.json")
    with open(path, encoding="utf-8") as file:
        document = json.load(file)
    # The document creation information that SPDX 2.3 requires.
    require("SPDX document", document,
            ["spdxVersion", "dataLicense", "SPDXID", "name", "documentNamespace", "creationInfo"])
    check(document.get("spdxVersion") == "SPDX-2.3", "SPDX: not version 2.3")
    check(document.get("dataLicense") == "CC0-1.0", "SPDX: the data licence is not CC0-1.0")
    check(document.get("SPDXID") == "SPDXRef-DOCUMENT", "SPDX: the document is not SPDXRef-DOCUMENT")
    check(re.match(r"^[a-z]+://[^#]+$", document.get("documentNamespace", "")),
          "SPDX: the namespace is not a URI without '#'")
    info = document.get("creationInfo", {})
    require("SPDX creationInfo", info, ["created", "creators"])
    check(info.get("created") == time.strftime("%Y-%m-%dT%H:%M:%SZ", commit_date()),
          f"SPDX: created {info.get('created')}, not at the commit's date")
    for creator in info.get("creators", []):
        check(re.match(r"^(Person|Organization|Tool): .+", creator), f"SPDX: creator {creator}")
    # Each package: the fields required of every package, and the
    # verification code required when its files are analysed.
    packages = {}
    for package in document.get("packages", []):
        require(f"SPDX package {package.get('name')}", package, ["name", "SPDXID", "downloadLocation"])
        check(re.match(r"^SPDXRef-[A-Za-z0-9.-]+$", package.get("SPDXID", "")),
              f"SPDX: identifier {package.get('SPDXID')}")
        if package.get("filesAnalyzed", True):
            require(f"SPDX package {package.get('name')}", package, ["packageVerificationCode"])
        packages[package.get("SPDXID")] = package
    ids = set(packages) | {"SPDXRef-DOCUMENT"}
    links = set()
    for relation in document.get("relationships", []):
        require("SPDX relationship", relation, ["spdxElementId", "relationshipType", "relatedSpdxElement"])
        check({relation.get("spdxElementId"), relation.get("relatedSpdxElement")} <= ids,
              f"SPDX: a relationship names an unknown element: {relation}")
        links.add((relation.get("spdxElementId"), relation.get("relationshipType"),
                   relation.get("relatedSpdxElement")))
    described = [b for a, kind, b in links if a == "SPDXRef-DOCUMENT" and kind == "DESCRIBES"]
    check(len(described) == 1 and packages[described[0]].get("versionInfo") == version,
          f"SPDX: the document does not describe Tavolin {version}")
    for arch, triple in TRIPLES.items():
        program = f"SPDXRef-Tavolin-{arch}"
        check(program in packages, f"SPDX: no Tavolin.exe for {arch}")
        linked = {packages[b]["name"]: packages[b] for a, kind, b in links
                  if a == program and kind == "STATIC_LINK"}
        check(set(linked) == set(LINKED), f"SPDX: {arch} links {sorted(linked)}")
        for name, library in LINKED.items():
            if name not in linked:
                continue
            component = linked[name]
            require(f"SPDX {name} ({arch})", component, ["versionInfo", "licenseDeclared"])
            purl = component.get("externalRefs", [{}])[0].get("referenceLocator", "")
            match = re.match(r"^pkg:deb/debian/([^@]+)@(.+)$", purl)
            if not check(match, f"SPDX {name} ({arch}): no Debian package URL: {purl}"):
                continue
            debian, recorded = match.groups()
            installed = run("dpkg-query", "-W", "-f=${Version}", debian)
            check(recorded == installed == component.get("versionInfo"),
                  f"SPDX {name} ({arch}): {debian} {component.get('versionInfo')} (its package URL: "
                  f"{recorded}), installed {installed}")
            files = run("dpkg-query", "-L", debian).splitlines()
            check(any(f.endswith("/" + library) and triple in f for f in files),
                  f"SPDX {name} ({arch}): {debian} holds no {triple} {library}")


def installers_dated(builds, version):
    """wixl dates an installer's summary by the clock, which must say the
    commit's date however long wixl took."""
    expected = time.strftime("%a %b %e %H:%M:%S %Y", commit_date())
    for build, release in builds:
        msi = f"Tavolin-{version}-{release}.msi"
        summary = subprocess.run(["msiinfo", "suminfo", os.path.join(build, msi)], check=True,
                                 capture_output=True, text=True, env={**os.environ, "TZ": "UTC"}).stdout
        for field in ("Created", "Last saved"):
            dated = re.search(rf"^{field}: (.*)$", summary, re.MULTILINE)
            check(dated and dated.group(1) == expected,
                  f"{msi}: {field.lower()} {dated and dated.group(1)}, not at the commit's date {expected}")


def msi_properties(path):
    table = run("msiinfo", "export", path, "Property")
    return dict(line.split("\t", 1) for line in table.splitlines() if "\t" in line)


HASH = re.compile(r"^[0-9A-Fa-f]{64}$")
# The fields that the schemas of winget's multi-file manifests, 1.12.0, mark
# as required, by the file's manifest type; and those of each installer.
WINGET_REQUIRED = {
    "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType",
                "ManifestVersion"],
    "installer": ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType",
                  "ManifestVersion"],
    "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher",
                      "PackageName", "License", "ShortDescription", "ManifestType",
                      "ManifestVersion"],
}
WINGET_INSTALLER_REQUIRED = ["Architecture", "InstallerUrl", "InstallerSha256"]


def winget(folder, builds, version):
    manifests = {}
    for name in sorted(os.listdir(os.path.join(folder, "winget"))):
        with open(os.path.join(folder, "winget", name), encoding="utf-8") as file:
            manifest = yaml.safe_load(file)
        kind = manifest.get("ManifestType")
        check(kind in WINGET_REQUIRED and kind not in manifests, f"winget {name}: type {kind}")
        require(f"winget {name}", manifest, WINGET_REQUIRED.get(kind, []))
        check(manifest.get("ManifestVersion") == "1.12.0", f"winget {name}: not schema 1.12.0")
        check(manifest.get("PackageVersion") == version, f"winget {name}: version "
              f"{manifest.get('PackageVersion')!r}, not {version!r}")
        manifests[kind] = (name, manifest)
    check(set(manifests) == set(WINGET_REQUIRED), f"winget: files of types {sorted(manifests)}")
    if set(manifests) != set(WINGET_REQUIRED):
        return
    identifier = manifests["version"][1].get("PackageIdentifier")
    locale = manifests["version"][1].get("DefaultLocale")
    expected = {"version": f"{identifier}.yaml", "installer": f"{identifier}.installer.yaml",
                "defaultLocale": f"{identifier}.locale.{locale}.yaml"}
    for kind, (name, manifest) in manifests.items():
        check(name == expected[kind], f"winget: {name} should be named {expected[kind]}")
        check(manifest.get("PackageIdentifier") == identifier, f"winget {name}: another package")
    check(manifests["defaultLocale"][1].get("PackageLocale") == locale, "winget: the default locale differs")

    installer = manifests["installer"][1]
    check(installer.get("InstallerType") == "msi", "winget: InstallerType is not msi")
    check(installer.get("Scope") == "user", "winget: Scope is not user")
    check(installer.get("ReleaseDate") == time.strftime("%Y-%m-%d", commit_date()),
          f"winget: released {installer.get('ReleaseDate')!r}, not on the commit's date")
    check("location" in installer.get("UnsupportedArguments", []),
          "winget: the install location is not declared unsupported")
    by_arch = {entry.get("Architecture"): entry for entry in installer.get("Installers", [])}
    check(sorted(by_arch) == ["x64", "x86"], f"winget: installers for {sorted(by_arch)}")
    for (build, release), arch in zip(builds, ("x64", "x86")):
        entry = by_arch.get(arch, {})
        require(f"winget installer {arch}", entry, WINGET_INSTALLER_REQUIRED)
        msi = f"Tavolin-{version}-{release}.msi"
        check(entry.get("InstallerUrl", "").endswith("/" + msi), f"winget {arch}: URL is not {msi}'s")
        digest = entry.get("InstallerSha256")
        check(isinstance(digest, str) and HASH.match(digest), f"winget {arch}: hash {digest!r}")
        check(str(digest).lower() == sha256(os.path.join(build, msi)), f"winget {arch}: not {msi}'s hash")
        codes = msi_properties(os.path.join(build, msi))
        check(entry.get("ProductCode") == codes["ProductCode"],
              f"winget {arch}: product code {entry.get('ProductCode')}, {msi} has {codes['ProductCode']}")
        upgrade = [e.get("UpgradeCode") for e in entry.get("AppsAndFeaturesEntries", [])]
        check(upgrade == [codes["UpgradeCode"]],
              f"winget {arch}: upgrade code {upgrade}, {msi} has {codes['UpgradeCode']}")
        check(codes["ProductVersion"] == version, f"{msi} is of version {codes['ProductVersion']}")


def scoop(folder, builds, version):
    with open(os.path.join(folder, "scoop", "tavolin.json"), encoding="utf-8") as file:
        manifest = json.load(file)
    # What Scoop's manifest documentation marks required, and what a 32- and
    # 64-bit program with a command and a Start menu entry needs.
    require("Scoop", manifest, ["version", "description", "homepage", "license",
                                "architecture", "bin", "shortcuts"])
    check(manifest.get("version") == version, f"Scoop: version {manifest.get('version')!r}")
    for (build, release), bits in zip(builds, ("64bit", "32bit")):
        entry = manifest.get("architecture", {}).get(bits, {})
        require(f"Scoop {bits}", entry, ["url", "hash"])
        name = f"Tavolin-{version}-{release}.zip"
        check(entry.get("url", "").endswith("/" + name), f"Scoop {bits}: URL is not {name}'s")
        check(entry.get("hash") == sha256(os.path.join(build, name)), f"Scoop {bits}: not {name}'s hash")
        with zipfile.ZipFile(os.path.join(build, name)) as archive:
            inside = set(archive.namelist())
        check(manifest.get("bin") in inside, f"Scoop: bin {manifest.get('bin')} is not in {name}")
        for shortcut in manifest.get("shortcuts", []):
            check(len(shortcut) >= 2 and shortcut[0] in inside, f"Scoop: shortcut {shortcut}")


def main():
    folder, win64, win32, version = sys.argv[1:]
    builds = [(win64, "win64"), (win32, "win32")]
    checksums(folder, builds, version)
    installers_dated(builds, version)
    sbom(folder, version)
    winget(folder, builds, version)
    scoop(folder, builds, version)
    for failure in failures:
        print(f"release files: {failure}", file=sys.stderr)
    if failures:
        sys.exit(1)
    print(f"release files: SHA256SUMS, the bill of materials and the winget and Scoop "
          f"manifests of Tavolin {version} match the releases")


if __name__ == "__main__":
    main()
