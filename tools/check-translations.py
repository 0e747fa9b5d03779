#!/usr/bin/env python3
"""Checks that the window speaks the user's language.

1. Every string literal in ui/ and controls/ (their demo programs aside)
   that a user could read goes through tr(), QCoreApplication::translate()
   or QT_TRANSLATE_NOOP(). Literals that no user reads are let through:
   those without a letter, identifiers and keys (no blank, not starting
   with a capital: "addButton", "kept-list.json", "org.freedesktop..."),
   the arguments of the calls in QUIET_CALLS (object names, log lines,
   D-Bus calls), and the texts and files listed in
   tools/untranslated-texts.txt.
2. Every translation file in resources/translations/ is complete: brought up
   to date with the code by tools/update-translations.sh (in a copy), none
   of its entries is unfinished and every plural form is filled in.

Prints what is wrong and exits 1; exits 0 when all is well.
    python3 tools/check-translations.py [--texts-only]
"""
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TRANSLATING_CALLS = {"tr", "translate", "QT_TRANSLATE_NOOP", "QT_TR_NOOP", "QT_TR_N_NOOP",
                     "QT_TRANSLATE_N_NOOP"}
# Calls whose text is for programs, logs or other computers, never a reader.
QUIET_CALLS = {"setObjectName", "WriteLog", "WriteLogFormat", "qDebug", "qWarning",
               "qCritical", "SavedWindowGeometry", "SaveWindowGeometry", "createMethodCall",
               "QRegularExpression", "findExecutable", "setDesktopFileName",
               "setApplicationName", "ObserveFlag", "SetFlagAsync", "GetDouble",
               "CommandAsync", "setlocale", "QLatin1String", "property", "setProperty",
               "toString", "inherits", "QUrl", "RenderSplitPicture", "qstrcmp", "strcmp"}
TOKEN = re.compile(r'//[^\n]*|/\*.*?\*/|(?:u8|u|U|L)?R"([^(]*)\(.*?\)\1"|(?:u8|u|U|L)?"(?:\\.|[^"\\\n])*"'
                   r"|'(?:\\.|[^'\\\n])*'|^[ \t]*#[^\n]*|[A-Za-z_][A-Za-z_0-9]*|[(),;{}]",
                   re.S | re.M)


def SourceFiles():
    for folder in ("ui", "controls"):
        for base, dirs, files in os.walk(os.path.join(ROOT, folder)):
            dirs[:] = [d for d in dirs if d != "demo"]
            for name in sorted(files):
                if name.endswith((".cpp", ".h")):
                    yield os.path.join(base, name)


def Literals(text):
    """Yields (line, text of adjacent literals, enclosing call names)."""
    stack, last_word, pending, pending_line = [], None, [], 0

    def flush():
        if pending:
            yield pending_line, "".join(pending), set(stack)

    for match in TOKEN.finditer(text):
        token = match.group(0)
        if token.startswith(("//", "/*", "#")) or token.startswith("'"):
            continue
        if token.endswith('"'):
            if not pending:
                pending_line = text.count("\n", 0, match.start()) + 1
            body = token[token.index('"') + 1:-1]
            pending.append(body)
            continue
        yield from flush()
        pending = []
        if token == "(":
            stack.append(last_word or "")
        elif token == ")":
            if stack:
                stack.pop()
        last_word = token if token[0].isalpha() or token[0] == "_" else None
    yield from flush()


def Exceptions():
    """The texts let through, and the files whose every text is."""
    allowed, files = set(), set()
    with open(os.path.join(ROOT, "tools", "untranslated-texts.txt"), encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("file: "):
                files.add(line[len("file: "):])
            elif line and not line.startswith("#"):
                allowed.add(line)
    return allowed, files


def Readable(body):
    if not re.search(r"[A-Za-z]", body):
        return False
    if " " not in body and (not body[:1].isupper() or re.fullmatch(r"[A-Z0-9_]+", body)):
        return False
    return True


def UntranslatedTexts():
    (allowed, files), found = Exceptions(), []
    for path in SourceFiles():
        if os.path.relpath(path, ROOT) in files:
            continue
        with open(path, encoding="utf-8") as f:
            text = f.read()
        for line, body, calls in Literals(text):
            if calls & (TRANSLATING_CALLS | QUIET_CALLS) or not Readable(body):
                continue
            if body in allowed:
                continue
            found.append(f"{os.path.relpath(path, ROOT)}:{line}: \"{body}\" is not translated")
    return found


def UnfinishedTranslations():
    problems = []
    with tempfile.TemporaryDirectory() as copy:
        subprocess.run(["sh", os.path.join(ROOT, "tools", "update-translations.sh"), copy],
                       check=True)
        for name in sorted(os.listdir(copy)):
            tree = ET.parse(os.path.join(copy, name))
            for context in tree.getroot().iter("context"):
                for message in context.iter("message"):
                    source = message.findtext("source")
                    translation = message.find("translation")
                    forms = translation.findall("numerusform")
                    texts = [f.text for f in forms] if forms else [translation.text]
                    if translation.get("type") or not all(texts):
                        problems.append(f"{name}: {context.findtext('name')}: \"{source}\" "
                                        "is not translated")
    return problems


def main():
    problems = UntranslatedTexts()
    if "--texts-only" not in sys.argv:
        problems += UnfinishedTranslations()
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
