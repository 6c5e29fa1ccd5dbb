"""What every torvane-cli test needs: the binary, a fresh folder with a profile path, and
small file helpers."""

import os
import tempfile
import unittest

CLI = os.environ["TORVANE_CLI"]


class CliCase(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.dir = self.tmp.name
        self.profile = os.path.join(self.dir, "torvane.ini")

    def tearDown(self):
        self.tmp.cleanup()

    def path(self, name):
        return os.path.join(self.dir, name)

    def write(self, name, data=b""):
        path = self.path(name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read().decode()
