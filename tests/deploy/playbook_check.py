#!/usr/bin/python3
"""The Ansible playbook as Debian's Ansible sees it: its syntax, ansible-lint,
and each task's options against what ansible-doc documents for its module
(ansible-lint cannot load the Windows modules here). No Windows host is
contacted. The MSI it installs by default is the one tools/package makes for
x64. Usage: playbook_check.py PLAYBOOK PACKAGE_SCRIPT VERSION"""
import json
import os
import re
import subprocess
import sys
import tempfile

import yaml

playbook = os.path.abspath(sys.argv[1])
package_script, version = sys.argv[2:4]
failures = []


def run(*command, cwd=None):
    return subprocess.run(command, capture_output=True, text=True, cwd=cwd,
                          env=dict(os.environ, ANSIBLE_LOCAL_TEMP=tempfile.gettempdir(), ANSIBLE_NOCOLOR="1"))


syntax = run("ansible-playbook", "--syntax-check", "-i", "localhost,", playbook)
if syntax.returncode != 0:
    failures.append("ansible-playbook --syntax-check:\n" + syntax.stdout + syntax.stderr)
lint = run("ansible-lint", "--offline", "--nocolor", os.path.basename(playbook), cwd=os.path.dirname(playbook))
if lint.returncode != 0:
    failures.append("ansible-lint:\n" + lint.stdout + lint.stderr)

# Keys of a task that are Ansible's own, not its module's.
TASK_KEYWORDS = {"name", "register", "when", "changed_when", "failed_when", "check_mode", "become", "tags",
                 "vars", "notify", "ignore_errors", "loop", "until", "retries", "delay", "environment"}
documented = {}
for play in yaml.safe_load(open(playbook)):
    for task in play.get("tasks", []):
        modules = [key for key in task if key not in TASK_KEYWORDS]
        if len(modules) != 1:
            failures.append("%s: not one module: %s" % (task.get("name"), modules))
            continue
        module, options = modules[0], task[modules[0]]
        if module not in documented:
            doc = run("ansible-doc", "-j", module)
            documented[module] = json.loads(doc.stdout)[module]["doc"]["options"] if doc.returncode == 0 else None
        known = documented[module]
        if known is None:
            failures.append("%s: ansible-doc does not know %s" % (task["name"], module))
            continue
        names = {alias: name for name, option in known.items() for alias in [name] + option.get("aliases", [])}
        for option, value in options.items():
            if option not in names:
                failures.append("%s: %s has no option %s" % (task["name"], module, option))
                continue
            spec = known[names[option]]
            literal = not (isinstance(value, str) and "{{" in value)
            if spec.get("choices") and literal and value not in spec["choices"]:
                failures.append("%s: %s=%r is none of %s" % (task["name"], option, value, spec["choices"]))
            if spec.get("type") == "list" and literal and not isinstance(value, list):
                failures.append("%s: %s takes a list" % (task["name"], option))
        for name, option in known.items():
            if option.get("required") and not any(names.get(given) == name for given in options):
                failures.append("%s: %s needs %s" % (task["name"], module, name))

# The release's x64 MSI as tools/package names it: name=...; $out/$name-$arch.msi.
script = open(package_script).read()
name = re.search(r"^name=(\S+)$", script, re.M).group(1).replace("$version", version)
msi = re.search(r'\$out/(\$name-\$arch\.msi)', script).group(1).replace("$name", name).replace("$arch", "x64")
default = yaml.safe_load(open(playbook))[0]["vars"]["korvane_msi"].split("\\")[-1]
if default != msi:
    failures.append("the playbook installs %s; tools/package makes %s" % (default, msi))

print("\n".join(failures) if failures else "the playbook passes the syntax check, ansible-lint and ansible-doc's options")
sys.exit(1 if failures else 0)
