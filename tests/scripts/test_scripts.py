"""The developer scripts: the formatting check and the build folder set-up scripts/test relies on."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.environ["TORVANE_ROOT"]
FORMAT = os.path.join(ROOT, "scripts", "format")
SETUP = os.path.join(ROOT, "scripts", "setup.sh")

FORMATTED = b"int Answer() {\n    return 42;\n}\n"
UNFORMATTED = b"int  Answer( ) { return 42; }\n"


class FormatCheckTest(unittest.TestCase):
    def setUp(self):
        if shutil.which("clang-format") is None:
            self.skipTest("clang-format is missing")
        self.folder = tempfile.mkdtemp().encode()
        self.addCleanup(shutil.rmtree, self.folder)
        shutil.copy(os.path.join(ROOT, ".clang-format"), self.folder.decode())

    def write(self, name, content):
        path = os.path.join(self.folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(content)
        return path

    def format(self, *args):
        return subprocess.run([FORMAT, *args, self.folder], capture_output=True)

    def test_check_names_each_unformatted_file_and_fixes_it(self):
        # a name that is not UTF-8, in a folder below
        bad = self.write(b"deep/bad\xff name.cpp", UNFORMATTED)
        good = self.write(b"good.h", FORMATTED)
        other = self.write(b"notes.txt", UNFORMATTED)

        result = self.format("--check")
        self.assertEqual(result.returncode, 1, result.stdout)
        self.assertIn(b"  " + bad, result.stdout.splitlines())
        self.assertNotIn(b"good.h", result.stdout)
        self.assertNotIn(b"notes.txt", result.stdout)
        with open(bad, "rb") as f:
            self.assertEqual(f.read(), UNFORMATTED, "--check changes nothing")

        self.assertEqual(self.format().returncode, 0)
        for path, expected in ((bad, FORMATTED), (good, FORMATTED), (other, UNFORMATTED)):
            with open(path, "rb") as f:
                self.assertEqual(f.read(), expected, path)
        result = self.format("--check")
        self.assertEqual(result.returncode, 0, result.stdout)

    def test_a_missing_folder_fails_the_check(self):
        result = subprocess.run([FORMAT, "--check", os.path.join(self.folder, b"none")],
                                capture_output=True)
        self.assertNotEqual(result.returncode, 0)


class ConfiguredWithTest(unittest.TestCase):
    """torvane_configured_with decides whether an existing build folder is configured again."""

    def setUp(self):
        self.build = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.build)
        with open(os.path.join(self.build, "CMakeCache.txt"), "w") as cache:
            cache.write("// TORVANE_WERROR:BOOL=ON\n"
                        "CMAKE_BUILD_TYPE:STRING=Debug\n"
                        "TORVANE_SANITIZE:BOOL=ON\n"
                        "TORVANE_WERROR_EXTRA:BOOL=ON\n"
                        "TORVANE_TEMPLATES:PATH=/a=b\n")

    def configured_with(self, *args, build=None):
        script = 'source "$0"; torvane_configured_with "$@"'
        result = subprocess.run(["bash", "-c", script, SETUP, build or self.build, *args],
                                env=dict(os.environ, TORVANE_ROOT=ROOT))
        return result.returncode == 0

    def test_values_the_cache_holds(self):
        self.assertTrue(self.configured_with())
        self.assertTrue(self.configured_with("-DCMAKE_BUILD_TYPE=Debug", "-DTORVANE_SANITIZE=ON"))
        self.assertTrue(self.configured_with("-DTORVANE_SANITIZE:BOOL=ON"))
        self.assertTrue(self.configured_with("-DTORVANE_TEMPLATES=/a=b"), "a value with =")
        self.assertTrue(self.configured_with("-G", "Ninja"), "not a cache value")

    def test_values_it_lacks_ask_for_a_new_configuration(self):
        self.assertFalse(self.configured_with("-DCMAKE_BUILD_TYPE=Release"))
        self.assertFalse(self.configured_with("-DTORVANE_SANITIZE=OFF"))
        # only in a comment, and as the start of another name
        self.assertFalse(self.configured_with("-DTORVANE_WERROR=ON"))
        self.assertFalse(self.configured_with("-DTORVANE_TEMPLATES=/a"))
        self.assertFalse(self.configured_with("-DX=1", build=os.path.join(self.build, "none")))


if __name__ == "__main__":
    unittest.main(verbosity=2)
