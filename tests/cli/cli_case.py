"""What every torvane-cli test needs: the binary and a way to run it, a fresh folder with a
profile path, and small file helpers."""

import os
import subprocess
import tempfile
import unittest

CLI = os.environ["TORVANE_CLI"]


def run(*args, cwd=None, env=None):
    """Runs torvane-cli with args; its status and its output as text."""
    return subprocess.run([CLI, *args], capture_output=True, text=True, cwd=cwd, env=env,
                          timeout=60)


class CliCase(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.dir = self.tmp.name
        self.profile = os.path.join(self.dir, "torvane.ini")

    def tearDown(self):
        self.tmp.cleanup()

    def cli(self, *args, cwd=None, env=None):
        """Runs torvane-cli on this case's profile."""
        return run("--profile", self.profile, *args, cwd=cwd, env=env)

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
