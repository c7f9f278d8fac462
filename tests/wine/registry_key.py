"""The Parameters key under Wine, for the Python tests: programs run through
the project's wine-run, and the key put as a version 5.00 file gives it."""
import os
import subprocess
import tempfile

KEY = r"HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\korvex\Parameters"
# A typical key, as put_key takes it: an accented path, AutoSave off.
TYPICAL = ['"DiskType"="HDC"', '"LoadImageOnStart"=dword:00000000', '"LoadImageFile"="\\\\??\\\\C:\\\\caf\u00e9.img"',
           '"SaveImageOnExit"=dword:00000001', '"SaveImageFile"="\\\\??\\\\C:\\\\save.img"',
           '"SizeIn4kPages"=dword:00004000', '"DiskFormatFAT32"=dword:00000000', '"AutoSaveEnabled"=dword:00000000',
           '"AutoSaveTrigger"=dword:0000012c', '"UserDriveLetter"="R"']
# A damaged one: a text of another code page's bytes, a number stored as text, a value of another type.
DAMAGED = TYPICAL[:2] + ['"LoadImageFile"=hex(1):5c,00,3f,00,3f,00,5c,00,00,4e,00,00', '"SizeIn4kPages"="64"',
                         '"AutoSaveTrigger"=hex(b):2c,01,00,00,00,00,00,00']


def wine(wine_run, *arguments):
    return subprocess.run([wine_run, *arguments], capture_output=True)


def wine_apart(wine_run, *arguments):
    """As wine(), with the program's standard error apart from its output, as
    DSC reads them; each goes to a file, which no helper of Wine's can hold
    open after the program ends."""
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(wine_run))))
    environment = dict(os.environ)
    environment.setdefault("KORVEX_WINEPREFIX", os.path.join(root, "build", "wineprefix"))
    start = '. "$0/tools/wine-session" && korvex_wine_ready && exec "$korvex_wine64" "$@"'
    with tempfile.TemporaryFile() as output, tempfile.TemporaryFile() as errors:
        run = subprocess.run(["sh", "-c", start, root, *arguments], stdout=output, stderr=errors, env=environment)
        output.seek(0)
        errors.seek(0)
        return subprocess.CompletedProcess(run.args, run.returncode, output.read(), errors.read())


def put_key(wine_run, lines):
    """The key as a version 5.00 file gives it, imported by Wine's regedit."""
    with tempfile.NamedTemporaryFile("wb", suffix=".reg", delete=False) as file:
        text = "Windows Registry Editor Version 5.00\r\n\r\n[-%s]\r\n\r\n[%s]\r\n%s\r\n" % (KEY, KEY, "\r\n".join(lines))
        file.write(b"\xff\xfe" + text.encode("utf-16-le"))
    wine(wine_run, "regedit", "/S", "Z:" + file.name.replace("/", "\\"))
    os.unlink(file.name)
