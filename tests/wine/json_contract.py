#!/usr/bin/python3
"""Every --json output of korvexcfg.exe under Wine, as a script would read it:
valid JSON (ASCII, so UTF-8) that the schema file accepts, with the exit code
the process gave. Usage: json_contract.py WINE_RUN KORVEXCFG_EXE SCHEMA"""
import functools
import json
import sys
import tempfile

import jsonschema
import registry_key  # beside this file

wine_run, korvexcfg, schema_path = sys.argv[1:4]
schema = json.load(open(schema_path))
KEY = registry_key.KEY
failures = []
wine = functools.partial(registry_key.wine, wine_run)
put_key = functools.partial(registry_key.put_key, wine_run)


def check(arguments, exit_code):
    run = wine(korvexcfg, *arguments, "--json")
    name = " ".join(arguments)
    try:
        document = json.loads(run.stdout.decode("utf-8"))
        jsonschema.validate(document, schema)
    except (ValueError, jsonschema.ValidationError) as error:
        failures.append("%s: %s\n%s" % (name, error, run.stdout[:2000]))
        return None
    if run.returncode != exit_code or document["exitCode"] != exit_code:
        failures.append("%s: exit %d, exitCode %d, expected %d" % (name, run.returncode, document["exitCode"], exit_code))
    return document


put_key(registry_key.TYPICAL)
shown = check(["show"], 0)
if shown and shown["values"][2]["value"] != "C:\\caf\u00e9.img":
    failures.append("show: the accented path reads %r" % shown["values"][2]["value"])
check(["validate"], 0)
check(["status"], 0)
check(["test", "size=64"], 0)
check(["test", "size=128"], 1)
check(["set", "size=128", "--dry-run"], 0)
written = check(["set", "size=128", "letter=q"], 0)
if written and not written["changed"]:
    failures.append("set: changed is false")
with tempfile.TemporaryDirectory() as folder:
    exported = "Z:" + folder.replace("/", "\\") + "\\all.reg"
    wine(korvexcfg, "export", exported)
    check(["import", exported], 0)
    check(["test", "--file", exported], 0)
    # The key's default value and another program's value: left, each a warning.
    foreign = folder + "/foreign.reg"
    with open(foreign, "wb") as file:
        file.write(("REGEDIT4\r\n[%s]\r\n@=\"\"\r\n\"Comment\"=\"x\"\r\n" % KEY).encode("ascii"))
    imported = check(["import", "Z:" + foreign.replace("/", "\\")], 0)
    if imported and [w["code"] for w in imported["warnings"]] != ["not-a-setting"] * 2:
        failures.append("import: warnings %r" % imported["warnings"])
check(["set", "size=lots"], 6)
check(["test", "interval=5"], 6)
check(["set", "colour=red"], 2)
check(["show", "--bogus"], 2)  # --json after the error: still JSON
check(["set", "size=128", "--backup"], 2)  # --json is no file name
check(["dismount", "Y:"], 4)
put_key(registry_key.DAMAGED)
check(["show"], 0)
check(["validate"], 1)
put_key([])
check(["set", "--complete"], 6)  # size and interval have no default
check(["set", "type=hard-disk"], 0)
wine("reg", "delete", KEY, "/f")
check(["show"], 3)

print("\n".join(failures) if failures else "every --json output matches the schema")
sys.exit(1 if failures else 0)
