#!/usr/bin/env python3
"""Builds the Debian package from a build directory's programs and checks it as Debian
and a user's machine would meet it, without ever installing it: lintian, the control
fields, the files, and what the maintainer scripts do (run in a private mount namespace,
with systemd's tools replaced by recorders).

Usage: deb_package_test.py SOURCE_DIR BUILD_DIR [--dns-hook]

--dns-hook: the build made quarnel-dns-hook, so the package must carry it.
Exit status 0 when every check held, 1 otherwise, 77 (skipped) when a tool or the
private mount namespace is missing.
"""

import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

SOURCE_DIR = ""
BUILD_DIR = ""
EXPECT_DNS_HOOK = False
UNIT = "quarnel-service.service"


def run(command, **kwargs):
    return subprocess.run(command, check=True, capture_output=True, text=True, **kwargs).stdout


def project_version(build_dir):
    with open(os.path.join(build_dir, "CMakeCache.txt"), encoding="utf-8") as cache:
        for line in cache:
            if line.startswith("CMAKE_PROJECT_VERSION:STATIC="):
                return line.split("=", 1)[1].strip()
    raise RuntimeError("no project version in the CMake cache")


def png_size(path):
    with open(path, "rb") as image:
        header = image.read(24)
    if header[:8] != b"\x89PNG\r\n\x1a\n" or header[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", header[16:24])


def unit_entries(text):
    """Key -> list of values, over every section of a systemd unit."""
    entries = {}
    for line in text.splitlines():
        line = line.strip()
        if not line or line.startswith(("#", ";", "[")):
            continue
        key, _, value = line.partition("=")
        entries.setdefault(key.strip(), []).append(value.strip())
    return entries


class Built:
    """The package, built once, and what dpkg-deb -e and -x give of it."""
    temporary = ""
    deb = ""
    control_dir = ""
    root = ""
    control = {}


def setUpModule():
    Built.temporary = tempfile.mkdtemp(prefix="quarnel-deb-test-")
    script = os.path.join(SOURCE_DIR, "packaging/linux/deb/build-deb")
    Built.deb = run([script, "--build-dir", BUILD_DIR, "--output", Built.temporary, "--fast"]).strip()
    Built.control_dir = os.path.join(Built.temporary, "control")
    Built.root = os.path.join(Built.temporary, "root")
    run(["dpkg-deb", "-e", Built.deb, Built.control_dir])
    run(["dpkg-deb", "-x", Built.deb, Built.root])
    for field in ("Package", "Version", "Architecture", "Depends"):
        Built.control[field] = run(["dpkg-deb", "-f", Built.deb, field]).strip()


def tearDownModule():
    shutil.rmtree(Built.temporary, ignore_errors=True)


class Package(unittest.TestCase):
    def setUp(self):
        self.deb = Built.deb
        self.root = Built.root
        self.control = Built.control

    def path(self, relative):
        return os.path.join(self.root, relative)

    def test_name_version_and_architecture(self):
        version = project_version(BUILD_DIR)
        architecture = run(["dpkg", "--print-architecture"]).strip()
        self.assertEqual(os.path.basename(self.deb), f"quarnel_{version}_{architecture}.deb")
        self.assertEqual(self.control["Package"], "quarnel")
        self.assertEqual(self.control["Version"], version)
        self.assertEqual(self.control["Architecture"], architecture)

    def test_depends_on_the_libraries_and_the_programs_it_starts(self):
        names = {re.split(r"[ (]", alternative.strip())[0]
                 for entry in self.control["Depends"].split(",") for alternative in entry.split("|")}
        # Computed from the links: C library, Qt, nftables, systemd's notify.
        for library in ("libc6", "libqt5core5a", "libqt5widgets5", "libqt5network5", "libqt5svg5", "libnftables1",
                        "libsystemd0"):
            self.assertIn(library, names)
        # Started or loaded by name.
        for program in ("openvpn", "stunnel4", "iputils-ping", "qtwayland5", "unicode-cldr-core"):
            self.assertIn(program, names)
        # Versions come from the libraries' shlibs, not typed by hand.
        self.assertRegex(self.control["Depends"], r"libc6 \(>= [0-9.]+\)")

    def test_programs_and_their_places(self):
        programs = ["usr/bin/quarnel", "usr/bin/quarnel-servicectl", "usr/lib/quarnel/quarnel-service"]
        if EXPECT_DNS_HOOK:
            programs.append("usr/lib/quarnel/quarnel-dns-hook")
        for program in programs:
            status = os.lstat(self.path(program))
            self.assertEqual(status.st_mode & 0o7777, 0o755, program)
            with open(self.path(program), "rb") as elf:
                self.assertEqual(elf.read(4), b"\x7fELF", program)
            sections = run(["readelf", "-S", "-W", self.path(program)])
            self.assertNotIn(".debug_info", sections, program)
        # The zone mapping, where the service looks for it, from unicode-cldr-core.
        mapping = "usr/lib/quarnel/windowsZones.xml"
        target = os.readlink(self.path(mapping))
        resolved = os.path.normpath(os.path.join("/", os.path.dirname(mapping), target))
        self.assertEqual(resolved, "/usr/share/unicode/cldr/common/supplemental/windowsZones.xml")
        # Every file belongs to root.
        for line in run(["dpkg-deb", "-c", self.deb]).splitlines():
            self.assertEqual(line.split()[1], "root/root", line)

    def test_unit_starts_before_the_network_hardened(self):
        with open(self.path("lib/systemd/system/" + UNIT), encoding="utf-8") as unit:
            entries = unit_entries(unit.read())
        self.assertEqual(entries["ExecStart"], ["/usr/lib/quarnel/quarnel-service --openvpn /usr/sbin/openvpn"])
        self.assertEqual(entries["Before"], ["network-pre.target"])
        self.assertEqual(entries["Wants"], ["network-pre.target"])
        self.assertEqual(entries["WantedBy"], ["multi-user.target"])
        self.assertEqual(entries["Type"], ["notify"])
        self.assertEqual(entries["NoNewPrivileges"], ["yes"])
        self.assertEqual(entries["PrivateTmp"], ["yes"])
        self.assertEqual(entries["ProtectSystem"], ["strict"])
        # The client's files are read from its home or runtime directory.
        self.assertEqual(entries["ProtectHome"], ["read-only"])
        self.assertEqual(set(entries["CapabilityBoundingSet"][0].split()),
                         {"CAP_NET_ADMIN", "CAP_SETUID", "CAP_SETGID", "CAP_NET_BIND_SERVICE", "CAP_IPC_LOCK"})
        if shutil.which("systemd-analyze"):
            result = subprocess.run(["systemd-analyze", "verify", "--man=no", "--root", self.root,
                                     "/lib/systemd/system/" + UNIT], capture_output=True, text=True)
            # Complaints about a line of the unit: unknown keys, values that do not parse.
            problems = [line for line in (result.stdout + result.stderr).splitlines()
                        if re.search(re.escape(UNIT) + r":\d+:", line)]
            self.assertEqual(problems, [])

    def test_desktop_entry_and_icons(self):
        desktop = self.path("usr/share/applications/quarnel.desktop")
        run(["desktop-file-validate", desktop])
        with open(desktop, encoding="utf-8") as entry:
            text = entry.read()
        self.assertIn("\nExec=quarnel\n", text)
        self.assertIn("\nIcon=quarnel\n", text)
        self.assertTrue(os.path.isfile(self.path("usr/share/icons/hicolor/scalable/apps/quarnel.svg")))
        for size in (16, 22, 24, 32, 48, 64, 128, 256, 512):
            icon = self.path(f"usr/share/icons/hicolor/{size}x{size}/apps/quarnel.png")
            self.assertEqual(png_size(icon), (size, size), icon)

    def test_lintian_finds_no_error_and_no_warning_left(self):
        if not shutil.which("lintian"):
            self.skipTest("lintian is not installed")
        result = subprocess.run(["lintian", "--no-cfg", self.deb], capture_output=True, text=True)
        tags = [line for line in result.stdout.splitlines() if re.match(r"^[EW]: ", line)]
        self.assertEqual(tags, [], result.stdout + result.stderr)


SCRIPT_RUN = r"""
set -e
mount --make-rprivate /
mount -t tmpfs tmpfs /run
mount -t tmpfs tmpfs /var/lib
[ "$WITH_SYSTEMD" = 1 ] && mkdir -p /run/systemd/system
mkdir -p /var/lib/quarnel
echo 127.0.0.1 > /var/lib/quarnel/settings.dat
set +e
PATH="$STUBS:$PATH" "$SCRIPT" "$@"
echo "exit $?" >> "$RECORD"
[ -e /var/lib/quarnel ] || echo "state removed" >> "$RECORD"
"""


class MaintainerScripts(unittest.TestCase):
    """What each script asks of systemd, one recorded call a line."""

    @classmethod
    def setUpClass(cls):
        cls.temporary = tempfile.mkdtemp(prefix="quarnel-deb-scripts-")
        cls.control_dir = Built.control_dir
        cls.stubs = os.path.join(cls.temporary, "stubs")
        os.mkdir(cls.stubs)
        for tool in ("deb-systemd-helper", "deb-systemd-invoke", "systemctl"):
            with open(os.path.join(cls.stubs, tool), "w", encoding="utf-8") as stub:
                # was-enabled answers as a first installation does.
                stub.write(f'#!/bin/sh\necho "{tool} $*" >> "$RECORD"\n'
                           f'case "$*" in *was-enabled*) exit "${{WAS_ENABLED:-0}}" ;; esac\nexit 0\n')
            os.chmod(os.path.join(cls.stubs, tool), 0o755)
        if os.geteuid() == 0:
            cls.unshare = ["unshare", "--mount"]
        else:
            cls.unshare = ["unshare", "--map-root-user", "--mount"]
        probe = subprocess.run(cls.unshare + ["true"], capture_output=True)
        cls.namespace = probe.returncode == 0

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.temporary, ignore_errors=True)

    def calls(self, script, *arguments, systemd=True, was_enabled=0):
        if not self.namespace:
            print("SKIP no private mount namespace for the maintainer scripts")
            self.skipTest("no mount namespace")
        record = os.path.join(self.temporary, "record")
        if os.path.exists(record):
            os.remove(record)
        environment = dict(os.environ, RECORD=record, STUBS=self.stubs, WAS_ENABLED=str(was_enabled),
                           WITH_SYSTEMD="1" if systemd else "0",
                           SCRIPT=os.path.join(self.control_dir, script))
        subprocess.run(self.unshare + ["sh", "-c", SCRIPT_RUN, "sh"] + list(arguments), check=True,
                       env=environment, capture_output=True)
        with open(record, encoding="utf-8") as lines:
            return [line.rstrip("\n") for line in lines]

    def test_scripts_are_posix_shell_with_errexit(self):
        for script in ("postinst", "prerm", "postrm"):
            path = os.path.join(self.control_dir, script)
            self.assertEqual(os.stat(path).st_mode & 0o777, 0o755, script)
            run(["sh", "-n", path])
            with open(path, encoding="utf-8") as text:
                content = text.read()
            self.assertTrue(content.startswith("#!/bin/sh\n"), script)
            self.assertRegex(content, r"\nset -e\n", script)

    def test_first_installation_enables_and_starts(self):
        calls = self.calls("postinst", "configure", "")
        self.assertIn(f"deb-systemd-helper enable {UNIT}", calls)
        self.assertIn(f"deb-systemd-invoke start {UNIT}", calls)
        self.assertEqual(calls[-1], "exit 0")

    def test_upgrade_restarts_and_keeps_a_disabled_service_disabled(self):
        calls = self.calls("postinst", "configure", "3.6.0", was_enabled=1)
        self.assertNotIn(f"deb-systemd-helper enable {UNIT}", calls)
        self.assertIn(f"deb-systemd-invoke restart {UNIT}", calls)
        self.assertNotIn(f"deb-systemd-invoke start {UNIT}", calls)
        # Before the new programs are unpacked, the running service is left alone.
        self.assertEqual(self.calls("prerm", "upgrade", "3.8.0"), ["exit 0"])

    def test_removal_stops_first_then_disables(self):
        self.assertEqual(self.calls("prerm", "remove"), [f"deb-systemd-invoke stop {UNIT}", "exit 0"])
        calls = self.calls("postrm", "remove")
        self.assertIn(f"deb-systemd-helper disable {UNIT}", calls)
        self.assertNotIn("state removed", calls, "a removal keeps settings.dat")
        calls = self.calls("postrm", "purge")
        self.assertIn(f"deb-systemd-helper purge {UNIT}", calls)
        self.assertIn("state removed", calls)

    def test_without_systemd_running_nothing_is_started_or_stopped(self):
        calls = self.calls("postinst", "configure", "", systemd=False)
        self.assertIn(f"deb-systemd-helper enable {UNIT}", calls)
        self.assertFalse([call for call in calls if call.startswith(("deb-systemd-invoke", "systemctl"))], calls)
        self.assertEqual(self.calls("prerm", "remove", systemd=False), ["exit 0"])


def main():
    global SOURCE_DIR, BUILD_DIR, EXPECT_DNS_HOOK
    arguments = sys.argv[1:]
    EXPECT_DNS_HOOK = "--dns-hook" in arguments
    arguments = [argument for argument in arguments if argument != "--dns-hook"]
    if len(arguments) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    SOURCE_DIR, BUILD_DIR = (os.path.abspath(argument) for argument in arguments)
    missing = [tool for tool in ("dpkg-deb", "dpkg-shlibdeps", "rsvg-convert", "desktop-file-validate", "readelf")
               if not shutil.which(tool)]
    if missing:
        print("SKIP missing " + ", ".join(missing) + " (make deps installs them)")
        return 77
    result = unittest.main(argv=[sys.argv[0], "-v"], exit=False).result
    if not result.wasSuccessful():
        return 1
    # A check that could not run makes the whole test a skip, never a silent pass.
    if result.skipped:
        print("SKIP " + "; ".join(reason for _, reason in result.skipped))
        return 77
    return 0


if __name__ == "__main__":
    sys.exit(main())
