"""What the program asks of its help file, and what the help project holds.

One place answers both questions, for the build (make_help.py) and for the
test of the compiled file (test_chm.py):

* program_references() reads the program's own sources and returns every
  help page it can open (with the window type named after '>') and every
  pop-up number it can ask for. The sources are read by fixed patterns:

  - a page is a string literal that names "<page>.htm"; the program opens it
    as "<file>::/html/<page>.htm>window", the window type being a literal
    that ends in ">name";
  - pop-up numbers live in tables of HelpTopic pairs {control, number}: a
    variable or function of type std::vector<HelpTopic>. A function that
    takes one number and builds its pairs from it ({control, first + 2})
    is expanded at every call with a literal (AddressTopics(1207));
  - a file that hands a pop-up command to HTML Help itself (not through
    ShowEditorHelp) lists its pairs in an array of integers ended by zeros,
    {control, number, ..., 0, 0}.

  Anything inside those places that the patterns cannot read fails the
  check instead of being skipped, so a table written in a new way cannot
  slip past it.

* HelpProject reads help/Vantrel.hhp and the files it names: the pages, the
  contents and index, the window types and the text pop-ups (cshelp.txt,
  whose topics are named in cshelp.h).
"""

import configparser
import html.parser
import os
import re
from urllib.parse import unquote

PROGRAM_DIRS = ["frame", "framework", "dayview", "editors", "reminders", "exchange", "reports", "vcard", "ical"]
# The one helper that passes any table's pair on to HTML Help.
GENERIC_HELPERS = {os.path.join("editors", "EditorHelp.cpp"), os.path.join("editors", "EditorHelp.h")}
POPUP_COMMANDS = re.compile(r"\b(kHelpPopupForRequest|HH_TP_HELP_WM_HELP|HH_TP_HELP_CONTEXTMENU)\b")


class CheckError(Exception):
    pass


def _blank_comments_and_strings(text):
    """Returns the text with comments blanked and the string literals listed.

    Line breaks are kept, so positions still give line numbers. String
    literals are replaced by "" in the code; they are returned separately
    with their offsets."""
    out = []
    literals = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(" " * (j - i))
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c == '"':
            j = i + 1
            while j < n and text[j] != '"':
                j += 2 if text[j] == "\\" else 1
            literals.append((i, text[i + 1:j]))
            out.append('"' + " " * (j - i - 1) + '"')
            i = j + 1
        elif c == "'":
            j = i + 1
            while j < n and text[j] != "'":
                j += 2 if text[j] == "\\" else 1
            out.append(" " * (j + 1 - i))
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out), literals


def _line(text, offset):
    return text.count("\n", 0, offset) + 1


def _matching(code, start, open_char, close_char):
    """Offset just past the bracket that closes the one at `start`."""
    depth = 0
    for i in range(start, len(code)):
        if code[i] == open_char:
            depth += 1
        elif code[i] == close_char:
            depth -= 1
            if depth == 0:
                return i + 1
    raise CheckError("unbalanced %r" % open_char)


_IDENT = r"[A-Za-z_]\w*"
_PAIR = re.compile(r"\{\s*(%s|\d+)\s*,\s*([^{},]+?)\s*\}" % _IDENT)


def _helptopic_regions(code):
    """(start, end, parameter) of every HelpTopic table in the code.

    A table is the initializer of a variable of type std::vector<HelpTopic>
    or the body of a function returning one; `parameter` is the name of a
    function's single numeric parameter, if it has one."""
    regions = []
    for m in re.finditer(r"\bHelpTopic\s*>\s*&?\s*(%s)\s*" % _IDENT, code):
        after = m.end()
        following = code[after:after + 1]
        if following == "=" or following == "{":
            brace = code.find("{", after)
            regions.append((brace, _matching(code, brace, "{", "}"), None))
        elif following == "(":
            close = _matching(code, after, "(", ")")
            params = code[after + 1:close - 1].strip()
            rest = re.match(r"\s*((?:const|override|noexcept|final)\s*)*(\{)?", code[close:])
            if not rest.group(2):
                continue  # a declaration without a body
            brace = close + rest.start(2)
            parameter = None
            pm = re.fullmatch(r"(?:const\s+)?(?:DWORD|UINT|int|unsigned)\s+(%s)" % _IDENT, params)
            if pm:
                parameter = pm.group(1)
            elif params:
                continue  # a function taking a table: not a table itself
            regions.append((brace, _matching(code, brace, "{", "}"), parameter))
        # otherwise a parameter, a member or a forward declaration: no table
    return regions


def _popup_numbers(path, text, code):
    """{number: [place]} of one file's HelpTopic tables, expanded calls
    included; raises CheckError on a pair it cannot read."""
    found = {}
    generators = {}  # function name -> offsets from its parameter

    def add(number, offset):
        found.setdefault(number, []).append("%s:%d" % (path, _line(text, offset)))

    for start, end, parameter in _helptopic_regions(code):
        body = code[start:end]
        offsets = []
        for pair in _PAIR.finditer(body):
            value = pair.group(2).strip()
            where = start + pair.start()
            if re.fullmatch(r"\d+", value):
                add(int(value), where)
                continue
            if parameter:
                pm = re.fullmatch(r"%s(?:\s*\+\s*(\d+))?" % re.escape(parameter), value)
                if pm:
                    offsets.append(int(pm.group(1) or 0))
                    continue
            raise CheckError("%s:%d: help topic pair {%s, %s} is not a control and a number"
                             % (path, _line(text, where), pair.group(1), value))
        if parameter:
            head = code[max(0, start - 300):start]
            fm = re.search(r"(%s)\s*\([^()]*\)\s*(?:const\s*)?$" % _IDENT, head)
            if not fm or not offsets:
                raise CheckError("%s:%d: cannot read the help topic function here"
                                 % (path, _line(text, start)))
            generators[fm.group(1)] = offsets
    for name, offsets in generators.items():
        calls = list(re.finditer(r"\b%s\s*\(\s*([^()]*?)\s*\)" % re.escape(name), code))
        for call in calls:
            argument = call.group(1)
            if re.fullmatch(r"(?:const\s+)?(?:DWORD|UINT|int|unsigned)\s+%s" % _IDENT, argument):
                continue  # the definition itself
            if not re.fullmatch(r"\d+", argument):
                raise CheckError("%s:%d: %s is called with %r, not a number"
                                 % (path, _line(text, call.start()), name, argument))
            for offset in offsets:
                add(int(argument) + offset, call.start())
    return found


def _raw_popup_arrays(path, text, code):
    """Pairs of a file that gives HTML Help its own array: {number: [place]}."""
    found = {}
    for m in re.finditer(r"\b(?:DWORD|UINT|int|unsigned|DWORD_PTR)\s+%s\s*\[\s*\d*\s*\]\s*=\s*\{([^{}]*)\}"
                         % _IDENT, code):
        items = [item.strip() for item in m.group(1).split(",") if item.strip()]
        while items and items[-1] == "0":
            items.pop()
        if len(items) % 2:
            raise CheckError("%s:%d: the pop-up table has an odd number of entries"
                             % (path, _line(text, m.start())))
        for control, number in zip(items[0::2], items[1::2]):
            if not re.fullmatch(r"\d+", number):
                raise CheckError("%s:%d: pop-up entry {%s, %s} has no literal number"
                                 % (path, _line(text, m.start()), control, number))
            found.setdefault(int(number), []).append("%s:%d" % (path, _line(text, m.start())))
    return found


def program_references(source_dir):
    """Returns (pages, windows, popups): {page: [place]}, {window: [place]}
    and {number: [place]} of everything the program's sources ask of the
    help file."""
    pages, windows, popups = {}, {}, {}
    for directory in PROGRAM_DIRS:
        root = os.path.join(source_dir, directory)
        if not os.path.isdir(root):
            continue
        for name in sorted(os.listdir(root)):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(directory, name)
            with open(os.path.join(source_dir, path), encoding="utf-8", errors="replace") as f:
                text = f.read()
            code, literals = _blank_comments_and_strings(text)
            for offset, literal in literals:
                place = "%s:%d" % (path, _line(text, offset))
                for page in re.findall(r"([\w\-]+\.htm)\b", literal):
                    pages.setdefault(page, []).append(place)
                window = re.search(r">(%s)$" % _IDENT, literal)
                if window:
                    windows.setdefault(window.group(1), []).append(place)
            if path in GENERIC_HELPERS:
                continue
            numbers = _popup_numbers(path, text, code)
            if POPUP_COMMANDS.search(code):
                for number, places in _raw_popup_arrays(path, text, code).items():
                    numbers.setdefault(number, []).extend(places)
                if not numbers:
                    raise CheckError("%s: shows help pop-ups, but no pop-up table was found in it"
                                     % path)
            for number, places in numbers.items():
                popups.setdefault(number, []).extend(places)
    return pages, windows, popups


class _Links(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links = []       # (attribute, value)
        self.params = []      # (name, value) of <param> in sitemaps
        self.anchors = set()  # ids and names of the page
        self.title = None
        self._in_title = False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for key in ("id", "name"):
            if tag != "param" and attrs.get(key):
                self.anchors.add(attrs[key])
        if tag in ("a", "link") and attrs.get("href"):
            self.links.append(("href", attrs["href"]))
        if tag in ("img", "script") and attrs.get("src"):
            self.links.append(("src", attrs["src"]))
        if tag == "param":
            self.params.append(((attrs.get("name") or "").lower(), attrs.get("value") or ""))
        if tag == "title":
            self._in_title = True

    def handle_endtag(self, tag):
        if tag == "title":
            self._in_title = False

    def handle_data(self, data):
        if self._in_title:
            self.title = (self.title or "") + data


def parse_html(data):
    parser = _Links()
    parser.feed(data)
    parser.close()
    return parser


def resolve(base, link):
    """The path inside the help file that `link`, found in file `base`,
    points at, and its anchor; None for links that leave the help file."""
    if re.match(r"^[a-z][a-z0-9+.\-]*:", link, re.I):
        return None
    target, _, anchor = link.partition("#")
    if not target:
        return base, anchor
    joined = os.path.normpath(os.path.join(os.path.dirname(base), unquote(target)))
    return joined.replace(os.sep, "/"), anchor


def parse_popup_header(text):
    """{name: number} of the #define lines of a pop-up header."""
    defines = {}
    for line in text.splitlines():
        m = re.match(r"\s*#define\s+(%s)\s+(\d+)\s*$" % _IDENT, line)
        if m:
            defines[m.group(1)] = int(m.group(2))
        elif line.strip() and not line.strip().startswith("//"):
            raise CheckError("pop-up header: cannot read line %r" % line)
    return defines


def parse_popup_texts(text):
    """{name: text} of a text pop-up file (".topic NAME" and its lines)."""
    topics = {}
    name = None
    for line in text.splitlines():
        m = re.match(r"\.topic\s+(\S+)\s*$", line)
        if m:
            name = m.group(1)
            if name in topics:
                raise CheckError("pop-up texts: %s appears twice" % name)
            topics[name] = []
        elif name is not None:
            topics[name].append(line.strip())
        elif line.strip() and not line.startswith(";"):
            raise CheckError("pop-up texts: line %r comes before the first .topic" % line)
    return {k: " ".join(l for l in v if l).strip() for k, v in topics.items()}


def parse_windows(lines):
    """{name: [fields]} of the [WINDOWS] lines of a project."""
    windows = {}
    for line in lines:
        name, _, rest = line.partition("=")
        fields, field, quoted = [], "", False
        for c in rest:
            if c == '"':
                quoted = not quoted
            elif c == "," and not quoted:
                fields.append(field)
                field = ""
            else:
                field += c
        fields.append(field)
        windows[name.strip()] = fields
    return windows


class HelpProject:
    """The help project in `help_dir` (Vantrel.hhp and its files)."""

    def __init__(self, help_dir, project="Vantrel.hhp"):
        self.dir = help_dir
        parser = configparser.ConfigParser(allow_no_value=True, delimiters=("=",),
                                           interpolation=None, strict=False)
        parser.optionxform = str
        with open(os.path.join(help_dir, project), encoding="utf-8") as f:
            parser.read_file(f)
        self.options = dict(parser["OPTIONS"])

        def lines(section):
            if not parser.has_section(section):
                return []
            return [k if v is None else "%s=%s" % (k, v) for k, v in parser[section].items()]

        self.files = [l.replace("\\", "/") for l in lines("FILES")]
        self.text_popups = [l.replace("\\", "/") for l in lines("TEXT POPUPS")]
        self.windows = parse_windows(lines("WINDOWS"))

    def read(self, path):
        with open(os.path.join(self.dir, path), encoding="utf-8") as f:
            return f.read()


def popup_table(read, text_popups):
    """{number: (name, text)} from the header and the text file named in
    [TEXT POPUPS], each read with `read(path)`."""
    headers = [p for p in text_popups if p.lower().endswith(".h")]
    texts = [p for p in text_popups if p.lower().endswith(".txt")]
    if len(headers) != 1 or len(texts) != 1:
        raise CheckError("[TEXT POPUPS] must name one header and one text file")
    if texts[0].lower() != "cshelp.txt":
        # HTML Help reads the root's cshelp.txt when the program names only
        # the help file, as ours does.
        raise CheckError("the pop-up texts must be cshelp.txt at the top of the help file")
    defines = parse_popup_header(read(headers[0]))
    topics = parse_popup_texts(read(texts[0]))
    table = {}
    for name, number in defines.items():
        if number in table:
            raise CheckError("pop-up number %d is defined twice" % number)
        table[number] = (name, topics.get(name, ""))
    unused = sorted(set(topics) - set(defines))
    if unused:
        raise CheckError("pop-up texts without a number in %s: %s" % (headers[0], ", ".join(unused)))
    return table
