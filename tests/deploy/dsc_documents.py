#!/usr/bin/python3
"""The DSC v3 resource manifest and the configuration document against DSC
v3's published schemas (draft 2020-12, bundled in tests/third-party/dsc-v3):
both valid, the document's instances valid against the manifest's embedded
instance schema, and each deliberately broken manifest refused by the same
check. No DSC engine runs here. Usage: dsc_documents.py SCHEMAS DEPLOY"""
import copy
import json
import os
import sys

import jsonschema
import yaml

from dsc_schemas import problems as problems_in, store

schemas, deploy = sys.argv[1:3]
failures = []


def schema(path):
    return json.load(open(os.path.join(schemas, path)))


known = store(schemas)


def problems(document, against):
    return problems_in(document, against, known)


manifest_schema = schema("resource/manifest.json")
manifest = json.load(open(os.path.join(deploy, "korvane.ramdisk.dsc.resource.json")))
failures += ["manifest: " + p for p in problems(manifest, manifest_schema)]
instance_schema = manifest["schema"]["embedded"]
jsonschema.Draft202012Validator.check_schema(instance_schema)

document = yaml.safe_load(open(os.path.join(deploy, "korvane.dsc.yaml")))
failures += ["document: " + p for p in problems(document, schema("config/document.json"))]
for resource in document["resources"]:
    if resource["type"] != manifest["type"]:
        failures.append("document: %s is not %s" % (resource["type"], manifest["type"]))
    failures += ["document's instance: " + p for p in problems(resource["properties"], instance_schema)]


def broken(change):
    copied = copy.deepcopy(manifest)
    change(copied)
    return copied


for why, manifest_broken in [
    ("no version", broken(lambda m: m.pop("version"))),
    ("a version that is no semver", broken(lambda m: m.update(version="0.02.0013"))),
    ("a type without its owner", broken(lambda m: m.update(type="RamDisk"))),
    ("get with no way to pass the input",
     broken(lambda m: m["get"].update(args=["dsc", "get"]))),
    ("two JSON input arguments", broken(lambda m: m["set"]["args"].append({"jsonInputArg": "--other"}))),
    ("a return kind DSC does not know", broken(lambda m: m["test"].update({"return": "diff"}))),
    ("a what-if that says not what it returns", broken(lambda m: m["whatIf"].pop("return"))),
    ("an exit code that is no number", broken(lambda m: m["exitCodes"].update(six="refused"))),
    ("an instance schema of no object", broken(lambda m: m["schema"]["embedded"].update(type="array"))),
]:
    if not problems(manifest_broken, manifest_schema):
        failures.append("a broken manifest (%s) passes the check" % why)

print("\n".join(failures) if failures else "the manifest and the configuration document match DSC v3's schemas")
sys.exit(1 if failures else 0)
