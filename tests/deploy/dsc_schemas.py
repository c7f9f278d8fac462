"""Validators for DSC v3's bundled schemas with Debian's python3-jsonschema,
offline: every schema a bundle defines is found by its $id."""
import glob
import json
import os

import jsonschema


class _Resolver(jsonschema.RefResolver):
    # This jsonschema version takes any "$id" key for an identifier, even a
    # property named "$id" in the manifest's schema, and fails on it; every
    # bundled schema is in the store by its $id instead.
    def _find_in_subschemas(self, url):
        return None


def store(schemas):
    """Every schema of the bundles under `schemas`, by its $id."""
    found = {}
    for path in glob.glob(os.path.join(schemas, "**", "*.json"), recursive=True):
        bundle = json.load(open(path))
        found[bundle["$id"]] = bundle
        for definition in bundle.get("$defs", {}).values():
            if isinstance(definition, dict) and isinstance(definition.get("$id"), str):
                found[definition["$id"]] = definition
    return found


def validator(schema, known):
    """A draft 2020-12 validator of `schema` whose references `known` resolves."""
    resolver = _Resolver(schema.get("$id", ""), schema, store=known)
    return jsonschema.Draft202012Validator(schema, resolver=resolver)


def problems(instance, schema, known):
    return [error.message[:200] for error in validator(schema, known).iter_errors(instance)]
