#!/usr/bin/env python3
"""Writes the package managers' manifests of the releases in RELEASE_DIR:
winget's, in the multi-file form of the community repository (a version, an
installer and a default-locale file, schema 1.12.0) for the two installers,
and Scoop's for the two ZIPs. Hashes are of the files there; each installer's
product and upgrade code are read from its Property table.

    manifests.py RELEASE_DIR VERSION RELEASE_URL

RELEASE_URL is the folder the files are downloaded from.
"""
import hashlib
import json
import os
import subprocess
import sys
import time

IDENTIFIER = "Tavolin.Tavolin"
MANIFEST_VERSION = "1.12.0"
PUBLISHER = "The Tavolin authors"
DESCRIPTION = "A strip of picture buttons for everyday desktop tasks"
LICENCE = "MIT"
# Each release: winget's and Scoop's name of its architecture.
ARCHITECTURES = [("win64", "x64", "64bit"), ("win32", "x86", "32bit")]


def sha256(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest()


def msi_properties(path):
    table = subprocess.run(["msiinfo", "export", path, "Property"], check=True,
                           capture_output=True, text=True).stdout
    return dict(line.split("\t", 1) for line in table.splitlines()[3:] if "\t" in line)


def yaml(value, indent=""):
    """YAML lines of nested dicts, lists and strings, every string in double
    quotes (a JSON string is a YAML one): no hash or version is ever read as
    a number, nor a date as a date."""
    lines = []
    for key, item in (value.items() if isinstance(value, dict) else enumerate(value)):
        lead = f"{indent}{key}:" if isinstance(value, dict) else f"{indent}-"
        if isinstance(item, str):
            lines.append(f"{lead} {json.dumps(item)}")
        elif isinstance(value, list) and isinstance(item, dict):
            nested = yaml(item, indent + "  ")
            lines.append(f"{indent}- {nested[0].lstrip()}")
            lines += nested[1:]
        else:
            lines.append(lead)
            lines += yaml(item, indent + "  ")
    return lines


def write(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as file:
        file.write("\n".join(lines) + "\n")


def winget(folder, version, url, date):
    header = ["# Made by Tavolin's scripts/package from the built installers."]
    common = {"PackageIdentifier": IDENTIFIER, "PackageVersion": version}
    installers = []
    for release, arch, _ in ARCHITECTURES:
        msi = os.path.join(folder, f"Tavolin-{version}-{release}.msi")
        codes = msi_properties(msi)
        installers.append({
            "Architecture": arch,
            "InstallerUrl": f"{url}/{os.path.basename(msi)}",
            "InstallerSha256": sha256(msi).upper(),
            "ProductCode": codes["ProductCode"],
            "AppsAndFeaturesEntries": [{"UpgradeCode": codes["UpgradeCode"]}],
        })
    base = os.path.join(folder, "winget", IDENTIFIER)
    write(f"{base}.yaml", header + yaml({
        **common, "DefaultLocale": "en-US",
        "ManifestType": "version", "ManifestVersion": MANIFEST_VERSION}))
    # The installer puts itself in its own folder (its property, not winget's
    # --location), for the user alone.
    write(f"{base}.installer.yaml", header + yaml({
        **common, "InstallerType": "msi", "Scope": "user",
        "UnsupportedArguments": ["location"], "ReleaseDate": date,
        "Installers": installers,
        "ManifestType": "installer", "ManifestVersion": MANIFEST_VERSION}))
    write(f"{base}.locale.en-US.yaml", header + yaml({
        **common, "PackageLocale": "en-US", "Publisher": PUBLISHER, "PackageName": "Tavolin",
        "License": LICENCE, "ShortDescription": DESCRIPTION,
        "ManifestType": "defaultLocale", "ManifestVersion": MANIFEST_VERSION}))


def scoop(folder, version, url):
    architecture = {}
    for release, _, bits in ARCHITECTURES:
        name = f"Tavolin-{version}-{release}.zip"
        architecture[bits] = {"url": f"{url}/{name}", "hash": sha256(os.path.join(folder, name))}
    manifest = {
        "version": version, "description": DESCRIPTION, "homepage": url, "license": LICENCE,
        "architecture": architecture,
        "bin": "Tavolin.exe", "shortcuts": [["Tavolin.exe", "Tavolin"]],
    }
    os.makedirs(os.path.join(folder, "scoop"), exist_ok=True)
    with open(os.path.join(folder, "scoop", "tavolin.json"), "w", encoding="utf-8") as file:
        json.dump(manifest, file, indent=4)
        file.write("\n")


def main():
    folder, version, url = sys.argv[1:]
    date = time.strftime("%Y-%m-%d", time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"])))
    winget(folder, version, url, date)
    scoop(folder, version, url)


if __name__ == "__main__":
    main()
