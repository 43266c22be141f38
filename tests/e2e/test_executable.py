#!/usr/bin/env python3
"""The built executables are GUI programs of the build's width that need nothing but Windows' own DLLs."""
import argparse
import struct
import sys
import unittest

ARGS = None
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msimg32.dll", "gdiplus.dll", "ole32.dll",
               "oleaut32.dll", "shell32.dll", "comctl32.dll", "wininet.dll", "msvcrt.dll",
               "advapi32.dll", "version.dll", "bcrypt.dll"}


class PeFile:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        assert self.data[pe : pe + 4] == b"PE\0\0"
        self.machine, sections, _, _, _, optional_size, self.characteristics = struct.unpack_from(
            "<HHIIIHH", self.data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", self.data, optional)[0]
        self.subsystem = struct.unpack_from("<H", self.data, optional + 68)[0]
        directories = optional + (96 if self.magic == 0x10B else 112)
        self.import_rva = struct.unpack_from("<I", self.data, directories + 8)[0]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<8sIIII", self.data, table + 40 * i) for i in range(sections)]

    def offset(self, rva):
        for _, vsize, vaddr, rawsize, rawptr in self.sections:
            if vaddr <= rva < vaddr + max(vsize, rawsize):
                return rva - vaddr + rawptr
        raise ValueError("rva %x outside every section" % rva)

    def imported_dlls(self):
        names, pos = [], self.offset(self.import_rva)
        while True:
            name_rva = struct.unpack_from("<5I", self.data, pos)[3]
            if name_rva == 0:
                return names
            start = self.offset(name_rva)
            names.append(self.data[start : self.data.index(b"\0", start)].decode().lower())
            pos += 20


class ExecutableTest(unittest.TestCase):
    def test_client_and_updater_are_gui_programs_of_the_build_width(self):
        machine, magic = (0x14C, 0x10B) if ARGS.bits == 32 else (0x8664, 0x20B)
        for path in (ARGS.client, ARGS.updater):
            pe = PeFile(path)
            self.assertEqual(pe.machine, machine, path)
            self.assertEqual(pe.magic, magic, "PE32 for 32 bits, PE32+ for 64: " + path)
            self.assertEqual(pe.subsystem, 2, "GUI subsystem: " + path)
            # 4 GB of address space for a 32-bit program on 64-bit Windows, not 2.
            self.assertTrue(pe.characteristics & 0x20, "large address aware: " + path)

    def test_both_carry_a_manifest_that_asks_for_no_elevation_and_is_dpi_aware(self):
        # A 32-bit program named "Update" without one is taken for an installer.
        for path in (ARGS.client, ARGS.updater):
            data = PeFile(path).data
            self.assertIn(b'<requestedExecutionLevel level="asInvoker"', data, path)
            # Unaware, the system would stretch the windows as bitmaps at 125 % and more.
            self.assertRegex(data, rb"<dpiAware[^>]*>true</dpiAware>", path)
            self.assertRegex(data, rb"<dpiAwareness[^>]*>system</dpiAwareness>", path)

    def test_only_system_dlls_are_imported(self):
        for path in (ARGS.client, ARGS.updater):
            imported = set(PeFile(path).imported_dlls())
            self.assertIn("kernel32.dll", imported)
            self.assertEqual(imported - SYSTEM_DLLS, set(), path)

    def test_what_the_splash_or_the_first_window_does_not_need_is_loaded_on_first_use(self):
        for path, delayed in ((ARGS.client, {"comctl32.dll", "msimg32.dll", "bcrypt.dll", "oleacc.dll"}),
                              (ARGS.updater, {"wininet.dll", "bcrypt.dll", "oleacc.dll"})):
            self.assertEqual(set(PeFile(path).imported_dlls()) & delayed, set(), path)
        # The updater's buttons answer screen readers too: oleacc is named only by its delay import.
        self.assertIn(b"oleacc.dll", PeFile(ARGS.updater).data.lower())


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--client", required=True)
    parser.add_argument("--updater", required=True)
    parser.add_argument("--bits", type=int, choices=(32, 64), default=32)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], "-v", *rest])


if __name__ == "__main__":
    main()
