#!/usr/bin/env python3
"""Writes the bill of materials of the releases, SPDX 2.3 in JSON: Tavolin,
and for each Tavolin.exe what is linked statically into it (the MinGW-w64
runtime, winpthreads, libstdc++ and libgcc), each with the Debian package it
was built from, that package's version on this machine and its licence.

    sbom.py OUTPUT VERSION RELEASE_URL COMPILER...

COMPILER is each architecture's C++ compiler; the libraries it links are
found through it, and their packages through dpkg. The document is dated by
SOURCE_DATE_EPOCH, so the same commit and packages give the same bytes.
"""
import json
import os
import subprocess
import sys
import time

# What Tavolin.exe links statically (cmake/windows.cmake: -static,
# -static-libgcc, -static-libstdc++): a library file of each part, and the
# licence that the Debian package's copyright file gives for that part.
COMPONENTS = [
    ("mingw-w64-runtime", "MinGW-w64 runtime", "libmingwex.a",
     "ZPL-2.1 AND LicenseRef-public-domain"),
    ("winpthreads", "winpthreads", "libwinpthread.a", "MIT AND BSD-3-Clause"),
    ("libstdcxx", "libstdc++", "libstdc++.a",
     "GPL-3.0-or-later WITH GCC-exception-3.1"),
    ("libgcc", "libgcc", "libgcc.a", "GPL-3.0-or-later WITH GCC-exception-3.1"),
]
# The architecture of each Tavolin.exe, by its compiler's target.
ARCHITECTURES = {"x86_64-w64-mingw32": "win64", "i686-w64-mingw32": "win32"}


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout.strip()


def debian_packages(paths):
    """The Debian package that installed each file, and its version, asked of
    dpkg once for all (it reads every package's file list each time)."""
    real = [os.path.realpath(path) for path in paths]
    owner = {}
    for line in run("dpkg-query", "-S", *real).splitlines():
        package, path = line.split(": ", 1)
        owner[path] = package.split(":")[0]
    names = sorted(set(owner.values()))
    versions = dict(line.split(" ", 1) for line in
                    run("dpkg-query", "-W", "-f=${Package} ${Version}\n", *names).splitlines())
    return [(owner[path], versions[owner[path]]) for path in real]


def packages_of(compiler, tavolin_id, version):
    arch = ARCHITECTURES[run(compiler, "-dumpmachine")]
    program = {
        "SPDXID": f"SPDXRef-Tavolin-{arch}",
        "name": f"Tavolin.exe ({arch})",
        "versionInfo": version,
        "supplier": "Organization: The Tavolin authors",
        "downloadLocation": "NOASSERTION",
        "filesAnalyzed": False,
        "licenseConcluded": "MIT",
        "licenseDeclared": "MIT",
        "copyrightText": "Copyright (c) 2026 the Tavolin authors",
        "primaryPackagePurpose": "APPLICATION",
    }
    packages, relationships = [program], [
        {"spdxElementId": tavolin_id, "relationshipType": "CONTAINS",
         "relatedSpdxElement": program["SPDXID"]}]
    libraries = [run(compiler, f"-print-file-name={library}") for _, _, library, _ in COMPONENTS]
    for (ident, name, _, licence), (package, package_version) in zip(COMPONENTS,
                                                                      debian_packages(libraries)):
        packages.append({
            "SPDXID": f"SPDXRef-{ident}-{arch}",
            "name": name,
            "versionInfo": package_version,
            "supplier": "Organization: Debian",
            "downloadLocation": "NOASSERTION",
            "filesAnalyzed": False,
            "licenseConcluded": "NOASSERTION",
            "licenseDeclared": licence,
            "licenseComments": f"the main licences of this part in the copyright file of {package}, "
                               "which names further permissive ones for some of its files",
            "copyrightText": "NOASSERTION",
            "sourceInfo": f"built from the Debian package {package} {package_version}",
            "externalRefs": [{
                "referenceCategory": "PACKAGE-MANAGER",
                "referenceType": "purl",
                "referenceLocator": f"pkg:deb/debian/{package}@{package_version}",
            }],
            "primaryPackagePurpose": "LIBRARY",
        })
        relationships.append({"spdxElementId": program["SPDXID"], "relationshipType": "STATIC_LINK",
                              "relatedSpdxElement": packages[-1]["SPDXID"]})
    return packages, relationships


def main():
    output, version, url, compilers = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    epoch = int(os.environ["SOURCE_DATE_EPOCH"])
    commit = run("git", "-C", os.path.dirname(os.path.abspath(__file__)), "rev-parse", "HEAD")
    tavolin = {
        "SPDXID": "SPDXRef-Tavolin",
        "name": "Tavolin",
        "versionInfo": version,
        "supplier": "Organization: The Tavolin authors",
        "downloadLocation": url,
        "filesAnalyzed": False,
        "licenseConcluded": "MIT",
        "licenseDeclared": "MIT",
        "copyrightText": "Copyright (c) 2026 the Tavolin authors",
        "sourceInfo": f"built from commit {commit}",
        "primaryPackagePurpose": "APPLICATION",
    }
    packages = [tavolin]
    relationships = [{"spdxElementId": "SPDXRef-DOCUMENT", "relationshipType": "DESCRIBES",
                      "relatedSpdxElement": tavolin["SPDXID"]}]
    for compiler in compilers:
        more_packages, more_relationships = packages_of(compiler, tavolin["SPDXID"], version)
        packages += more_packages
        relationships += more_relationships
    document = {
        "spdxVersion": "SPDX-2.3",
        "dataLicense": "CC0-1.0",
        "SPDXID": "SPDXRef-DOCUMENT",
        "name": f"Tavolin-{version}",
        "documentNamespace": f"{url}/spdx/Tavolin-{version}-{commit}",
        "creationInfo": {
            "created": time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(epoch)),
            "creators": ["Organization: The Tavolin authors", "Tool: Tavolin scripts/package"],
        },
        "packages": packages,
        "relationships": relationships,
        "hasExtractedLicensingInfos": [{
            "licenseId": "LicenseRef-public-domain",
            "name": "public domain",
            "extractedText": "The MinGW-w64 runtime's start-up code is in the public domain, "
                             "as Debian's copyright file of the package says.",
        }],
    }
    with open(output, "w", encoding="utf-8") as file:
        json.dump(document, file, indent=2)
        file.write("\n")


if __name__ == "__main__":
    main()
