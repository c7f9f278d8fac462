#!/usr/bin/python3
"""korvexcfg.exe under Wine as DSC v3 calls it: for each operation the
manifest names, the command line it gives (its executable our build, its JSON
input argument followed by the compressed instance), on a typical, an empty,
a damaged and a missing key, and on each odd value a key may hold. Every
output line matches the operation's stdout schema (the what-if's, set's) and
the manifest's embedded instance schema; each exit code is one the manifest
names. No DSC engine runs here.
Usage: dsc_protocol.py WINE_RUN KORVEXCFG_EXE MANIFEST DSC_SCHEMAS"""
import functools
import json
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "deploy"))
from dsc_schemas import problems, store  # noqa: E402
import registry_key  # beside this file

wine_run, korvexcfg, manifest_path, schemas = sys.argv[1:5]
manifest = json.load(open(manifest_path))
known = store(schemas)
instance_schema = manifest["schema"]["embedded"]
stdout_schemas = {operation: json.load(open(os.path.join(schemas, "resource", "stdout", operation + ".json")))
                  for operation in ("get", "set", "test", "export")}
stdout_schemas["whatIf"] = stdout_schemas["set"]  # DSC reads a what-if as the set it stands for
failures = []
KEY = registry_key.KEY
TYPICAL = registry_key.TYPICAL
wine = functools.partial(registry_key.wine, wine_run)
put_key = functools.partial(registry_key.put_key, wine_run)


def stored():
    """The key as korvexcfg exports it: what a read-only operation must leave alone."""
    return wine(korvexcfg, "export", "-").stdout


def call(operation, instance, exit_code=0, name="", errors=None):
    """The operation as the manifest describes it; its output lines, checked.
    Its standard error, DSC's trace, goes apart, into `errors` if given."""
    method = manifest[operation]
    if method["executable"] != "korvexcfg":
        failures.append("%s: the manifest runs %s" % (operation, method["executable"]))
    arguments = []
    for argument in method.get("args", []):
        arguments += [argument] if isinstance(argument, str) else [argument["jsonInputArg"],
                                                                    json.dumps(instance, separators=(",", ":"))]
    run = registry_key.wine_apart(wine_run, korvexcfg, *arguments)
    if errors is not None:
        errors.append(run.stderr.decode("utf-8", "replace"))
    label = "%s %s %s" % (name, operation, json.dumps(instance))
    if str(run.returncode) not in manifest["exitCodes"]:
        failures.append("%s: exit %d, which the manifest does not name" % (label, run.returncode))
    if run.returncode != exit_code:
        failures.append("%s: exit %d, expected %d: %s" % (label, run.returncode, exit_code, run.stdout[:500]))
        return None
    if exit_code != 0:
        return None
    lines = []
    for line in run.stdout.decode("utf-8").splitlines():
        try:
            value = json.loads(line)
        except ValueError as error:
            failures.append("%s: %r is no JSON line: %s" % (label, line[:200], error))
            continue
        found = problems(value, stdout_schemas[operation], known)
        if isinstance(value, dict):
            found += problems(value, instance_schema, known)
        failures.extend("%s: %s" % (label, problem) for problem in found)
        lines.append(value)
    # One state line; set and test (stateAndDiff) add the properties that differ.
    shape = [dict, list] if manifest[operation].get("return") == "stateAndDiff" else [dict]
    if [type(line) for line in lines] != shape:
        failures.append("%s: lines %s, expected %s" % (label, lines, [t.__name__ for t in shape]))
        return None
    return lines


def expect(what, actual, expected):
    if actual != expected:
        failures.append("%s: %r, expected %r" % (what, actual, expected))


def read_only(name, operation, instance, exit_code=0):
    before = stored()
    lines = call(operation, instance, exit_code, name)
    expect("%s %s: the key after it" % (name, operation), stored(), before)
    return lines


# A typical key: drift found, set, set again, compliant.
put_key(TYPICAL)
got = read_only("typical", "get", {})
expect("typical get", got and got[0], {"diskType": "hard-disk", "sizeMB": 64, "fat32": False, "driveLetter": "R",
                                       "loadImage": False, "loadImageFile": "C:\\caf\u00e9.img", "autoSave": False,
                                       "saveImage": True, "saveImageFile": "C:\\save.img", "autoSaveSeconds": 300})
expect("typical export", read_only("typical", "export", {}), got)
desired = {"sizeMB": 128, "driveLetter": "q", "saveImageFile": "C:\\caf\u00e9 2.img"}
drift = read_only("typical", "test", desired)
expect("test on drift", drift and (drift[0]["_inDesiredState"], drift[1]), (False, ["sizeMB", "driveLetter", "saveImageFile"]))
first = call("set", desired, name="typical")
expect("set", first and (first[0]["sizeMB"], first[0]["driveLetter"], first[1]), (128, "Q", ["sizeMB", "driveLetter", "saveImageFile"]))
second = call("set", desired, name="typical, again")
expect("set again", second and (second[0], second[1]), (first and first[0], []))
compliant = read_only("typical", "test", desired)
expect("test after set", compliant and (compliant[0]["_inDesiredState"], compliant[1]), (True, []))
# The playbook's way: the state on the standard input, korvexcfg's --json report.
def piped(verb, instance):
    run = subprocess.run([wine_run, korvexcfg, verb, "--input", "-", "--json"], capture_output=True,
                         input=json.dumps(instance).encode())
    try:
        return run.returncode, json.loads(run.stdout)["changed"]
    except (ValueError, KeyError):
        return run.returncode, run.stdout[:300]


# The what-if DSC asks for before a set: the state the set would leave, and nothing written.
what_if = read_only("typical", "whatIf", {"sizeMB": 256, "driveLetter": "Q"})
expect("what-if", what_if and (what_if[0]["sizeMB"], what_if[1]), (256, ["sizeMB"]))
expect("piped test, compliant", piped("test", desired), (0, False))
expect("piped set", piped("set", {"sizeMB": 256}), (0, True))
expect("piped test, drift", piped("test", desired), (1, False))
call("set", desired, name="typical, back")
# Refused by the rules, and input that is no instance: the codes the manifest names, nothing written.
read_only("typical", "set", {"autoSave": True, "saveImage": False}, 6)
read_only("typical", "test", {"sizeMB": "64"}, 2)

# An empty key: an empty instance; set fills what it is given.
put_key([])
expect("empty get", read_only("empty", "get", {}), [{}])
expect("empty test", (read_only("empty", "test", {"diskType": "hard-disk", "sizeMB": 64}) or [{}])[0].get("_inDesiredState"), False)
filled = call("set", {"diskType": "hard-disk", "sizeMB": 64, "driveLetter": "R"}, name="empty")
expect("empty set", filled and filled[1], ["diskType", "sizeMB", "driveLetter"])

# A damaged key (a text of another code page, a number stored as text, a value
# of another type): only what the window shows as stored is in the instance.
put_key(registry_key.DAMAGED)
damaged = read_only("damaged", "get", {})
expect("damaged get", damaged and {"sizeMB", "autoSaveSeconds"} & set(damaged[0]), set())
read_only("damaged", "export", {})
repaired = read_only("damaged", "test", {"sizeMB": 64})
expect("damaged test", repaired and repaired[0]["_inDesiredState"], False)
call("set", {"sizeMB": 64}, name="damaged")
expect("damaged after set", (call("get", {}, name="damaged") or [{}])[0].get("sizeMB"), 64)

# Each odd value a key may hold: left out of the instance, its problem on
# stderr, whichever operation reads it; a desired state holding it refused.
ODD = [("SizeIn4kPages", "dword:000003e8"), ("SizeIn4kPages", "dword:00000000"), ("SizeIn4kPages", "dword:00100000"),
       ("SizeIn4kPages", None), ("AutoSaveTrigger", "dword:00000005"), ("AutoSaveTrigger", "dword:000186a0"),
       ("AutoSaveTrigger", "dword:00008000"), ("UserDriveLetter", '"1"'), ("UserDriveLetter", '""'),
       ("DiskType", '""'), ("DiskType", '"XYZ"'), ("SaveImageOnExit", "dword:00000002"),
       ("SaveImageFile", '"\\\\??\\\\\\\\??\\\\C:\\\\x.img"'), ("SaveImageFile", '"\\\\??\\\\save.img"')]
PROPERTY = {"SizeIn4kPages": "sizeMB", "AutoSaveTrigger": "autoSaveSeconds", "UserDriveLetter": "driveLetter",
            "DiskType": "diskType", "SaveImageOnExit": "saveImage", "SaveImageFile": "saveImageFile"}
for value, data in ODD:
    name = "odd %s=%s" % (value, data)
    put_key([line for line in TYPICAL if not line.startswith('"%s"=' % value)] +
            ([] if data is None else ['"%s"=%s' % (value, data)]))
    for operation, instance in (("get", {}), ("export", {}), ("test", {"fat32": False})):
        errors = []
        lines = call(operation, instance, name=name, errors=errors)
        if lines and PROPERTY[value] in lines[0]:
            failures.append("%s %s: %s is in the instance: %s" % (name, operation, PROPERTY[value], lines[0]))
        said = PROPERTY[value] + " left out: " + value in errors[0]
        if said != (data is not None):
            failures.append("%s %s: stderr %r" % (name, operation, errors[0][:300]))
for refused in ({"autoSaveSeconds": 32768}, {"autoSaveSeconds": 5}, {"driveLetter": "1"}):
    call("test", refused, 6, "out of limits, whatever the key holds")

wine("reg", "delete", KEY, "/f")
for operation in ("get", "test", "export"):
    read_only("missing", operation, {"sizeMB": 64}, 3)

print("\n".join(failures) if failures else "every operation behaves as the manifest says")
sys.exit(1 if failures else 0)
