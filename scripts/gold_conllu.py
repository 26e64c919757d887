# SPDX-License-Identifier: GPL-3.0-or-later
"""What the evaluation scripts share: the CoNLL-U files of ../shared/gold, read where
they lie (nothing of them is kept), and the words as the scan cuts them."""
import contextlib
import os
import subprocess
import sys
import tempfile


def is_letter(byte):
    return (65 <= byte <= 90) or (97 <= byte <= 122) or (byte >= 192 and byte not in (215, 247))


def words_of(cp1252_bytes):
    """The words the scan cuts: maximal runs of letters."""
    out, start = [], None
    for i, b in enumerate(cp1252_bytes + b" "):
        if i < len(cp1252_bytes) and is_letter(b):
            if start is None:
                start = i
        elif start is not None:
            out.append(cp1252_bytes[start:i])
            start = None
    return out


def feats_of(text):
    """"Case=Acc|Number=Sing" as a dictionary."""
    return dict(x.split("=", 1) for x in text.split("|") if "=" in x)


def read_conllu(path):
    """Sentences as lists of [surface form, [(upos, lemma, feats)]]; a multi-word
    token ("virumque") is one surface form whose parts give the tags."""
    sentences, current, pending = [], [], None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line:
                if current:
                    sentences.append(current)
                current, pending = [], None
                continue
            if line.startswith("#"):
                continue
            cols = line.split("\t")
            if len(cols) < 6:
                continue
            ident = cols[0]
            if "-" in ident:
                first, last = (int(x) for x in ident.split("-"))
                pending = [first, last, [cols[1], []]]
                current.append(pending[2])
                continue
            if "." in ident:
                continue  # empty nodes
            n = int(ident)
            word = (cols[3], cols[2], cols[5])
            if pending and pending[0] <= n <= pending[1]:
                pending[2][1].append(word)
            else:
                current.append([cols[1], [word]])
    if current:
        sentences.append(current)
    return sentences


def gold_files(given, script):
    """The files named, or every *.conllu of ../shared/gold beside the checkout."""
    if given:
        return given
    gold = os.path.join(os.path.dirname(os.path.abspath(script)), "..", "..", "shared", "gold")
    if not os.path.isdir(gold):
        sys.exit(f"{os.path.basename(script)}: no {os.path.normpath(gold)}: name the CoNLL-U files to measure")
    return sorted(os.path.join(gold, f) for f in os.listdir(gold) if f.endswith(".conllu"))


@contextlib.contextmanager
def text_file(lines):
    """The lines (Windows-1252 bytes) as a CR LF text in a temporary file, removed after."""
    with tempfile.NamedTemporaryFile(suffix=".txt", delete=False) as text:
        text.write(b"\r\n".join(lines) + b"\r\n")
    try:
        yield text.name
    finally:
        os.unlink(text.name)


def run_cli(cli, args, script):
    """The standard output of varnelio-cli with these arguments; the script stops
    saying why when the command fails."""
    run = subprocess.run([cli] + args, capture_output=True, check=False)
    if run.returncode != 0:
        sys.exit(f"{os.path.basename(script)}: varnelio-cli {args[0]} failed: "
                 + run.stderr.decode("utf-8", "replace"))
    return run.stdout.decode("utf-8")


def built_cli(build, script):
    """varnelio-cli of the build folder, or the script stops saying it is not built."""
    cli = os.path.join(build, "bin", "varnelio-cli")
    if not os.access(cli, os.X_OK):
        sys.exit(f"{os.path.basename(script)}: {cli} not built")
    return cli
