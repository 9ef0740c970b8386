#!/usr/bin/python3
"""The user's manual as one HTML file that every package ships: its pictures inside, so that it
opens from any folder it is copied to, and nothing in it reaches for the network.

    manual_html.py MANUAL.md VERSION OUTPUT.html

Made again from the same manual, it is the same to the byte."""

import base64
import html
import pathlib
import re
import sys

import markdown

STYLE = """
body { font-family: "Yu Gothic UI", "Meiryo UI", Meiryo, "MS PGothic", "IPAPGothic",
       "Noto Sans CJK JP", sans-serif; line-height: 1.7; margin: 0 auto; max-width: 52em;
       padding: 1em 1.5em 3em; color: #1a1a1a; background: #fff; }
h1 { font-size: 1.6em; border-bottom: 2px solid #1f4e9c; padding-bottom: .2em; }
h2 { font-size: 1.3em; border-bottom: 1px solid #b8c4d8; margin-top: 2em; }
h3 { font-size: 1.1em; }
table { border-collapse: collapse; margin: 1em 0; }
th, td { border: 1px solid #b8c4d8; padding: .3em .6em; vertical-align: top; text-align: left; }
th { background: #eef2f8; }
code, pre { font-family: Consolas, "MS Gothic", "IPAGothic", monospace; background: #f3f5f8; }
pre { padding: .6em; overflow-x: auto; }
img { max-width: 100%; border: 1px solid #b8c4d8; }
footer { margin-top: 3em; font-size: .9em; color: #555; }
@media (prefers-color-scheme: dark) {
  body { color: #e8e8e8; background: #1b1d21; }
  th { background: #2a2f38; }
  code, pre { background: #262a31; }
  footer { color: #aaa; }
}
"""

# The page may show its own pictures and style, and load nothing from anywhere.
POLICY = "default-src 'none'; img-src data:; style-src 'unsafe-inline'"


def main(source: str, version: str, output: str) -> int:
    manual = pathlib.Path(source)
    text = manual.read_text(encoding="utf-8")
    title = re.search(r"^# (.+)$", text, re.MULTILINE).group(1).strip()
    body = markdown.markdown(text, extensions=["extra"], output_format="html")

    def picture(match: re.Match) -> str:
        path = manual.parent / html.unescape(match.group(1))
        data = base64.b64encode(path.read_bytes()).decode("ascii")
        return f'src="data:image/png;base64,{data}"'

    body = re.sub(r'src="([^"]+\.png)"', picture, body)
    # A link to a file beside the manual in the source tree goes nowhere once it is installed.
    for target in re.findall(r'(?:href|src)="([^"]*)"', body):
        if not re.match(r"(data:|https://|#)", target):
            print(f"{source}: {target} is not there once the manual is installed", file=sys.stderr)
            return 1
    page = f"""<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="{POLICY}">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{html.escape(title)}</title>
<style>{STYLE}</style>
</head>
<body>
<main>
{body}
</main>
<footer>バージョン {html.escape(version)}</footer>
</body>
</html>
"""
    pathlib.Path(output).write_text(page, encoding="utf-8", newline="\n")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
