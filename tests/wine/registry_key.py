"""The Parameters key under Wine, for the Python tests: programs run through
the project's wine-run, and the key put as a version 5.00 file gives it."""
import os
import subprocess
import tempfile

KEY = r"HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\korvex\Parameters"


def wine(wine_run, *arguments):
    return subprocess.run([wine_run, *arguments], capture_output=True)


def put_key(wine_run, lines):
    """The key as a version 5.00 file gives it, imported by Wine's regedit."""
    with tempfile.NamedTemporaryFile("wb", suffix=".reg", delete=False) as file:
        text = "Windows Registry Editor Version 5.00\r\n\r\n[-%s]\r\n\r\n[%s]\r\n%s\r\n" % (KEY, KEY, "\r\n".join(lines))
        file.write(b"\xff\xfe" + text.encode("utf-16-le"))
    wine(wine_run, "regedit", "/S", "Z:" + file.name.replace("/", "\\"))
    os.unlink(file.name)
