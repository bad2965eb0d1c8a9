#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Words that `tarvex4 rtf2text` keeps of RTF documents written by several
word processors, against the words LibreOffice's own text export finds.

    bench/rtf_words_vs_libreoffice.py build/dev/bin/tarvex4 [WORKDIR]

Needs soffice (libreoffice-writer-nogui), pandoc and abiword. The documents
are made at run time in WORKDIR (a temporary folder by default) from texts
written here and from texts that Debian installs; nothing made is kept in
the repository. For every document it prints the share of LibreOffice's
words (as a multiset: each occurrence counts) that rtf2text also gives,
then the share over all documents.
"""
import collections
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

# A text with the shapes word processors write differently: links, footnotes,
# numbered and bulleted lists, a table, quotes and dashes, accents.
OWN_TEXT = """% Every Word Kept
% A. Writer
% 9 December 2026

# Notes on cutting up texts

The cut-up takes a page of writing and rearranges it -- sometimes with
scissors, sometimes with a program[^1]. See [the archive](https://example.org/archive)
for older examples, or write to <someone@example.org>.

1. Take a page of text.
2. Cut it into strips of a few words.
3. Draw the strips in a new order[^2].

* Scissors and glue
* A large table
    * with a lamp
    * and patience

| Tool     | Use              |
|----------|------------------|
| Scissors | cutting strips   |
| Glue     | fixing the order |

"Quoted words" and 'single quotes', an em dash --- and an en dash -- in
running text. Café, naïve, Ångström, Łódź, straße, œuvre.

> A quotation stands apart from the text around it, indented on both
> sides, and keeps every word.

[^1]: Programs draw the order from a random generator.
[^2]: The order is new every time.
"""


def debian_texts():
    """Plain texts that every Debian system has."""
    candidates = [
        "/usr/share/common-licenses/GPL-3",
        "/usr/share/common-licenses/Apache-2.0",
        "/usr/share/common-licenses/MPL-2.0",
        "/usr/share/doc/pandoc/README.md.gz",
    ]
    found = []
    for path in candidates + sorted(glob.glob("/usr/share/common-licenses/Artistic")):
        if os.path.exists(path) and path not in found:
            found.append(path)
    return found


def run(args, **kw):
    return subprocess.run(args, check=True, capture_output=True, **kw)


def words(text):
    return collections.Counter(re.findall(r"\w+", text.lower()))


def soffice(args, work):
    # A profile of its own, so that a running LibreOffice does not interfere.
    profile = "file://" + os.path.join(work, "lo-profile")
    run(["soffice", "-env:UserInstallation=" + profile, "--headless"] + args, cwd=work, timeout=300)


def make_documents(work):
    """Writes the RTF documents; returns their paths."""
    sources = []
    own = os.path.join(work, "own.md")
    with open(own, "w", encoding="utf-8") as f:
        f.write(OWN_TEXT)
    sources.append(own)
    for path in debian_texts():
        name = os.path.basename(path).replace(".gz", "").replace(".", "_") + ".md"
        target = os.path.join(work, name)
        if path.endswith(".gz"):
            text = subprocess.run(["zcat", path], capture_output=True, text=True).stdout
        else:
            with open(path, encoding="utf-8", errors="replace") as f:
                text = f.read()
        with open(target, "w", encoding="utf-8") as f:
            f.write(text)
        sources.append(target)

    documents = []
    for source in sources:
        stem = os.path.splitext(os.path.basename(source))[0]
        for maker in (by_pandoc, by_writer, by_abiword):
            try:
                documents.append(maker(source, stem, work))
            except (subprocess.CalledProcessError, subprocess.TimeoutExpired, OSError) as e:
                print(f"{stem}: {maker.__name__} made no document ({e})", file=sys.stderr)
    return documents


def made(path):
    """A document left by an earlier run in the same WORKDIR is used again."""
    return os.path.exists(path) and os.path.getsize(path) > 0


def by_pandoc(source, stem, work):
    # pandoc writes RTF itself.
    rtf = os.path.join(work, stem + ".pandoc.rtf")
    if not made(rtf):
        run(["pandoc", "-s", "-f", "markdown", "-t", "rtf", source, "-o", rtf])
    return rtf


def by_writer(source, stem, work):
    # LibreOffice Writer from a .docx (as a Word document reaches it).
    rtf = os.path.join(work, stem + ".writer.rtf")
    if not made(rtf):
        docx = os.path.join(work, stem + ".docx")
        run(["pandoc", "-s", "-f", "markdown", source, "-o", docx])
        lo_dir = os.path.join(work, "lo")
        os.makedirs(lo_dir, exist_ok=True)
        soffice(["--convert-to", "rtf", "--outdir", lo_dir, docx], work)
        shutil.move(os.path.join(lo_dir, stem + ".rtf"), rtf)
    return rtf


def by_abiword(source, stem, work):
    # AbiWord from HTML.
    rtf = os.path.join(work, stem + ".abiword.rtf")
    if not made(rtf):
        html = os.path.join(work, stem + ".html")
        run(["pandoc", "-s", "-f", "markdown", source, "-o", html])
        run(["abiword", "--to=rtf", "--to-name=" + rtf, html], timeout=300)
    return rtf


def libreoffice_text(rtf, work):
    out = os.path.join(work, "txt")
    os.makedirs(out, exist_ok=True)
    soffice(["--convert-to", "txt:Text (encoded):UTF8", "--outdir", out, rtf], work)
    path = os.path.join(out, os.path.splitext(os.path.basename(rtf))[0] + ".txt")
    with open(path, encoding="utf-8-sig", errors="replace") as f:
        return f.read()


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    tarvex4 = os.path.abspath(sys.argv[1])
    for tool in ("soffice", "pandoc", "abiword"):
        if shutil.which(tool) is None:
            sys.exit(f"{tool} is not installed (apt-get install libreoffice-writer-nogui pandoc abiword)")
    work = sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp(prefix="rtfwords-")
    os.makedirs(work, exist_ok=True)
    documents = make_documents(work)
    total_ref = total_kept = 0
    worst = 1.0
    print(f"{'document':42} {'LibreOffice':>11} {'rtf2text':>9} {'kept':>7}")
    for rtf in documents:
        reference = words(libreoffice_text(rtf, work))
        ours = words(run([tarvex4, "rtf2text", rtf]).stdout.decode("utf-8", "replace"))
        kept = sum((reference & ours).values())
        ref = sum(reference.values())
        share = kept / ref if ref else 1.0
        worst = min(worst, share)
        total_ref += ref
        total_kept += kept
        print(f"{os.path.basename(rtf):42} {ref:11} {sum(ours.values()):9} {share:7.1%}")
        missing = reference - ours
        if missing:
            print("    missing:", ", ".join(f"{w}x{n}" for w, n in missing.most_common(8)))
    overall = total_kept / total_ref if total_ref else 1.0
    print(f"{'all documents':42} {total_ref:11} {'':9} {overall:7.1%}   (worst {worst:.1%})")
    print("documents in", work)


if __name__ == "__main__":
    main()
